#pragma once
// Where the program and its tools find the language files.
#include <string>

namespace kalorina {

// `programDir`/languages when that folder exists, else the installed
// `programDir`/../share/kalorina/languages when that exists, else
// `programDir`/languages (which then yields no languages).
std::string LanguagesDirFor(const std::string& programDir);

// The folder of the running executable; "." when it cannot be told.
std::string RunningProgramDir();

} // namespace kalorina
