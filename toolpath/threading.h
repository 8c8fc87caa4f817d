#pragma once

#include "geometry/element.h"

#include <optional>
#include <vector>

namespace torvex {

class BlockWriter;

// The depths below the crest that a thread's cutting passes reach, degressive at constant area:
// the n-th reaches firstCut × √n, yet at least minimumCut deeper than the one before, and the last
// reaches the full depth however little deeper that is. A first cut as deep as the thread is its
// one pass.
std::vector<double> ThreadPassDepths(double depth, double firstCut, double minimumCut);

// Whether the profile, in order, is one cylinder over the axial stretch between from and to: every
// element over it at its radius at `from`, within 0.001 mm. That radius when it is; otherwise the
// first point from `from` on that lies off it (a step, a slope, an arc). The stretch lies within
// the profile's extent.
struct CylinderFit {
    std::optional<double> Radius;
    TPoint Off;
};
CylinderFit CylinderOver(const Tobjects& profile, double from, double to);

// Passes start this many pitches before the thread: room for the spindle synchronisation to
// settle.
inline constexpr double RunInPitches = 3;

// How a thread is cut.
struct ThreadingParameters {
    double From = 0; // where the passes enter the thread
    double To = 0;   // where they end and retract
    double Pitch = 0;
    double Crest = 0;
    double Depth = 0;
    double FirstCut = 0;
    double MinimumCut = 0;
    int SpringPasses = 0;
    double InfeedAngle = 0; // degrees
    double DriveX = 0;      // the radius the passes start from and return to, clear of the crests
    double SafeX = 0;       // the retract level over the stock
    double Feed = 0;        // the pitch at the turning speed, mm/min
};

// The thread cut in one cycle: a rapid over the stock to the cycle's start, RunInPitches before
// From, and down to the drive line; then every pass written out: a rapid to its start, shifted
// towards To by its depth × tan(infeed angle) so that the infeed follows the flank, a move in step
// with the spindle to To, a rapid out to the drive line and back to the cycle's start; the
// degressive passes (ThreadPassDepths), then the spring passes at full depth; last a rapid up to
// the retract level over the cycle's start, which writes both axes (a control's own cycle may end
// at To). The first pass's block carries the cycle.
void CutThread(BlockWriter& w, const ThreadingParameters& p);

} // namespace torvex
