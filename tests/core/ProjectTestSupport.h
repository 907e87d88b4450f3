#pragma once
// A project written to bytes and read back, for the file format tests.
#include <string>
#include <utility>

#include "app/ProjectRecalc.h"
#include "app/ProjectSummary.h"
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

// The project as `kalorina-cli show` reads its file, and the same after `recalc`:
// equal when what is stored recalculates to itself.
inline std::pair<std::string, std::string> ShownAndRecalculated(const TProject& p, const TDevices& devices)
{
    TProject shown = Read(Bytes(p));
    shown.ComputeTotals();
    TProject recomputed = shown;
    RecalculateProject(recomputed, devices, false);
    return {ProjectJson(shown, RecalcOutcome(shown)), ProjectJson(recomputed, RecalcOutcome(recomputed))};
}

} // namespace kalorina::test
