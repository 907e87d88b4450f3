// The decoder half of Compressing.  It widens its codes one entry before the
// encoder does, because it builds each entry one code later; near the end of the
// stream it widens only while two or more bytes are unread, which keeps it from
// reading the end code too wide in most streams (see Compressing::EndWidth).
#include "lang/Lzw.h"

#include <array>

#include "util/Error.h"

namespace kalorina {

namespace {

// One dictionary string: its last byte and the entry of the string without it.
// The first byte and the length are kept as well, so that a string is written
// straight into place, back to front, without walking its prefixes twice.
struct DecodeDictionaryItem {
    std::uint16_t prefix = 0;
    std::uint8_t value = 0;
    std::uint8_t first = 0;
    std::uint16_t length = 0;
};

[[noreturn]] void Malformed(const std::string& what)
{
    throw KalorinaError("Malformed LZW stream: " + what);
}

class CodeReader {
public:
    CodeReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    int Get(int width)
    {
        while (count_ < width) {
            if (pos_ >= size_)
                Malformed("it ends inside a code");
            buffer_ = (buffer_ << 8) | data_[pos_++];
            count_ += 8;
        }
        count_ -= width;
        const int code = static_cast<int>(buffer_ >> count_);
        buffer_ &= (1u << count_) - 1;
        return code;
    }

    // True when what is left is exactly an end code of the given width followed
    // by fewer than 8 zero bits of padding.  Consumes nothing.
    bool IsNarrowEnd(int width) const
    {
        const std::size_t left = static_cast<std::size_t>(count_) + 8 * UnreadBytes();
        if (left < static_cast<std::size_t>(width) || left >= static_cast<std::size_t>(width + 8))
            return false;
        // At most 20 bits: the buffered ones and two more bytes.
        std::uint32_t rest = buffer_;
        for (std::size_t pos = pos_; pos < size_; ++pos)
            rest = (rest << 8) | data_[pos];
        const int padding = static_cast<int>(left) - width;
        return (rest & ((1u << padding) - 1)) == 0
            && (rest >> padding) == static_cast<std::uint32_t>(Compressing::kEndCode);
    }

    std::size_t UnreadBytes() const { return size_ - pos_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
    std::uint32_t buffer_ = 0;
    int count_ = 0;
};

template <class Out>
void AppendString(const std::array<DecodeDictionaryItem, Compressing::kDictionarySize>& dict, int code, Out& out)
{
    const std::size_t length = dict[code].length;
    const std::size_t start = out.size();
    out.resize(start + length);
    auto* p = out.data() + start + length;
    for (std::size_t i = 0; i < length; ++i) {
        *--p = static_cast<typename Out::value_type>(dict[code].value);
        code = dict[code].prefix;
    }
}

template <class Out>
void DecodeInto(const std::uint8_t* data, std::size_t size, Out& out, Compressing::EndWidth endWidth)
{
    if (size == 0)
        return;

    std::array<DecodeDictionaryItem, Compressing::kDictionarySize> dict;
    for (int code = 0; code < 256; ++code) {
        dict[code].value = dict[code].first = static_cast<std::uint8_t>(code);
        dict[code].length = 1;
    }

    CodeReader reader(data, size);
    if (reader.Get(Compressing::kFirstCodeWidth) != Compressing::kClearCode)
        Malformed("it does not start with a clear code");

    for (;;) {
        // Here after every clear code: the dictionary holds the single bytes only.
        int nextFree = Compressing::kFirstFreeCode;
        int width = Compressing::kFirstCodeWidth;
        const int b = reader.Get(width);
        if (b == Compressing::kEndCode)
            return;
        if (b == Compressing::kClearCode)
            continue;
        if (b >= Compressing::kFirstFreeCode)
            Malformed("code " + std::to_string(b) + " follows a clear code");
        AppendString(dict, b, out);
        int previous = b;

        for (;;) {
            const int e = reader.Get(width);
            if (e == Compressing::kEndCode)
                return;
            if (e == Compressing::kClearCode)
                break;
            if (nextFree == Compressing::kDictionarySize)
                Malformed("code " + std::to_string(e) + " follows a full dictionary");
            if (e > nextFree)
                Malformed("code " + std::to_string(e) + " is not yet defined");

            // The new entry is the previous string extended by the first byte of
            // this one; when this code is that very entry, its first byte is the
            // previous string's.
            const int c = e < nextFree ? dict[e].first : dict[previous].first;
            DecodeDictionaryItem& added = dict[nextFree];
            added.prefix = static_cast<std::uint16_t>(previous);
            added.value = static_cast<std::uint8_t>(c);
            added.first = dict[previous].first;
            added.length = static_cast<std::uint16_t>(dict[previous].length + 1);
            ++nextFree;
            AppendString(dict, e, out);
            previous = e;

            if (nextFree + 1 == (1 << width) && reader.UnreadBytes() >= 2) {
                ++width;
                // With fewer bits left than an end code at the old width plus its
                // padding, nothing but the end code can follow: the encoder
                // writes it at the old width, a fixed encoder at the new one.
                if (endWidth == Compressing::EndWidth::Tolerant && reader.IsNarrowEnd(width - 1))
                    return;
            }
        }
    }
}

} // namespace

void Compressing::Decode(std::span<const std::uint8_t> input, std::vector<std::uint8_t>& output, EndWidth endWidth)
{
    DecodeInto(input.data(), input.size(), output, endWidth);
}

void Compressing::Decode(std::string_view input, std::string& output, EndWidth endWidth)
{
    DecodeInto(reinterpret_cast<const std::uint8_t*>(input.data()), input.size(), output, endWidth);
}

std::string Compressing::Decode(std::string_view input, EndWidth endWidth)
{
    std::string output;
    Decode(input, output, endWidth);
    return output;
}

} // namespace kalorina
