#pragma once
// Loading the language files found beside the program.
#include <string>

#include "lang/TLanguages.h"

namespace kalorina {

// Loads every "*.xm?" file of `directory` into `languages`, in the order the file
// system lists them; files that cannot be read are skipped.
void LoadLanguages(TLanguages& languages, const std::string& directory);

} // namespace kalorina
