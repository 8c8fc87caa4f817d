#include "operations/job_fields.h"

#include "geometry/number_text.h"
#include "operations/toolpath_building.h"
#include "platform/errors.h"

#include <utility>

namespace torvex {

namespace {

// A field a machine depends on, converted and checked before anything is built: a negative depth
// would plunge through the whole stock at once, a negative feed run the times backwards.
enum class Sign { Positive, NotNegative };

double MachineField(const std::string& text, char separator, const char* name, Sign sign) {
    double value = 0;
    try {
        value = TextToFloat(text, separator);
    } catch (const ConversionError& error) {
        throw ConversionError(name, error);
    }
    if (sign == Sign::Positive && !(value > 0))
        throw OperationError(std::string(name) + " must be greater than 0.");
    if (sign == Sign::NotNegative && value < 0)
        throw OperationError(std::string(name) + " must not be negative.");
    return value;
}

const char* SideName(ToolSide side) {
    return side == ToolSide::Left ? "left" : "right";
}

template <class Job> void RequireTools(const Job& job, const ToolCaptions& captions) {
    for (auto operation : job.Operations) {
        ToolSide side = ToolOf(operation);
        const JobTool& tool = ToolOn(job, side);
        if (tool.KnifeFile.empty())
            throw OperationError(NoKnifeText(side, captions));
        if (tool.Number < 1)
            throw OperationError(NoToolNumberText(side, captions));
    }
}

std::string Parameter(const char* caption, double value, char separator) {
    return std::string(caption) + FloatToText(value, separator);
}

} // namespace

std::string NoKnifeText(ToolSide side, const ToolCaptions& captions) {
    return std::string("No knife for the ") + SideName(side) + " tool (" +
           captions.Knife[static_cast<size_t>(side)] + "): a queued operation needs it.";
}

std::string NoToolNumberText(ToolSide side, const ToolCaptions& captions) {
    return std::string("No tool number for the ") + SideName(side) + " tool (" +
           captions.Number[static_cast<size_t>(side)] +
           "): a queued operation needs it; give its library position, 1 to 20.";
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
    job.SafeZ = MachineField(fields.SafeZ, separator, "Safe Z", Positive);
    job.Offset = MachineField(fields.Offset, separator, "Offset", NotNegative);
    if (!operations.empty()) {
        job.Depth = MachineField(fields.CuttingDepth, separator, "Cutting depth", Positive);
        job.Rest = MachineField(fields.FinishingRest, separator, "Finishing rest", NotNegative);
    }
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
    job.SafeZ = MachineField(fields.SafeZ, separator, "Safe Z", Positive);
    job.Offset = MachineField(fields.Offset, separator, "Offset", NotNegative);
    if (!operations.empty())
        job.Approach = MachineField(fields.StartXOffset, separator, "StartXOffset", NotNegative);
    job.Operations = std::move(operations);
    job.Left = std::move(left);
    job.Right = std::move(right);
    RequireTools(job, captions);
    return job;
}

std::vector<std::string> ParameterTexts(const MachiningJob& job, char separator) {
    return std::visit(
        Overloaded{[separator](const RoughingJob& j) -> std::vector<std::string> {
                       return {Parameter("SafeZ : ", j.SafeZ, separator),
                               Parameter("Offset : ", j.Offset, separator),
                               Parameter("Finishing rest : ", j.Rest, separator),
                               Parameter("Cutting depth : ", j.Depth, separator),
                               Parameter("Transv. cutting speed : ", j.TransversalFeed, separator),
                               Parameter("Longit. cutting speed : ", j.LongitudinalFeed, separator),
                               Parameter("Turning speed : ", j.TurningSpeed, separator)};
                   },
                   [separator](const FinishingJob& j) -> std::vector<std::string> {
                       return {Parameter("SafeZ : ", j.SafeZ, separator),
                               Parameter("Offset : ", j.Offset, separator),
                               Parameter("StartXOffset : ", j.Approach, separator),
                               Parameter("Cutting speed : ", j.Feed, separator),
                               Parameter("Turning speed : ", j.TurningSpeed, separator)};
                   }},
        job);
}

} // namespace torvex
