#include "lang/LanguagePack.h"

#include "lang/Lzw.h"
#include "util/Error.h"

namespace kalorina {

PackedLanguage PackLanguage(std::string_view source)
{
    std::string text(source);
    for (int blanks = 0; blanks <= kMaxLanguagePackBlanks; ++blanks) {
        if (blanks > 0)
            text.push_back(' ');
        PackedLanguage packed{Compressing::Encode(text), blanks};
        try {
            if (Compressing::Decode(packed.data, Compressing::EndWidth::Strict) == text)
                return packed;
        } catch (const KalorinaError&) {
            // Unreadable for a strict decoder: try with one more blank.
        }
    }
    throw KalorinaError("The compressed language file does not decode to its source, even with "
                        + std::to_string(kMaxLanguagePackBlanks) + " trailing blanks added");
}

} // namespace kalorina
