#pragma once
// Whole-file reads and writes for the commands that work on files as bytes.
#include <string>
#include <string_view>

namespace kalorina::cli {

// False when the file cannot be opened or read.
bool ReadFileBytes(const std::string& path, std::string& bytes);
// False when the file cannot be written; an old file of the name is then as it was.
bool WriteFileBytes(const std::string& path, std::string_view bytes);

} // namespace kalorina::cli
