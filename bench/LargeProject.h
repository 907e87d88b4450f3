#pragma once
// The benchmarks' large project: 1,000 rooms with 3,000 fields on the shipped
// catalogue and 300 circuits of ten fields each, as the program would store it.
#include <filesystem>
#include <string>

#include "catalogue/DeviceKind.h"
#include "catalogue/FloorHeatDBItem.h"
#include "catalogue/TDevices.h"
#include "document/TProject.h"
#include "util/Codepage.h"

namespace kalorina::bench {

inline const TDevices& Shipped()
{
    static TDevices devices((std::filesystem::path(__FILE__).parent_path().parent_path() / "data").string(), "hu");
    return devices;
}

inline TProject Generate()
{
    const TDevices& d = Shipped();
    const auto& system = *d.Find<FloorHeatDBItem>(kFloorHeatingKind, Utf8ToCp1250("Vexalon FH-W16"));
    const std::string covering = Utf8ToCp1250("R 0.05 kerámia/tiles");
    TProject p({{}, "", d.DefaultValveName()});
    p.options.medium.mediumName = Utf8ToCp1250("H2O (IAPWS) 0-100 °C");
    p.options.medium.forward = 40;
    p.options.medium.return_ = 34;
    for (int r = 0; r < 1000; ++r) {
        p.AddNewRoom();
        TRoomItem& room = p.rooms.back();
        room.floorArea = 12 + r % 7;
        room.heatDemand = 600 + 10 * (r % 30);
        FieldDesignInput in{40, 34, 20, room.heatDemand, 3, 10, 0.3};
        for (int f = 0; f < 3; ++f)
            room.fields.emplace_back(40, 34).SetUp(system, covering, 0.05, 100 + 50 * (f % 3), 0, 3 + f, in,
                                                   room.nextFieldId++);
    }
    for (int c = 0; c < 300; ++c) {
        p.AddNewRound();
        TRoundItem& round = p.rounds.back();
        round.connectionFlags = static_cast<std::int16_t>(c % 2 ? TRoundItem::kSeries : 0);
        for (int k = 0; k < 10; ++k) {
            int field = c * 10 + k;
            const TRoomItem& room = p.rooms[field / 3];
            round.roundFields.emplace_back().AssignField(room.roomId, room.roomName, room.fields[field % 3]);
        }
    }
    p.RecountAssignedSurfaces();
    return p;
}

} // namespace kalorina::bench
