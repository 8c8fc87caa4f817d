// The whole road on generated stepped parts of 1,000, 8,000 and 32,767 elements, as a machinist
// takes it: load the model, rough it (0, 2, 4 with ShoulderL and ShoulderR), finish it (1, 3 with
// FinishL and FinishR), check the job against the knives, simulate it and write the whole job's
// LinuxCNC program. Each stage's share is a counter, in milliseconds; all of them should grow
// about linearly with the part.
#include "bench/generated_jobs.h"
#include "checking/toolpath_check.h"
#include "operations/program_generation.h"
#include "simulation/move_by_move.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <map>
#include <string>

using namespace torvex;

namespace {

class StageClock {
public:
    explicit StageClock(std::map<std::string, double>& totals) : Totals(totals) {}
    void Lap(const std::string& stage) {
        auto now = std::chrono::steady_clock::now();
        Totals[stage] += std::chrono::duration<double, std::milli>(now - Last).count();
        Last = now;
    }

private:
    std::map<std::string, double>& Totals;
    std::chrono::steady_clock::time_point Last = std::chrono::steady_clock::now();
};

void BM_WholeRoad(benchmark::State& state) {
    GeneratedModelFile model(static_cast<size_t>(state.range(0)));
    ProgramSettings settings;
    settings.Dialect = DefaultDialectOptions(NcDialect::LinuxCnc);
    settings.Program.ToolChange = DefaultToolChange(NcDialect::LinuxCnc);
    std::map<std::string, double> stages;
    size_t elements = 0;
    size_t moves = 0;
    size_t lines = 0;
    for (auto _ : state) {
        StageClock clock(stages);
        std::unique_ptr<Workspace> space = LoadedGeneratedModel(model.Path());
        clock.Lap("load ms");
        AddShoulderRoughing(*space, TORVEX_DATA);
        clock.Lap("rough ms");
        AddFlankFinishing(*space, TORVEX_DATA);
        clock.Lap("finish ms");
        std::vector<const TToolpath*> job;
        for (const auto& toolpath : space->Toolpaths)
            job.push_back(toolpath.get());
        ToolpathVerdict verdict = VerdictOfJob(job, space->Shaft, space->StockShaft);
        clock.Lap("check ms");
        TMaterial machined = MachinedStock(job, TMaterial(ProfileChain(space->StockShaft)));
        benchmark::DoNotOptimize(machined.Profile().data());
        clock.Lap("simulate ms");
        GeneratedProgram program =
            GenerateProgram(job, true, settings, space->Setup, space->Shaft, space->StockShaft);
        clock.Lap("program ms");
        if (!verdict.Checked || verdict.Collides)
            state.SkipWithError(verdict.Text.c_str());
        elements = space->Shaft.Elements.size();
        moves = job[0]->PathPoints.Count() + job[1]->PathPoints.Count();
        lines = program.Text.size();
    }
    for (const auto& [stage, total] : stages)
        state.counters[stage] = total / static_cast<double>(state.iterations());
    state.counters["elements"] = static_cast<double>(elements);
    state.counters["moves"] = static_cast<double>(moves);
    state.counters["program lines"] = static_cast<double>(lines);
}

} // namespace

BENCHMARK(BM_WholeRoad)->Arg(1000)->Arg(8000)->Arg(32767)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
