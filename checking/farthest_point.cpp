#include "checking/farthest_point.h"

#include <algorithm>
#include <cmath>
#include <queue>

namespace torvex::checking {

using material::ToMm;

namespace {

constexpr double Resolution = 1e-5;

// Not std::hypot: it rounds correctly and costs several times as much, in the innermost loops.
double Length(double dx, double dy) {
    return std::sqrt(dx * dx + dy * dy);
}

double DistanceToSegment(const TPoint& p, const TPoint& a, const TPoint& b) {
    double dx = b.X - a.X;
    double dy = b.Y - a.Y;
    double lengthSquared = dx * dx + dy * dy;
    double t = lengthSquared > 0 ? ((p.X - a.X) * dx + (p.Y - a.Y) * dy) / lengthSquared : 0;
    t = std::clamp(t, 0.0, 1.0);
    return Length(p.X - (a.X + t * dx), p.Y - (a.Y + t * dy));
}

struct Probe {
    TPoint At;
    SegmentSet::Nearest Nearest;
};

// A piece of an edge of the outline, with the most its points can lie from the segments.
struct Piece {
    Probe A, B;
    double Bound;
    bool operator<(const Piece& other) const { return Bound < other.Bound; }
};

Piece MakePiece(const Probe& a, const Probe& b, const SegmentSet& from) {
    double bound =
        (a.Nearest.Distance + b.Nearest.Distance + Length(b.At.X - a.At.X, b.At.Y - a.At.Y)) / 2;
    if (a.Nearest.Segment < from.Count())
        bound =
            std::min(bound, std::max(a.Nearest.Distance, from.DistanceTo(b.At, a.Nearest.Segment)));
    if (b.Nearest.Segment < from.Count())
        bound =
            std::min(bound, std::max(b.Nearest.Distance, from.DistanceTo(a.At, b.Nearest.Segment)));
    return {a, b, bound};
}

} // namespace

void SegmentSet::Add(const TPoint& a, const TPoint& b) {
    Index.reset();
    Segments.push_back(
        {a, b, std::min(a.X, b.X), std::max(a.X, b.X), std::min(a.Y, b.Y), std::max(a.Y, b.Y)});
}

void SegmentSet::AddPolyline(const std::vector<TPoint>& points, bool closed) {
    for (size_t i = 0; i + 1 < points.size(); ++i)
        Add(points[i], points[i + 1]);
    if (closed && points.size() > 2)
        Add(points.back(), points.front());
}

void SegmentSet::AddPaths(const Paths& paths) {
    for (const Path& path : paths) {
        std::vector<TPoint> ring;
        ring.reserve(path.size());
        for (const IntPoint& p : path)
            ring.push_back(ToMm(p));
        AddPolyline(ring, true);
    }
}

const material::BoxTree& SegmentSet::Tree() const {
    if (!Index) {
        // Boxes in the material's units, a unit wider than the segment on every side.
        std::vector<material::Box> boxes;
        boxes.reserve(Segments.size());
        for (const Segment& s : Segments) {
            material::Box box;
            box.Add({static_cast<ClipperLib::cInt>(std::floor(s.MinX * material::UnitsPerMm)) - 1,
                     static_cast<ClipperLib::cInt>(std::floor(s.MinY * material::UnitsPerMm)) - 1});
            box.Add({static_cast<ClipperLib::cInt>(std::ceil(s.MaxX * material::UnitsPerMm)) + 1,
                     static_cast<ClipperLib::cInt>(std::ceil(s.MaxY * material::UnitsPerMm)) + 1});
            boxes.push_back(box);
        }
        Index.emplace(std::move(boxes));
    }
    return *Index;
}

SegmentSet::Nearest SegmentSet::NearestTo(const TPoint& p, double atMost) const {
    Nearest nearest{atMost, Segments.size()};
    auto gap = [&p](double minX, double maxX, double minY, double maxY) {
        return Length(std::max({minX - p.X, p.X - maxX, 0.0}),
                      std::max({minY - p.Y, p.Y - maxY, 0.0}));
    };
    auto bound = [&](const material::Box& box) {
        using material::UnitsPerMm;
        return gap(
            static_cast<double>(box.MinX) / UnitsPerMm, static_cast<double>(box.MaxX) / UnitsPerMm,
            static_cast<double>(box.MinY) / UnitsPerMm, static_cast<double>(box.MaxY) / UnitsPerMm);
    };
    auto visit = [&](size_t i) {
        const Segment& s = Segments[i];
        if (gap(s.MinX, s.MaxX, s.MinY, s.MaxY) > nearest.Distance)
            return;
        double distance = DistanceToSegment(p, s.A, s.B);
        // Among equally near segments the first listed, as a walk along the list would find.
        if (distance < nearest.Distance ||
            (distance == nearest.Distance && nearest.Segment < Segments.size() &&
             i < nearest.Segment))
            nearest = {distance, i};
    };
    Tree().ForEachNear(bound, visit, [&nearest] { return nearest.Distance; });
    return nearest;
}

double SegmentSet::DistanceTo(const TPoint& p, size_t segment) const {
    return DistanceToSegment(p, Segments[segment].A, Segments[segment].B);
}

FarthestPoint FarthestOnOutline(const Paths& polygons, const SegmentSet& from, double cap) {
    FarthestPoint farthest;
    auto probe = [&](const TPoint& at) {
        Probe p{at, from.NearestTo(at, cap)};
        if (p.Nearest.Distance > farthest.Distance)
            farthest = {at, p.Nearest.Distance};
        return p;
    };
    std::priority_queue<Piece> pieces;
    for (const Path& path : polygons) {
        std::vector<Probe> ring;
        ring.reserve(path.size());
        for (const IntPoint& q : path)
            ring.push_back(probe(ToMm(q)));
        for (size_t i = 0; i < ring.size(); ++i)
            pieces.push(MakePiece(ring[i], ring[(i + 1) % ring.size()], from));
    }
    while (!pieces.empty() && pieces.top().Bound > farthest.Distance + Resolution &&
           farthest.Distance < cap) {
        Piece piece = pieces.top();
        pieces.pop();
        Probe middle =
            probe({(piece.A.At.X + piece.B.At.X) / 2, (piece.A.At.Y + piece.B.At.Y) / 2});
        pieces.push(MakePiece(piece.A, middle, from));
        pieces.push(MakePiece(middle, piece.B, from));
    }
    return farthest;
}

} // namespace torvex::checking
