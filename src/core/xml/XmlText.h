#pragma once
// Text helpers of the XML scanner: whitespace treatment, character references
// and the translation between UTF-8 and the program's character set (code page 1250).
#include <string>
#include <string_view>

namespace kalorina {

// Whitespace bytes: tab, line feed, carriage return, blank.
constexpr bool IsXmlWs(unsigned char c)
{
    return c == 9 || c == 10 || c == 13 || c == 32;
}

// Bytes that may start a name: ":", "A"-"Z", "_", "a"-"z", 0xC0-0xD6, 0xD8-0xF6, 0xF8-0xFF.
constexpr bool IsXmlNameStart(unsigned char c)
{
    return c == ':' || (c >= 'A' && c <= 'Z') || c == '_' || (c >= 'a' && c <= 'z') || (c >= 0xC0 && c <= 0xD6)
        || (c >= 0xD8 && c <= 0xF6) || c >= 0xF8;
}

// UTF-8 to code page 1250.  A character the code page cannot hold, and every
// malformed sequence, becomes `replacement`.  Bytes that are not continuation
// bytes are never swallowed by a broken sequence.
std::string Utf8ToAnsi(std::string_view text, char replacement = '?');

// Code page 1250 to UTF-8 (one to three bytes per character).  The five bytes the
// code page leaves unassigned stand for the code point of the same value.
std::string AnsiToUtf8(std::string_view text);

// Removes leading and trailing whitespace bytes.
std::string TrimWs(std::string_view text);

// Each whitespace byte becomes a blank; with `collapse`, a whitespace byte that
// follows another one is removed instead, so runs become one blank.
std::string ConvertWs(std::string_view text, bool collapse);

// Replaces each "&#...;" by one byte: decimal, or hexadecimal after "x"/"X"; the
// value is taken modulo 256; an unreadable decimal number gives a blank, an
// unreadable hexadecimal number a zero byte.  Other references stay as written.
std::string ReplaceCharacterEntities(std::string_view text);

} // namespace kalorina
