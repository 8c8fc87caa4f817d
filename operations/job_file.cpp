#include "operations/job_file.h"

#include "geometry/element.h"
#include "operations/job_fields.h"
#include "operations/program_generation.h"
#include "operations/toolpath_building.h"
#include "platform/text_file.h"
#include "workspace/operation_queues.h"
#include "workspace/workspace.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <utility>

namespace torvex {

namespace {

using Json = nlohmann::ordered_json;

constexpr const char* Format = "torvex-job";
constexpr int Version = 1;

// A numbered field of a job: its key, the window's name of it and how it must lie.
enum class Quantity : uint8_t { Length, Rate };

struct Field {
    const char* Key;
    const char* Name;
    Sign Must;
    Quantity Is = Quantity::Rate;
};

// ---- writing

Json ToolJson(const JobTool& tool) {
    return {{"tool", tool.Number},
            {"knife", tool.Names.TipName},
            {"support", tool.Names.SupportName},
            {"knife_file", tool.KnifeFile}};
}

template <class Operation> Json Codes(const std::vector<Operation>& operations) {
    Json codes = Json::array();
    for (Operation operation : operations)
        codes.push_back(static_cast<int>(operation));
    return codes;
}

template <class Value> Json Optional(const std::optional<Value>& value) {
    return value ? Json(*value) : Json(nullptr);
}

// The surface speed's two values, null without one.
void AddSurfaceSpeed(Json& toolpath, const std::optional<SurfaceSpeed>& surface) {
    toolpath["surface_speed"] = surface ? Json(surface->MetresPerMinute) : Json(nullptr);
    toolpath["max_spindle_speed"] = surface ? Json(surface->MaxSpindleSpeed) : Json(nullptr);
}

Json ToolpathJson(const JobFile::Toolpath& toolpath) {
    Json json = std::visit(Overloaded{[&](const RoughingJob& j) {
                                          return Json{{"kind", "roughing"},
                                                      {"name", toolpath.Name},
                                                      {"operations", Codes(j.Operations)},
                                                      {"safe", j.SafeZ},
                                                      {"offset", j.Offset},
                                                      {"rest", j.Rest},
                                                      {"depth", j.Depth},
                                                      {"transversal", j.TransversalFeed},
                                                      {"longitudinal", j.LongitudinalFeed},
                                                      {"speed", j.TurningSpeed},
                                                      {"left", ToolJson(j.Left)},
                                                      {"right", ToolJson(j.Right)}};
                                      },
                                      [&](const FinishingJob& j) {
                                          return Json{{"kind", "finishing"},
                                                      {"name", toolpath.Name},
                                                      {"operations", Codes(j.Operations)},
                                                      {"safe", j.SafeZ},
                                                      {"offset", j.Offset},
                                                      {"approach", j.Approach},
                                                      {"feed", j.Feed},
                                                      {"speed", j.TurningSpeed},
                                                      {"left", ToolJson(j.Left)},
                                                      {"right", ToolJson(j.Right)}};
                                      },
                                      [&](const GroovingJob& j) {
                                          return Json{{"kind", "grooving"},
                                                      {"name", toolpath.Name},
                                                      {"operations", Codes(j.Operations)},
                                                      {"safe", j.SafeZ},
                                                      {"rest", j.Rest},
                                                      {"step", Optional(j.Step)},
                                                      {"peck", j.Peck},
                                                      {"plunge", j.PlungeFeed},
                                                      {"feed", j.FinishingFeed},
                                                      {"speed", j.TurningSpeed},
                                                      {"part_at", Optional(j.PartAt)},
                                                      {"final_radius", j.FinalRadius},
                                                      {"tool", ToolJson(j.Tool)}};
                                      },
                                      [&](const ThreadingJob& j) {
                                          return Json{{"kind", "threading"},
                                                      {"name", toolpath.Name},
                                                      {"from", j.From},
                                                      {"to", j.To},
                                                      {"pitch", j.Pitch},
                                                      {"depth", Optional(j.Depth)},
                                                      {"first_cut", Optional(j.FirstCut)},
                                                      {"minimum_cut", j.MinimumCut},
                                                      {"spring_passes", j.SpringPasses},
                                                      {"infeed_angle", j.InfeedAngle},
                                                      {"safe", j.SafeZ},
                                                      {"speed", j.TurningSpeed},
                                                      {"tool", ToolJson(j.Tool)}};
                                      }},
                           toolpath.Job);
    if (std::holds_alternative<RoughingJob>(toolpath.Job) ||
        std::holds_alternative<FinishingJob>(toolpath.Job))
        AddSurfaceSpeed(json, JobSurfaceSpeed(toolpath.Job));
    return json;
}

Json ToolChangeJson(const ToolChangePosition& position) {
    switch (position.Place) {
    case ToolChangePlace::Machine:
        return "machine";
    case ToolChangePlace::Position:
        return Json{{"x", position.X}, {"z", position.Z}};
    case ToolChangePlace::None:
        break;
    }
    return nullptr;
}

Json ProgramJson(const ProgramSettings& settings) {
    const NcDialectOptions& d = settings.Dialect;
    const NcProgramOptions& p = settings.Program;
    return {{"dialect", DialectName(d.Dialect)},
            {"diameter", d.Diameter},
            {"coolant", p.Coolant},
            {"anticlockwise", p.AntiClockwise},
            {"door", p.OpenDoor},
            {"program_number", d.ProgramNumber},
            {"door_code", d.DoorCode},
            {"tool_change", ToolChangeJson(p.ToolChange)}};
}

// ---- reading

// One object of the file with the path that names it in messages ("toolpaths[1]").
class Reader {
public:
    Reader(const Json& object, std::string path) : Object(object), Path(std::move(path)) {}

    bool Has(const char* key) const {
        if (!Object.is_object())
            Fail(Path, "must be an object");
        return Object.contains(key);
    }
    const Json& At(const char* key) const {
        if (!Object.is_object())
            Fail(Path, "must be an object");
        auto found = Object.find(key);
        if (found == Object.end())
            throw JobFileError("The job file lacks the field " + Name(key) + ".");
        return *found;
    }
    // A number that may be missing or null: nothing then.
    std::optional<double> OptionalNumber(const char* key) const {
        if (!Object.is_object() || !Object.contains(key) || Object[key].is_null())
            return std::nullopt;
        return Number(key);
    }
    double Number(const char* key) const {
        const Json& value = At(key);
        if (!value.is_number())
            Fail(Name(key), "must be a number");
        return value.get<double>();
    }
    double Checked(const Field& field) const {
        try {
            double value = Number(field.Key);
            return field.Is == Quantity::Length ? CheckedLength(value, field.Name, field.Must)
                                                : CheckedValue(value, field.Name, field.Must);
        } catch (const OperationError& error) {
            throw JobFileError("The job file's field " + Name(field.Key) + ": " + error.what());
        }
    }
    int Whole(const char* key, int low, int high) const {
        const Json& value = At(key);
        if (!value.is_number_integer() || value.get<long long>() < low ||
            value.get<long long>() > high)
            Fail(Name(key), "must be a whole number from " + std::to_string(low) + " to " +
                                std::to_string(high));
        return value.get<int>();
    }
    bool Boolean(const char* key) const {
        const Json& value = At(key);
        if (!value.is_boolean())
            Fail(Name(key), "must be true or false");
        return value.get<bool>();
    }
    std::string Text(const char* key) const {
        const Json& value = At(key);
        if (!value.is_string())
            Fail(Name(key), "must be a text");
        return value.get<std::string>();
    }
    std::vector<std::string> Texts(const char* key) const {
        const Json& value = At(key);
        if (!value.is_array())
            Fail(Name(key), "must be a list of texts");
        std::vector<std::string> texts;
        for (size_t k = 0; k < value.size(); ++k) {
            if (!value[k].is_string())
                Fail(Name(key) + "[" + std::to_string(k) + "]", "must be a text");
            texts.push_back(value[k].get<std::string>());
        }
        return texts;
    }
    // A number as Checked reads it, or nothing for null.
    std::optional<double> CheckedOrNull(const Field& field) const {
        if (At(field.Key).is_null())
            return std::nullopt;
        return Checked(field);
    }
    Reader Nested(const char* key) const { return Reader(At(key), Name(key)); }
    std::string Name(const char* key) const { return Path.empty() ? key : Path + "." + key; }
    const std::string& Where() const { return Path; }

    [[noreturn]] static void Fail(const std::string& name, const std::string& what) {
        throw JobFileError("The job file's field " + name + " " + what + ".");
    }

private:
    const Json& Object;
    std::string Path;
};

// The surface speed: absent or null for none (files written before it was kept have neither).
std::optional<SurfaceSpeed> ReadSurfaceSpeed(const Reader& r) {
    auto value = [&r](const char* key, const char* name) -> std::optional<double> {
        if (!r.OptionalNumber(key))
            return std::nullopt;
        return r.Checked({key, name, Sign::Positive});
    };
    std::optional<double> surface = value("surface_speed", "Surface speed");
    std::optional<double> maximum = value("max_spindle_speed", "Max spindle speed");
    // The one that is missing is named.
    try {
        return CheckedSurfaceSpeed(surface, maximum);
    } catch (const OperationError& error) {
        throw JobFileError("The job file's field " +
                           r.Name(surface ? "max_spindle_speed" : "surface_speed") + ": " +
                           error.what());
    }
}

JobTool ReadTool(const Reader& r) {
    JobTool tool;
    tool.Number = r.Whole("tool", 0, 20);
    tool.Names.TipName = r.Text("knife");
    tool.Names.SupportName = r.Text("support");
    tool.KnifeFile = r.Texts("knife_file");
    return tool;
}

// The operation codes, each allowed by the window's queue after the ones before it.
template <class Queue, class OperationOf>
auto ReadOperations(const Reader& r, OperationOf operationOf) {
    const Json& codes = r.At("operations");
    std::string name = r.Name("operations");
    if (!codes.is_array())
        Reader::Fail(name, "must be a list of operation codes");
    Queue queue;
    for (size_t k = 0; k < codes.size(); ++k) {
        auto operation = codes[k].is_number_integer() && codes[k].get<long long>() >= 0 &&
                                 codes[k].get<long long>() <= 255
                             ? operationOf(codes[k].get<int>())
                             : std::nullopt;
        if (!operation || !queue.Add(*operation))
            Reader::Fail(name + "[" + std::to_string(k) + "]",
                         "is not an operation that can be queued there");
    }
    if (queue.Codes.empty())
        Reader::Fail(name, "queues no operation");
    return queue.Codes;
}

GroovingJob ReadGrooving(const Reader& r) {
    GroovingJob job;
    job.Operations = ReadOperations<TGroovingQueue>(r, GroovingOperationOf);
    job.SafeZ = r.Checked({"safe", "Safe Z", Sign::Positive, Quantity::Length});
    job.Rest = r.Checked({"rest", "Finishing rest", Sign::NotNegative, Quantity::Length});
    job.Step = r.CheckedOrNull({"step", "Step", Sign::Positive, Quantity::Length});
    job.Peck = r.Checked({"peck", "Peck depth", Sign::NotNegative, Quantity::Length});
    job.PlungeFeed = r.Checked({"plunge", "Plunge speed", Sign::Positive});
    job.TurningSpeed = r.Checked({"speed", "Turning speed", Sign::Positive});
    auto queues = [&job](GroovingOperation operation) {
        return std::find(job.Operations.begin(), job.Operations.end(), operation) !=
               job.Operations.end();
    };
    // As the window reads it: the finishing speed only for the grooves' finishing pass.
    job.FinishingFeed =
        r.Checked({"feed", "Finishing speed",
                   queues(GroovingOperation::Grooves) ? Sign::Positive : Sign::NotNegative});
    if (queues(GroovingOperation::PartOff) || !r.At("part_at").is_null())
        job.PartAt = r.Checked({"part_at", "Part off at Z", Sign::Any, Quantity::Length});
    job.FinalRadius =
        r.Checked({"final_radius", "Final radius", Sign::NotNegative, Quantity::Length});
    job.Tool = ReadTool(r.Nested("tool"));
    return job;
}

ThreadingJob ReadThreading(const Reader& r) {
    ThreadingJob job;
    job.From = r.Checked({"from", "Thread from Z", Sign::Any, Quantity::Length});
    job.To = r.Checked({"to", "Thread to Z", Sign::Any, Quantity::Length});
    job.Pitch = r.Checked({"pitch", "Pitch", Sign::Positive, Quantity::Length});
    job.Depth = r.CheckedOrNull({"depth", "Thread depth", Sign::Positive, Quantity::Length});
    job.FirstCut =
        r.CheckedOrNull({"first_cut", "First cut depth", Sign::Positive, Quantity::Length});
    job.MinimumCut = r.Checked({"minimum_cut", "Minimum cut", Sign::Positive, Quantity::Length});
    job.SpringPasses = r.Whole("spring_passes", 0, MostSpringPasses);
    job.InfeedAngle = r.Checked({"infeed_angle", "Infeed angle", Sign::NotNegative});
    try {
        RequireThreadingCounts(job.SpringPasses, job.InfeedAngle);
    } catch (const OperationError& error) {
        throw JobFileError("The job file's field " + r.Name("infeed_angle") + ": " + error.what());
    }
    job.SafeZ = r.Checked({"safe", "Safe Z", Sign::Positive, Quantity::Length});
    job.TurningSpeed = r.Checked({"speed", "Turning speed", Sign::Positive});
    job.Tool = ReadTool(r.Nested("tool"));
    return job;
}

JobFile::Toolpath ReadToolpath(const Reader& r) {
    JobFile::Toolpath toolpath;
    std::string kind = r.Text("kind");
    toolpath.Name = r.Text("name");
    if (kind == "roughing") {
        RoughingJob job;
        job.Operations = ReadOperations<TRoughingQueue>(r, RoughingOperationOf);
        job.SafeZ = r.Checked({"safe", "Safe Z", Sign::Positive, Quantity::Length});
        job.Offset = r.Checked({"offset", "Offset", Sign::NotNegative, Quantity::Length});
        job.Rest = r.Checked({"rest", "Finishing rest", Sign::NotNegative, Quantity::Length});
        job.Depth = r.Checked({"depth", "Cutting depth", Sign::Positive, Quantity::Length});
        job.TransversalFeed = r.Checked({"transversal", "Transversal speed", Sign::Positive});
        job.LongitudinalFeed = r.Checked({"longitudinal", "Longitudinal speed", Sign::Positive});
        job.TurningSpeed = r.Checked({"speed", "Turning speed", Sign::Positive});
        job.Surface = ReadSurfaceSpeed(r);
        job.Left = ReadTool(r.Nested("left"));
        job.Right = ReadTool(r.Nested("right"));
        toolpath.Job = std::move(job);
    } else if (kind == "finishing") {
        FinishingJob job;
        job.Operations = ReadOperations<TFinishingQueue>(r, FinishingOperationOf);
        job.SafeZ = r.Checked({"safe", "Safe Z", Sign::Positive, Quantity::Length});
        job.Offset = r.Checked({"offset", "Offset", Sign::NotNegative, Quantity::Length});
        job.Approach = r.Checked({"approach", "StartXOffset", Sign::NotNegative, Quantity::Length});
        job.Feed = r.Checked({"feed", "Cutting speed", Sign::Positive});
        job.TurningSpeed = r.Checked({"speed", "Turning speed", Sign::Positive});
        job.Surface = ReadSurfaceSpeed(r);
        job.Left = ReadTool(r.Nested("left"));
        job.Right = ReadTool(r.Nested("right"));
        toolpath.Job = std::move(job);
    } else if (kind == "grooving") {
        toolpath.Job = ReadGrooving(r);
    } else if (kind == "threading") {
        toolpath.Job = ReadThreading(r);
    } else {
        Reader::Fail(r.Name("kind"), "must be \"roughing\", \"finishing\", \"grooving\" or "
                                     "\"threading\", not \"" +
                                         kind + "\"");
    }
    try {
        bool oneTool = std::holds_alternative<ThreadingJob>(toolpath.Job) ||
                       std::holds_alternative<GroovingJob>(toolpath.Job);
        RequireTools(toolpath.Job, oneTool ? ToolCaptions{{"tool.knife_file", "tool.knife_file"},
                                                          {"tool.tool", "tool.tool"},
                                                          true}
                                           : ToolCaptions{{"left.knife_file", "right.knife_file"},
                                                          {"left.tool", "right.tool"}});
    } catch (const OperationError& error) {
        throw JobFileError("The job file's " + r.Where() + ": " + error.what());
    }
    return toolpath;
}

ToolChangePosition ReadToolChange(const Reader& r) {
    const Json& value = r.At("tool_change");
    ToolChangePosition position;
    if (value.is_null())
        return position;
    if (value.is_string() && value.get<std::string>() == "machine") {
        position.Place = ToolChangePlace::Machine;
        return position;
    }
    if (!value.is_object())
        Reader::Fail(r.Name("tool_change"), "must be null, \"machine\" or {\"x\": X, \"z\": Z}");
    Reader place = r.Nested("tool_change");
    position.Place = ToolChangePlace::Position;
    position.X = place.Checked({"x", "Tool change X", Sign::Positive, Quantity::Length});
    position.Z = place.Checked({"z", "Tool change Z", Sign::Any, Quantity::Length});
    return position;
}

ProgramSettings ReadProgram(const Reader& r) {
    ProgramSettings settings;
    std::string dialect = r.Text("dialect");
    std::optional<NcDialect> named = DialectNamed(dialect);
    if (!named)
        Reader::Fail(r.Name("dialect"),
                     "must be \"generic\", \"linuxcnc\" or \"fanuc\", not \"" + dialect + "\"");
    settings.Dialect.Dialect = *named;
    settings.Dialect.Diameter = r.Boolean("diameter");
    settings.Dialect.ProgramNumber = r.Whole("program_number", 1, 9999);
    settings.Dialect.DoorCode = r.Text("door_code");
    settings.Program.Coolant = r.Boolean("coolant");
    settings.Program.AntiClockwise = r.Boolean("anticlockwise");
    settings.Program.OpenDoor = r.Boolean("door");
    settings.Program.ToolChange = ReadToolChange(r);
    if (std::optional<std::string> refusal = DialectRefusal(settings.Dialect, settings.Program))
        throw JobFileError("The job file's program cannot be written: " + *refusal);
    return settings;
}

// A shaft from its element records, as a model file loads; a record that cannot be read is named.
TShaft ShaftOf(const std::vector<std::string>& records, const char* key) {
    for (size_t k = 0; k < records.size(); ++k) {
        TObj element;
        try {
            ParseText(element, records[k]);
        } catch (const std::exception& error) {
            throw JobFileError("The job file's " + std::string(key) + "[" + std::to_string(k) +
                               "] is not an element record: " + error.what());
        }
    }
    TShaft shaft;
    shaft.LoadFromLines(records);
    if (shaft.Points.Empty())
        throw JobFileError("The job file's " + std::string(key) + " has no line or arc.");
    if (!(shaft.Length > 0))
        throw JobFileError("The job file's " + std::string(key) + ": " + ProfileWithoutLengthText +
                           ".");
    return shaft;
}

std::vector<std::string> Records(const TModel& model) {
    std::vector<std::string> records;
    for (const TObj& element : model.Elements)
        if (element.IsLine() || element.IsArc())
            records.push_back(ElementText(element));
    return records;
}

Json SetupJson(const Setup& setup) {
    return {{"holding", setup.Holding == WorkHolding::Chuck ? "chuck" : "centres"},
            {"jaw_face", setup.JawFace ? Json(*setup.JawFace) : Json(nullptr)},
            {"jaw_clearance", setup.JawClearance},
            {"zero", setup.Zero == ProgramZero::FreeEnd ? "free_end" : "profile"}};
}

// A job without a setup, or a setup without a field, takes the field's default: between centres,
// the jaw face at the stock's left end, 3 mm clearance, program zero at the profile's origin.
Setup ReadSetup(const Json& file) {
    Setup setup;
    if (!file.contains("setup"))
        return setup;
    Reader r(file["setup"], "setup");
    if (r.Has("holding")) {
        std::string holding = r.Text("holding");
        if (holding != "centres" && holding != "chuck")
            Reader::Fail(r.Name("holding"),
                         "must be \"centres\" or \"chuck\", not \"" + holding + "\"");
        setup.Holding = holding == "chuck" ? WorkHolding::Chuck : WorkHolding::BetweenCentres;
    }
    if (r.Has("jaw_face") && !r.At("jaw_face").is_null())
        setup.JawFace = r.Checked({"jaw_face", "Jaw face at x", Sign::Any, Quantity::Length});
    if (r.Has("jaw_clearance"))
        setup.JawClearance =
            r.Checked({"jaw_clearance", "Jaw clearance", Sign::NotNegative, Quantity::Length});
    if (r.Has("zero")) {
        std::string zero = r.Text("zero");
        if (zero != "profile" && zero != "free_end")
            Reader::Fail(r.Name("zero"),
                         "must be \"profile\" or \"free_end\", not \"" + zero + "\"");
        setup.Zero = zero == "free_end" ? ProgramZero::FreeEnd : ProgramZero::ProfileOrigin;
    }
    return setup;
}

} // namespace

std::string JobFileText(const JobFile& job) {
    Json toolpaths = Json::array();
    for (const JobFile::Toolpath& toolpath : job.Toolpaths)
        toolpaths.push_back(ToolpathJson(toolpath));
    Json file{{"format", Format},
              {"version", Version},
              {"model_name", job.ModelName},
              {"part", job.Part},
              {"stock", job.Stock},
              {"toolpaths", toolpaths},
              {"program", ProgramJson(job.Program)},
              {"setup", SetupJson(job.Setup)}};
    return file.dump(2);
}

JobFile ReadJobFileText(std::string_view text) {
    Json file;
    try {
        file = Json::parse(text);
    } catch (const Json::parse_error& error) {
        throw JobFileError(std::string("The file is not a job file: it is not JSON (") +
                           error.what() + ").");
    }
    Reader r(file, "");
    if (!file.is_object() || !file.contains("format") || file["format"] != Format)
        throw JobFileError("The file is not a job file: its \"format\" is not \"torvex-job\".");
    if (!file.contains("version") || file["version"] != Version)
        throw JobFileError("The job file is of another version than 1, which this program reads.");
    JobFile job;
    job.ModelName = r.Text("model_name");
    job.Part = r.Texts("part");
    job.Stock = r.Texts("stock");
    const Json& toolpaths = r.At("toolpaths");
    if (!toolpaths.is_array())
        Reader::Fail("toolpaths", "must be a list");
    if (toolpaths.size() > Workspace::MaxToolpaths)
        Reader::Fail("toolpaths", "holds more than 255 toolpaths");
    for (size_t k = 0; k < toolpaths.size(); ++k)
        job.Toolpaths.push_back(
            ReadToolpath(Reader(toolpaths[k], "toolpaths[" + std::to_string(k) + "]")));
    job.Program = ReadProgram(r.Nested("program"));
    job.Setup = ReadSetup(file);
    return job;
}

void SaveJobFile(const std::filesystem::path& file, const JobFile& job) {
    std::vector<std::string> lines;
    std::string text = JobFileText(job);
    size_t start = 0;
    for (size_t end = text.find('\n'); end != std::string::npos;
         start = end + 1, end = text.find('\n', start))
        lines.push_back(text.substr(start, end - start));
    lines.push_back(text.substr(start));
    WriteTextLinesAtomically(file, lines);
}

JobFile ReadJobFile(const std::filesystem::path& file) {
    std::string text;
    for (const std::string& line : ReadTextLines(file))
        text += line + "\n";
    return ReadJobFileText(text);
}

JobFile JobOfWorkspace(const Workspace& workspace, const ProgramSettings& program) {
    JobFile job;
    job.ModelName = workspace.ModelName;
    job.Part = Records(workspace.Shaft);
    job.Stock = Records(workspace.StockShaft);
    for (const auto& toolpath : workspace.Toolpaths)
        job.Toolpaths.push_back({toolpath->Name, toolpath->Job});
    job.Program = program;
    job.Setup = workspace.Setup;
    return job;
}

OpenedJob OpenJob(const JobFile& job) {
    OpenedJob opened;
    opened.ModelName = job.ModelName;
    opened.Part = ShaftOf(job.Part, "part");
    opened.Stock = ShaftOf(job.Stock, "stock");
    opened.Program = job.Program;
    opened.Setup = job.Setup;
    for (const JobFile::Toolpath& toolpath : job.Toolpaths) {
        try {
            opened.Toolpaths.push_back(std::make_unique<TToolpath>(BuildToolpath(
                opened.Part, opened.Stock, toolpath.Job, toolpath.Name, opened.Setup)));
        } catch (const std::exception& error) {
            throw JobFileError("The job file's toolpath \"" + toolpath.Name +
                               "\" cannot be built: " + error.what());
        }
    }
    std::vector<const TToolpath*> toolpaths;
    for (const auto& t : opened.Toolpaths)
        toolpaths.push_back(t.get());
    if (std::optional<std::string> refusal = ToolChangeRefusal(
            job.Program.Program.ToolChange, opened.Stock, LargestSafeDistance(toolpaths)))
        throw JobFileError("The job file's program.tool_change: " + *refusal);
    return opened;
}

void UseJob(Workspace& workspace, OpenedJob job) {
    workspace.DiscardToolpaths();
    workspace.ModelFile.clear();
    workspace.ModelName = std::move(job.ModelName);
    workspace.Shaft = std::move(job.Part);
    workspace.StockShaft = std::move(job.Stock);
    workspace.SimStock = workspace.StockShaft;
    workspace.SceneScale = workspace.Shaft.Length;
    workspace.Toolpaths = std::move(job.Toolpaths);
    workspace.Setup = job.Setup;
}

} // namespace torvex
