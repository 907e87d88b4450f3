#include "document/TRoomItem.h"

#include <algorithm>

#include "document/CalcRecords.h"
#include "document/ImpossibleValue.h"
#include "document/Record.h"
#include "document/RecordMembers.h"

namespace kalorina {

namespace {
constexpr std::int16_t kBasicTag = 0x0101;
constexpr std::int16_t kFieldTag = 0x0102;
constexpr std::int16_t kEndTag = 0x01FF;
constexpr RecordList kRoomRecords{kEndTag, EndTagForm::kWithLength, StreamEnd::kFails};

// Parts of an area smaller than this are rounding noise, not a field of their own.
constexpr double kSplitTolerance = 0.0001;
} // namespace

void TRoomItem::WriteToStream(TMemoryStream& s) const
{
    RecordWriter w(s, kRoomRecords);
    w.Write(kBasicTag, [&] { RoomMembers(*this, MemberWriter(s)); });
    for (const auto& field : fields)
        w.Write(kFieldTag, [&] { WriteField(s, field); });
    w.End();
}

void TRoomItem::ReadFromStream(TMemoryStream& s, int version)
{
    CheckRecordVersion(version);
    ReadNamedRecord("IDS_DAMAGEDROOM", &roomName, [&] {
        ReadRecords(s, kRoomRecords,
                    {
                        {kBasicTag, [&] { RoomMembers(*this, MemberReader(s)); }},
                        {kFieldTag,
                         [&] {
                             FloorHeatingField field;
                             ReadField(s, field);
                             // Circuits find a field by its identifier: two alike are damage.
                             for (const auto& other : fields)
                                 if (other.fieldId == field.fieldId)
                                     throw ImpossibleValue("fieldId = " + std::to_string(field.fieldId) + " (twice)");
                             if (field.fieldId + 1 > nextFieldId)
                                 nextFieldId = field.fieldId + 1;
                             fields.push_back(std::move(field));
                         }},
                    });
    });
}

float TRoomItem::FieldPowerSum() const
{
    float sum = 0;
    for (const auto& f : fields)
        sum += f.power;
    return sum;
}

bool TRoomItem::AllowsSupplementaryHeat() const
{
    if (supplementaryHeatAllowed)
        return true;
    if (fields.empty())
        return false;
    for (const auto& f : fields)
        if (f.zoneType != kBathroomZone)
            return false;
    return true;
}

double TRoomItem::SupplementaryHeat() const
{
    if (!AllowsSupplementaryHeat())
        return 0;
    return std::max(0.0, double(heatDemand) - double(FieldPowerSum()));
}

float TRoomItem::FieldAreaSum() const
{
    float sum = 0;
    for (const auto& f : fields)
        sum += f.area;
    return sum;
}

float TRoomItem::FieldDownPowerSum() const
{
    float sum = 0;
    for (const auto& f : fields)
        sum += f.downPower;
    return sum;
}

float TRoomItem::AssignedAreaSum() const
{
    float sum = 0;
    for (const auto& f : fields)
        sum += f.assignedArea;
    return sum;
}

// In the two sums below only the running total is a single; each field's term
// enters it at full precision.

float TRoomItem::UnassignedArea() const
{
    float sum = 0;
    for (const auto& f : fields)
        sum = static_cast<float>(double(sum) + f.LeftoverArea());
    return sum;
}

float TRoomItem::EstimatedTubeLength() const
{
    float sum = 0;
    for (const auto& f : fields)
        if (f.spacing != 0)
            sum = static_cast<float>(double(sum) + double(f.area) * 1000 / f.spacing);
    return sum;
}

bool TRoomItem::HasUnassignedArea() const
{
    for (const auto& f : fields)
        if (f.LeftoverArea() > 0)
            return true;
    return false;
}

void TRoomItem::ResetAssignedAreas()
{
    for (auto& f : fields)
        f.assignedArea = 0;
}

int TRoomItem::AddAssignedArea(int fieldId, float area)
{
    FloorHeatingField* field = FindField(fieldId);
    if (!field)
        return 2;
    field->assignedArea += area;
    return 0;
}

FloorHeatingField* TRoomItem::FindField(int fieldId)
{
    for (auto& f : fields)
        if (f.fieldId == fieldId)
            return &f;
    return nullptr;
}

const FloorHeatingField* TRoomItem::FindField(int fieldId) const
{
    return const_cast<TRoomItem*>(this)->FindField(fieldId);
}

int TRoomItem::SplitField(const TDevices& devices, int fieldId, float part)
{
    FloorHeatingField* field = FindField(fieldId);
    if (!field || !(double(field->area) - part > kSplitTolerance))
        return fieldId;
    FloorHeatingField copy = *field;
    field->area -= part;
    copy.area = part;
    copy.fieldId = static_cast<std::int16_t>(nextFieldId++);
    fields.push_back(copy);
    RecomputeFields(devices);
    return copy.fieldId;
}

bool TRoomItem::SetFieldTemperatures(const TDevices& devices, int fieldId, float forward, float ret)
{
    FloorHeatingField* field = FindField(fieldId);
    if (!field)
        return false;
    field->forward = forward;
    field->return_ = ret;
    RecomputeFields(devices);
    return true;
}

void TRoomItem::RecomputeFields(const TDevices& devices)
{
    for (auto& f : fields)
        f.Recompute(devices, roomTemperature);
}

std::string TRoomItem::CellText(int column, const CellNumberFormat& format) const
{
    switch (column) {
    case 0:
        return roomName;
    case 1:
        return roomFunction;
    case 2:
        return format(floorArea);
    case 3:
        return format(roomTemperature);
    case 4:
        return format(heatDemand);
    case 5:
        return format(FieldPowerSum());
    case 6:
        return format(FieldAreaSum());
    case 7:
        return format(double(heatDemand) - FieldPowerSum());
    default:
        return {};
    }
}

} // namespace kalorina
