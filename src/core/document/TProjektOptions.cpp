#include "document/TProjektOptions.h"

#include "document/StreamEncoding.h"
#include "lang/TLanguages.h"

namespace kalorina {

namespace {
constexpr std::int16_t kValuesTag = 50;
constexpr std::int16_t kFittingTag = 51;
constexpr std::int16_t kEndTag = 52;
} // namespace

TProjektOptions::TProjektOptions(std::string defaultValveName) : valveType(std::move(defaultValveName))
{
    medium.mediumName = Languages().GetText("IDS_NORMALWATER");
    medium.forward = 38;
    medium.return_ = 33;
}

void TProjektOptions::WriteOptions(TMemoryStream& s) const
{
    auto mark = BeginRecord(s, kValuesTag);
    s.WriteFloat(roomTemperature);
    s.WriteFloat(belowTemperature);
    s.WriteFloat(downK);
    s.WriteFloat(medium.forward);
    s.WriteFloat(medium.return_);
    WriteStreamString(s, medium.mediumName);
    s.WriteFloat(medium.density);
    s.WriteFloat(medium.viscosity);
    s.WriteFloat(medium.specificHeat);
    WriteStreamString(s, valveType);
    s.WriteFloat(availablePressure);
    EndRecord(s, mark);
    for (const auto& fitting : defaultFittings) {
        auto m = BeginRecord(s, kFittingTag);
        fitting.Write(s);
        EndRecord(s, m);
    }
    s.WriteInt16(kEndTag);
}

bool TProjektOptions::ReadOptions(TMemoryStream& s, int version)
{
    if (version != 256)
        return false;
    while (!s.AtEnd()) {
        std::int16_t tag = s.ReadInt16();
        if (tag == kEndTag)
            return true;
        auto length = static_cast<std::uint16_t>(s.ReadInt16());
        if (tag == kValuesTag) {
            roomTemperature = s.ReadFloat();
            belowTemperature = s.ReadFloat();
            downK = s.ReadFloat();
            medium.forward = s.ReadFloat();
            medium.return_ = s.ReadFloat();
            ReadStreamString(s, medium.mediumName);
            medium.density = s.ReadFloat();
            medium.viscosity = s.ReadFloat();
            medium.specificHeat = s.ReadFloat();
            ReadStreamString(s, valveType);
            availablePressure = s.ReadFloat();
        } else if (tag == kFittingTag) {
            defaultFittings.emplace_back().Read(s);
        } else {
            // Blocks of other kinds are never written; skipping them by their
            // length keeps the next tag in step.
            s.Skip(length);
        }
    }
    return true;
}

} // namespace kalorina
