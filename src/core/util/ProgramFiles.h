#pragma once
// Where the files the program ships with (catalogue, languages, help, pictures)
// are found, the same way for the program, the CLI and the CLI's companion.
#include <string>

namespace kalorina {

// `name` (a file or folder) beside the program when it is there: the build tree
// stages everything beside the executables.  Else share/kalorina/`name` of the
// installed tree the program runs from: `programDir`/../share/kalorina for the
// programs in bin, `programDir`/../../share/kalorina for the companion in
// libexec/kalorina.  When none exists, `programDir`/`name`, so that a message
// names the place the build tree would have.
std::string ProgramFilePath(const std::string& programDir, const std::string& name);

} // namespace kalorina
