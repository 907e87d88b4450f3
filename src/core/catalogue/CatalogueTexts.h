#pragma once
// Looked-up texts of the catalogue and its calculations (error messages, units).
// They come from the active language; without language files (tools, tests) a
// built-in English text answers, so a failure never carries an empty message.
#include <string>
#include <vector>

#include "lang/BuiltInTexts.h"
#include "util/FormatText.h"

namespace kalorina {

inline std::string CatalogueText(const std::string& id)
{
    return TextOrBuiltIn(id);
}

} // namespace kalorina

namespace kalorina {

// The catalogue language of a user-interface language: its IDS_DEVICEDBLANGUAGE
// text when the language is loaded and active, else the code of the two shipped
// languages ("hu" for "Magyar", "en" for "English"), which is what the shipped
// catalogue's Language attributes use, or the name itself.
std::string CatalogueLanguage(const std::string& languageName);

} // namespace kalorina
