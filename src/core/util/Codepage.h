#pragma once
// Conversion between the program's 8-bit texts (Windows code page 1250) and UTF-8,
// used at the edges only: the Qt boundary, the CLI's output, settings and XML files.
#include <cstdint>
#include <string>
#include <string_view>

namespace kalorina {

// Unicode code point of a code page 1250 byte; 0xFFFF for the five unassigned bytes.
char32_t Cp1250ToUnicode(unsigned char byte);
// Code page 1250 byte of a code point, or -1 when the code page cannot hold it.
int UnicodeToCp1250(char32_t cp);

// Unassigned bytes become U+FFFD.
std::string Cp1250ToUtf8(std::string_view text);
// Characters the code page cannot hold, and malformed UTF-8 sequences, become '?'.
std::string Utf8ToCp1250(std::string_view text);

} // namespace kalorina
