#pragma once
// Helpers shared by the scanner's source files; not part of its interface.
#include <array>
#include <cstring>
#include <string>
#include <string_view>

#include "xml/XmlText.h"

namespace kalorina::detail {

// Value of the digits of a character reference modulo 256, or -1 when unreadable.
int CharRefByte(std::string_view digits, bool hex);

inline unsigned char U(char c)
{
    return static_cast<unsigned char>(c);
}

// Does the zero-terminated text at p start with s?  Stops at the zero byte.
inline bool StartsWith(const char* p, const char* s)
{
    for (; *s; ++p, ++s)
        if (*p != *s)
            return false;
    return true;
}

// Start of the next occurrence of s in the zero-terminated text, or nullptr.
inline const char* FindStr(const char* p, const char* s)
{
    return std::strstr(p, s);
}

// The terminating zero of the text at p.
inline const char* EndOf(const char* p)
{
    return p + std::strlen(p);
}

inline const char* SkipWs(const char* p)
{
    while (IsXmlWs(U(*p)))
        ++p;
    return p;
}

// A byte that ends a tag name: the zero, whitespace, "/" or ">".
inline bool EndsTagName(unsigned char c)
{
    static constexpr auto table = [] {
        std::array<bool, 256> t{};
        t[0] = t[9] = t[10] = t[13] = t[32] = t['/'] = t['>'] = true;
        return t;
    }();
    return table[c];
}

// The first "<", "&" or terminating zero at or after p: a text part's run of
// plain bytes.  Searched a block at a time rather than byte by byte.
inline const char* FindTextStop(const char* p)
{
    // Texts between tags are mostly short: look at the first bytes one by one
    // before paying for a block search.
    for (int i = 0; i < 24; ++i, ++p)
        if (*p == '<' || *p == '&' || *p == 0)
            return p;
    const char* lt = std::strchr(p, '<');
    const char* end = lt ? lt : EndOf(p);
    const void* amp = std::memchr(p, '&', static_cast<std::size_t>(end - p));
    return amp ? static_cast<const char*>(amp) : end;
}

// Whether any byte is 0x80 or above (ASCII reads the same in every encoding we translate).
inline bool HasHighByte(std::string_view text)
{
    unsigned char any = 0;
    for (char c : text)
        any |= U(c);
    return (any & 0x80) != 0;
}

// TrimWs and then ConvertWs with collapsing, on the text itself.
inline void NormalizeWsInPlace(std::string& s)
{
    std::size_t b = 0, e = s.size();
    while (b < e && IsXmlWs(U(s[b])))
        ++b;
    while (e > b && IsXmlWs(U(s[e - 1])))
        --e;
    std::size_t w = 0;
    bool prevWs = false;
    for (std::size_t i = b; i < e; ++i) {
        const bool ws = IsXmlWs(U(s[i]));
        if (ws && prevWs)
            continue;
        s[w++] = ws ? ' ' : s[i];
        prevWs = ws;
    }
    s.resize(w);
}

} // namespace kalorina::detail
