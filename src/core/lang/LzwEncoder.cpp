// The encoder half of Compressing.  Its output is part of the stored data: the
// check value of a valve is taken from the last bytes of it, so the code sequence,
// the widths and the padding must never change.
#include "lang/Lzw.h"

#include <array>

namespace kalorina {

namespace {

constexpr std::int16_t kNone = -1;

// One dictionary string: its last byte and the strings that extend it by one byte,
// as a sibling list in the order they were added.  The entry's code is its index.
// No default values: a dictionary is set up entry by entry as codes are given
// out, so that encoding a short text (a valve's check data) does not pay for
// clearing all 4096 entries.
struct EncodeDictionaryItem {
    std::uint8_t value;
    std::int16_t firstChild;
    std::int16_t lastChild; // where the next child is appended
    std::int16_t nextSibling;
};

// Packs codes most significant bit first.  At most 7 bits wait in the buffer
// between calls, so 13-bit codes never overflow it.
template <class Out>
class CodeWriter {
public:
    explicit CodeWriter(Out& out) : out_(out) {}

    void Put(std::uint32_t code, int width)
    {
        buffer_ = (buffer_ << width) | code;
        count_ += width;
        while (count_ >= 8) {
            count_ -= 8;
            out_.push_back(static_cast<typename Out::value_type>((buffer_ >> count_) & 0xFF));
        }
        buffer_ &= (1u << count_) - 1;
    }

    // Pads the last byte with zero bits.
    void Flush()
    {
        if (count_ > 0)
            out_.push_back(static_cast<typename Out::value_type>((buffer_ << (8 - count_)) & 0xFF));
        buffer_ = 0;
        count_ = 0;
    }

private:
    Out& out_;
    std::uint32_t buffer_ = 0;
    int count_ = 0;
};

template <class Out>
void EncodeInto(const std::uint8_t* data, std::size_t size, Out& out)
{
    if (size == 0)
        return;

    std::array<EncodeDictionaryItem, Compressing::kDictionarySize> dict; // entries set as they are used
    for (int code = 0; code < 256; ++code)
        dict[code] = EncodeDictionaryItem{static_cast<std::uint8_t>(code), kNone, kNone, kNone};
    int nextFree = Compressing::kFirstFreeCode;
    int width = Compressing::kFirstCodeWidth;

    CodeWriter<Out> writer(out);
    writer.Put(Compressing::kClearCode, width);

    int current = data[0];
    for (std::size_t i = 1; i < size; ++i) {
        const std::uint8_t b = data[i];
        int child = dict[current].firstChild;
        while (child != kNone && dict[child].value != b)
            child = dict[child].nextSibling;
        if (child != kNone) {
            current = child;
            continue;
        }

        writer.Put(static_cast<std::uint32_t>(current), width);
        dict[nextFree] = EncodeDictionaryItem{b, kNone, kNone, kNone};
        EncodeDictionaryItem& parent = dict[current];
        if (parent.firstChild == kNone)
            parent.firstChild = static_cast<std::int16_t>(nextFree);
        else
            dict[parent.lastChild].nextSibling = static_cast<std::int16_t>(nextFree);
        parent.lastChild = static_cast<std::int16_t>(nextFree);
        ++nextFree;
        if (nextFree == (1 << width))
            ++width;
        if (nextFree == Compressing::kDictionarySize) {
            // The width is 13 here; the decoder expects the clear code at that width.
            writer.Put(Compressing::kClearCode, width);
            for (int code = 0; code < 256; ++code)
                dict[code].firstChild = dict[code].lastChild = kNone;
            nextFree = Compressing::kFirstFreeCode;
            width = Compressing::kFirstCodeWidth;
        }
        current = b;
    }
    // The last string adds no entry, so the end code goes out at the same width.
    writer.Put(static_cast<std::uint32_t>(current), width);
    writer.Put(Compressing::kEndCode, width);
    writer.Flush();
}

} // namespace

void Compressing::Encode(std::span<const std::uint8_t> input, std::vector<std::uint8_t>& output)
{
    EncodeInto(input.data(), input.size(), output);
}

void Compressing::Encode(std::string_view input, std::string& output)
{
    EncodeInto(reinterpret_cast<const std::uint8_t*>(input.data()), input.size(), output);
}

std::string Compressing::Encode(std::string_view input)
{
    std::string output;
    Encode(input, output);
    return output;
}

} // namespace kalorina
