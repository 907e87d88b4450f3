#include "lang/LanguageLoader.h"

namespace kalorina {

void LoadLanguages(TLanguages&, const std::string&)
{
    // Language files arrive with the XML scanner.
}

} // namespace kalorina
