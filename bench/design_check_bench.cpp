// The design check on a large project: 1,000 rooms with 3,000 fields and 300
// circuits of ten fields each, recalculated once; the check runs after every change,
// so it must stay far below what a person notices.
#include <benchmark/benchmark.h>

#include "LargeProject.h"

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

using kalorina::bench::Shipped;

// The large project, recalculated as the main window has it.
TProject Generate()
{
    TProject p = kalorina::bench::Generate();
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
