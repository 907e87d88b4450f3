// A large project: 1,000 rooms with 3,000 fields and 300 circuits of ten fields
// each, read from its file image, recomputed with the fields brought to the
// circuits' temperatures, and written again.
#include <benchmark/benchmark.h>

#include "LargeProject.h"

#include <filesystem>
#include <string>

#include "app/ProjectRecalc.h"
#include "catalogue/DeviceKind.h"
#include "catalogue/FloorHeatDBItem.h"
#include "catalogue/TDevices.h"
#include "document/TProject.h"
#include "history/History.h"
#include "util/Codepage.h"

namespace {

using namespace kalorina;
using kalorina::bench::Generate;
using kalorina::bench::Shipped;

const std::string& FileImage()
{
    static const std::string bytes = [] {
        TMemoryStream s;
        Generate().WriteToStream(s);
        return s.Data();
    }();
    return bytes;
}

void BM_ReadProject(benchmark::State& state)
{
    for (auto _ : state) {
        TProject p;
        TMemoryStream s(FileImage());
        p.ReadFromStream(s);
        benchmark::DoNotOptimize(p.rooms.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * FileImage().size()));
}
BENCHMARK(BM_ReadProject)->Unit(benchmark::kMillisecond);

void BM_RecalcWithApply(benchmark::State& state)
{
    TProject original;
    TMemoryStream s(FileImage());
    original.ReadFromStream(s);
    for (auto _ : state) {
        state.PauseTiming();
        TProject p = original;
        state.ResumeTiming();
        RecalcOutcome outcome = RecalculateProject(p, Shipped(), true);
        benchmark::DoNotOptimize(outcome.recalculated.data());
        int failed = 0;
        for (std::size_t i = 0; i < outcome.roundErrors.size(); ++i)
            failed += outcome.roundErrors[i] || outcome.recalculated[i] != std::optional<bool>(true);
        state.counters["failedCircuits"] = failed;
    }
}
BENCHMARK(BM_RecalcWithApply)->Unit(benchmark::kMillisecond);

void BM_WriteProject(benchmark::State& state)
{
    TProject p;
    TMemoryStream in(FileImage());
    p.ReadFromStream(in);
    RecalculateProject(p, Shipped(), true);
    for (auto _ : state) {
        TMemoryStream s;
        p.WriteToStream(s);
        benchmark::DoNotOptimize(s.Data().data());
    }
}
BENCHMARK(BM_WriteProject)->Unit(benchmark::kMillisecond);

void BM_ReadRecalcWrite(benchmark::State& state)
{
    for (auto _ : state) {
        TProject p;
        TMemoryStream in(FileImage());
        p.ReadFromStream(in);
        RecalculateProject(p, Shipped(), true);
        TMemoryStream out;
        p.WriteToStream(out);
        benchmark::DoNotOptimize(out.Data().data());
    }
}
BENCHMARK(BM_ReadRecalcWrite)->Unit(benchmark::kMillisecond);

// The history of the same project: a dialog's OK on one room recorded as a step
// (the project compared before and after), and that step undone and redone.
void BM_HistoryChange(benchmark::State& state)
{
    TProject p = Generate();
    History history(p);
    for (auto _ : state)
        history.Change("room", [](TProject& project) { project.rooms[500].heatDemand += 1; });
    state.counters["bytes/step"] = static_cast<double>(history.Footprint()) / static_cast<double>(history.Size());
}
BENCHMARK(BM_HistoryChange)->Unit(benchmark::kMillisecond);

void BM_HistoryUndoRedo(benchmark::State& state)
{
    TProject p = Generate();
    History history(p);
    history.Change("room", [](TProject& project) { project.rooms[500].heatDemand += 1; });
    for (auto _ : state) {
        history.Undo();
        history.Redo();
    }
}
BENCHMARK(BM_HistoryUndoRedo)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
