#include "document/TProjektOptions.h"

#include "document/CalcRecords.h"
#include "document/Record.h"
#include "document/RecordMembers.h"
#include "lang/TLanguages.h"

namespace kalorina {

namespace {
constexpr std::int16_t kValuesTag = 50;
constexpr std::int16_t kFittingTag = 51;
constexpr std::int16_t kEndTag = 52;
// The end tag stands alone, and a stream that ends where a block would begin ends
// the record.
constexpr RecordList kOptionsRecords{kEndTag, EndTagForm::kBare, StreamEnd::kEndsList};
} // namespace

TProjektOptions::TProjektOptions(std::string defaultValveName)
{
    valveType = std::move(defaultValveName);
    medium.mediumName = Languages().GetText("IDS_NORMALWATER");
    medium.forward = 38;
    medium.return_ = 33;
    SetBuildUp(FloorBuildUp{});
}

void TProjektOptions::SetBuildUp(const FloorBuildUp& b)
{
    buildUp = b;
    belowTemperature = b.belowTemperature;
    downK = static_cast<float>(b.DownK());
}

void TProjektOptions::WriteOptions(TMemoryStream& s) const
{
    RecordWriter w(s, kOptionsRecords);
    w.Write(kValuesTag, [&] { OptionsMembers(*this, MemberWriter(s)); });
    for (const auto& fitting : defaultFittings)
        w.Write(kFittingTag, [&] { WriteResist(s, fitting); });
    w.End();
}

void TProjektOptions::ReadOptions(TMemoryStream& s, int version)
{
    CheckRecordVersion(version);
    ReadRecords(s, kOptionsRecords,
                {
                    {kValuesTag, [&] { OptionsMembers(*this, MemberReader(s)); }},
                    {kFittingTag, [&] { ReadResist(s, defaultFittings.emplace_back()); }},
                });
}

} // namespace kalorina
