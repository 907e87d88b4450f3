#pragma once
// Where the program and its tools find the language files.
#include <string>

namespace kalorina {

// The languages folder where the program's shipped files are
// (util/ProgramFiles.h): beside the program, else in the installed
// share/kalorina; `programDir`/languages (which then yields no languages) when
// neither exists.
std::string LanguagesDirFor(const std::string& programDir);

// The folder of the running executable; "." when it cannot be told.
std::string RunningProgramDir();

} // namespace kalorina
