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
// disk, then renamed over it.  Every file the program writes goes so.  A path that
// is a symbolic link writes the file it points to; a file without write permission
// is not replaced.  Raises a KalorinaError naming `path`.
void WriteFileAtomically(const std::string& path, const std::string& bytes);
// The same for a writer that needs a file name of its own (the PDF writer, an
// image): an empty temporary file beside `path`, to be written, then either put in
// place of `path` (flushed to the disk first) or discarded.
std::string TemporaryFileBeside(const std::string& path);
void CommitTemporaryFile(const std::string& temp, const std::string& path);
void DiscardTemporaryFile(const std::string& temp);

} // namespace kalorina
