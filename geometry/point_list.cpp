#include "geometry/point_list.h"

#include "platform/errors.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <utility>

namespace torvex {

namespace {

// Sorts by X, keeping equal X in their order. A model's points come nearly in order (its elements
// are sorted by their middles): an insertion sort puts them in place in one pass, and gives way
// to a merge sort when they are far from it.
void SortStablyByX(std::vector<TPoint>& points) {
    auto byX = [](const TPoint& a, const TPoint& b) { return a.X < b.X; };
    size_t moves = 0;
    const size_t mostMoves = 8 * points.size();
    for (size_t i = 1; i < points.size(); ++i) {
        TPoint p = points[i];
        size_t j = i;
        for (; j > 0 && byX(p, points[j - 1]) && moves < mostMoves; --j, ++moves)
            points[j] = points[j - 1];
        points[j] = p;
        if (moves >= mostMoves) {
            std::stable_sort(points.begin(), points.end(), byX);
            return;
        }
    }
}

using PointIterator = std::vector<TPoint>::iterator;

// Copies to `out` the points of a run of equal X but those whose Y an earlier point of the run
// has (-0 and +0 being equal), in their order; returns the end of the copy.
PointIterator DropRepeatedY(PointIterator first, PointIterator last, PointIterator out) {
    const size_t count = static_cast<size_t>(last - first);
    if (count <= 8) {
        // Compared with those of the run kept so far: `out` may have overwritten the run itself.
        const PointIterator kept = out;
        for (auto p = first; p != last; ++p)
            if (std::none_of(kept, out, [&](const TPoint& q) { return q.Y == p->Y; }))
                *out++ = *p;
        return out;
    }
    // A long run (a wall in many pieces): the repeated are found by ordering the run by Y.
    std::vector<size_t> byY(count);
    for (size_t k = 0; k < count; ++k)
        byY[k] = k;
    std::stable_sort(byY.begin(), byY.end(),
                     [&](size_t a, size_t b) { return first[a].Y < first[b].Y; });
    std::vector<bool> repeated(count, false);
    for (size_t k = 1; k < count; ++k)
        repeated[byY[k]] = first[byY[k]].Y == first[byY[k - 1]].Y;
    for (size_t k = 0; k < count; ++k)
        if (!repeated[k])
            *out++ = first[k];
    return out;
}

} // namespace

size_t TPctList::KeyHash::operator()(const std::pair<uint64_t, uint64_t>& key) const {
    uint64_t h = key.first * 0x9E3779B97F4A7C15ull;
    h ^= key.second + 0x7F4A7C159E3779B9ull + (h << 6) + (h >> 2);
    return static_cast<size_t>(h ^ (h >> 31));
}

std::pair<uint64_t, uint64_t> TPctList::Key(double x, double y) {
    // -0 and +0 are equal coordinates and must share a key.
    return {std::bit_cast<uint64_t>(x == 0 ? 0.0 : x), std::bit_cast<uint64_t>(y == 0 ? 0.0 : y)};
}

void TPctList::IndexAll() const {
    for (; Indexed < Points.size(); ++Indexed)
        ++Present[Key(Points[Indexed].X, Points[Indexed].Y)];
}

bool TPctList::Contains(double x, double y) const {
    IndexAll();
    return Present.contains(Key(x, y));
}

void TPctList::AddPoint(double x, double y, double feed) {
    TPunct point;
    point.X = x;
    point.Y = y;
    point.Feed = feed;
    AddMove(point);
}

void TPctList::AddMove(const TPunct& move) {
    if (RejectDuplicates && Contains(move.X, move.Y))
        return;
    TPunct point = move;
    point.Dist = point.StepTime = point.TotalTime = 0;
    if (!Points.empty()) {
        const TPunct& previous = Points.back();
        point.Dist = std::hypot(point.X - previous.X, point.Y - previous.Y);
        point.StepTime = SafeDivide(point.Dist, point.Feed) * 60;
        point.TotalTime = previous.TotalTime + point.StepTime;
    }
    Points.push_back(point);
    if (RejectDuplicates)
        IndexAll();
}

void TPctList::AddXY(double x, double y) {
    if (RejectDuplicates && Contains(x, y))
        return;
    TPunct point;
    point.X = x;
    point.Y = y;
    Points.push_back(point);
    if (RejectDuplicates)
        IndexAll();
}

void TPctList::AddEachXYSortedByX(std::vector<TPoint> points) {
    if (!RejectDuplicates || !Points.empty()) {
        for (const TPoint& p : points)
            AddXY(p.X, p.Y);
        SortByX(false, false);
        return;
    }
    // Sorted stably, the first of equal points stays first among its equals, all of which share
    // its X: it is the one kept, as adding one by one keeps it.
    SortStablyByX(points);
    auto kept = points.begin();
    for (auto run = points.begin(); run != points.end();) {
        auto runEnd =
            std::find_if(run, points.end(), [&](const TPoint& p) { return p.X != run->X; });
        kept = DropRepeatedY(run, runEnd, kept);
        run = runEnd;
    }
    Reserve(static_cast<size_t>(kept - points.begin()));
    for (auto p = points.begin(); p != kept; ++p) {
        TPunct point;
        point.X = p->X;
        point.Y = p->Y;
        Points.push_back(point);
    }
}

void TPctList::Reserve(size_t count) {
    // Grows geometrically, so that reserving before every batch stays linear over many batches.
    if (count > Points.capacity())
        Points.reserve(std::max(count, 2 * Points.capacity()));
}

void TPctList::Clear() {
    Points.clear();
    Present.clear();
    Indexed = 0;
}

bool TPctList::TiePass(bool descending) {
    bool exchanged = false;
    for (size_t i = 0; i + 1 < Points.size(); ++i) {
        TPunct& a = Points[i];
        TPunct& b = Points[i + 1];
        if (a.X == b.X && (descending ? a.Y < b.Y : a.Y > b.Y)) {
            std::swap(a.Y, b.Y);
            exchanged = true;
        }
    }
    return exchanged;
}

void TPctList::SortByX(bool ascendingTies, bool descendingTies) {
    // Moving whole (X, Y) pairs or exchanging Y between equal X leaves the set of coordinates, and
    // so the duplicate index of the whole list, unchanged; an index of part of it would not be.
    if (Indexed > 0)
        IndexAll();
    std::vector<TPoint> coordinates;
    coordinates.reserve(Points.size());
    for (const TPunct& p : Points)
        coordinates.push_back({p.X, p.Y});
    SortStablyByX(coordinates);
    for (size_t i = 0; i < Points.size(); ++i) {
        Points[i].X = coordinates[i].X;
        Points[i].Y = coordinates[i].Y;
    }
    if (descendingTies)
        TiePass(true);
    if (ascendingTies)
        TiePass(false);
}

void TPctList::ExchangeY(size_t i, size_t j) {
    // Both pairs stay in the duplicate index under their new coordinates.
    IndexAll();
    auto eraseKey = [this](const TPunct& p) {
        auto found = Present.find(Key(p.X, p.Y));
        if (--found->second == 0)
            Present.erase(found);
    };
    eraseKey(Points[i]);
    eraseKey(Points[j]);
    std::swap(Points[i].Y, Points[j].Y);
    ++Present[Key(Points[i].X, Points[i].Y)];
    ++Present[Key(Points[j].X, Points[j].Y)];
}

void TPctList::SortTiesFully(bool descending) {
    IndexAll();
    while (TiePass(descending)) {
    }
}

std::vector<TPoint> XYOf(const TPctList& list) {
    std::vector<TPoint> points;
    points.reserve(list.Count());
    for (const TPunct& p : list)
        points.push_back({p.X, p.Y});
    return points;
}

} // namespace torvex
