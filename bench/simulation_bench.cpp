#include "simulation/move_by_move.h"

#include "geometry/knife.h"
#include "geometry/point_list.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

using namespace torvex;

namespace {

constexpr double Rapid = 6000;
constexpr double Radial = 100;
constexpr double Axial = 200;

// The sample roughing knife.
TKnife Rough80() {
    TKnife knife;
    knife.LoadFromLines({"line 0/0/4/0.71/", "line 4/0.71/4/12/", "line 4/12/-4/12/",
                         "line -4/12/-4/0.71/", "line -4/0.71/0/0/"});
    return knife;
}

// The production sample's bar: 180 mm long, radius 26.
const std::vector<TPoint> Bar = {{0, 0}, {0, 26}, {180, 26}, {180, 0}};

// Full-length passes 0.5 mm deep from the bar's radius down to radius 13.
TPctList FullLengthRoughing() {
    TPctList path;
    path.RejectDuplicates = false;
    path.AddPoint(-2, 31, Rapid);
    for (double y = 25.5; y >= 13; y -= 0.5) {
        path.AddPoint(-2, y, Radial);
        path.AddPoint(182, y, Axial);
        path.AddPoint(180, y + 2, Axial);
        path.AddPoint(-2, y + 2, Rapid);
    }
    path.AddPoint(-2, 31, Rapid);
    return path;
}

// Side roughing of a falling flank: layers from beyond the right end, each one deeper and
// stopping 3 mm further right.
TPctList SideRoughing() {
    TPctList path;
    path.RejectDuplicates = false;
    path.AddPoint(182, 31, Rapid);
    double stop = 140;
    for (double y = 25; y >= 13; y -= 1, stop += 3) {
        path.AddPoint(182, y, Radial);
        path.AddPoint(stop, y, Axial);
        path.AddPoint(stop + 2, y + 2, Axial);
        path.AddPoint(182, y + 2, Rapid);
    }
    path.AddPoint(182, 31, Rapid);
    return path;
}

// Every path point is one move.
void RunPath(benchmark::State& state, const TPctList& path) {
    TKnife knife = Rough80();
    size_t stockPoints = 0;
    for (auto _ : state) {
        TSimulation simulation(knife.Points, Bar, path);
        RunMoveByMove(simulation, Rapid);
        stockPoints = simulation.Stock.size();
        benchmark::DoNotOptimize(simulation.Stock.data());
    }
    double moves = static_cast<double>(path.Count());
    state.counters["moves/s"] =
        benchmark::Counter(moves, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["machining/simulation"] =
        benchmark::Counter(path.Last().TotalTime, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["stock points"] = static_cast<double>(stockPoints);
}

// The playback's way at 60 frames per second: the tool stepped along every move by what its
// feed covers in one frame.
void RunInFrames(benchmark::State& state, const TPctList& path) {
    TKnife knife = Rough80();
    size_t steps = 0;
    size_t stockPoints = 0;
    for (auto _ : state) {
        TSimulation simulation(knife.Points, Bar, path);
        simulation.SplitOutline();
        TPoint last = RunStartPosition;
        steps = 0;
        for (const TPunct& to : path) {
            TPoint from = last;
            double frameStep = to.Feed / 60 / 60;
            double parts =
                std::max(1.0, std::ceil(std::hypot(to.X - from.X, to.Y - from.Y) / frameStep));
            for (double i = 1; i <= parts; ++i, ++steps) {
                TPoint at{from.X + (to.X - from.X) * i / parts,
                          from.Y + (to.Y - from.Y) * i / parts};
                MoveTool(simulation, at, to.Feed, Rapid, last);
            }
        }
        stockPoints = simulation.Stock.size();
        benchmark::DoNotOptimize(simulation.Stock.data());
    }
    state.counters["steps/s"] = benchmark::Counter(static_cast<double>(steps),
                                                   benchmark::Counter::kIsIterationInvariantRate);
    state.counters["machining/simulation"] =
        benchmark::Counter(path.Last().TotalTime, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["stock points"] = static_cast<double>(stockPoints);
}

void BM_FullLengthRoughingMoveByMove(benchmark::State& state) {
    RunPath(state, FullLengthRoughing());
}
void BM_SideRoughingMoveByMove(benchmark::State& state) {
    RunPath(state, SideRoughing());
}
void BM_FullLengthRoughingInFrameSteps(benchmark::State& state) {
    RunInFrames(state, FullLengthRoughing());
}
void BM_SideRoughingInFrameSteps(benchmark::State& state) {
    RunInFrames(state, SideRoughing());
}

} // namespace

BENCHMARK(BM_FullLengthRoughingMoveByMove)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SideRoughingMoveByMove)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FullLengthRoughingInFrameSteps)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SideRoughingInFrameSteps)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
