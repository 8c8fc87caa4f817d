#include "checking/toolpath_check.h"
#include "checking/verdict.h"
#include "cli/commands.h"
#include "cli/options.h"
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

#include <charconv>
#include <ostream>
#include <utility>

namespace torvex {

namespace {

enum class JobKind { Roughing, Finishing };

const std::set<std::string> CommonValued = {"--safe",
                                            "--offset",
                                            "--speed",
                                            "--name",
                                            "--ops",
                                            "--left-knife",
                                            "--right-knife",
                                            "--left-tool",
                                            "--right-tool",
                                            "-o",
                                            "--path-csv",
                                            "--stock-csv",
                                            "--dialect",
                                            "--program-number",
                                            "--door-code",
                                            "--stock-out",
                                            "--max-spindle-speed",
                                            "--max-feed"};
const std::set<std::string> Flags = {"--coolant", "--anticlockwise", "--door",  "--diameter",
                                     "--radius",  "--check",         "--strict"};

std::set<std::string> ValuedOptions(JobKind kind) {
    std::set<std::string> valued = CommonValued;
    if (kind == JobKind::Roughing)
        valued.insert({"--rest", "--depth", "--transversal", "--longitudinal"});
    else
        valued.insert({"--approach", "--feed"});
    return valued;
}

int WholeNumber(const std::string& option, const std::string& text, int low, int high) {
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high)
        throw UsageError{"option " + option + " takes a whole number from " + std::to_string(low) +
                         " to " + std::to_string(high) + ", not '" + text + "'"};
    return value;
}

// The control the program is written for and how, refusing a choice the control cannot take.
NcDialectOptions ReadDialectOptions(const ParsedOptions& options) {
    NcDialect dialect = NcDialect::Generic;
    if (auto name = options.Value("--dialect")) {
        std::optional<NcDialect> named = DialectNamed(*name);
        if (!named)
            throw UsageError{"option --dialect takes generic, linuxcnc or fanuc, not '" + *name +
                             "'"};
        dialect = *named;
    }
    NcDialectOptions result = DefaultDialectOptions(dialect);
    if (options.Flag("--diameter") && options.Flag("--radius"))
        throw UsageError{"options --diameter and --radius exclude each other"};
    if (options.Flag("--diameter"))
        result.Diameter = true;
    if (options.Flag("--radius"))
        result.Diameter = false;
    bool fanuc = dialect == NcDialect::Fanuc;
    if (auto number = options.Value("--program-number")) {
        if (!fanuc)
            throw UsageError{"option --program-number is for the fanuc dialect"};
        result.ProgramNumber = WholeNumber("--program-number", *number, 1, 9999);
    }
    if (auto code = options.Value("--door-code")) {
        if (!fanuc)
            throw UsageError{"option --door-code is for the fanuc dialect"};
        result.DoorCode = *code;
    }
    if (std::optional<std::string> refusal = DialectRefusal(result, options.Flag("--door")))
        throw UsageError{*refusal};
    return result;
}

// The machine's limits as the options give them (numbers above 0), else the defaults.
MachineLimits ReadMachineLimits(const ParsedOptions& options) {
    MachineLimits limits;
    for (auto [option, limit] : {std::pair{"--max-spindle-speed", &limits.MaxSpindleSpeed},
                                 std::pair{"--max-feed", &limits.MaxFeed}}) {
        std::optional<std::string> text = options.Value(option);
        if (!text)
            continue;
        try {
            *limit = TextToFloat(*text, '.');
        } catch (const ConversionError&) {
            *limit = 0;
        }
        if (!(*limit > 0))
            throw UsageError{"option " + std::string(option) + " takes a number above 0, not '" +
                             *text + "'"};
    }
    return limits;
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
        if (kind == JobKind::Roughing) {
            Roughing = {options.Required("--safe"),        options.Required("--offset"),
                        options.Required("--rest"),        options.Required("--depth"),
                        options.Required("--transversal"), options.Required("--longitudinal"),
                        options.Required("--speed")};
            RoughingOperations =
                QueuedOperations<TRoughingQueue>(options.Required("--ops"), RoughingOperationOf);
        } else {
            Finishing = {options.Required("--safe"), options.Required("--offset"),
                         options.Required("--approach"), options.Required("--feed"),
                         options.Required("--speed")};
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
            return RoughingJobOf(Roughing, RoughingOperations, left, right, '.', OptionCaptions);
        return FinishingJobOf(Finishing, FinishingOperations, left, right, '.', OptionCaptions);
    }

private:
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

// The stock companion's profile after the toolpath has cut it move by move, each move with the
// knife that makes it.
std::vector<TPoint> SimulatedStock(const TShaft& stock, const TToolpath& toolpath) {
    TSimulation simulation(toolpath, TMaterial(ProfileChain(stock)));
    RunMoveByMove(simulation);
    return simulation.Stock();
}

std::vector<std::string> StockCsv(const std::vector<TPoint>& stock) {
    std::vector<std::string> rows = {"X,Y"};
    for (const TPoint& p : stock)
        rows.push_back(FloatToText(p.X) + "," + FloatToText(p.Y));
    return rows;
}

// With --check the verdict on the toolpath goes to `err`; with --strict it goes there only when a
// knife collides, and then the toolpath fails.
bool PassesCheck(const ParsedOptions& options, const TToolpath& toolpath, const TShaft& part,
                 const TShaft& stock, std::ostream& err) {
    bool check = options.Flag("--check");
    bool strict = options.Flag("--strict");
    if (!check && !strict)
        return true;
    CheckResult result = CheckToolpath(toolpath, part, stock);
    if (check || result.HasCollision())
        for (const std::string& line : VerdictReport(result))
            err << line << '\n';
    return !(strict && result.HasCollision());
}

int RunJob(JobKind kind, const std::vector<std::string>& arguments, std::ostream& out,
           std::ostream& err) {
    ParsedOptions options(arguments, ValuedOptions(kind), Flags);
    // Usage is checked in full before any file is read.
    JobOptions job(kind, options);
    NcDialectOptions dialect = ReadDialectOptions(options);
    MachineLimits limits = ReadMachineLimits(options);

    TShaft part;
    TShaft stock;
    if (!LoadModelFiles(options.Positional(), part, stock, err))
        return ExitFailure;
    TToolpath toolpath = BuildToolpath(part, stock, job.Job(), job.Name());
    RequireWithinLimits(toolpath, limits);
    if (!PassesCheck(options, toolpath, part, stock, err))
        return ExitCollision;
    NcProgramOptions programOptions{options.Flag("--coolant"), options.Flag("--anticlockwise"),
                                    options.Flag("--door")};
    std::vector<std::string> program =
        NcProgramText(NcProgramBlocks(toolpath, programOptions), dialect);
    std::vector<TPoint> simulatedStock;
    if (options.Value("--stock-csv") || options.Value("--stock-out"))
        simulatedStock = SimulatedStock(stock, toolpath);

    if (auto file = options.Value("--path-csv"))
        WriteTextLinesAtomically(*file, PathCsv(toolpath.PathPoints));
    if (auto file = options.Value("--stock-csv"))
        WriteTextLinesAtomically(*file, StockCsv(simulatedStock));
    if (auto file = options.Value("--stock-out"))
        SaveStockFile(*file, simulatedStock);
    if (auto file = options.Value("-o")) {
        WriteTextLinesAtomically(*file, program);
    } else {
        for (const std::string& line : program)
            out << line << '\n';
    }
    return ExitOk;
}

} // namespace

int RunRough(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    return RunJob(JobKind::Roughing, arguments, out, err);
}

int RunFinish(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    return RunJob(JobKind::Finishing, arguments, out, err);
}

} // namespace torvex
