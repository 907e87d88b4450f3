#pragma once
// Where the catalogue's data directory is: $KALORINA_DATA; else "data" in the
// current directory; else "data" where the program's shipped files are
// (util/ProgramFiles.h): beside the executable or in the installed share/kalorina.
#include <string>

namespace kalorina {

// `executableDir` is the directory of the running program.  Answers the first
// candidate that is a directory, or "data" beside the program when none is.
std::string FindDataDirectory(const std::string& executableDir);

// The directory of the running program, empty when it cannot be told.
std::string ExecutableDirectory();

} // namespace kalorina
