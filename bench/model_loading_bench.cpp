// Loading a model file to its side outlines: parse, sort, discretise, measure, split.
#include "bench/model_generator.h"
#include "geometry/shaft.h"
#include "platform/message_sink.h"

#include <benchmark/benchmark.h>

#include <filesystem>

using namespace torvex;

static void BM_LoadShaftFromFile(benchmark::State& state) {
    const size_t elements = static_cast<size_t>(state.range(0));
    auto fileName = std::filesystem::temp_directory_path() /
                    ("torvex_bench_" + std::to_string(elements) + ".mdl");
    WriteModelFile(fileName, GeneratedShaftLines(elements));
    RecordingMessageSink messages;
    size_t loaded = 0;
    for (auto _ : state) {
        TShaft shaft;
        shaft.LoadFromFile(fileName, messages);
        loaded = shaft.Elements.size();
        benchmark::DoNotOptimize(shaft.LeftOutline.Elements.data());
    }
    state.counters["elements"] = static_cast<double>(loaded);
    std::filesystem::remove(fileName);
}
BENCHMARK(BM_LoadShaftFromFile)->Arg(1000)->Arg(32767)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
