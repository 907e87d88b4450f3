#include "document/CalcRecords.h"

#include "document/Record.h"
#include "document/RecordMembers.h"

namespace kalorina {

namespace {
constexpr std::int16_t kHydraulicEnd = 100;
constexpr std::int16_t kHydraulicValues = 101;
constexpr std::int16_t kHydraulicFitting = 102;
// A stream that ends where a record would begin ends the hydraulic data.
constexpr RecordList kHydraulicRecords{kHydraulicEnd, EndTagForm::kWithLength, StreamEnd::kEndsList};
} // namespace

void WriteField(TMemoryStream& s, const FloorHeatingField& field)
{
    FieldMembers(field, MemberWriter(s));
}

void ReadField(TMemoryStream& s, FloorHeatingField& field)
{
    FieldMembers(field, MemberReader(s));
}

void WriteResist(TMemoryStream& s, const TResist& resist)
{
    ResistMembers(resist, MemberWriter(s));
}

void ReadResist(TMemoryStream& s, TResist& resist)
{
    ResistMembers(resist, MemberReader(s));
    // The fitting dialog takes 1 to 32,767 pieces.
    if (resist.count < 1)
        throw ImpossibleValue("count = " + std::to_string(resist.count));
}

void WriteHydraulic(TMemoryStream& s, const THydraulic& h)
{
    RecordWriter w(s, kHydraulicRecords);
    w.Write(kHydraulicValues, [&] { HydraulicMembers(h, MemberWriter(s)); });
    for (const auto& fitting : h.fittings)
        w.Write(kHydraulicFitting, [&] { WriteResist(s, fitting); });
    w.End();
}

void ReadHydraulic(TMemoryStream& s, THydraulic& h, int version)
{
    CheckRecordVersion(version);
    h.fittings.clear();
    ReadRecords(s, kHydraulicRecords,
                {
                    {kHydraulicValues, [&] { HydraulicMembers(h, MemberReader(s)); }},
                    {kHydraulicFitting, [&] { ReadResist(s, h.fittings.emplace_back()); }},
                });
}

} // namespace kalorina
