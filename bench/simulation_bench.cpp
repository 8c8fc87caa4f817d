// Simulating the sample jobs: move by move, as the batch tool does, and in the frame steps of a
// 60 frames-per-second playback.
#include "bench/sample_jobs.h"
#include "simulation/move_by_move.h"

#include <benchmark/benchmark.h>

#include <cmath>

using namespace torvex;

namespace {

const std::vector<SampleJob>& Jobs() {
    static const std::vector<SampleJob> jobs = BuildSampleJobs(TORVEX_DATA);
    return jobs;
}

TSimulation NewSimulation(const SampleJob& job) {
    return TSimulation(job.Toolpath->LeftKnife.Points, job.Toolpath->RightKnife.Points,
                       job.Space->StockShaft.Points, job.Toolpath->PathPoints);
}

void Report(benchmark::State& state, const SampleJob& job, double steps, size_t stockPoints) {
    state.SetLabel(job.Name);
    state.counters["moves/s"] =
        benchmark::Counter(steps, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["machining/simulation"] = benchmark::Counter(
        job.Toolpath->PathPoints.Last().TotalTime, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["stock points"] = static_cast<double>(stockPoints);
}

void BM_SampleJobMoveByMove(benchmark::State& state) {
    const SampleJob& job = Jobs()[static_cast<size_t>(state.range(0))];
    size_t stockPoints = 0;
    for (auto _ : state) {
        TSimulation simulation = NewSimulation(job);
        RunMoveByMove(simulation);
        stockPoints = simulation.Stock.size();
        benchmark::DoNotOptimize(simulation.Stock.data());
    }
    Report(state, job, static_cast<double>(job.Toolpath->PathPoints.Count()), stockPoints);
}

// The tool stepped along every move by what its feed covers in one frame at 60 frames per second.
void BM_SampleJobInFrameSteps(benchmark::State& state) {
    const SampleJob& job = Jobs()[static_cast<size_t>(state.range(0))];
    size_t steps = 0;
    size_t stockPoints = 0;
    for (auto _ : state) {
        TSimulation simulation = NewSimulation(job);
        simulation.SplitOutlinesOfPath();
        TPoint last = RunStartPosition;
        steps = 0;
        for (const TPunct& to : job.Toolpath->PathPoints) {
            TPoint from = last;
            double frameStep = to.Feed / 60 / 60;
            double parts =
                std::max(1.0, std::ceil(std::hypot(to.X - from.X, to.Y - from.Y) / frameStep));
            for (double i = 1; i <= parts; ++i, ++steps) {
                TPunct at = to;
                at.X = from.X + (to.X - from.X) * i / parts;
                at.Y = from.Y + (to.Y - from.Y) * i / parts;
                MoveTool(simulation, at, last);
            }
        }
        stockPoints = simulation.Stock.size();
        benchmark::DoNotOptimize(simulation.Stock.data());
    }
    Report(state, job, static_cast<double>(steps), stockPoints);
}

void AllJobs(benchmark::internal::Benchmark* benchmark) {
    for (size_t i = 0; i < Jobs().size(); ++i)
        benchmark->Arg(static_cast<int64_t>(i));
}

} // namespace

BENCHMARK(BM_SampleJobMoveByMove)->Apply(AllJobs)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SampleJobInFrameSteps)->Apply(AllJobs)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
