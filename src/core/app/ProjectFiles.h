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
// Writes `bytes` to `path` the same way: a temporary file beside it, flushed to the
// disk, then renamed over it.  Raises a KalorinaError naming `path`.
void WriteFileAtomically(const std::string& path, const std::string& bytes);

} // namespace kalorina
