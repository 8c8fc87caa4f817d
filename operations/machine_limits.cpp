#include "operations/machine_limits.h"

#include "geometry/number_text.h"
#include "operations/job_fields.h"
#include "operations/toolpath_building.h"
#include "toolpath/toolpath.h"

namespace torvex {

namespace {

std::string Number(double value) {
    return FormatFloat("0.###", value);
}

} // namespace

void RequireWithinLimits(const TToolpath& toolpath, const MachineLimits& limits,
                         const std::map<int32_t, int32_t>& numbers) {
    double speed = JobTurningSpeed(toolpath.Job);
    if (speed > limits.MaxSpindleSpeed)
        throw OperationError("The turning speed " + Number(speed) +
                             " rev/min is above the machine's Max spindle speed of " +
                             Number(limits.MaxSpindleSpeed) + " rev/min.");
    if (std::optional<SurfaceSpeed> surface = JobSurfaceSpeed(toolpath.Job);
        surface && surface->MaxSpindleSpeed > limits.MaxSpindleSpeed)
        throw OperationError("The maximum spindle speed " + Number(surface->MaxSpindleSpeed) +
                             " rev/min of the constant surface speed is above the machine's Max "
                             "spindle speed of " +
                             Number(limits.MaxSpindleSpeed) + " rev/min.");
    for (const TPunct& move : toolpath.PathPoints) {
        if (move.IsRapid() || move.Feed <= limits.MaxFeed)
            continue;
        auto number = numbers.find(move.Block);
        throw OperationError(
            "The feed " + Number(move.Feed) + " mm/min of block " +
            BlockNumberText(number == numbers.end() ? move.Block : number->second) +
            " is above the machine's Max feed of " + Number(limits.MaxFeed) + " mm/min.");
    }
}

MachineLimits CheckedLimits(const MachineLimits& limits) {
    CheckedValue(limits.MaxSpindleSpeed, "Max spindle speed", Sign::Positive);
    CheckedValue(limits.MaxFeed, "Max feed", Sign::Positive);
    return limits;
}

} // namespace torvex
