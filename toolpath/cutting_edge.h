#pragma once

#include <optional>

namespace torvex {

class TKnife;

// A knife's cutting edge across the axis, as x from its tip: the lowest part of its contour.
struct CuttingEdge {
    double Left = 0;
    double Right = 0;
    double Width() const { return Right - Left; }
};

// Points of a contour this close to its lowest y belong to its cutting edge.
inline constexpr double EdgeTolerance = 0.001;

// The cutting edge read from the knife's contour: from the leftmost to the rightmost of its
// points within EdgeTolerance of its lowest y, widened by every arc that reaches that low to the
// arc's own ends (the rounded corners of a grooving tip are part of its edge, as drawn). Nothing
// for a knife without lines or arcs.
std::optional<CuttingEdge> CuttingEdgeOf(const TKnife& knife);

} // namespace torvex
