#pragma once
// Reading and writing project files.  Saving goes through a temporary file in the
// same folder that replaces the old file only once it is complete, so a failed save
// can never destroy the previous version.
#include <string>

#include "document/TProject.h"

namespace kalorina {

// Raises a KalorinaError with the reason (the file's own failure or the reader's).
void ReadProjectFile(const std::string& path, TProject& project);
void WriteProjectFile(const std::string& path, const TProject& project);

} // namespace kalorina
