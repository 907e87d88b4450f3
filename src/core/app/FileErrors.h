#pragma once
// The one way file failures reach the user: the language's text of what failed
// ("IDS_CANNOTOPENFILE", "IDS_CANNOTWRITEFILE", ...) with the path and the reason.
#include <string>

namespace kalorina {

// Raises a KalorinaError; `path` is the system's (UTF-8) name, `err` the errno.
[[noreturn]] void RaiseFileError(const char* textId, const std::string& path, int err);

} // namespace kalorina
