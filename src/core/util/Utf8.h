#pragma once
// Writing a code point as UTF-8, shared by the code page and XML text conversions.
#include <string>

namespace kalorina {

// Appends the one to four bytes of `cp`.
void AppendUtf8(std::string& out, char32_t cp);

} // namespace kalorina
