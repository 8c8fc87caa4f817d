#include "operations/job_fields.h"

#include "geometry/number_text.h"
#include "operations/toolpath_building.h"
#include "platform/errors.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace torvex {

namespace {

// A field a machine depends on, converted and checked before anything is built: a negative depth
// would plunge through the whole stock at once, a negative feed run the times backwards.
double MachineField(const std::string& text, char separator, const char* name, Sign sign) {
    double value = 0;
    try {
        value = TextToFloat(text, separator);
    } catch (const ConversionError& error) {
        throw ConversionError(name, error);
    }
    return CheckedValue(value, name, sign);
}

double LengthField(const std::string& text, char separator, const char* name, Sign sign) {
    return CheckedLength(MachineField(text, separator, name, sign), name, sign);
}

// "left tool", "right tool", or "tool" for a job with one tool.
const char* SideName(ToolSide side, const ToolCaptions& captions) {
    if (captions.OneTool)
        return "tool";
    return side == ToolSide::Left ? "left tool" : "right tool";
}

std::string Parameter(const char* caption, double value, char separator) {
    return std::string(caption) + FloatToText(value, separator);
}

bool IsBlank(const std::string& text) {
    return text.find_first_not_of(" \t") == std::string::npos;
}

bool Queues(const std::vector<GroovingOperation>& operations, GroovingOperation operation) {
    return std::find(operations.begin(), operations.end(), operation) != operations.end();
}

// A field that may stay empty (blanks count as empty): nothing then, else its number.
std::optional<double> OptionalField(const std::string& text, char separator, const char* name) {
    if (IsBlank(text))
        return std::nullopt;
    try {
        return TextToFloat(text, separator);
    } catch (const ConversionError& error) {
        throw ConversionError(name, error);
    }
}

std::optional<SurfaceSpeed> SurfaceSpeedFields(const std::string& surface, const std::string& max,
                                               char separator) {
    return CheckedSurfaceSpeed(OptionalField(surface, separator, "Surface speed"),
                               OptionalField(max, separator, "Max spindle speed"));
}

void AddSurfaceSpeed(std::vector<std::string>& texts, const std::optional<SurfaceSpeed>& surface,
                     char separator) {
    if (!surface)
        return;
    texts.push_back(Parameter("Surface speed : ", surface->MetresPerMinute, separator));
    texts.push_back(Parameter("Max spindle speed : ", surface->MaxSpindleSpeed, separator));
}

} // namespace

double CheckedValue(double value, const char* name, Sign sign) {
    if (sign == Sign::Positive && !(value > 0))
        throw OperationError(std::string(name) + " must be greater than 0.");
    if (sign == Sign::NotNegative && !(value >= 0))
        throw OperationError(std::string(name) + " must not be negative.");
    if (!std::isfinite(value))
        throw OperationError(std::string(name) + " must be a number.");
    return value;
}

std::optional<SurfaceSpeed> CheckedSurfaceSpeed(std::optional<double> metresPerMinute,
                                                std::optional<double> maxSpindleSpeed) {
    if (!metresPerMinute && !maxSpindleSpeed)
        return std::nullopt;
    if (!maxSpindleSpeed)
        throw OperationError(SurfaceSpeedWithoutMaximumText);
    if (!metresPerMinute)
        throw OperationError(MaximumWithoutSurfaceSpeedText);
    return SurfaceSpeed{CheckedValue(*metresPerMinute, "Surface speed", Sign::Positive),
                        CheckedValue(*maxSpindleSpeed, "Max spindle speed", Sign::Positive)};
}

double CheckedLength(double value, const char* name, Sign sign) {
    CheckedValue(value, name, sign);
    if (std::fabs(value) > LengthLimit)
        throw OperationError(std::string(name) + " must not exceed " + FloatToText(LengthLimit) +
                             " mm.");
    return value;
}

void RequireTools(const MachiningJob& machining, const ToolCaptions& captions) {
    auto require = [&captions](const JobTool& tool, ToolSide side,
                               const char* needs = "a queued operation") {
        if (tool.KnifeFile.empty())
            throw OperationError(NoKnifeText(side, captions, needs));
        if (tool.Number < 1)
            throw OperationError(NoToolNumberText(side, captions, needs));
    };
    std::visit(Overloaded{[&](const GroovingJob& job) {
                              if (!job.Operations.empty())
                                  require(job.Tool, ToolSide::Left);
                          },
                          [&](const ThreadingJob& job) {
                              require(job.Tool, ToolSide::Left, "the thread");
                          },
                          [&](const auto& job) {
                              for (auto operation : job.Operations)
                                  require(ToolOn(job, ToolOf(operation)), ToolOf(operation));
                          }},
               machining);
}

std::string NoKnifeText(ToolSide side, const ToolCaptions& captions, const char* needs) {
    return std::string("No knife for the ") + SideName(side, captions) + " (" +
           captions.Knife[static_cast<size_t>(side)] + "): " + needs + " needs it.";
}

std::string NoToolNumberText(ToolSide side, const ToolCaptions& captions, const char* needs) {
    return std::string("No tool number for the ") + SideName(side, captions) + " (" +
           captions.Number[static_cast<size_t>(side)] + "): " + needs +
           " needs it; give its library position, 1 to 20.";
}

RoughingJob RoughingJobOf(const TRoughingFields& fields, std::vector<RoughingOperation> operations,
                          JobTool left, JobTool right, char separator,
                          const ToolCaptions& captions) {
    using enum Sign;
    RoughingJob job;
    job.TransversalFeed =
        MachineField(fields.TransversalSpeed, separator, "Transversal speed", Positive);
    job.LongitudinalFeed =
        MachineField(fields.LongitudinalSpeed, separator, "Longitudinal speed", Positive);
    job.TurningSpeed = MachineField(fields.TurningSpeed, separator, "Turning speed", Positive);
    job.SafeZ = LengthField(fields.SafeZ, separator, "Safe Z", Positive);
    job.Offset = LengthField(fields.Offset, separator, "Offset", NotNegative);
    if (!operations.empty()) {
        job.Depth = LengthField(fields.CuttingDepth, separator, "Cutting depth", Positive);
        job.Rest = LengthField(fields.FinishingRest, separator, "Finishing rest", NotNegative);
    }
    job.Surface = SurfaceSpeedFields(fields.SurfaceSpeed, fields.MaxSpindleSpeed, separator);
    job.Operations = std::move(operations);
    job.Left = std::move(left);
    job.Right = std::move(right);
    RequireTools(job, captions);
    return job;
}

FinishingJob FinishingJobOf(const TFinishingFields& fields,
                            std::vector<FinishingOperation> operations, JobTool left, JobTool right,
                            char separator, const ToolCaptions& captions) {
    using enum Sign;
    FinishingJob job;
    job.Feed = MachineField(fields.CuttingSpeed, separator, "Cutting speed", Positive);
    job.TurningSpeed = MachineField(fields.TurningSpeed, separator, "Turning speed", Positive);
    job.SafeZ = LengthField(fields.SafeZ, separator, "Safe Z", Positive);
    job.Offset = LengthField(fields.Offset, separator, "Offset", NotNegative);
    if (!operations.empty())
        job.Approach = LengthField(fields.StartXOffset, separator, "StartXOffset", NotNegative);
    job.Surface = SurfaceSpeedFields(fields.SurfaceSpeed, fields.MaxSpindleSpeed, separator);
    job.Operations = std::move(operations);
    job.Left = std::move(left);
    job.Right = std::move(right);
    RequireTools(job, captions);
    return job;
}

GroovingJob GroovingJobOf(const TGroovingFields& fields, std::vector<GroovingOperation> operations,
                          JobTool tool, char separator, const ToolCaptions& captions) {
    using enum Sign;
    GroovingJob job;
    job.PlungeFeed = MachineField(fields.PlungeSpeed, separator, "Plunge speed", Positive);
    job.TurningSpeed = MachineField(fields.TurningSpeed, separator, "Turning speed", Positive);
    job.SafeZ = LengthField(fields.SafeZ, separator, "Safe Z", Positive);
    if (!operations.empty())
        job.Peck = LengthField(fields.PeckDepth, separator, "Peck depth", NotNegative);
    if (Queues(operations, GroovingOperation::Grooves)) {
        job.FinishingFeed =
            MachineField(fields.FinishingSpeed, separator, "Finishing speed", Positive);
        job.Rest = LengthField(fields.FinishingRest, separator, "Finishing rest", NotNegative);
        if (!IsBlank(fields.Step))
            job.Step = LengthField(fields.Step, separator, "Step", Positive);
    }
    if (Queues(operations, GroovingOperation::PartOff)) {
        job.PartAt = LengthField(fields.PartOffAt, separator, "Part off at Z", Any);
        job.FinalRadius = LengthField(fields.FinalRadius, separator, "Final radius", NotNegative);
    }
    job.Operations = std::move(operations);
    job.Tool = std::move(tool);
    RequireTools(job, captions);
    return job;
}

ThreadingJob ThreadingJobOf(const TThreadingFields& fields, JobTool tool, char separator,
                            const ToolCaptions& captions) {
    using enum Sign;
    ThreadingJob job;
    auto optional = [separator](const std::string& text, const char* name, Sign sign) {
        return IsBlank(text) ? std::nullopt
                             : std::optional<double>(LengthField(text, separator, name, sign));
    };
    job.From = LengthField(fields.From, separator, "Thread from Z", Any);
    job.To = LengthField(fields.To, separator, "Thread to Z", Any);
    job.Pitch = LengthField(fields.Pitch, separator, "Pitch", Positive);
    job.Depth = optional(fields.Depth, "Thread depth", Positive);
    job.FirstCut = optional(fields.FirstCut, "First cut depth", Positive);
    job.MinimumCut = optional(fields.MinimumCut, "Minimum cut", Positive).value_or(job.MinimumCut);
    double springPasses =
        IsBlank(fields.SpringPasses)
            ? job.SpringPasses
            : MachineField(fields.SpringPasses, separator, "Spring passes", NotNegative);
    if (!IsBlank(fields.InfeedAngle))
        job.InfeedAngle = MachineField(fields.InfeedAngle, separator, "Infeed angle", NotNegative);
    RequireThreadingCounts(springPasses, job.InfeedAngle);
    job.SpringPasses = static_cast<int>(springPasses);
    job.SafeZ = LengthField(fields.SafeZ, separator, "Safe Z", Positive);
    job.TurningSpeed = MachineField(fields.TurningSpeed, separator, "Turning speed", Positive);
    job.Tool = std::move(tool);
    RequireTools(job, captions);
    return job;
}

void RequireThreadingCounts(double springPasses, double infeedAngle) {
    if (!(springPasses >= 0 && springPasses <= MostSpringPasses &&
          springPasses == std::floor(springPasses)))
        throw OperationError("Spring passes must be a whole number from 0 to " +
                             FloatToText(MostSpringPasses) + ".");
    if (!(infeedAngle >= 0 && infeedAngle <= LargestInfeedAngle))
        throw OperationError("Infeed angle must lie from 0 to " + FloatToText(LargestInfeedAngle) +
                             " degrees.");
}

std::vector<std::string> ParameterTexts(const MachiningJob& job, char separator) {
    return std::visit(
        Overloaded{[separator](const RoughingJob& j) {
                       std::vector<std::string> texts{
                           Parameter("SafeZ : ", j.SafeZ, separator),
                           Parameter("Offset : ", j.Offset, separator),
                           Parameter("Finishing rest : ", j.Rest, separator),
                           Parameter("Cutting depth : ", j.Depth, separator),
                           Parameter("Transv. cutting speed : ", j.TransversalFeed, separator),
                           Parameter("Longit. cutting speed : ", j.LongitudinalFeed, separator),
                           Parameter("Turning speed : ", j.TurningSpeed, separator)};
                       AddSurfaceSpeed(texts, j.Surface, separator);
                       return texts;
                   },
                   [separator](const FinishingJob& j) {
                       std::vector<std::string> texts{
                           Parameter("SafeZ : ", j.SafeZ, separator),
                           Parameter("Offset : ", j.Offset, separator),
                           Parameter("StartXOffset : ", j.Approach, separator),
                           Parameter("Cutting speed : ", j.Feed, separator),
                           Parameter("Turning speed : ", j.TurningSpeed, separator)};
                       AddSurfaceSpeed(texts, j.Surface, separator);
                       return texts;
                   },
                   [separator](const GroovingJob& j) {
                       std::vector<std::string> texts{
                           Parameter("SafeZ : ", j.SafeZ, separator),
                           Parameter("Finishing rest : ", j.Rest, separator),
                           j.Step ? Parameter("Step : ", *j.Step, separator)
                                  : "Step : 80% of the cutting width",
                           Parameter("Peck depth : ", j.Peck, separator),
                           Parameter("Plunge speed : ", j.PlungeFeed, separator),
                           Parameter("Finishing speed : ", j.FinishingFeed, separator),
                           Parameter("Turning speed : ", j.TurningSpeed, separator)};
                       if (j.PartAt) {
                           texts.push_back(Parameter("Part off at Z : ", *j.PartAt, separator));
                           texts.push_back(Parameter("Final radius : ", j.FinalRadius, separator));
                       }
                       return texts;
                   },
                   [separator](const ThreadingJob& j) -> std::vector<std::string> {
                       return {Parameter("Thread from Z : ", j.From, separator),
                               Parameter("Thread to Z : ", j.To, separator),
                               Parameter("Pitch : ", j.Pitch, separator),
                               Parameter("Thread depth : ", ThreadDepthOf(j), separator) +
                                   (j.Depth ? "" : " (ISO metric)"),
                               Parameter("First cut depth : ", FirstCutOf(j), separator),
                               Parameter("Minimum cut : ", j.MinimumCut, separator),
                               Parameter("Spring passes : ", j.SpringPasses, separator),
                               Parameter("Infeed angle : ", j.InfeedAngle, separator),
                               Parameter("SafeZ : ", j.SafeZ, separator),
                               Parameter("Turning speed : ", j.TurningSpeed, separator)};
                   }},
        job);
}

} // namespace torvex
