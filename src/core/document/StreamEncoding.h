#pragma once
// The encoding every stored record uses: counted zero-terminated strings, line
// lists as one CR LF text, and tagged records whose length is patched afterwards.
#include <string>
#include <vector>

#include "document/Stream.h"

namespace kalorina {

using TStringList = std::vector<std::string>;

TMemoryStream& WriteStreamString(TMemoryStream& s, const std::string& text);
TMemoryStream& ReadStreamString(TMemoryStream& s, std::string& text);
std::string ReadStreamString(TMemoryStream& s);

TMemoryStream& WriteStreamLines(TMemoryStream& s, const TStringList& lines);
TMemoryStream& ReadStreamLines(TMemoryStream& s, TStringList& lines);

// Lines joined with CR LF after each line, and split again at CR, LF or CR LF.
std::string JoinLines(const TStringList& lines);
TStringList SplitLines(const std::string& text);

// A record under construction: BeginRecord writes the tag and a length placeholder,
// EndRecord patches the number of body bytes written since.
struct RecordMark {
    std::size_t lengthAt = 0;
};
RecordMark BeginRecord(TMemoryStream& s, std::int16_t tag);
TMemoryStream& EndRecord(TMemoryStream& s, RecordMark mark);

// The longest text a stream string can carry.
constexpr std::size_t kMaxStreamStringLength = 32766;

} // namespace kalorina
