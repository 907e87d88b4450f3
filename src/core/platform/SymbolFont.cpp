#include "platform/SymbolFont.h"

namespace kalorina {

char32_t SymbolToUnicode(unsigned char code)
{
    // Upper case A..Z, then lower case a..z, as the Symbol font lays them out.
    static constexpr char32_t upper[26] = {0x0391, 0x0392, 0x03A7, 0x0394, 0x0395, 0x03A6, 0x0393, 0x0397, 0x0399,
                                           0x03D1, 0x039A, 0x039B, 0x039C, 0x039D, 0x039F, 0x03A0, 0x0398, 0x03A1,
                                           0x03A3, 0x03A4, 0x03A5, 0x03C2, 0x03A9, 0x039E, 0x03A8, 0x0396};
    static constexpr char32_t lower[26] = {0x03B1, 0x03B2, 0x03C7, 0x03B4, 0x03B5, 0x03C6, 0x03B3, 0x03B7, 0x03B9,
                                           0x03D5, 0x03BA, 0x03BB, 0x03BC, 0x03BD, 0x03BF, 0x03C0, 0x03B8, 0x03C1,
                                           0x03C3, 0x03C4, 0x03C5, 0x03D6, 0x03C9, 0x03BE, 0x03C8, 0x03B6};
    if (code >= 'A' && code <= 'Z')
        return upper[code - 'A'];
    if (code >= 'a' && code <= 'z')
        return lower[code - 'a'];
    return code;
}

} // namespace kalorina
