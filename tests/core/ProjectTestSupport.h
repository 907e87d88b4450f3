#pragma once
// A project written to bytes and read back, for the file format tests.
#include <string>

#include "document/Stream.h"
#include "document/TProject.h"

namespace kalorina::test {

inline std::string Bytes(const TProject& p)
{
    TMemoryStream s;
    p.WriteToStream(s);
    return s.Data();
}

inline TProject Read(const std::string& bytes)
{
    TProject p;
    TMemoryStream s(bytes);
    p.ReadFromStream(s);
    return p;
}

// A signed 16-bit number as it stands in the file.
inline std::string Le16(int v)
{
    return {char(v & 0xFF), char((v >> 8) & 0xFF)};
}

} // namespace kalorina::test
