#pragma once

#include "material/clipper_paths.h"
#include "material/outlines.h"

namespace torvex::material {

// The region a knife covers while its tip moves along a straight segment.
class KnifeSweep {
public:
    explicit KnifeSweep(const PointChain& outline);

    bool Empty() const { return Outline.empty(); }
    // Every position of the outline from `from` to `to`, as polygons without holes of positive
    // orientation (one for a convex knife).
    Paths Along(const TPoint& from, const TPoint& to) const;

private:
    std::vector<TPoint> Outline; // counter-clockwise
    bool Convex = false;
};

} // namespace torvex::material
