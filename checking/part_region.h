#pragma once

#include "material/box_tree.h"
#include "material/clipper_paths.h"
#include "material/outlines.h"

#include <vector>

namespace torvex::checking {

using material::Box;
using material::Path;
using material::Paths;

// The part's region in the profile plane (its profile closed down to the axis), also kept as
// pieces along the profile: each a run of a few profile points closed straight down to the axis.
// The pieces' windings add up to the region's at every point, and a piece winds round nothing
// outside its own box, so the pieces whose boxes meet a box make up the region inside it. A
// knife's sweep is then tested against the few pieces near it, however long the profile.
class PartRegion {
public:
    // Throws OutlineError when the profile has fewer than two points.
    explicit PartRegion(const PointChain& profile);

    // The whole region, counter-clockwise.
    const Paths& Whole() const { return Region; }
    // The part of `region` (within `bounds`) inside the part, as the polygon library finds it
    // clipping the region by the whole part: found from the few pieces near it.
    Paths Overlap(const Paths& region, const Box& bounds) const;

private:
    // The pieces whose boxes meet `bounds`.
    std::vector<size_t> PiecesNear(const Box& bounds) const;
    // False when no point of the region lies inside the part: no edge of the pieces near it
    // reaches into it, and it lies outside them all.
    bool MayReach(const Paths& region, const Box& bounds, const std::vector<size_t>& near) const;

    Paths Region;
    Box WholeBox;
    std::vector<Path> Pieces;
    material::BoxTree Tree;
};

} // namespace torvex::checking
