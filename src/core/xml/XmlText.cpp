#include "xml/XmlText.h"

#include "util/Codepage.h"
#include "util/Utf8.h"

namespace kalorina {

namespace {

constexpr bool IsContinuation(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}

int LeadingOnes(unsigned char c)
{
    int n = 0;
    while (n < 8 && (c & (0x80 >> n)))
        ++n;
    return n;
}

// The byte for a decoded code, or -1.  The bytes the code page leaves unassigned
// stand for the code of the same value, so every byte survives a round trip.
int AnsiByteOf(char32_t code)
{
    int b = UnicodeToCp1250(code);
    if (b >= 0)
        return b;
    if (code >= 0x80 && code <= 0xFF && Cp1250ToUnicode(static_cast<unsigned char>(code)) == 0xFFFF)
        return static_cast<int>(code);
    return -1;
}

} // namespace

std::string Utf8ToAnsi(std::string_view text, char replacement)
{
    std::string out;
    out.reserve(text.size());
    const std::size_t n = text.size();
    auto at = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    std::size_t i = 0;
    while (i < n) {
        unsigned char c = at(i);
        if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        char32_t code = 0;
        bool decoded = false;
        if ((c & 0xE0) == 0xC0 && i + 1 < n && IsContinuation(at(i + 1))) {
            code = (char32_t(c & 0x1F) << 6) | (at(i + 1) & 0x3F);
            decoded = code >= 0x80; // an overlong form is not a character
            i += 2;
        } else if ((c & 0xF0) == 0xE0 && i + 2 < n && IsContinuation(at(i + 1)) && IsContinuation(at(i + 2))) {
            code = (char32_t(c & 0x0F) << 12) | (char32_t(at(i + 1) & 0x3F) << 6) | (at(i + 2) & 0x3F);
            decoded = code >= 0x800;
            i += 3;
        } else {
            // A stray continuation byte, a four-or-more-byte sequence or a broken
            // one: one replacement, swallowing only the continuation bytes that
            // belong to it, so the ASCII text after a damaged sequence survives.
            int ones = LeadingOnes(c);
            ++i;
            if (ones >= 2 && c != 0xFF)
                for (int k = 1; k < ones && i < n && IsContinuation(at(i)); ++k)
                    ++i;
        }
        int b = decoded ? AnsiByteOf(code) : -1;
        out += b >= 0 ? static_cast<char>(b) : replacement;
    }
    return out;
}

std::string AnsiToUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (unsigned char c : text) {
        char32_t cp = Cp1250ToUnicode(c);
        AppendUtf8(out, cp == 0xFFFF ? char32_t(c) : cp);
    }
    return out;
}

std::string TrimWs(std::string_view text)
{
    std::size_t b = 0, e = text.size();
    while (b < e && IsXmlWs(static_cast<unsigned char>(text[b])))
        ++b;
    while (e > b && IsXmlWs(static_cast<unsigned char>(text[e - 1])))
        --e;
    return std::string(text.substr(b, e - b));
}

std::string ConvertWs(std::string_view text, bool collapse)
{
    std::string out;
    out.reserve(text.size());
    bool prevWs = false;
    for (char ch : text) {
        bool ws = IsXmlWs(static_cast<unsigned char>(ch));
        if (ws) {
            if (!(collapse && prevWs))
                out += ' ';
        } else {
            out += ch;
        }
        prevWs = ws;
    }
    return out;
}

namespace detail {

// Value of the digits of a character reference modulo 256, or -1 when they
// cannot be read.
int CharRefByte(std::string_view digits, bool hex)
{
    if (digits.empty())
        return -1;
    unsigned value = 0;
    for (char ch : digits) {
        unsigned d;
        if (ch >= '0' && ch <= '9')
            d = unsigned(ch - '0');
        else if (hex && ch >= 'a' && ch <= 'f')
            d = unsigned(ch - 'a' + 10);
        else if (hex && ch >= 'A' && ch <= 'F')
            d = unsigned(ch - 'A' + 10);
        else
            return -1;
        value = (value * (hex ? 16 : 10) + d) & 0xFF;
    }
    return static_cast<int>(value);
}

} // namespace detail

std::string ReplaceCharacterEntities(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t amp = text.find("&#", i);
        if (amp == std::string_view::npos)
            break;
        std::size_t semi = text.find(';', amp + 2);
        if (semi == std::string_view::npos)
            break;
        out.append(text.substr(i, amp - i));
        std::string_view body = text.substr(amp + 2, semi - amp - 2);
        bool hex = !body.empty() && (body[0] == 'x' || body[0] == 'X');
        int b = detail::CharRefByte(hex ? body.substr(1) : body, hex);
        out += static_cast<char>(b >= 0 ? b : (hex ? 0 : 32));
        i = semi + 1;
    }
    out.append(text.substr(i));
    return out;
}

} // namespace kalorina
