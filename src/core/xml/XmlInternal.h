#pragma once
// Helpers shared by the scanner's source files; not part of its interface.
#include <cstring>
#include <string>
#include <string_view>

#include "xml/XmlText.h"

namespace kalorina::detail {

// Value of the digits of a character reference modulo 256, or -1 when unreadable.
int CharRefByte(std::string_view digits, bool hex);

inline unsigned char U(char c) { return static_cast<unsigned char>(c); }

// Does the zero-terminated text at p start with s?  Stops at the zero byte.
inline bool StartsWith(const char* p, const char* s)
{
    for (; *s; ++p, ++s)
        if (*p != *s)
            return false;
    return true;
}

// Start of the next occurrence of s in the zero-terminated text, or nullptr.
inline const char* FindStr(const char* p, const char* s) { return std::strstr(p, s); }

// The terminating zero of the text at p.
inline const char* EndOf(const char* p) { return p + std::strlen(p); }

inline const char* SkipWs(const char* p)
{
    while (IsXmlWs(U(*p)))
        ++p;
    return p;
}

} // namespace kalorina::detail
