#pragma once
// The Symbol font places Greek letters on the Latin letter codes ("D" is Delta,
// "z" is zeta).  Drawing surfaces that cannot rely on such a font map the codes to
// the Unicode letters and draw them with an ordinary font.
#include <string_view>

namespace kalorina {

inline constexpr std::string_view kSymbolFontName = "Symbol";

// The Unicode character the Symbol font shows for `code`; `code` itself for
// characters without a Greek letter (digits, punctuation).
char32_t SymbolToUnicode(unsigned char code);

} // namespace kalorina
