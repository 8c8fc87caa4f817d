#pragma once

#include "material/box_tree.h"
#include "material/clipper_paths.h"

#include <optional>
#include <vector>

namespace torvex::checking {

using material::IntPoint;
using material::Path;
using material::Paths;

// Segments to measure distances to, found through a tree of their boxes built at the first
// measurement: a distance takes a handful of them, not all.
class SegmentSet {
public:
    void AddPolyline(const std::vector<TPoint>& points, bool closed);
    void AddPaths(const Paths& paths);
    bool Empty() const { return Segments.empty(); }
    struct Nearest {
        double Distance;
        size_t Segment; // Count() when none is nearer than the limit
    };
    // The distance from p to the nearest segment (the first one listed among equally near ones);
    // `atMost` when none is nearer than that.
    Nearest NearestTo(const TPoint& p, double atMost) const;
    double DistanceTo(const TPoint& p, size_t segment) const;
    size_t Count() const { return Segments.size(); }

private:
    struct Segment {
        TPoint A, B;
        double MinX, MaxX, MinY, MaxY;
    };
    void Add(const TPoint& a, const TPoint& b);
    const material::BoxTree& Tree() const;
    std::vector<Segment> Segments;
    mutable std::optional<material::BoxTree> Index;
};

struct FarthestPoint {
    TPoint Where;
    double Distance = 0;
};

// The point on the outline of the polygons that lies farthest from every segment of the set, to
// within 10 nm: the vertices, then edges split while a point between their ends could still be
// farther. Along an edge the distance changes no faster than the position, and it stays below the
// larger of the end distances to any one segment (the distance to a segment is convex along a
// line). Distances above `cap` count as `cap`.
FarthestPoint FarthestOnOutline(const Paths& polygons, const SegmentSet& from, double cap);

} // namespace torvex::checking
