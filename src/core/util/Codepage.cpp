#include "util/Codepage.h"

#include "util/Utf8.h"

namespace kalorina {

namespace {

// 0x80..0xFF of code page 1250; 0xFFFF marks the unassigned bytes.
constexpr char16_t kHigh[128] = {
    0x20AC, 0xFFFF, 0x201A, 0xFFFF, 0x201E, 0x2026, 0x2020, 0x2021, 0xFFFF, 0x2030, 0x0160, 0x2039, 0x015A,
    0x0164, 0x017D, 0x0179, 0xFFFF, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0xFFFF, 0x2122,
    0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6,
    0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B, 0x00B0, 0x00B1, 0x02DB, 0x0142,
    0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C, 0x0154,
    0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, 0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD,
    0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA,
    0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, 0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4,
    0x0151, 0x00F6, 0x00F7, 0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

} // namespace

char32_t Cp1250ToUnicode(unsigned char byte)
{
    return byte < 0x80 ? char32_t(byte) : char32_t(kHigh[byte - 0x80]);
}

int UnicodeToCp1250(char32_t cp)
{
    if (cp < 0x80)
        return static_cast<int>(cp);
    if (cp == 0xFFFF)
        return -1;
    for (int i = 0; i < 128; ++i)
        if (kHigh[i] == cp)
            return 0x80 + i;
    return -1;
}

std::string Cp1250ToUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (unsigned char c : text) {
        char32_t cp = Cp1250ToUnicode(c);
        AppendUtf8(out, cp == 0xFFFF ? char32_t(0xFFFD) : cp);
    }
    return out;
}

std::string Utf8ToCp1250(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        int extra = c >= 0xF0 && c < 0xF8 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : -1;
        if (c >= 0xF8)
            extra = -1;
        char32_t cp = extra == 1 ? (c & 0x1F) : extra == 2 ? (c & 0x0F) : (c & 0x07);
        bool ok = extra > 0 && i + static_cast<std::size_t>(extra) < text.size();
        for (int k = 1; ok && k <= extra; ++k) {
            unsigned char n = static_cast<unsigned char>(text[i + k]);
            if ((n & 0xC0) != 0x80)
                ok = false;
            else
                cp = (cp << 6) | (n & 0x3F);
        }
        if (!ok) {
            out += '?';
            ++i;
            continue;
        }
        int b = UnicodeToCp1250(cp);
        out += b < 0 ? '?' : static_cast<char>(b);
        i += extra + 1;
    }
    return out;
}

} // namespace kalorina
