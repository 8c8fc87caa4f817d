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
    return CheckedValue(TextToFloat(text, separator), name, sign);
}

double LengthField(const std::string& text, char separator, const char* name, Sign sign) {
    return CheckedLength(TextToFloat(text, separator), name, sign);
}

std::string Parameter(const char* caption, double value, char separator) {
    return std::string(caption) + FloatToText(value, separator);
}

// A field that may stay empty (blanks count as empty): nothing then, else its number.
std::optional<double> OptionalField(const std::string& text, char separator) {
    if (text.find_first_not_of(" \t") == std::string::npos)
        return std::nullopt;
    return TextToFloat(text, separator);
}

std::optional<SurfaceSpeed> SurfaceSpeedFields(const std::string& surface, const std::string& max,
                                               char separator) {
    return CheckedSurfaceSpeed(OptionalField(surface, separator), OptionalField(max, separator));
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

RoughingJob RoughingJobOf(const TRoughingFields& fields, std::vector<RoughingOperation> operations,
                          JobTool left, JobTool right, char separator) {
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
    return job;
}

FinishingJob FinishingJobOf(const TFinishingFields& fields,
                            std::vector<FinishingOperation> operations, JobTool left, JobTool right,
                            char separator) {
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
    return job;
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
                   }},
        job);
}

} // namespace torvex
