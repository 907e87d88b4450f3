// The automatic design of a large project: 1,000 rooms and 300 circuits on one
// manifold, designed from the file as read.  A person waits for it after a click,
// so it must stay well under a second.
#include <benchmark/benchmark.h>

#include "LargeProject.h"

#include "app/ProjectRecalc.h"
#include "design/ManifoldDesign.h"
#include "document/TProject.h"

namespace {

using namespace kalorina;
using kalorina::bench::Shipped;

const TProject& Large()
{
    static const TProject project = [] {
        TProject p = kalorina::bench::Generate();
        RecalculateProject(p, Shipped(), false);
        return p;
    }();
    return project;
}

void BM_DesignManifolds(benchmark::State& state)
{
    const TProject& p = Large();
    for (auto _ : state) {
        DesignOutcome outcome = DesignManifolds(p, Shipped());
        benchmark::DoNotOptimize(outcome.manifolds.data());
        state.counters["circuits"] = static_cast<double>(outcome.manifolds[0].circuits.size());
        state.counters["supply"] = outcome.manifolds[0].supplyTemperature;
    }
}
BENCHMARK(BM_DesignManifolds)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
