#pragma once

#include "material/clipper_paths.h"
#include "material/outlines.h"
#include "toolpath/toolpath.h"

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

// What a thread's passes cut that the profile plane cannot show: the knife swept along the
// thread's root over its stretch, up to the crests. The helix leaves the crests standing there, so
// a threading toolpath's moves remove nothing of it, and may enter the part there.
Paths ThreadBand(const KnifeSweep& knife, const ThreadStretch& thread);

// The region less the band, or the region as it is without one.
Paths OutsideBand(const Paths& region, const Paths& band);

} // namespace torvex::material
