// Laying tubes on the plan: the villa's thirteen circuits on its two floors, and a
// floor of 150 m2 in twelve rooms of 12.5 m2, a circuit each at 150 mm spacing,
// the manifold in the first room and every room reached through doors; and one
// loop of each pattern.
#include <benchmark/benchmark.h>

#include "LargeProject.h"

#include "app/ProjectFiles.h"
#include "layout/Layout.h"
#include "layout/LoopPattern.h"

namespace {

using namespace kalorina;
using kalorina::bench::Shipped;

TProject Villa()
{
    TProject p;
    ReadProjectFile((std::filesystem::path(__FILE__).parent_path().parent_path() / "examples" / "villa.klp").string(),
                    p);
    return p;
}

TProject TwelveRooms()
{
    const TDevices& d = Shipped();
    const auto& system = *d.Find<FloorHeatDBItem>(kFloorHeatingKind, Utf8ToCp1250("Vexalon FH-W16"));
    TProject p({{}, "", d.DefaultValveName()});
    p.plan.floors.push_back({"F", 0});
    const double w = 15.0 / 4, h = 10.0 / 3;
    for (int i = 0; i < 12; ++i) {
        p.AddNewRoom();
        TRoomItem& room = p.rooms.back();
        room.floorArea = 12.5f;
        room.heatDemand = 700;
        FieldDesignInput in{40, 34, 20, room.heatDemand, 11.25, 10, 0.3};
        room.fields.emplace_back(40, 34).SetUp(system, Utf8ToCp1250("R 0.05 kerámia/tiles"), 0.05, 150, 0, 11.25, in,
                                               room.nextFieldId++);
        const double x = (i % 4) * w, y = (i / 4) * h;
        p.plan.outlines.push_back({room.roomId, 0, {{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}}});
        // A door to the room on the left and to the one below.
        if (i % 4 > 0)
            p.plan.doors.push_back({0, room.roomId - 1, room.roomId, {x, y + 1}, {x, y + 1.9}});
        if (i >= 4)
            p.plan.doors.push_back({0, room.roomId - 4, room.roomId, {x + 1, y}, {x + 1.9, y}});
        p.AddNewRound();
        FloorHeatingRoundField part;
        part.AssignField(room.roomId, room.roomName, room.fields[0]);
        p.rounds.back().roundFields.push_back(part);
    }
    p.plan.manifolds.push_back({0, 0, {0.5, 0.05}});
    p.RecountAssignedSurfaces();
    for (TRoundItem& r : p.rounds)
        r.Recalculate(p, d);
    return p;
}

void BM_LayVilla(benchmark::State& state)
{
    const TProject villa = Villa();
    for (auto _ : state) {
        TProject p = villa;
        benchmark::DoNotOptimize(LayCircuits(p, Shipped(), {}, true));
    }
}
BENCHMARK(BM_LayVilla)->Unit(benchmark::kMillisecond);

void BM_LayTwelveCircuits(benchmark::State& state)
{
    const TProject floor = TwelveRooms();
    for (auto _ : state) {
        TProject p = floor;
        const LayoutOutcome outcome = LayCircuits(p, Shipped(), {}, true);
        if (outcome.AnyFailed())
            state.SkipWithError(outcome.Warnings().front().c_str());
        benchmark::DoNotOptimize(outcome);
    }
}
BENCHMARK(BM_LayTwelveCircuits)->Unit(benchmark::kMillisecond);

// One loop in a room of 4 x 3 m at 100 mm, as each pattern.
void BM_LayOneLoop(benchmark::State& state)
{
    layout::LoopRequest r;
    r.room = r.region = {{0, 0}, {4, 0}, {4, 3}, {0, 3}};
    r.spacing = 0.10;
    r.pattern = state.range(0) ? layout::Pattern::Meander : layout::Pattern::Spiral;
    r.entry = {0, 1.5};
    for (auto _ : state)
        benchmark::DoNotOptimize(layout::LayLoop(r));
}
BENCHMARK(BM_LayOneLoop)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
