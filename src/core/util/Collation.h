#pragma once
// Alphabetical order of code page 1250 texts.  Byte order puts every accented
// letter after z; people expect Á beside A and Ő beside O.  The sort key compares in
// levels: letters first (case and accents ignored), then accents, then case, then
// the bytes themselves, so that different texts never compare equal.
#include <string>
#include <string_view>

namespace kalorina {

// The sort key of `text` by the alphabet of the language whose catalogue code is
// `languageCode` ("hu": the Hungarian alphabet with cs, dz, dzs, gy, ly, ny, sz, ty
// and zs as letters of their own and ö, ü after o, u; any other code: accented
// letters beside their base letter).  Keys compare as unsigned bytes.
std::string CollationKey(std::string_view text, std::string_view languageCode);

// Whether `a` comes before `b` in that alphabet.
bool CollateLess(std::string_view a, std::string_view b, std::string_view languageCode);

} // namespace kalorina
