#include "material/knife_sweep.h"

#include <algorithm>

namespace torvex::material {

namespace {

double Cross(const TPoint& o, const TPoint& a, const TPoint& b) {
    return (a.X - o.X) * (b.Y - o.Y) - (a.Y - o.Y) * (b.X - o.X);
}

double SignedArea(const std::vector<TPoint>& ring) {
    double twice = 0;
    for (size_t i = 0; i < ring.size(); ++i) {
        const TPoint& a = ring[i];
        const TPoint& b = ring[(i + 1) % ring.size()];
        twice += a.X * b.Y - b.X * a.Y;
    }
    return twice / 2;
}

// No turn to the right anywhere along a counter-clockwise ring.
bool IsConvex(const std::vector<TPoint>& ring) {
    for (size_t i = 0; i < ring.size(); ++i)
        if (Cross(ring[i], ring[(i + 1) % ring.size()], ring[(i + 2) % ring.size()]) < -1e-12)
            return false;
    return true;
}

// The convex hull, counter-clockwise, of points in integer units (monotone chain).
Path ConvexHull(Path points) {
    std::sort(points.begin(), points.end(), [](const IntPoint& a, const IntPoint& b) {
        return a.X < b.X || (a.X == b.X && a.Y < b.Y);
    });
    points.erase(std::unique(points.begin(), points.end()), points.end());
    if (points.size() < 3)
        return points;
    Path hull(2 * points.size());
    size_t k = 0;
    for (const IntPoint& p : points) {
        while (k >= 2 && IntCross(hull[k - 2], hull[k - 1], p) <= 0)
            --k;
        hull[k++] = p;
    }
    for (size_t i = points.size() - 1, lower = k + 1; i-- > 0;) {
        while (k >= lower && IntCross(hull[k - 2], hull[k - 1], points[i]) <= 0)
            --k;
        hull[k++] = points[i];
    }
    hull.resize(k - 1);
    return hull;
}

Path Moved(const std::vector<TPoint>& ring, const TPoint& by) {
    Path path;
    path.reserve(ring.size());
    for (const TPoint& p : ring)
        path.push_back(ToInt({p.X + by.X, p.Y + by.Y}));
    return path;
}

} // namespace

KnifeSweep::KnifeSweep(const PointChain& outline) : Outline(outline) {
    if (SignedArea(Outline) < 0)
        std::reverse(Outline.begin(), Outline.end());
    Convex = IsConvex(Outline);
}

Paths KnifeSweep::Along(const TPoint& from, const TPoint& to) const {
    Path start = Moved(Outline, from);
    Path end = Moved(Outline, to);
    if (Convex) {
        start.insert(start.end(), end.begin(), end.end());
        return {ConvexHull(std::move(start))};
    }
    // A point the knife passes over is inside it at one end of the move or is crossed by one of
    // its edges on the way: the union of both end positions and every edge's parallelogram.
    Paths parts{start, end};
    for (size_t i = 0; i < start.size(); ++i) {
        size_t j = (i + 1) % start.size();
        Path quad = Positive({start[i], start[j], end[j], end[i]});
        if (ClipperLib::Area(quad) != 0)
            parts.push_back(std::move(quad));
    }
    ClipperLib::Clipper clipper;
    clipper.AddPaths(parts, ClipperLib::ptSubject, true);
    Paths swept;
    clipper.Execute(ClipperLib::ctUnion, swept, ClipperLib::pftNonZero, ClipperLib::pftNonZero);
    return swept;
}

Paths ThreadBand(const KnifeSweep& knife, const ThreadStretch& thread) {
    Paths swept = knife.Along({thread.From, thread.Root}, {thread.To, thread.Root});
    Box bounds = BoundsOf(swept);
    if (bounds.Empty())
        return {};
    ClipperLib::cInt crest = ToInt({0, thread.Crest}).Y;
    if (crest <= bounds.MinY)
        return {};
    Path belowCrest = Positive({{bounds.MinX, bounds.MinY},
                                {bounds.MaxX, bounds.MinY},
                                {bounds.MaxX, crest},
                                {bounds.MinX, crest}});
    return Clip(ClipperLib::ctIntersection, swept, {belowCrest});
}

Paths OutsideBand(const Paths& region, const Paths& band) {
    return band.empty() ? region : Clip(ClipperLib::ctDifference, region, band);
}

} // namespace torvex::material
