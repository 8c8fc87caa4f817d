#include "checking/toolpath_check.h"
#include "checking/verdict.h"
#include "cli/commands.h"
#include "cli/options.h"
#include "cli/program_output.h"
#include "geometry/model_files.h"
#include "geometry/number_text.h"
#include "operations/job_fields.h"
#include "operations/machine_limits.h"
#include "operations/nc_dialect.h"
#include "operations/nc_program.h"
#include "operations/toolpath_building.h"
#include "platform/errors.h"
#include "platform/text_file.h"
#include "simulation/move_by_move.h"
#include "simulation/simulation.h"
#include "workspace/operation_queues.h"

#include <algorithm>
#include <charconv>
#include <ostream>
#include <utility>

namespace torvex {

namespace {

enum class JobKind { Roughing, Finishing, Grooving, Threading };

std::set<std::string> ValuedOptions(JobKind kind) {
    std::set<std::string> valued = {"--safe",     "--speed",     "--name",
                                    "--path-csv", "--stock-csv", "--stock"};
    if (kind != JobKind::Threading)
        valued.insert("--ops");
    valued.insert(ProgramValuedOptions.begin(), ProgramValuedOptions.end());
    std::set<std::string> twoTools = {"--offset",    "--left-knife", "--right-knife",
                                      "--left-tool", "--right-tool", "--surface-speed",
                                      "--max-speed"};
    switch (kind) {
    case JobKind::Roughing:
        valued.insert(twoTools.begin(), twoTools.end());
        valued.insert({"--rest", "--depth", "--transversal", "--longitudinal"});
        break;
    case JobKind::Finishing:
        valued.insert(twoTools.begin(), twoTools.end());
        valued.insert({"--approach", "--feed"});
        break;
    case JobKind::Grooving:
        valued.insert({"--rest", "--step", "--peck", "--plunge", "--feed", "--part-at",
                       "--final-radius", "--knife", "--tool"});
        break;
    case JobKind::Threading:
        valued.insert({"--from", "--to", "--pitch", "--depth", "--first-cut", "--minimum-cut",
                       "--spring-passes", "--infeed-angle", "--knife", "--tool"});
        break;
    }
    return valued;
}

// The comma-separated operation codes, refusing one the queue does not allow after the codes
// before it.
template <class Queue, class OperationOf>
auto QueuedOperations(const std::string& codes, OperationOf operationOf) {
    Queue queue;
    size_t start = 0;
    while (start <= codes.size()) {
        size_t comma = codes.find(',', start);
        std::string code = codes.substr(start, comma == std::string::npos ? comma : comma - start);
        auto operation = operationOf(WholeNumber("--ops", code, 0, 255));
        if (!operation || !queue.Add(*operation))
            throw UsageError{
                "operation " + code + " cannot be queued " +
                (queue.Codes.empty() ? std::string("here") : "after the operations before it")};
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return queue.Codes;
}

// The library position of a tool; 0 when the option is not given, which the job refuses for a
// tool that a queued operation needs.
int ToolNumber(const ParsedOptions& options, const std::string& option) {
    std::optional<std::string> number = options.Value(option);
    return number ? WholeNumber(option, *number, 1, 20) : 0;
}

constexpr ToolCaptions OptionCaptions{{"--left-knife", "--right-knife"},
                                      {"--left-tool", "--right-tool"}};

// A tool as the options give it: its number and, with a knife file, the file's lines, named by
// the file's first line; there is no support name.
JobTool ToolOption(const ParsedOptions& options, const std::string& knifeOption,
                   const std::string& numberOption) {
    JobTool tool;
    tool.Number = ToolNumber(options, numberOption);
    if (auto file = options.Value(knifeOption)) {
        tool.KnifeFile = ReadTextLines(*file);
        if (!tool.KnifeFile.empty())
            tool.Names.TipName = tool.KnifeFile.front();
    }
    return tool;
}

// The job the options ask for. Every option the command needs is read, and the operations
// queued, before any file is; the numbers are converted once the model is loaded, as the windows
// convert their fields.
class JobOptions {
public:
    JobOptions(JobKind kind, const ParsedOptions& options) : Kind(kind), Options(options) {
        switch (kind) {
        case JobKind::Roughing:
            Roughing = {options.Required("--safe"),
                        options.Required("--offset"),
                        options.Required("--rest"),
                        options.Required("--depth"),
                        options.Required("--transversal"),
                        options.Required("--longitudinal"),
                        options.Required("--speed"),
                        Optional("--surface-speed"),
                        Optional("--max-speed")};
            RoughingOperations =
                QueuedOperations<TRoughingQueue>(options.Required("--ops"), RoughingOperationOf);
            break;
        case JobKind::Finishing:
            Finishing = {options.Required("--safe"),     options.Required("--offset"),
                         options.Required("--approach"), options.Required("--feed"),
                         options.Required("--speed"),    Optional("--surface-speed"),
                         Optional("--max-speed")};
            FinishingOperations =
                QueuedOperations<TFinishingQueue>(options.Required("--ops"), FinishingOperationOf);
            break;
        case JobKind::Grooving: {
            GroovingOperations =
                QueuedOperations<TGroovingQueue>(options.Required("--ops"), GroovingOperationOf);
            bool partsOff = std::find(GroovingOperations.begin(), GroovingOperations.end(),
                                      GroovingOperation::PartOff) != GroovingOperations.end();
            auto partOffOption = [&](const char* name) {
                if (partsOff && !options.Value(name))
                    throw UsageError{std::string("operation 2 (part off) needs option ") + name};
                return options.Value(name).value_or("");
            };
            Grooving = {options.Required("--safe"),           options.Required("--rest"),
                        options.Value("--step").value_or(""), options.Required("--peck"),
                        options.Required("--plunge"),         options.Required("--feed"),
                        options.Required("--speed"),          partOffOption("--part-at"),
                        partOffOption("--final-radius")};
            options.Required("--knife");
            options.Required("--tool");
            ToolNumber(options, "--tool");
            return;
        }
        case JobKind::Threading:
            Threading = {options.Required("--from"),
                         options.Required("--to"),
                         options.Required("--pitch"),
                         options.Value("--depth").value_or(""),
                         options.Value("--first-cut").value_or(""),
                         options.Value("--minimum-cut").value_or(""),
                         options.Value("--spring-passes").value_or(""),
                         options.Value("--infeed-angle").value_or(""),
                         options.Required("--safe"),
                         options.Required("--speed")};
            options.Required("--knife");
            options.Required("--tool");
            ToolNumber(options, "--tool");
            return;
        }
        ToolNumber(options, "--left-tool");
        ToolNumber(options, "--right-tool");
    }

    std::string Name() const {
        const char* kind = Kind == JobKind::Roughing    ? "1-Roughing"
                           : Kind == JobKind::Finishing ? "1-Finishing"
                           : Kind == JobKind::Grooving  ? "1-Grooving"
                                                        : "1-Threading";
        return Options.Value("--name").value_or(kind);
    }

    // Reads the knife files and converts the numbers.
    MachiningJob Job() const {
        constexpr ToolCaptions oneTool{{"--knife", "--knife"}, {"--tool", "--tool"}, true};
        if (Kind == JobKind::Grooving)
            return GroovingJobOf(Grooving, GroovingOperations,
                                 ToolOption(Options, "--knife", "--tool"), '.', oneTool);
        if (Kind == JobKind::Threading)
            return ThreadingJobOf(Threading, ToolOption(Options, "--knife", "--tool"), '.',
                                  oneTool);
        JobTool left = ToolOption(Options, "--left-knife", "--left-tool");
        JobTool right = ToolOption(Options, "--right-knife", "--right-tool");
        if (Kind == JobKind::Roughing)
            return RoughingJobOf(Roughing, RoughingOperations, left, right, '.', OptionCaptions);
        return FinishingJobOf(Finishing, FinishingOperations, left, right, '.', OptionCaptions);
    }

private:
    std::string Optional(const char* option) const { return Options.Value(option).value_or(""); }

    JobKind Kind;
    const ParsedOptions& Options;
    TRoughingFields Roughing;
    TFinishingFields Finishing;
    TGroovingFields Grooving;
    TThreadingFields Threading;
    std::vector<RoughingOperation> RoughingOperations;
    std::vector<FinishingOperation> FinishingOperations;
    std::vector<GroovingOperation> GroovingOperations;
};

int RunJob(JobKind kind, const std::vector<std::string>& arguments, std::ostream& out,
           std::ostream& err) {
    ParsedOptions options(arguments, ValuedOptions(kind), ProgramFlags);
    // Usage is checked in full before any file is read.
    JobOptions job(kind, options);
    ProgramSettings settings = ReadProgramSettings(options, {});
    Setup setup = ReadSetup(options, {});

    TShaft part;
    TShaft stock;
    if (!LoadModelFiles(options.Positional(), part, stock, err, options.Value("--stock")))
        return ExitFailure;
    TToolpath toolpath = BuildToolpath(part, stock, job.Job(), job.Name(), setup);
    const TToolpath* toolpaths[] = {&toolpath};
    return WriteProgram(options, toolpaths, false, settings, setup, part, stock, out, err);
}

} // namespace

int RunRough(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    return RunJob(JobKind::Roughing, arguments, out, err);
}

int RunFinish(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    return RunJob(JobKind::Finishing, arguments, out, err);
}

int RunGroove(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    return RunJob(JobKind::Grooving, arguments, out, err);
}

int RunThread(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    return RunJob(JobKind::Threading, arguments, out, err);
}

} // namespace torvex
