#include "material/material.h"

#include <algorithm>
#include <cmath>

namespace torvex {

using namespace material;

namespace {

// A piece of the material that rests on the axis: where it starts on the axis and its outline
// over the top.
struct Piece {
    ClipperLib::cInt Left = 0;
    Path Top;
};

// The boundary of an outer ring from its leftmost point on the axis over the top to its rightmost
// one: the ring runs counter-clockwise, so that is the way back. Nothing for a ring off the axis.
std::optional<Piece> TopOf(const Path& ring) {
    std::optional<size_t> left;
    std::optional<size_t> right;
    for (size_t i = 0; i < ring.size(); ++i) {
        if (ring[i].Y != 0)
            continue;
        if (!left || ring[i].X < ring[*left].X)
            left = i;
        if (!right || ring[i].X > ring[*right].X)
            right = i;
    }
    if (!left || *left == *right)
        return std::nullopt;
    Piece piece{ring[*left].X, {ring[*left]}};
    for (size_t i = *left; i != *right;) {
        i = (i + ring.size() - 1) % ring.size();
        piece.Top.push_back(ring[i]);
    }
    return piece;
}

double DistanceToSegment(const TPoint& p, const TPoint& a, const TPoint& b) {
    double dx = b.X - a.X;
    double dy = b.Y - a.Y;
    double squared = dx * dx + dy * dy;
    double t =
        squared > 0 ? std::clamp(((p.X - a.X) * dx + (p.Y - a.Y) * dy) / squared, 0.0, 1.0) : 0.0;
    return std::hypot(p.X - a.X - t * dx, p.Y - a.Y - t * dy);
}

void Append(PointChain& line, const TPoint& p) {
    if (line.empty() || !(line.back() == p))
        line.push_back(p);
}

// The outline of what rests on the axis, from `first` to `last` along the top (see Profile).
PointChain ProfileOf(const Paths& area, const TPoint& first, const TPoint& last) {
    std::vector<Piece> pieces;
    for (const Path& ring : area)
        if (ClipperLib::Orientation(ring))
            if (std::optional<Piece> piece = TopOf(ring))
                pieces.push_back(std::move(*piece));
    std::sort(pieces.begin(), pieces.end(),
              [](const Piece& a, const Piece& b) { return a.Left < b.Left; });
    bool forwards = first.X <= last.X;
    PointChain profile{{std::min(first.X, last.X), 0}};
    for (const Piece& piece : pieces)
        for (const IntPoint& p : piece.Top)
            Append(profile, ToMm(p));
    Append(profile, {std::max(first.X, last.X), 0});
    if (!forwards)
        std::reverse(profile.begin(), profile.end());
    return profile;
}

} // namespace

TMaterial::TMaterial(const PointChain& stockProfile) : Shown(stockProfile) {
    if (stockProfile.empty())
        return;
    Area = {Positive(ToPath(ClosedToAxis(stockProfile)))};
    Bounds = BoundsOf(Area);
    First = stockProfile.front();
    Last = stockProfile.back();
}

bool TMaterial::Remove(const Paths& region) {
    if (!BoundsOf(region).Meets(Bounds))
        return false;
    Paths rest = Clip(ClipperLib::ctDifference, Area, region);
    if (rest == Area)
        return false;
    Area = std::move(rest);
    Bounds = BoundsOf(Area);
    Shown.reset();
    return true;
}

const PointChain& TMaterial::Profile() const {
    if (!Shown)
        Shown = Thinned(ProfileOf(Area, First, Last), ProfileTolerance);
    return *Shown;
}

PointChain Thinned(const PointChain& line, double tolerance) {
    if (line.size() < 3)
        return line;
    std::vector<bool> keep(line.size(), false);
    keep.front() = keep.back() = true;
    // Spans still to split, each from a kept point to the next one, without recursion: a profile
    // of many thousand points would otherwise go as deep.
    std::vector<std::pair<size_t, size_t>> spans{{0, line.size() - 1}};
    while (!spans.empty()) {
        auto [from, to] = spans.back();
        spans.pop_back();
        double farthest = tolerance;
        size_t split = from;
        for (size_t k = from + 1; k < to; ++k) {
            double distance = DistanceToSegment(line[k], line[from], line[to]);
            if (distance > farthest) {
                farthest = distance;
                split = k;
            }
        }
        if (split == from)
            continue;
        keep[split] = true;
        spans.push_back({from, split});
        spans.push_back({split, to});
    }
    PointChain thinned;
    for (size_t k = 0; k < line.size(); ++k)
        if (keep[k])
            thinned.push_back(line[k]);
    return thinned;
}

} // namespace torvex
