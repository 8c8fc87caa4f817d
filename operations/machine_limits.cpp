#include "operations/machine_limits.h"

#include "geometry/number_text.h"
#include "operations/toolpath_building.h"
#include "toolpath/toolpath.h"

namespace torvex {

namespace {

std::string Number(double value) {
    return FormatFloat("0.###", value);
}

} // namespace

void RequireWithinLimits(const TToolpath& toolpath, const MachineLimits& limits) {
    double speed = JobTurningSpeed(toolpath.Job);
    if (speed > limits.MaxSpindleSpeed)
        throw OperationError("The turning speed " + Number(speed) +
                             " rev/min is above the machine's Max spindle speed of " +
                             Number(limits.MaxSpindleSpeed) + " rev/min.");
    for (const TPunct& move : toolpath.PathPoints)
        if (!move.IsRapid() && move.Feed > limits.MaxFeed)
            throw OperationError("The feed " + Number(move.Feed) + " mm/min of block N" +
                                 FormatFloat("0000", move.Block) +
                                 " is above the machine's Max feed of " + Number(limits.MaxFeed) +
                                 " mm/min.");
}

} // namespace torvex
