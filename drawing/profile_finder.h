#pragma once

#include "drawing/dxf_reader.h"
#include "geometry/element.h"

#include <string>

namespace torvex {

// Ends of pieces closer than this (in millimetres) are joined into one point.
inline constexpr double JoinTolerance = 0.01;

struct ProfileOptions {
    // The turning axis: the drawing's line y = AxisY (drawing units).
    double AxisY = 0;
    // Only pieces on this layer; empty for every layer.
    std::string Layer;
};

// The part's profile found in a drawing: its elements in profile order from the axis at the left
// end face to the axis at the right end face, in millimetres, X from the left end face (0), Y the
// radius. Beside them, what was left out of it.
struct DrawingProfile {
    Tobjects Elements;
    int OnAxis = 0;      // lines lying on the axis (centre lines)
    int BelowAxis = 0;   // pieces below the axis (the lower half of a full section)
    int Inner = 0;       // pieces under the profile that are not part of it (inner lines)
    int OtherLayers = 0; // pieces on layers other than the one asked for
};

// Finds the profile: pieces crossing the axis are cut at it and the lower half is dropped, arcs are
// split at their circle's leftmost and rightmost points, ends within JoinTolerance are joined, and
// the outermost chain of pieces is followed from the axis at the part's left end to the axis
// again. Throws DrawingError naming the place (drawing coordinates) for: nothing above the axis, a
// gap, a branch, a chain that never reaches the axis, an undercut, a piece outside the profile
// that is not part of it, and a second outline inside it.
DrawingProfile FindProfile(const DrawingContents& drawing, const ProfileOptions& options);

} // namespace torvex
