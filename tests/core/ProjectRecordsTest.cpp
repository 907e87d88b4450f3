#include <gtest/gtest.h>

#include <functional>

#include "CalcTestSupport.h"
#include "ProjectTestSupport.h"
#include "TestLanguage.h"
#include "catalogue/DeviceKind.h"
#include "catalogue/FloorHeatDBItem.h"
#include "document/CalcRecords.h"
#include "document/TProject.h"
#include "util/Error.h"

using namespace kalorina;

namespace {
using test::Bytes;
using test::Le16;
using test::Read;

// A designed project: two rooms with fields, two circuits with fittings.
TProject Designed()
{
    const TDevices& d = test::CalcCatalogue();
    const auto& system = *d.Find<FloorHeatDBItem>(kFloorHeatingKind, "FH");
    TProject p({{}, "", "V1"});
    TResist elbow;
    elbow.SelectItem(d, "Elbow");
    elbow.count = 4;
    p.options.defaultFittings = {elbow, elbow, elbow};
    p.options.defaultFittings[2].resistName = "Ball";
    FieldDesignInput input{38, 33, 20, 0, 0, 5, 0.3};
    for (int r = 0; r < 2; ++r) {
        p.AddNewRoom();
        TRoomItem& room = p.rooms[r];
        room.heatDemand = 1100;
        room.fields.emplace_back().SetUp(system, "Tile", 0.01, 150, 0, 14, input, 0);
        room.fields.emplace_back().SetUp(system, "Tile", 0.01, 100, 1, 2.5, input, 1);
        room.nextFieldId = 2;
    }
    for (int c = 0; c < 2; ++c) {
        p.AddNewRound();
        TRoundItem& round = p.rounds[c];
        round.connectionFlags = static_cast<std::int16_t>(c == 0 ? TRoundItem::kSeries : 0);
        for (int f = 0; f < 2; ++f) {
            FloorHeatingRoundField part;
            part.AssignField(p.rooms[c].roomId, p.rooms[c].roomName, p.rooms[c].fields[f]);
            round.roundFields.push_back(part);
        }
        round.RefreshRoomNames(p);
        round.ApplyToFields(p, d);
    }
    p.RecountAssignedSurfaces();
    return p;
}
} // namespace

TEST(ProjectRecords, DesignedProjectRoundTripsByteForByte)
{
    test::ScopedLanguage lang;
    TProject p = Designed();
    ASSERT_EQ(p.rounds[0].hydraulic.fittings.size(), 3u);
    EXPECT_GT(p.rounds[0].hydraulic.power, 0);
    std::string b = Bytes(p);
    TProject back = Read(b);
    EXPECT_TRUE(back.SameContent(p));
    EXPECT_EQ(Bytes(back), b);
    EXPECT_EQ(back.rooms[0].nextFieldId, p.rooms[0].nextFieldId);

    // Every cut inside the records is refused.
    for (std::size_t n = 0; n < b.size(); ++n)
        EXPECT_THROW(Read(b.substr(0, n)), KalorinaError) << "length " << n;
}

TEST(ProjectRecords, CircuitRecordLayoutAndUnknownTags)
{
    test::ScopedLanguage lang;
    TProject p = Designed();
    TMemoryStream s;
    p.rounds[1].WriteToStream(s);
    std::string b = s.Data();
    // The hydraulic record: tag 0x0103, a length of 0, then block 101 directly.
    std::size_t at = b.find(Le16(0x0103) + Le16(0) + Le16(101));
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(b.substr(b.size() - 4), Le16(0x01FF) + Le16(0));

    // Unknown records in the circuit and blocks in its hydraulics are skipped.
    std::string patched = b.substr(0, at) + Le16(0x0150) + Le16(3) + "abc" + b.substr(at, 4) + Le16(120) + Le16(2)
        + "zz" + b.substr(at + 4);
    TMemoryStream in(patched);
    TRoundItem back;
    back.ReadFromStream(in, 256);
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(back, p.rounds[1]);
}

TEST(ProjectRecords, OptionsBlocksAndVersion)
{
    test::ScopedLanguage lang;
    TProjektOptions o = Designed().options;
    o.extraLength = 10;
    o.extraLengthMode = 0;
    o.valveType.clear();
    o.medium.mediumName.clear();
    TMemoryStream s;
    o.WriteOptions(s);
    const std::string& b = s.Data();
    // Values block: 9 floats and two empty names (count 1, zero byte).
    EXPECT_EQ(b.substr(0, 4), Le16(50) + Le16(9 * 4 + 2 * 3));
    EXPECT_EQ(b.substr(4 + 5 * 4, 3), Le16(1) + std::string(1, '\0'));
    std::size_t pos = 4 + 42, blocks = 0;
    while (b.substr(pos, 2) == Le16(51)) {
        pos += 4 + static_cast<unsigned char>(b[pos + 2]);
        ++blocks;
    }
    EXPECT_EQ(blocks, 3u);
    EXPECT_EQ(b.substr(pos), Le16(52));

    TProjektOptions fresh;
    TMemoryStream in(b);
    fresh.ReadOptions(in, 256);
    EXPECT_EQ(fresh.defaultFittings, o.defaultFittings);
    EXPECT_EQ(fresh.extraLength, 0); // not part of the record
    EXPECT_EQ(fresh.extraLengthMode, 1);

    TProjektOptions untouched;
    TMemoryStream other(b);
    EXPECT_THROW(untouched.ReadOptions(other, 255), KalorinaError);
    EXPECT_EQ(other.Position(), 0u);
    EXPECT_EQ(untouched, TProjektOptions());

    // An unknown block is skipped by its length.
    std::string withUnknown = Le16(60) + Le16(2) + "??" + b;
    TMemoryStream u(withUnknown);
    TProjektOptions skipped;
    skipped.ReadOptions(u, 256);
    EXPECT_EQ(skipped.defaultFittings.size(), 3u);
}

TEST(ProjectRecords, EveryRecordRefusesAnUnknownVersionAlike)
{
    // Rooms, circuits, options and hydraulics read on their own raise the version
    // error of the file, as the project does, and read nothing.
    test::ScopedLanguage lang;
    TProject p = Designed();
    TMemoryStream room, round, options, hydraulic;
    p.rooms[0].WriteToStream(room);
    p.rounds[0].WriteToStream(round);
    p.options.WriteOptions(options);
    WriteHydraulic(hydraulic, p.rounds[0].hydraulic);
    const std::function<void(TMemoryStream&)> readers[] = {
        [](TMemoryStream& s) { TRoomItem().ReadFromStream(s, 257); },
        [](TMemoryStream& s) { TRoundItem().ReadFromStream(s, 257); },
        [](TMemoryStream& s) { TProjektOptions().ReadOptions(s, 257); },
        [](TMemoryStream& s) {
            THydraulic h;
            ReadHydraulic(s, h, 257);
        },
    };
    TMemoryStream* streams[] = {&room, &round, &options, &hydraulic};
    for (int i = 0; i < 4; ++i) {
        streams[i]->Seek(0);
        try {
            readers[i](*streams[i]);
            ADD_FAILURE() << "record " << i << " read";
        } catch (const KalorinaError& e) {
            EXPECT_STREQ(e.what(), "Version 257 is not supported") << "record " << i;
        }
        EXPECT_EQ(streams[i]->Position(), 0u) << "record " << i;
    }
}

TEST(ProjectRecords, NewItemsTakeTheProjectOptions)
{
    test::ScopedLanguage lang;
    TProject p({{}, "", "V1"});
    p.options.roomTemperature = 22;
    p.options.extraLength = 5;
    p.options.medium.forward = 45;
    p.options.defaultFittings.resize(2);
    p.AddNewRoom();
    p.AddNewRound();
    EXPECT_EQ(p.rooms[0].roomTemperature, 22);
    EXPECT_EQ(p.rooms[0].nextFieldId, 0);
    const THydraulic& h = p.rounds[0].hydraulic;
    EXPECT_EQ(h.extraLength, 5);
    EXPECT_EQ(h.medium.forward, 45);
    EXPECT_EQ(h.valveName, "V1");
    EXPECT_EQ(h.fittings.size(), 2u);

    // A circuit read from a record without hydraulic data starts, like a new one,
    // from the options; only the fittings are not taken.
    p.options.availablePressure = 15000;
    p.rounds.clear();
    TMemoryStream r;
    auto basic = BeginRecord(r, 0x0101);
    WriteStreamString(r, "K1");
    r.WriteFloat(0);
    r.WriteInt16(0);
    EndRecord(r, basic);
    EndRecord(r, BeginRecord(r, 0x01FF));
    std::string b = Bytes(p);
    b = b.substr(0, b.size() - 2) + Le16(4) + Le16(int(r.Size())) + r.Data() + Le16(0x7FFF);
    TProject back = Read(b);
    ASSERT_EQ(back.rounds.size(), 1u);
    const THydraulic& read = back.rounds[0].hydraulic;
    EXPECT_EQ(read.availablePressure, 15000);
    EXPECT_EQ(read.medium.forward, 45);
    EXPECT_EQ(read.valveName, "V1");
    EXPECT_TRUE(read.fittings.empty());
}
