#pragma once
// The failure of a record written by a version of the program this one does not know.
namespace kalorina {

// Raises a KalorinaError with the text of IDS_VERSIONERR filled with `version`.
[[noreturn]] void RaiseVersionError(int version);

} // namespace kalorina
