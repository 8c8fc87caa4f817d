#pragma once

namespace torvex {

class TToolpath;

// What the machine can take: its largest turning speed and its largest feed.
struct MachineLimits {
    double MaxSpindleSpeed = 4000; // rev/min
    double MaxFeed = 10000;        // mm/min
};

// Refuses, with OperationError naming the value and the limit, a toolpath whose turning speed or
// the feed of any of its feed moves exceeds the machine's limits: its program must not be written.
void RequireWithinLimits(const TToolpath& toolpath, const MachineLimits& limits);

} // namespace torvex
