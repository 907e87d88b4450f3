#include "document/Record.h"

#include "document/VersionError.h"

namespace kalorina {

void CheckRecordVersion(int version)
{
    if (version != kRecordVersion)
        RaiseVersionError(version);
}

void RecordWriter::End()
{
    s_.WriteInt16(list_.endTag);
    if (list_.endForm == EndTagForm::kWithLength)
        s_.WriteInt16(0);
}

void ReadRecords(TMemoryStream& s, const RecordList& list, std::initializer_list<RecordReading> readings)
{
    while (!(list.streamEnd == StreamEnd::kEndsList && s.AtEnd())) {
        std::int16_t tag = s.ReadInt16();
        if (tag == list.endTag && list.endForm == EndTagForm::kBare)
            return;
        auto length = static_cast<std::uint16_t>(s.ReadInt16());
        if (tag == list.endTag)
            return;
        const RecordReading* reading = nullptr;
        for (const auto& r : readings)
            if (r.tag == tag) {
                reading = &r;
                break;
            }
        if (reading)
            reading->read();
        else
            s.Skip(length);
    }
}

} // namespace kalorina
