#include "operations/job_fields.h"

#include "geometry/number_text.h"
#include "operations/toolpath_building.h"
#include "platform/errors.h"

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

const char* SideName(ToolSide side) {
    return side == ToolSide::Left ? "left" : "right";
}

std::string Parameter(const char* caption, double value, char separator) {
    return std::string(caption) + FloatToText(value, separator);
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

double CheckedLength(double value, const char* name, Sign sign) {
    CheckedValue(value, name, sign);
    if (std::fabs(value) > LengthLimit)
        throw OperationError(std::string(name) + " must not exceed " + FloatToText(LengthLimit) +
                             " mm.");
    return value;
}

void RequireTools(const MachiningJob& machining, const ToolCaptions& captions) {
    std::visit(
        [&captions](const auto& job) {
            for (auto operation : job.Operations) {
                ToolSide side = ToolOf(operation);
                const JobTool& tool = ToolOn(job, side);
                if (tool.KnifeFile.empty())
                    throw OperationError(NoKnifeText(side, captions));
                if (tool.Number < 1)
                    throw OperationError(NoToolNumberText(side, captions));
            }
        },
        machining);
}

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
    job.SafeZ = LengthField(fields.SafeZ, separator, "Safe Z", Positive);
    job.Offset = LengthField(fields.Offset, separator, "Offset", NotNegative);
    if (!operations.empty()) {
        job.Depth = LengthField(fields.CuttingDepth, separator, "Cutting depth", Positive);
        job.Rest = LengthField(fields.FinishingRest, separator, "Finishing rest", NotNegative);
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
    job.SafeZ = LengthField(fields.SafeZ, separator, "Safe Z", Positive);
    job.Offset = LengthField(fields.Offset, separator, "Offset", NotNegative);
    if (!operations.empty())
        job.Approach = LengthField(fields.StartXOffset, separator, "StartXOffset", NotNegative);
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
