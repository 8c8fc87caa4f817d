#pragma once

#include <functional>

namespace torvex {

// The view's clock. While enabled it tells its listener, once per drawn frame, the simulated time:
// the running time since the last reset, each stretch of it multiplied by the multiplier that was
// set while it ran. A new multiplier changes the speed from that moment on; the time already
// simulated stays, so the simulated time never jumps. Times are in seconds, read from the view's
// own timer.
class FrameClock {
public:
    bool Enabled = false;
    std::function<void(double simulatedTime)> Progress;

    // The simulated time back to zero at `now`.
    void Reset(double now);
    double Multiplier() const { return Rate; }
    void SetMultiplier(double multiplier, double now);
    double SimulatedTime(double now) const { return Simulated + (now - Since) * Rate; }
    // Called by the view after each drawn frame.
    void FrameDrawn(double now) const;

private:
    double Rate = 1;
    double Since = 0;     // when the multiplier was last set or the clock reset
    double Simulated = 0; // the simulated time at Since
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
