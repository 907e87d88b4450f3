#include "document/TRoundItem.h"

#include "document/StreamEncoding.h"

namespace kalorina {

namespace {
constexpr std::int16_t kBasicTag = 0x0101;
} // namespace

void TRoundItem::WriteToStream(TMemoryStream& s) const
{
    auto mark = BeginRecord(s, kBasicTag);
    WriteStreamString(s, roundName);
    s.WriteFloat(totalArea);
    s.WriteInt16(connectionFlags);
    EndRecord(s, mark);
    s.Write(storedTail.data(), storedTail.size());
}

void TRoundItem::ReadFromStream(TMemoryStream& s, int version, std::size_t length)
{
    if (version != 256)
        return;
    std::size_t end = s.Position() + length;
    if (end > s.Size())
        throw StreamEndError();
    // The basic data come first; what follows is kept as it stands.
    std::size_t start = s.Position();
    if (length >= 4) {
        std::int16_t tag = s.ReadInt16();
        auto len = static_cast<std::uint16_t>(s.ReadInt16());
        if (tag == kBasicTag) {
            ReadStreamString(s, roundName);
            totalArea = s.ReadFloat();
            connectionFlags = s.ReadInt16();
            if (s.Position() > end)
                throw StreamEndError();
        } else {
            s.Seek(start);
            (void)len;
        }
    }
    storedTail.assign(s.Data(), s.Position(), end - s.Position());
    s.Seek(end);
}

} // namespace kalorina
