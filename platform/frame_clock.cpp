#include "platform/frame_clock.h"

#include <algorithm>

namespace torvex {

void FrameClock::Reset(double now) {
    Since = now;
    Simulated = 0;
}

void FrameClock::SetMultiplier(double multiplier, double now) {
    Simulated = SimulatedTime(now);
    Since = now;
    // A negative rate would run the simulated time backwards.
    Rate = std::max(multiplier, 0.0);
}

void FrameClock::FrameDrawn(double now) const {
    if (Enabled && Progress)
        Progress(SimulatedTime(now));
}

double FrameCounter::FramesPerSecond(double now) const {
    double elapsed = now - Since;
    if (elapsed <= 0)
        return 0;
    return static_cast<double>(Frames) / elapsed;
}

void FrameCounter::Reset(double now) {
    Frames = 0;
    Since = now;
}

} // namespace torvex
