#include "document/TRoomItem.h"

#include "document/StreamEncoding.h"

namespace kalorina {

namespace {
constexpr std::int16_t kBasicTag = 0x0101;
constexpr std::int16_t kFieldTag = 0x0102;
constexpr std::int16_t kEndTag = 0x01FF;
} // namespace

void TRoomItem::WriteToStream(TMemoryStream& s) const
{
    auto mark = BeginRecord(s, kBasicTag);
    WriteStreamString(s, roomName);
    WriteStreamString(s, roomFunction);
    s.WriteFloat(floorArea);
    s.WriteFloat(roomTemperature);
    s.WriteFloat(heatDemand);
    s.WriteInt32(roomId);
    EndRecord(s, mark);
    for (const auto& field : fieldRecords) {
        auto m = BeginRecord(s, kFieldTag);
        s.Write(field.data(), field.size());
        EndRecord(s, m);
    }
    EndRecord(s, BeginRecord(s, kEndTag));
}

void TRoomItem::ReadFromStream(TMemoryStream& s, int version)
{
    if (version != 256)
        return;
    while (true) {
        std::int16_t tag = s.ReadInt16();
        auto length = static_cast<std::uint16_t>(s.ReadInt16());
        if (tag == kEndTag)
            return;
        if (tag == kBasicTag) {
            ReadStreamString(s, roomName);
            ReadStreamString(s, roomFunction);
            floorArea = s.ReadFloat();
            roomTemperature = s.ReadFloat();
            heatDemand = s.ReadFloat();
            roomId = s.ReadInt32();
        } else if (tag == kFieldTag) {
            fieldRecords.emplace_back(s.ReadBytes(length));
        } else {
            s.Skip(length);
        }
    }
}

} // namespace kalorina
