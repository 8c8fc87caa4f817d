#pragma once

#include "material/clipper_paths.h"
#include "material/outlines.h"

#include <optional>

namespace torvex {

// How far the profile the material shows may lie from the material itself: points closer than
// this to the line through their neighbours are left out of it.
inline constexpr double ProfileTolerance = 0.001;

// What is left of a stock as knives cut it, in the profile plane: the stock's profile closed down
// to the axis, less every region a knife swept, kept exactly in the knife check's integer units.
// It is shown, saved and drawn as a profile: a polyline from one end of the bar to the other,
// closed down to the axis, which may turn back in X where a knife leaves an undercut.
class TMaterial {
public:
    TMaterial() = default;
    // The stock the profile closes round; no material for an empty profile. Throws OutlineError
    // for a single point.
    explicit TMaterial(const PointChain& stockProfile);

    // Takes away the part of the material inside the region; true when any material went.
    bool Remove(const material::Paths& region);

    // The material as a profile from the stock's first end to its last: the outline of what rests
    // on the axis, walked over the top, joined along the axis where a cut reached it, and thinned
    // by ProfileTolerance. What the profile cannot show (a pocket closed all round, a ring cut free
    // of the axis) is left out. Until something is cut, the stock's own profile.
    const PointChain& Profile() const;
    const material::Paths& Region() const { return Area; }

private:
    material::Paths Area; // outer rings counter-clockwise, pockets clockwise
    material::Box Bounds;
    TPoint First;
    TPoint Last;
    mutable std::optional<PointChain> Shown = PointChain{};
};

// The polyline with every point left out that lies within `tolerance` of the line that replaces
// it (Douglas and Peucker's way), its ends kept: no point of the original lies farther than that
// from the result, nor of the result from the original.
PointChain Thinned(const PointChain& line, double tolerance);

} // namespace torvex
