#include "bench/sample_jobs.h"
#include "geometry/number_text.h"
#include "geometry/shaft.h"
#include "operations/toolpath_building.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

using namespace torvex;

namespace {

std::string Record(const char* kind, std::initializer_list<double> values) {
    std::string text = std::string(kind) + " ";
    for (double v : values)
        text += FloatToText(v) + "/";
    return text;
}

// A shaft of radius 13 with 100 grooves, 4 mm apart: square ones 6 wide and 3 deep and ones with
// a floor of radius 5 across 8, one after the other; in a bar of radius 14.5.
struct GroovedShaft {
    TShaft Part;
    TShaft Stock;

    GroovedShaft() {
        std::vector<std::string> part = {"line 0/0/0/13/"};
        double x = 0;
        for (int k = 0; k < 100; ++k) {
            part.push_back(Record("line", {x, 13, x + 4, 13}));
            x += 4;
            if (k % 2 == 0) {
                part.push_back(Record("line", {x, 13, x, 10}));
                part.push_back(Record("line", {x, 10, x + 6, 10}));
                part.push_back(Record("line", {x + 6, 10, x + 6, 13}));
                x += 6;
            } else {
                part.push_back(Record("line", {x, 13, x, 11.5}));
                part.push_back(Record("arc", {x - 1, 9.5, x + 9, 19.5, x + 8, 11.5, x, 11.5}));
                part.push_back(Record("line", {x + 8, 11.5, x + 8, 13}));
                x += 8;
            }
        }
        part.push_back(Record("line", {x, 13, x + 4, 13}));
        part.push_back(Record("line", {x + 4, 13, x + 4, 0}));
        Part.LoadFromLines(part);
        Stock.LoadFromLines({Record("line", {0, 0, 0, 14.5}),
                             Record("line", {0, 14.5, x + 4, 14.5}),
                             Record("line", {x + 4, 14.5, x + 4, 0})});
    }
};

// A grooving tip 4 wide with both corners rounded to radius 1: its outline holds a point every
// degree of its corners.
JobTool Rounded() {
    return {1,
            {"", "Groove4R1"},
            {"Groove4R1", "", "profiled", "5", "5", "5", "5", "5", "1", "1", "line 0/0/1/0/",
             "line 2/1/2/10/", "line 2/10/-2/10/", "line -2/10/-2/1/", "line -1/0/0/0/",
             "arc 1/1/1/0/2/1/", "arc -1/1/-2/1/-1/0/"}};
}

void GroovingOfAHundredGrooves(benchmark::State& state, bool rounded) {
    GroovedShaft shaft;
    GroovingJob job = SampleGrooving({GroovingOperation::Grooves},
                                     rounded ? Rounded() : SampleTool(TORVEX_DATA, "Groove3", 1));
    size_t blocks = 0;
    for (auto _ : state) {
        TToolpath toolpath = BuildGrooving(shaft.Part, shaft.Stock, job);
        blocks = toolpath.Blocks.size();
        benchmark::DoNotOptimize(blocks);
    }
    state.counters["blocks"] = static_cast<double>(blocks);
}

} // namespace

BENCHMARK_CAPTURE(GroovingOfAHundredGrooves, Groove3, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(GroovingOfAHundredGrooves, Groove4R1, true)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
