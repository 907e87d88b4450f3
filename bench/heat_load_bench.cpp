// The heat load of the large project: 1,000 rooms with 8 elements each (walls,
// a window, a door, roof, floor over a cellar, a wall to a warmer room), the loads
// computed and applied as the rooms' heat losses, and the project recalculated
// after them, as a change of the outdoor temperature does.
#include <benchmark/benchmark.h>

#include "LargeProject.h"

#include "app/ProjectRecalc.h"
#include "building/HeatLoad.h"
#include "document/TProject.h"

namespace {

using namespace kalorina;
using kalorina::bench::Generate;
using kalorina::bench::Shipped;

TProject WithBuilding()
{
    TProject p = Generate();
    p.heatLoad.constructions.push_back({"Wall", true, 0, {{"brick", 0.3f, 0.6f}, {"EPS", 0.15f, 0.04f}}});
    for (TRoomItem& room : p.rooms) {
        RoomHeatLoad data;
        auto add = [&](const char* name, ElementType type, float area, float u, Boundary b) -> HeatElement& {
            HeatElement e;
            e.name = name;
            e.type = type;
            e.area = area;
            e.u = u;
            e.boundary = b;
            data.elements.push_back(e);
            return data.elements.back();
        };
        add("north wall", ElementType::Wall, 9, 0.24f, Boundary::Outside).construction = "Wall";
        add("east wall", ElementType::Wall, 7, 0.24f, Boundary::Outside).construction = "Wall";
        add("window", ElementType::Window, 2.5f, 1.1f, Boundary::Outside);
        add("door", ElementType::Door, 2, 1.4f, Boundary::Outside);
        add("roof", ElementType::Roof, room.floorArea, 0.17f, Boundary::Outside);
        add("floor", ElementType::Floor, room.floorArea, 0.3f, Boundary::Unheated).temperature = 10;
        add("ground", ElementType::Floor, 1, 0.3f, Boundary::Ground);
        add("to the bath", ElementType::Wall, 6, 1.5f, Boundary::Heated).temperature = 24;
        room.heatLoad = data;
    }
    return p;
}

void BM_HeatLoadAndApply(benchmark::State& state)
{
    const TProject original = WithBuilding();
    for (auto _ : state) {
        state.PauseTiming();
        TProject p = original;
        p.heatLoad.outdoorTemperature -= 1;
        state.ResumeTiming();
        benchmark::DoNotOptimize(ApplyHeatLoads(p));
    }
}
BENCHMARK(BM_HeatLoadAndApply)->Unit(benchmark::kMillisecond);

void BM_HeatLoadThenRecalculation(benchmark::State& state)
{
    const TProject original = WithBuilding();
    for (auto _ : state) {
        state.PauseTiming();
        TProject p = original;
        p.heatLoad.outdoorTemperature -= 1;
        state.ResumeTiming();
        ApplyHeatLoads(p);
        RecalcOutcome outcome = RecalculateProject(p, Shipped(), true);
        benchmark::DoNotOptimize(outcome.recalculated.data());
    }
}
BENCHMARK(BM_HeatLoadThenRecalculation)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
