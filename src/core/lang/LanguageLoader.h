#pragma once
// Loading the language files found beside the program.  "*.xm?" files whose name
// ends in ".XML" (any case) are plain XML and serve only as printing languages;
// every other match is LZW-compressed and may serve the user interface.
#include <optional>
#include <string>
#include <vector>

#include "lang/TLanguages.h"

namespace kalorina {

// The names (not paths) of the files in `directory` that match "*.xm?" (the
// extension compared without regard to case), sorted by name in byte order so
// that the language list does not depend on the file system.  Empty when the
// directory is missing or unreadable.
std::vector<std::string> LanguageFileNames(const std::string& directory);

// True when the upper-cased name's first ".XML" is its last four characters.
bool IsPlainLanguageFile(const std::string& fileName);

// Reads one file: plain ones as they are, others through the LZW decoder in
// memory.  No value when the file cannot be read, decoded or scanned.
std::optional<TLanguage> LoadLanguageFile(const std::string& path);

// Appends every language of `directory` to `languages`, in the order of
// LanguageFileNames; files that fail are skipped and the rest still load.
void LoadLanguages(TLanguages& languages, const std::string& directory);

} // namespace kalorina
