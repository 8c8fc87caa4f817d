// Simulating the sample jobs: move by move, as the batch tool does, in the frame steps of a
// 60 frames-per-second playback, and the playback's own frame step timed frame by frame.
#include "bench/sample_jobs.h"
#include "simulation/move_by_move.h"
#include "simulation/playback.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>

using namespace torvex;

namespace {

// The sample jobs, and every sample model roughed with the knives the README recommends.
std::vector<SampleJob> AllSampleJobs() {
    std::vector<SampleJob> jobs = BuildSampleJobs(TORVEX_DATA);
    for (const std::string& model : SampleModels(TORVEX_DATA)) {
        jobs.push_back(BuildSampleJob(TORVEX_DATA, model, SampleJobKind::Roughing, {0, 2, 4},
                                      "ShoulderL", "ShoulderR"));
        jobs.back().Name += " ShoulderL/ShoulderR";
    }
    return jobs;
}

const std::vector<SampleJob>& Jobs() {
    static const std::vector<SampleJob> jobs = AllSampleJobs();
    return jobs;
}

TSimulation NewSimulation(const SampleJob& job) {
    return TSimulation(*job.Toolpath, TMaterial(ProfileChain(job.Space->StockShaft)));
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
        stockPoints = simulation.Stock().size();
        benchmark::DoNotOptimize(simulation.Stock().data());
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
        TPoint last{job.Toolpath->PathPoints[0].X, job.Toolpath->PathPoints[0].Y};
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
        stockPoints = simulation.Stock().size();
        benchmark::DoNotOptimize(simulation.Stock().data());
    }
    Report(state, job, static_cast<double>(steps), stockPoints);
}

// A whole run of the playback at 60 frames per second with the time multiplier of the second
// argument: the median and the worst frame step with the profile the view then shows, in
// microseconds. Each frame's time is the best of
// five runs, so that a frame the machine took the processor away from does not count as slow.
void BM_SampleJobPlayback(benchmark::State& state) {
    const SampleJob& job = Jobs()[static_cast<size_t>(state.range(0))];
    double multiplier = static_cast<double>(state.range(1));
    PointChain stock = ProfileChain(job.Space->StockShaft);
    std::vector<double> best;
    size_t changing = 0;
    for (auto _ : state) {
        for (int run = 0; run < 5; ++run) {
            TPlayback playback;
            playback.Initialize(job.Toolpath, stock);
            playback.Start(job.Toolpath);
            bool done = false;
            changing = 0;
            for (size_t frame = 0; !done; ++frame) {
                auto start = std::chrono::steady_clock::now();
                TFrameResult result =
                    playback.FrameStep(static_cast<double>(frame) * multiplier / 60);
                // The profile the view shows is made when the material changed.
                if (result.StockChanged)
                    benchmark::DoNotOptimize(playback.Stock().data());
                auto end = std::chrono::steady_clock::now();
                done = result.Done;
                changing += result.StockChanged;
                double took = std::chrono::duration<double, std::micro>(end - start).count();
                if (frame == best.size())
                    best.push_back(took);
                best[frame] = std::min(best[frame], took);
            }
            benchmark::DoNotOptimize(playback.Stock().data());
        }
    }
    std::sort(best.begin(), best.end());
    state.SetLabel(job.Name + " x" + std::to_string(state.range(1)));
    state.counters["frames"] = static_cast<double>(best.size());
    state.counters["cutting frames"] = static_cast<double>(changing);
    state.counters["median us"] = best[best.size() / 2];
    state.counters["worst us"] = best.back();
}

void AllJobs(benchmark::internal::Benchmark* benchmark) {
    for (size_t i = 0; i < Jobs().size(); ++i)
        benchmark->Arg(static_cast<int64_t>(i));
}

void AllJobsAtTwoSpeeds(benchmark::internal::Benchmark* benchmark) {
    for (int64_t multiplier : {1, 100})
        for (size_t i = 0; i < Jobs().size(); ++i)
            benchmark->Args({static_cast<int64_t>(i), multiplier});
}

} // namespace

BENCHMARK(BM_SampleJobMoveByMove)->Apply(AllJobs)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SampleJobInFrameSteps)->Apply(AllJobs)->Unit(benchmark::kMillisecond);

BENCHMARK(BM_SampleJobPlayback)
    ->Apply(AllJobsAtTwoSpeeds)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

BENCHMARK_MAIN();
