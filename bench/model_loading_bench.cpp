// Loading a model file: parse, sort, discretise, measure. A near-linear load takes at most 40
// times as long for 32,767 elements as for 1,000.
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
    WriteGeneratedModel(fileName, GeneratedSteppedModel(elements));
    RecordingMessageSink messages;
    size_t loaded = 0;
    for (auto _ : state) {
        TShaft shaft;
        shaft.LoadFromFile(fileName, messages);
        loaded = shaft.Elements.size();
        benchmark::DoNotOptimize(shaft.Points.Items().data());
    }
    if (!messages.Messages.empty())
        state.SkipWithError(messages.Messages.front().c_str());
    state.counters["elements"] = static_cast<double>(loaded);
    std::filesystem::remove(fileName);
    std::filesystem::remove(fileName.string() + "s");
}
BENCHMARK(BM_LoadShaftFromFile)->Arg(1000)->Arg(8000)->Arg(32767)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
