#include "checking/toolpath_check.h"
#include "checking/verdict.h"
#include "cli/commands.h"
#include "cli/options.h"
#include "cli/program_output.h"
#include "geometry/model_files.h"
#include "geometry/number_text.h"
#include "operations/job_fields.h"
#include "operations/nc_dialect.h"
#include "operations/nc_program.h"
#include "operations/toolpath_building.h"
#include "platform/text_file.h"
#include "simulation/move_by_move.h"
#include "simulation/simulation.h"
#include "workspace/operation_queues.h"

#include <charconv>
#include <ostream>

namespace torvex {

namespace {

enum class JobKind { Roughing, Finishing };

const std::set<std::string> CommonValued = {
    "--safe",       "--offset",        "--speed",     "--name",       "--ops",
    "--left-knife", "--right-knife",   "--left-tool", "--right-tool", "--path-csv",
    "--stock-csv",  "--surface-speed", "--max-speed"};

std::set<std::string> ValuedOptions(JobKind kind) {
    std::set<std::string> valued = CommonValued;
    valued.insert(ProgramValuedOptions.begin(), ProgramValuedOptions.end());
    if (kind == JobKind::Roughing)
        valued.insert({"--rest", "--depth", "--transversal", "--longitudinal"});
    else
        valued.insert({"--approach", "--feed"});
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

int ToolNumber(const ParsedOptions& options, const std::string& option) {
    return WholeNumber(option, options.Value(option).value_or("0"), 0, 20);
}

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
        if (kind == JobKind::Roughing) {
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
        } else {
            Finishing = {options.Required("--safe"),     options.Required("--offset"),
                         options.Required("--approach"), options.Required("--feed"),
                         options.Required("--speed"),    Optional("--surface-speed"),
                         Optional("--max-speed")};
            FinishingOperations =
                QueuedOperations<TFinishingQueue>(options.Required("--ops"), FinishingOperationOf);
        }
        ToolNumber(options, "--left-tool");
        ToolNumber(options, "--right-tool");
    }

    std::string Name() const {
        return Options.Value("--name").value_or(Kind == JobKind::Roughing ? "1-Roughing"
                                                                          : "1-Finishing");
    }

    // Reads the knife files and converts the numbers.
    MachiningJob Job() const {
        JobTool left = ToolOption(Options, "--left-knife", "--left-tool");
        JobTool right = ToolOption(Options, "--right-knife", "--right-tool");
        if (Kind == JobKind::Roughing)
            return RoughingJobOf(Roughing, RoughingOperations, left, right, '.');
        return FinishingJobOf(Finishing, FinishingOperations, left, right, '.');
    }

private:
    std::string Optional(const char* option) const { return Options.Value(option).value_or(""); }

    JobKind Kind;
    const ParsedOptions& Options;
    TRoughingFields Roughing;
    TFinishingFields Finishing;
    std::vector<RoughingOperation> RoughingOperations;
    std::vector<FinishingOperation> FinishingOperations;
};

std::vector<std::string> PathCsv(const TPctList& path) {
    std::vector<std::string> rows = {"X,Y,Dist,TotalTime,StepTime,Feed,Kind,Tool"};
    for (const TPunct& p : path)
        rows.push_back(FloatToText(p.X) + "," + FloatToText(p.Y) + "," + FloatToText(p.Dist) + "," +
                       FloatToText(p.TotalTime) + "," + FloatToText(p.StepTime) + "," +
                       FloatToText(p.Feed) + "," + (p.IsRapid() ? "rapid" : "feed") + "," +
                       (p.Tool == ToolSide::Left ? "left" : "right"));
    return rows;
}

std::vector<std::string> StockCsv(const std::vector<TPoint>& stock) {
    std::vector<std::string> rows = {"X,Y"};
    for (const TPoint& p : stock)
        rows.push_back(FloatToText(p.X) + "," + FloatToText(p.Y));
    return rows;
}

int RunJob(JobKind kind, const std::vector<std::string>& arguments, std::ostream& out,
           std::ostream& err) {
    ParsedOptions options(arguments, ValuedOptions(kind), ProgramFlags);
    // Usage is checked in full before any file is read.
    JobOptions job(kind, options);
    ProgramSettings settings = ReadProgramSettings(options, {});

    TShaft part;
    TShaft stock;
    if (!LoadModelFiles(options.Positional(), part, stock, err))
        return ExitFailure;
    TToolpath toolpath = BuildToolpath(part, stock, job.Job(), job.Name());
    const TToolpath* toolpaths[] = {&toolpath};
    if (auto file = options.Value("--path-csv"))
        WriteTextLinesAtomically(*file, PathCsv(toolpath.PathPoints));
    if (auto file = options.Value("--stock-csv"))
        WriteTextLinesAtomically(*file, StockCsv(MachinedStock(toolpaths, XYOf(stock.Points))));
    return WriteProgram(options, toolpaths, false, settings, part, stock, out, err);
}

} // namespace

int RunRough(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    return RunJob(JobKind::Roughing, arguments, out, err);
}

int RunFinish(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    return RunJob(JobKind::Finishing, arguments, out, err);
}

} // namespace torvex
