// Checking jobs against their knives. The production sample's roughing job (operations 0, 2, 4)
// with the sample library's shoulder knives, which fit, and with Rough80 and Left45, whose flanks
// reach into the part on every layer before a shoulder; and its finishing (2, 3) with the sharp
// finishing knives and with their 0.4 mm-nose versions, whose paths turn about every corner in fine
// steps: under 50 ms a check. Generated stepped parts of 1,000 to 32,767 elements roughed with the
// shoulder knives: the check grows linearly, under 100 ms for 8,000 elements and less than 2.3
// times slower for each doubling.
#include "bench/generated_jobs.h"
#include "bench/sample_jobs.h"
#include "checking/toolpath_check.h"

#include <benchmark/benchmark.h>

using namespace torvex;

namespace {

size_t Collisions(const CheckResult& result) {
    size_t collisions = 0;
    for (const OperationCheck& operation : result.Operations)
        collisions += operation.Collisions;
    return collisions;
}

void CheckProduction(benchmark::State& state, SampleJobKind kind, const char* left,
                     const char* right) {
    SampleJob job = kind == SampleJobKind::Roughing
                        ? BuildSampleJob(TORVEX_DATA, "production", kind, {0, 2, 4}, left, right)
                        : BuildSampleJob(TORVEX_DATA, "production", kind, {2, 3}, left, right);
    size_t collisions = 0;
    for (auto _ : state) {
        CheckResult result = CheckToolpath(*job.Toolpath, job.Space->Shaft, job.Space->StockShaft);
        collisions = Collisions(result);
        benchmark::DoNotOptimize(result.MaterialLeft);
    }
    state.SetLabel(job.Name + " with " + left + " and " + right);
    state.counters["moves"] = static_cast<double>(job.Toolpath->PathPoints.Count());
    state.counters["colliding moves"] = static_cast<double>(collisions);
}

void BM_CheckProductionRoughingWithShoulderKnives(benchmark::State& state) {
    CheckProduction(state, SampleJobKind::Roughing, "ShoulderL", "ShoulderR");
}

void BM_CheckProductionRoughingWithRough80AndLeft45(benchmark::State& state) {
    CheckProduction(state, SampleJobKind::Roughing, "Rough80", "Left45");
}

void BM_CheckProductionFinishingWithSharpKnives(benchmark::State& state) {
    CheckProduction(state, SampleJobKind::Finishing, "FinishL", "FinishR");
}

void BM_CheckProductionFinishingWithNoseKnives(benchmark::State& state) {
    CheckProduction(state, SampleJobKind::Finishing, "FinishL04", "FinishR04");
}

void BM_CheckGeneratedRoughing(benchmark::State& state) {
    GeneratedModelFile model(static_cast<size_t>(state.range(0)));
    std::unique_ptr<Workspace> space = LoadedGeneratedModel(model.Path());
    const TToolpath& toolpath = AddShoulderRoughing(*space, TORVEX_DATA);
    size_t collisions = 0;
    for (auto _ : state) {
        CheckResult result = CheckToolpath(toolpath, space->Shaft, space->StockShaft);
        collisions = Collisions(result);
        benchmark::DoNotOptimize(result.MaterialLeft);
    }
    state.counters["elements"] = static_cast<double>(space->Shaft.Elements.size());
    state.counters["moves"] = static_cast<double>(toolpath.PathPoints.Count());
    state.counters["colliding moves"] = static_cast<double>(collisions);
}

} // namespace

BENCHMARK(BM_CheckProductionRoughingWithShoulderKnives)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckProductionRoughingWithRough80AndLeft45)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckProductionFinishingWithSharpKnives)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckProductionFinishingWithNoseKnives)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckGeneratedRoughing)
    ->Arg(1000)
    ->Arg(2000)
    ->Arg(4000)
    ->Arg(8000)
    ->Arg(16000)
    ->Arg(32767)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
