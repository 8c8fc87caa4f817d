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
    double ex = p.X - a.X - t * dx;
    double ey = p.Y - a.Y - t * dy;
    // Not std::hypot: it rounds correctly and costs several times as much, in the innermost loop.
    return std::sqrt(ex * ex + ey * ey);
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

// A strip grows past this many points before it is split in two, and two neighbours join when
// they hold this many at most together: cuts stay local, and a long uncut stretch stays one strip.
constexpr size_t MostPoints = 64;
constexpr size_t JoinedPoints = 16;
// The regions RemoveAll joins before it cuts them out.
constexpr size_t JoinedRegions = 8;

} // namespace

TMaterial::TMaterial(const PointChain& stockProfile) : Shown(stockProfile) {
    if (stockProfile.empty())
        return;
    Paths area{Positive(ToPath(ClosedToAxis(stockProfile)))};
    Bounds = BoundsOf(area);
    Strips.push_back(MakeStrip(Bounds.MinX, Bounds.MaxX, std::move(area)));
    Rebalance(0, 1);
    First = stockProfile.front();
    Last = stockProfile.back();
    Whole.reset();
}

TMaterial::Strip TMaterial::MakeStrip(ClipperLib::cInt left, ClipperLib::cInt right, Paths area) {
    Strip strip{left, right, std::move(area), {}, 0};
    strip.Bounds = BoundsOf(strip.Area);
    for (const Path& ring : strip.Area)
        strip.Points += ring.size();
    return strip;
}

std::pair<size_t, size_t> TMaterial::StripsAcross(ClipperLib::cInt from,
                                                  ClipperLib::cInt to) const {
    auto first = std::partition_point(Strips.begin(), Strips.end(),
                                      [from](const Strip& s) { return s.Right < from; });
    auto end =
        std::partition_point(first, Strips.end(), [to](const Strip& s) { return s.Left <= to; });
    return {static_cast<size_t>(first - Strips.begin()), static_cast<size_t>(end - Strips.begin())};
}

void TMaterial::Changed() {
    Whole.reset();
    Shown.reset();
}

bool TMaterial::Remove(const Paths& region) {
    Box box = BoundsOf(region);
    if (!box.Meets(Bounds))
        return false;
    auto [first, end] = StripsAcross(box.MinX, box.MaxX);
    size_t changedFirst = end;
    size_t changedEnd = first;
    for (size_t k = first; k < end; ++k) {
        Strip& strip = Strips[k];
        if (!strip.Bounds.Meets(box))
            continue;
        Paths rest = Clip(ClipperLib::ctDifference, strip.Area, region);
        if (rest == strip.Area)
            continue;
        strip = MakeStrip(strip.Left, strip.Right, std::move(rest));
        changedFirst = std::min(changedFirst, k);
        changedEnd = k + 1;
    }
    if (changedFirst >= changedEnd)
        return false;
    Changed();
    Rebalance(changedFirst, changedEnd);
    return true;
}

bool TMaterial::RemoveAll(std::span<const Paths> regions) {
    bool removed = false;
    for (size_t first = 0; first < regions.size(); first += JoinedRegions) {
        std::span<const Paths> group =
            regions.subspan(first, std::min(JoinedRegions, regions.size() - first));
        if (group.size() == 1) {
            removed |= Remove(group.front());
            continue;
        }
        Paths joined;
        for (const Paths& region : group)
            joined.insert(joined.end(), region.begin(), region.end());
        removed |= Remove(Clip(ClipperLib::ctUnion, joined, {}));
    }
    return removed;
}

std::pair<TMaterial::Strip, TMaterial::Strip> TMaterial::Split(const Strip& strip,
                                                               ClipperLib::cInt cut) {
    auto side = [&strip](ClipperLib::cInt left, ClipperLib::cInt right) {
        Path rectangle{{left, strip.Bounds.MinY - 1},
                       {right, strip.Bounds.MinY - 1},
                       {right, strip.Bounds.MaxY + 1},
                       {left, strip.Bounds.MaxY + 1}};
        return MakeStrip(left, right, Clip(ClipperLib::ctIntersection, strip.Area, {rectangle}));
    };
    return {side(strip.Left, cut), side(cut, strip.Right)};
}

bool TMaterial::HasMaterialIn(const Paths& region) const {
    Box box = BoundsOf(region);
    if (!box.Meets(Bounds))
        return false;
    auto [first, end] = StripsAcross(box.MinX, box.MaxX);
    for (size_t k = first; k < end; ++k)
        if (Strips[k].Bounds.Meets(box) &&
            !Clip(ClipperLib::ctIntersection, region, Strips[k].Area).empty())
            return true;
    return false;
}

void TMaterial::Rebalance(size_t first, size_t end) {
    // Splitting from the right keeps the places of the strips to the left.
    for (size_t k = end; k-- > first;) {
        std::vector<Strip> pieces{std::move(Strips[k])};
        for (size_t p = 0; p < pieces.size();) {
            const Strip& piece = pieces[p];
            std::vector<ClipperLib::cInt> xs;
            if (piece.Points > MostPoints)
                for (const Path& ring : piece.Area)
                    for (const IntPoint& q : ring)
                        if (q.X > piece.Left && q.X < piece.Right)
                            xs.push_back(q.X);
            if (xs.empty()) {
                ++p;
                continue;
            }
            auto middle = xs.begin() + static_cast<std::ptrdiff_t>(xs.size() / 2);
            std::nth_element(xs.begin(), middle, xs.end());
            ClipperLib::cInt cut = *middle;
            auto [left, right] = Split(piece, cut);
            // A piece no smaller than the strip it came from is kept as it is.
            if (left.Points >= piece.Points || right.Points >= piece.Points) {
                ++p;
                continue;
            }
            pieces[p] = std::move(left);
            pieces.insert(pieces.begin() + static_cast<std::ptrdiff_t>(p) + 1, std::move(right));
        }
        Strips[k] = std::move(pieces.front());
        Strips.insert(Strips.begin() + static_cast<std::ptrdiff_t>(k) + 1,
                      std::make_move_iterator(pieces.begin() + 1),
                      std::make_move_iterator(pieces.end()));
        end += pieces.size() - 1;
    }
    // Neighbours of the strips changed that hold little together become one: the pairs from the
    // one left of `first` to the one right of the last changed strip.
    auto k = static_cast<std::ptrdiff_t>(first) - 1;
    auto lastPair = static_cast<std::ptrdiff_t>(end) - 1;
    for (k = std::max<std::ptrdiff_t>(k, 0);
         k <= lastPair && static_cast<size_t>(k) + 1 < Strips.size();) {
        Strip& left = Strips[static_cast<size_t>(k)];
        const Strip& right = Strips[static_cast<size_t>(k) + 1];
        if (left.Points + right.Points > JoinedPoints) {
            ++k;
            continue;
        }
        Paths both = left.Area;
        both.insert(both.end(), right.Area.begin(), right.Area.end());
        left = MakeStrip(left.Left, right.Right, Clip(ClipperLib::ctUnion, both, {}));
        Strips.erase(Strips.begin() + k + 1);
        --lastPair;
    }
}

const Paths& TMaterial::Region() const {
    if (!Whole) {
        Paths all;
        for (const Strip& strip : Strips)
            all.insert(all.end(), strip.Area.begin(), strip.Area.end());
        Whole = Strips.size() == 1 ? std::move(all) : ClipAlongAxis(ClipperLib::ctUnion, all, {});
    }
    return *Whole;
}

const PointChain& TMaterial::Profile() const {
    if (!Shown)
        Shown = Thinned(ProfileOf(Region(), First, Last), ProfileTolerance);
    return *Shown;
}

PointChain Thinned(const PointChain& line, double tolerance) {
    if (line.size() < 3)
        return line;
    std::vector<bool> keep(line.size(), false);
    keep.front() = keep.back() = true;
    std::vector<double> distances(line.size());
    // Spans still to split, each from a kept point to the next one, without recursion: a profile
    // of many thousand points would otherwise go as deep.
    std::vector<std::pair<size_t, size_t>> spans{{0, line.size() - 1}};
    while (!spans.empty()) {
        auto [from, to] = spans.back();
        spans.pop_back();
        double farthest = tolerance;
        for (size_t k = from + 1; k < to; ++k) {
            distances[k] = DistanceToSegment(line[k], line[from], line[to]);
            farthest = std::max(farthest, distances[k]);
        }
        if (farthest <= tolerance)
            continue;
        // Split at the point nearest the middle among those at least half as far as the farthest:
        // as telling as the farthest, and a staircase, whose steps all stand about as far from a
        // line along it, is halved rather than taken a step at a time.
        double farEnough = std::max(tolerance, farthest / 2);
        size_t middle = from + (to - from) / 2;
        size_t split = from;
        for (size_t k = from + 1; k < to; ++k) {
            auto offMiddle = [middle](size_t i) { return i > middle ? i - middle : middle - i; };
            if (distances[k] >= farEnough && distances[k] > tolerance &&
                (split == from || offMiddle(k) < offMiddle(split)))
                split = k;
        }
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
