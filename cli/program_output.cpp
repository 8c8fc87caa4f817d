#include "cli/program_output.h"

#include "checking/toolpath_check.h"
#include "checking/verdict.h"
#include "cli/commands.h"
#include "geometry/model_files.h"
#include "geometry/number_text.h"
#include "operations/job_fields.h"
#include "operations/program_generation.h"
#include "operations/toolpath_building.h"
#include "platform/errors.h"
#include "platform/text_file.h"
#include "simulation/move_by_move.h"

#include <algorithm>
#include <charconv>
#include <ostream>

namespace torvex {

const std::set<std::string> ProgramValuedOptions = {
    "-o",          "--dialect",  "--program-number", "--door-code", "--tool-change",
    "--stock-out", "--chuck-at", "--jaw-clearance",  "--zero",      "--max-spindle-speed",
    "--max-feed"};
const std::set<std::string> ProgramFlags = {"--coolant", "--anticlockwise", "--door",  "--diameter",
                                            "--radius",  "--check",         "--strict"};

namespace {

// "X,Z" (a radius and an axial position, numbers with a decimal point), "machine" or "none".
ToolChangePosition ReadToolChange(const std::string& text) {
    ToolChangePosition position;
    if (text == "machine") {
        position.Place = ToolChangePlace::Machine;
        return position;
    }
    if (text == "none")
        return position;
    size_t comma = text.find(',');
    try {
        if (comma == std::string::npos)
            throw std::invalid_argument(text);
        position.X = TextToFloat(text.substr(0, comma), '.');
        position.Z = TextToFloat(text.substr(comma + 1), '.');
    } catch (const std::exception&) {
        throw UsageError{"option --tool-change takes X,Z (a radius and an axial position), machine "
                         "or none, not '" +
                         text + "'"};
    }
    CheckedLength(position.X, "Tool change X", Sign::Positive);
    CheckedLength(position.Z, "Tool change Z", Sign::Any);
    position.Place = ToolChangePlace::Position;
    return position;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end = text.find('\n'); end != std::string::npos;
         start = end + 1, end = text.find('\n', start))
        lines.push_back(text.substr(start, end - start));
    lines.push_back(text.substr(start));
    return lines;
}

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

} // namespace

int WholeNumber(const std::string& option, const std::string& text, int low, int high) {
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high)
        throw UsageError{"option " + option + " takes a whole number from " + std::to_string(low) +
                         " to " + std::to_string(high) + ", not '" + text + "'"};
    return value;
}

ProgramSettings ReadProgramSettings(const ParsedOptions& options, ProgramSettings settings) {
    NcDialectOptions& dialect = settings.Dialect;
    NcProgramOptions& program = settings.Program;
    if (auto name = options.Value("--dialect")) {
        std::optional<NcDialect> named = DialectNamed(*name);
        if (!named)
            throw UsageError{"option --dialect takes generic, linuxcnc or fanuc, not '" + *name +
                             "'"};
        if (*named != dialect.Dialect) {
            NcDialectOptions defaults = DefaultDialectOptions(*named);
            dialect.Dialect = *named;
            dialect.Diameter = defaults.Diameter;
            program.ToolChange = DefaultToolChange(*named);
        }
    }
    if (options.Flag("--diameter") && options.Flag("--radius"))
        throw UsageError{"options --diameter and --radius exclude each other"};
    if (options.Flag("--diameter"))
        dialect.Diameter = true;
    if (options.Flag("--radius"))
        dialect.Diameter = false;
    bool fanuc = dialect.Dialect == NcDialect::Fanuc;
    if (auto number = options.Value("--program-number")) {
        if (!fanuc)
            throw UsageError{"option --program-number is for the fanuc dialect"};
        dialect.ProgramNumber = WholeNumber("--program-number", *number, 1, 9999);
    }
    if (auto code = options.Value("--door-code")) {
        if (!fanuc)
            throw UsageError{"option --door-code is for the fanuc dialect"};
        dialect.DoorCode = *code;
    }
    if (auto place = options.Value("--tool-change"))
        program.ToolChange = ReadToolChange(*place);
    for (auto [option, limit] : {std::pair{"--max-spindle-speed", &settings.Limits.MaxSpindleSpeed},
                                 std::pair{"--max-feed", &settings.Limits.MaxFeed}}) {
        std::optional<std::string> text = options.Value(option);
        if (!text)
            continue;
        try {
            *limit = TextToFloat(*text, '.');
        } catch (const ConversionError&) {
            *limit = 0;
        }
        if (!(*limit > 0) || !(*limit < 1e9))
            throw UsageError{"option " + std::string(option) + " takes a number above 0, not '" +
                             *text + "'"};
    }
    program.Coolant |= options.Flag("--coolant");
    program.AntiClockwise |= options.Flag("--anticlockwise");
    program.OpenDoor |= options.Flag("--door");
    if (std::optional<std::string> refusal = DialectRefusal(dialect, program))
        throw UsageError{*refusal};
    return settings;
}

Setup ReadSetup(const ParsedOptions& options, Setup setup) {
    auto number = [&options](const char* option) {
        try {
            return TextToFloat(*options.Value(option), '.');
        } catch (const std::exception&) {
            throw UsageError{std::string("option ") + option +
                             " takes a number with a decimal point, not '" +
                             *options.Value(option) + "'"};
        }
    };
    if (options.Value("--chuck-at")) {
        setup.Holding = WorkHolding::Chuck;
        setup.JawFace = CheckedLength(number("--chuck-at"), "Jaw face at x", Sign::Any);
    }
    if (options.Value("--jaw-clearance"))
        setup.JawClearance =
            CheckedLength(number("--jaw-clearance"), "Jaw clearance", Sign::NotNegative);
    if (auto zero = options.Value("--zero")) {
        if (*zero != "free-end" && *zero != "profile")
            throw UsageError{"option --zero takes free-end or profile, not '" + *zero + "'"};
        setup.Zero = *zero == "free-end" ? ProgramZero::FreeEnd : ProgramZero::ProfileOrigin;
    }
    return setup;
}

int WriteProgram(const ParsedOptions& options, std::span<const TToolpath* const> toolpaths,
                 bool wholeJob, const ProgramSettings& settings, const Setup& setup,
                 const TShaft& part, const TShaft& stock, std::ostream& out, std::ostream& err) {
    GeneratedProgram generated = GenerateProgram(toolpaths, wholeJob, settings, setup, part, stock);
    const NcProgram& program = generated.Program;
    bool check = options.Flag("--check");
    bool strict = options.Flag("--strict");
    if (check || strict) {
        PlaceTerms places{ProgramZeroX(setup, part), settings.Dialect.Diameter};
        std::vector<CheckResult> results =
            CheckProgramToolpaths(toolpaths, part, stock, {program.Numbers, places}, setup);
        bool collides = wholeJob
                            ? std::any_of(results.begin(), results.end(),
                                          [](const CheckResult& r) { return r.HasCollision(); })
                            : results.back().HasCollision();
        std::vector<std::string> report = wholeJob
                                              ? Lines(JobVerdictText(toolpaths, results, places))
                                              : VerdictReport(results.back(), places);
        if (check || collides)
            for (const std::string& line : report)
                err << line << '\n';
        if (strict && collides)
            return ExitCollision;
    }
    const std::vector<std::string>& text = generated.Text;
    if (auto file = options.Value("--path-csv"))
        WriteTextLinesAtomically(*file, PathCsv(toolpaths.back()->PathPoints));
    if (options.Value("--stock-csv") || options.Value("--stock-out")) {
        PointChain machined = MachinedStock(toolpaths, TMaterial(ProfileChain(stock))).Profile();
        if (auto file = options.Value("--stock-csv"))
            WriteTextLinesAtomically(*file, StockCsv(machined));
        if (auto file = options.Value("--stock-out"))
            SaveStockFile(*file, machined);
    }
    if (auto file = options.Value("-o")) {
        WriteTextLinesAtomically(*file, text);
    } else {
        for (const std::string& line : text)
            out << line << '\n';
    }
    return ExitOk;
}

} // namespace torvex
