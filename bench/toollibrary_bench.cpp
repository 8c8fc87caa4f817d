// The tool library at shop size: 2,000 knives and 2,000 supports loaded, a knife added and
// deleted. Run from a Release build: build/release/bench/toollibrary_bench.
#include "platform/message_sink.h"
#include "platform/text_file.h"
#include "toollibrary/tool_library.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

using namespace torvex;
namespace fs = std::filesystem;

namespace {

constexpr int ItemCount = 2000;

// A library folder of ItemCount standard knives and ItemCount supports, written once.
const fs::path& GeneratedLibrary() {
    static const fs::path folder = [] {
        fs::path path =
            fs::temp_directory_path() / ("torvex-library-bench-" + std::to_string(getpid()));
        fs::remove_all(path);
        fs::create_directories(path / "Knives");
        fs::create_directories(path / "Tails");
        std::vector<std::string> knives, supports;
        for (int i = 0; i < ItemCount; ++i) {
            std::string name = "Tip" + std::to_string(i);
            WriteTextLinesAtomically(
                path / "Knives" / (name + ".knf"),
                KnifeFileLines(StandardKnife(name, "generated tip", {30, 30, 3, 3, 10}, {})));
            knives.push_back(name + ".knf");
            std::string support = "Holder" + std::to_string(i);
            WriteTextLinesAtomically(path / "Tails" / (support + ".tai"),
                                     {support, "generated holder"});
            supports.push_back(support + ".tai");
        }
        WriteTextLinesAtomically(path / "knives.dat", knives);
        WriteTextLinesAtomically(path / "tails.dat", supports);
        return path;
    }();
    return folder;
}

ToolLibrary LoadedLibrary() {
    ToolLibrary library(GeneratedLibrary());
    RecordingMessageSink messages;
    library.LoadToolLists(messages);
    return library;
}

const KnifeDefinition NewKnife = StandardKnife("NewTip", "", {10, 20, 4, 4, 12}, {true, true});

} // namespace

static void BM_LoadToolLists(benchmark::State& state) {
    GeneratedLibrary();
    for (auto _ : state) {
        ToolLibrary library = LoadedLibrary();
        benchmark::DoNotOptimize(library.Knives().ItemCount());
    }
}
BENCHMARK(BM_LoadToolLists)->Unit(benchmark::kMillisecond);

static void BM_AddKnife(benchmark::State& state) {
    ToolLibrary library = LoadedLibrary();
    for (auto _ : state) {
        library.SaveKnife(NewKnife);
        state.PauseTiming();
        library.DeleteKnife(NewKnife.Name);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AddKnife)->Unit(benchmark::kMillisecond);

static void BM_DeleteKnife(benchmark::State& state) {
    ToolLibrary library = LoadedLibrary();
    for (auto _ : state) {
        state.PauseTiming();
        library.SaveKnife(NewKnife);
        state.ResumeTiming();
        library.DeleteKnife(NewKnife.Name);
    }
    fs::remove_all(GeneratedLibrary());
}
BENCHMARK(BM_DeleteKnife)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
