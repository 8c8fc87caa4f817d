#pragma once

#include <functional>

namespace torvex {

// The view's clock. While enabled it tells its listener, once per drawn frame, the simulated time:
// the running time since the last reset multiplied by Multiplier. A new multiplier rescales the
// whole running time, not only what follows the change. Times are in seconds, read from the
// view's own timer.
class FrameClock {
public:
    bool Enabled = false;
    double Multiplier = 1;
    std::function<void(double simulatedTime)> Progress;

    void Reset(double now) { StartTime = now; }
    double SimulatedTime(double now) const { return (now - StartTime) * Multiplier; }
    // Called by the view after each drawn frame.
    void FrameDrawn(double now) const;

private:
    double StartTime = 0;
};

// Counts the frames drawn since the last reset.
class FrameCounter {
public:
    void FrameDrawn() { ++Frames; }
    // Frames per second since the last reset; 0 before any time has passed.
    double FramesPerSecond(double now) const;
    void Reset(double now);
    long long FrameCount() const { return Frames; }

private:
    long long Frames = 0;
    double Since = 0;
};

} // namespace torvex
