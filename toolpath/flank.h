#pragma once

#include "geometry/element.h"
#include "geometry/point_list.h"

namespace torvex {

// The side of the part a strategy works on. A flank's contour is followed from the part's end
// inwards: the right one towards smaller x, the left one towards larger x.
enum class Flank { Left, Right };

// The sign of "away from the part" along the axis: +1 on the right flank, -1 on the left.
constexpr double Outwards(Flank flank) {
    return flank == Flank::Right ? 1.0 : -1.0;
}

// The tool that works the flank.
constexpr ToolSide ToolOf(Flank flank) {
    return flank == Flank::Right ? ToolSide::Right : ToolSide::Left;
}

// The line end a tool following the contour reaches first (P2 on the right flank, P1 on the left)
// and the one it leaves the line at. For an arc these read its bounding corners, as the callers
// that use them on a contour's first element expect.
template <class Element> auto& NearEnd(Element& line, Flank flank) {
    return flank == Flank::Right ? line.P2 : line.P1;
}
template <class Element> auto& FarEnd(Element& line, Flank flank) {
    return flank == Flank::Right ? line.P1 : line.P2;
}

// An arc takes the upper half of its circle when it runs towards larger x.
inline bool IsUpperHalf(const TObj& arc) {
    return arc.P3.X < arc.P4.X;
}

// The arc end a tool following the contour reaches first (its outer end: the larger x on the
// right flank, the smaller on the left; P4 on the right and P3 on the left when both x are equal),
// and the end it leaves the arc at.
inline bool ArcStartsAtP3(const TObj& arc, Flank flank) {
    return flank == Flank::Right ? arc.P3.X > arc.P4.X : arc.P3.X <= arc.P4.X;
}
template <class Element> auto& ArcStart(Element& arc, Flank flank) {
    return ArcStartsAtP3(arc, flank) ? arc.P3 : arc.P4;
}
template <class Element> auto& ArcEnd(Element& arc, Flank flank) {
    return ArcStartsAtP3(arc, flank) ? arc.P4 : arc.P3;
}

// Where a tool following the contour enters its first element.
inline const TPoint& EntryPoint(const TObj& first, Flank flank) {
    return first.IsArc() ? ArcStart(first, flank) : NearEnd(first, flank);
}

} // namespace torvex
