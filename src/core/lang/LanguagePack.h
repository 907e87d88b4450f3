#pragma once
// Packing a language file into its compressed form (*.xmz).  A few encoder outputs
// end in a way that the program's original decoder cannot read (see
// Compressing::EndWidth); such a file gets one more trailing blank, which changes
// nothing in an XML document, and is compressed again.
#include <string>
#include <string_view>

namespace kalorina {

struct PackedLanguage {
    std::string data;    // the compressed file
    int blanksAdded = 0; // trailing blanks appended to the source to make it readable
};

// Raises KalorinaError when no variant up to kMaxLanguagePackBlanks blanks decodes
// back to its source under the strict end rule.
constexpr int kMaxLanguagePackBlanks = 16;
PackedLanguage PackLanguage(std::string_view source);

} // namespace kalorina
