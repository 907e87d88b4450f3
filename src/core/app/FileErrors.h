#pragma once
// The one way file failures reach the user: the language's text of what failed
// ("IDS_CANNOTOPENFILE", "IDS_CANNOTWRITEFILE", ...) with the path and the reason.
#include <string>

namespace kalorina {

// Not an errno: the file has no write permission, which the program respects even
// where the system would let it write (as root).
inline constexpr int kWriteProtected = -1;

// Raises a KalorinaError; `path` is the system's (UTF-8) name, `err` the errno.
[[noreturn]] void RaiseFileError(const char* textId, const std::string& path, int err);

} // namespace kalorina
