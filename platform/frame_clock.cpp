#include "platform/frame_clock.h"

namespace torvex {

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
