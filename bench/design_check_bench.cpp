// The design check on a large project: 1,000 rooms with 3,000 fields and 300
// circuits of ten fields each, recalculated once; the check runs after every change,
// so it must stay far below what a person notices.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "app/ProjectRecalc.h"
#include "catalogue/DeviceKind.h"
#include "catalogue/FloorHeatDBItem.h"
#include "catalogue/TDevices.h"
#include "check/DesignCheck.h"
#include "document/TProject.h"
#include "util/Codepage.h"

namespace {

using namespace kalorina;

const TDevices& Shipped()
{
    static TDevices devices((std::filesystem::path(__FILE__).parent_path().parent_path() / "data").string(), "hu");
    return devices;
}

TProject Generate()
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
    RecalculateProject(p, Shipped(), false);
    return p;
}

const TProject& Recalculated()
{
    static const TProject project = Generate();
    return project;
}

// The check alone, as the main window runs it on the project it holds.
void BM_CheckDesign(benchmark::State& state)
{
    const TProject& p = Recalculated();
    for (auto _ : state) {
        auto problems = CheckDesign(p, Shipped());
        benchmark::DoNotOptimize(problems.data());
        state.counters["problems"] = static_cast<double>(problems.size());
    }
}
BENCHMARK(BM_CheckDesign)->Unit(benchmark::kMillisecond);

// What `kalorina-cli check` does after reading: a copy recalculated, then checked.
void BM_RecalcCopyAndCheck(benchmark::State& state)
{
    const TProject& original = Recalculated();
    for (auto _ : state) {
        TProject p = original;
        RecalculateProject(p, Shipped(), false);
        auto problems = CheckDesign(p, Shipped(), &original);
        benchmark::DoNotOptimize(problems.data());
    }
}
BENCHMARK(BM_RecalcCopyAndCheck)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
