#pragma once
// Where the catalogue's data directory is: $KALORINA_DATA; else "data" in the
// current directory; else "data" beside the executable; else
// <executable's directory>/../share/kalorina/data.
#include <string>

namespace kalorina {

// `executableDir` is the directory of the running program.  Answers the first
// candidate that is a directory, or the last candidate when none is.
std::string FindDataDirectory(const std::string& executableDir);

// The directory of the running program, empty when it cannot be told.
std::string ExecutableDirectory();

} // namespace kalorina
