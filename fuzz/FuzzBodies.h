#pragma once
// What each fuzz target does with one input.  The libFuzzer targets and the corpus
// replay of the unit tests call the same functions, so a corpus file is replayed
// exactly as the fuzzer ran it.
//
// A body returns normally when the input was handled (read or refused with a
// KalorinaError).  A broken invariant calls InvariantBroken: by default it prints
// what broke and aborts, which the fuzzer reports as a finding; the replay test
// makes it throw InvariantFailure instead.  Any other exception leaves the body.
#include <cstddef>
#include <cstdint>
#include <string>

namespace kalorina::fuzz {

// Not a std::exception, so that no catch inside the code under test swallows it.
struct InvariantFailure {
    std::string what;
};

// false (the default): abort; true: throw InvariantFailure.
void ThrowOnBrokenInvariant(bool enable);
[[noreturn]] void InvariantBroken(const char* what);

// A project file: read, then what kalorina-cli does with it (show, write and read
// back, recalculate with and without apply, the bill and its export files).
void ProjectFile(const std::uint8_t* data, std::size_t size);
// A project file through the design check and the automatic design: what comes out
// is finite, a stored value outside what a building can need is named by the check
// as an error, and a design from plausible values keeps its manifold's limit.
void DesignAndCheck(const std::uint8_t* data, std::size_t size);
// A clipboard item pasted into an example project and into an empty one.
void ClipboardItem(const std::uint8_t* data, std::size_t size);
// RTF band text: the first byte chooses the report font size and the resolution.
void RtfText(const std::uint8_t* data, std::size_t size);
// A language file: the first byte's lowest bit chooses a plain .xml (1) or a
// packed .xmz (0) file; the rest is the file.
void LanguageFile(const std::uint8_t* data, std::size_t size);
// A settings file (registry export text) and every typed reader of its values.
void SettingsFile(const std::uint8_t* data, std::size_t size);

// A catalogue of one file (and a half of it to include): the first byte chooses the
// catalogue language.
void CatalogueFile(const std::uint8_t* data, std::size_t size);
// A column format text, also taken as a stored order and layout value.
void ColumnFormat(const std::uint8_t* data, std::size_t size);
// Bytes through the LZW decoder (tolerant and strict) and an encode/decode trip.
void LzwData(const std::uint8_t* data, std::size_t size);
// An XML text scanned to the end: the first byte chooses the buffer and the mode.
void XmlText(const std::uint8_t* data, std::size_t size);

} // namespace kalorina::fuzz
