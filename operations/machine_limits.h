#pragma once

#include <cstdint>
#include <map>

namespace torvex {

class TToolpath;

// What the machine can take: its largest turning speed and its largest feed.
struct MachineLimits {
    double MaxSpindleSpeed = 4000; // rev/min
    double MaxFeed = 10000;        // mm/min
};

// Refuses, with OperationError naming the value and the limit, a toolpath whose turning speed or
// the feed of any of its feed moves exceeds the machine's limits: its program must not be written.
// A block is named by its number in the program (`numbers`, when given), else by its own.
void RequireWithinLimits(const TToolpath& toolpath, const MachineLimits& limits,
                         const std::map<int32_t, int32_t>& numbers = {});

// Whether the limits are numbers above 0: OperationError naming the field otherwise.
MachineLimits CheckedLimits(const MachineLimits& limits);

} // namespace torvex
