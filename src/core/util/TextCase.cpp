#include "util/TextCase.h"

namespace kalorina {

unsigned char LowerCp1250(unsigned char c)
{
    if (c >= 'A' && c <= 'Z')
        return static_cast<unsigned char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return static_cast<unsigned char>(c + 32);
    switch (c) {
    case 0x8A:
    case 0x8C:
    case 0x8D:
    case 0x8E:
    case 0x8F:
        return static_cast<unsigned char>(c + 16);
    case 0xA3:
        return 0xB3;
    case 0xA5:
        return 0xB9;
    case 0xAA:
        return 0xBA;
    case 0xAF:
        return 0xBF;
    case 0xBC:
        return 0xBE;
    default:
        return c;
    }
}

bool SameTextIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerCp1250(static_cast<unsigned char>(a[i])) != LowerCp1250(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

} // namespace kalorina
