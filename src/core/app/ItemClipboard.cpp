#include "app/ItemClipboard.h"

#include "document/RecordMembers.h"
#include "document/TProject.h"
#include "lang/TLanguages.h"
#include "materials/TClipboardStream.h"
#include "platform/Clipboard.h"
#include "util/Error.h"

namespace kalorina {

namespace {
constexpr std::int16_t kEndRecord = 0x01FF;

// The records of the item must run up to its end record inside the data, each body
// within its stated length, before a single field is believed.
bool WellFormed(const std::string& data, std::size_t start)
{
    std::size_t pos = start;
    while (pos + 4 <= data.size()) {
        auto tag = static_cast<std::int16_t>(static_cast<unsigned char>(data[pos])
                                             | static_cast<unsigned char>(data[pos + 1]) << 8);
        std::size_t length = static_cast<unsigned char>(data[pos + 2]) | static_cast<unsigned char>(data[pos + 3]) << 8;
        pos += 4;
        if (tag == kEndRecord)
            return true;
        if (pos + length > data.size())
            return false;
        pos += length;
    }
    return false;
}

// A room with what it keeps beside its record, as a project of that one room.
constexpr std::int16_t kRoomWithExtras = 3;

[[noreturn]] void Refuse()
{
    std::string text = Txt("IDS_BADCLIPBOARDITEM");
    throw KalorinaError(text.empty() ? "The clipboard holds a damaged item; nothing was pasted." : text);
}
} // namespace

bool CopyItemToClipboard(const TProject& project, const std::string& name, bool isRoom, ClipboardService& clipboard)
{
    int index = project.FindItem(name, isRoom);
    if (index < 0)
        return false;
    TClipboardStream stream;
    const TRoomItem* room = isRoom ? &project.rooms[index] : nullptr;
    if (room && (room->supplementaryHeatAllowed || room->buildUp || room->heatLoad)) {
        // What a room keeps beside its record (its own build-up, the supplementary
        // heat it allows, its building) travels in a project of that one room, so
        // that a paste keeps all of it.
        TProject one;
        one.options = project.options;
        one.heatLoad = project.heatLoad;
        one.rooms = {*room};
        one.nextRoomId = room->roomId + 1;
        stream.itemData.WriteInt16(kRoomWithExtras);
        one.WriteToStream(stream.itemData);
    } else {
        stream.itemData.WriteInt16(isRoom ? 0 : 1);
        if (isRoom)
            project.rooms[index].WriteToStream(stream.itemData);
        else
            project.rounds[index].WriteToStream(stream.itemData);
    }
    stream.PutOnClipboard(clipboard, ItemFormatName());
    return true;
}

bool CopyManifoldToClipboard(const TProject& project, const std::string& name, ClipboardService& clipboard)
{
    const int index = project.FindManifold(name);
    if (index < 0)
        return false;
    TClipboardStream stream;
    stream.itemData.WriteInt16(2);
    ManifoldMembers(project.manifolds[index], MemberWriter(stream.itemData));
    const std::vector<int> rounds = project.ManifoldRounds(index);
    stream.itemData.WriteInt16(static_cast<std::int16_t>(rounds.size()));
    for (int r : rounds)
        project.rounds[r].WriteToStream(stream.itemData);
    stream.PutOnClipboard(clipboard, ItemFormatName());
    return true;
}

namespace {
// Reads a manifold and its circuits; nothing reaches the project before the whole
// item has been read.
PasteResult PasteManifold(TProject& project, TMemoryStream& data)
{
    TManifold manifold;
    ManifoldMembers(manifold, MemberReader(data));
    const std::int16_t count = data.ReadInt16();
    if (count < 0)
        Refuse();
    std::vector<TRoundItem> rounds;
    for (int i = 0; i < count; ++i) {
        if (!WellFormed(data.Data(), data.Position()))
            Refuse();
        TRoundItem round;
        round.ReadFromStream(data, TProject::kFileVersion);
        rounds.push_back(std::move(round));
    }
    manifold.name = project.UniqueManifoldName(manifold.name);
    project.manifolds.push_back(manifold);
    const int index = static_cast<int>(project.manifolds.size()) - 1;
    for (TRoundItem& round : rounds) {
        round.roundName = project.UniqueRoundName(round.roundName);
        round.manifold = index;
        project.rounds.push_back(std::move(round));
    }
    PasteResult result;
    result.pasted = result.isManifold = true;
    result.name = manifold.name;
    return result;
}
} // namespace

PasteResult PasteItemFromClipboard(TProject& project, const ClipboardService& clipboard, int manifold)
{
    PasteResult result;
    TClipboardStream stream;
    // The format with no bytes at all is a damaged item too, not an empty clipboard:
    // the paste the user asked for must not just do nothing.
    if (clipboard.HasFormat(ItemFormatName()) && !stream.GetFromClipboard(clipboard, ItemFormatName()))
        Refuse();
    if (stream.itemData.Size() > 0) {
        const std::string& data = stream.itemData.Data();
        if (data.size() < 2)
            Refuse();
        std::int16_t kind = stream.itemData.ReadInt16();
        if (kind != 0 && kind != 1 && kind != 2 && kind != kRoomWithExtras)
            Refuse();
        // A manifold's circuits are checked one by one as they are reached; a room
        // with its extras is read as the project it travels in.
        if (kind != 2 && kind != kRoomWithExtras && !WellFormed(data, 2))
            Refuse();
        try {
            if (kind == kRoomWithExtras) {
                TProject one;
                one.ReadFromStream(stream.itemData);
                if (one.rooms.size() != 1)
                    Refuse();
                TRoomItem room = std::move(one.rooms[0]);
                room.roomName = project.UniqueRoomName(room.roomName);
                room.roomId = project.nextRoomId++;
                result = {true, true, false, room.roomName};
                project.rooms.push_back(std::move(room));
            } else if (kind == 2) {
                result = PasteManifold(project, stream.itemData);
            } else if (kind == 0) {
                TRoomItem room;
                room.ReadFromStream(stream.itemData, TProject::kFileVersion);
                room.roomName = project.UniqueRoomName(room.roomName);
                room.roomId = project.nextRoomId++;
                result = {true, true, false, room.roomName};
                project.rooms.push_back(std::move(room));
            } else {
                TRoundItem round;
                round.ReadFromStream(stream.itemData, TProject::kFileVersion);
                round.roundName = project.UniqueRoundName(round.roundName);
                round.manifold = manifold >= 0 && std::size_t(manifold) < project.manifolds.size() ? manifold : 0;
                result = {true, false, false, round.roundName};
                project.rounds.push_back(std::move(round));
            }
        } catch (const KalorinaError&) {
            Refuse();
        }
        project.modified = true;
    }
    project.RecountAssignedSurfaces();
    return result;
}

} // namespace kalorina
