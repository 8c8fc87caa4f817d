#include "geometry/shaft.h"

#include "platform/message_sink.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <optional>
#include <utility>

namespace torvex {

namespace {

constexpr double CollinearTolerance = 1e-9;

bool IsVertical(const TObj& e) {
    return e.IsLine() && e.P1.X == e.P2.X;
}
bool IsHorizontal(const TObj& e) {
    return e.IsLine() && e.P1.Y == e.P2.Y;
}

// Distance of p from the straight line through a line element (whose ends differ).
double DistanceFromLine(const TObj& line, const TPoint& p) {
    double dx = line.P2.X - line.P1.X;
    double dy = line.P2.Y - line.P1.Y;
    return std::fabs(dx * (p.Y - line.P1.Y) - dy * (p.X - line.P1.X)) / std::hypot(dx, dy);
}

// Position of p along a line element's direction, in units of its length from P1.
double Along(const TObj& line, const TPoint& p) {
    double dx = line.P2.X - line.P1.X;
    double dy = line.P2.Y - line.P1.Y;
    return (dx * (p.X - line.P1.X) + dy * (p.Y - line.P1.Y)) / (dx * dx + dy * dy);
}

// When a and b are pieces of one straight line that touch or overlap, the line spanning both.
std::optional<TObj> MergedPieces(const TObj& a, const TObj& b) {
    if (!a.IsLine() || !b.IsLine() || a.P1 == a.P2 || b.P1 == b.P2)
        return std::nullopt;
    if (DistanceFromLine(a, b.P1) > CollinearTolerance ||
        DistanceFromLine(a, b.P2) > CollinearTolerance)
        return std::nullopt;
    double length = std::hypot(a.P2.X - a.P1.X, a.P2.Y - a.P1.Y);
    double tolerance = CollinearTolerance / length;
    double t1 = Along(a, b.P1);
    double t2 = Along(a, b.P2);
    if (std::max(t1, t2) < -tolerance || std::min(t1, t2) > 1 + tolerance)
        return std::nullopt;
    // The span's two outermost ends, taken from the pieces themselves.
    TPoint ends[4] = {a.P1, a.P2, b.P1, b.P2};
    double positions[4] = {0, 1, t1, t2};
    auto [low, high] = std::minmax_element(positions, positions + 4);
    TObj merged = a;
    merged.P1 = ends[low - positions];
    merged.P2 = ends[high - positions];
    if (merged.P1.X > merged.P2.X || (merged.P1.X == merged.P2.X && merged.P1.Y > merged.P2.Y))
        std::swap(merged.P1, merged.P2);
    merged.Mid = {(merged.P1.X + merged.P2.X) / 2, (merged.P1.Y + merged.P2.Y) / 2};
    return merged;
}

// The end of an element at which the profile walks on to the next element.
std::optional<TPoint> RightHandEnd(const TObj& e) {
    if (e.IsLine())
        return e.P2;
    if (e.IsArc())
        return e.P3.X > e.P4.X ? e.P3 : e.P4;
    return std::nullopt;
}

double SquaredDistance(const TPoint& a, const TPoint& b) {
    return (a.X - b.X) * (a.X - b.X) + (a.Y - b.Y) * (a.Y - b.Y);
}

void MergeCollinearPieces(Tobjects& elements) {
    if (elements.empty())
        return;
    size_t kept = 0;
    for (size_t i = 1; i < elements.size(); ++i) {
        if (auto merged = MergedPieces(elements[kept], elements[i]))
            elements[kept] = std::move(*merged);
        else if (++kept != i)
            elements[kept] = std::move(elements[i]);
    }
    elements.resize(kept + 1);
}

void OrientWalls(Tobjects& elements) {
    std::optional<TPoint> previousEnd;
    for (TObj& e : elements) {
        if (IsVertical(e)) {
            bool reversed = previousEnd ? SquaredDistance(e.P2, *previousEnd) <
                                              SquaredDistance(e.P1, *previousEnd)
                                        : e.P1.Y > e.P2.Y;
            if (reversed)
                std::swap(e.P1, e.P2);
        }
        if (auto end = RightHandEnd(e))
            previousEnd = end;
    }
}

// Where a side outline's entry chamfer or fillet began, seen from the side's end (left or right):
// none when its first element is no entry (a wall or a flat).
std::optional<double> EntryStart(const TObj& first, bool leftSide) {
    if (first.IsLine() && first.P1.Y != first.P2.Y)
        return leftSide ? first.P1.X : first.P2.X;
    if (first.IsArc())
        return leftSide ? std::min(first.P1.X, first.P2.X) : std::max(first.P1.X, first.P2.X);
    return std::nullopt;
}

// Copies a side outline, the run [first, last) of rising mid heights from the side's end, into
// `outline`: the flat top that ends it dropped unless kept, and the entry dropped unless kept, its
// neighbour stretched to where it began (only a line can be: an arc's P1 is a corner of its
// circle's square).
template <class Iterator>
void CopySideOutline(Tobjects& outline, Iterator first, Iterator last, bool leftSide,
                     EntryCorner entry, FlatTop flat) {
    if (first == last)
        return;
    if (flat == FlatTop::Drop && IsHorizontal(*(last - 1)))
        --last;
    std::optional<double> entryStart =
        entry == EntryCorner::Drop && first != last ? EntryStart(*first, leftSide) : std::nullopt;
    if (entryStart)
        ++first;
    outline.assign(first, last);
    if (entryStart && !outline.empty() && outline.front().IsLine())
        (leftSide ? outline.front().P1.X : outline.front().P2.X) = *entryStart;
}

// Orders the elements by their middles' X, equal ones as they came. A part's elements spread along
// its length: each goes to one of as many buckets as there are elements by where its middle lies
// between the smallest and the largest, and each bucket, a few elements at most as a rule, is put
// in order on its own. So the order takes linear time; it is found on the middles alone, read
// once, and the elements are then moved into it in place.
void SortByMiddles(Tobjects& elements) {
    const size_t n = elements.size();
    std::vector<double> middles(n);
    for (size_t k = 0; k < n; ++k)
        middles[k] = elements[k].Mid.X;
    auto [smallest, largest] = std::minmax_element(middles.begin(), middles.end());
    const double low = *smallest;
    const double scale = *largest > low ? (n - 1) / (*largest - low) : 0;
    auto bucketOf = [&](size_t k) {
        return std::min(n - 1, static_cast<size_t>((middles[k] - low) * scale));
    };
    // Counted by bucket, then each element placed after those of lower buckets: ends[b] is at
    // first where bucket b starts and at last where it ends. order[i]: the element that goes to
    // place i.
    std::vector<size_t> ends(n, 0), order(n);
    for (size_t k = 0; k < n; ++k)
        ++ends[bucketOf(k)];
    for (size_t b = 0, start = 0; b < n; ++b)
        start += std::exchange(ends[b], start);
    for (size_t k = 0; k < n; ++k)
        order[ends[bucketOf(k)]++] = k;
    auto before = [&middles](size_t a, size_t b) {
        return middles[a] < middles[b] || (!(middles[b] < middles[a]) && a < b);
    };
    for (size_t b = 0, start = 0; b < n; start = ends[b++])
        if (ends[b] - start > 1)
            std::sort(order.begin() + static_cast<std::ptrdiff_t>(start),
                      order.begin() + static_cast<std::ptrdiff_t>(ends[b]), before);
    // Each cycle of the order is walked once, every element moved straight to its place.
    for (size_t first = 0; first < n; ++first) {
        if (order[first] == first)
            continue;
        TObj held = std::move(elements[first]);
        size_t place = first;
        while (order[place] != first) {
            size_t from = order[place];
            elements[place] = std::move(elements[from]);
            order[place] = place;
            place = from;
        }
        elements[place] = std::move(held);
        order[place] = place;
    }
}

} // namespace

void TShaft::Normalise() {
    // A drawing's elements mostly come in order already.
    auto byMiddle = [](const TObj& a, const TObj& b) { return a.Mid.X < b.Mid.X; };
    if (!std::is_sorted(Elements.begin(), Elements.end(), byMiddle))
        SortByMiddles(Elements);
    for (TObj& e : Elements)
        if (e.IsLine() && e.P1.X > e.P2.X)
            std::swap(e.P1, e.P2);
    MergeCollinearPieces(Elements);
    OrientWalls(Elements);
}

double TShaft::ComputeLength() {
    double smallest = 1'000'000'000;
    double largest = -1'000'000'000;
    for (const TPunct& p : Points) {
        smallest = std::min(smallest, p.X);
        largest = std::max(largest, p.X);
    }
    Length = largest - smallest;
    return Length;
}

double TShaft::ComputeMaxRadius() {
    double largest = -1'000'000'000;
    for (const TPunct& p : Points)
        largest = std::max(largest, p.Y);
    MaxRadius = largest;
    return MaxRadius;
}

void TShaft::BuildSideOutlines(EntryCorner entry, FlatTop rightFlat, FlatTop leftFlat) {
    SideOutlines outlines = SideOutlinesFor(entry, rightFlat, leftFlat);
    LeftOutline = std::move(outlines.Left);
    RightOutline = std::move(outlines.Right);
}

SideOutlines TShaft::SideOutlinesFor(EntryCorner entry, FlatTop rightFlat, FlatTop leftFlat) const {
    SideOutlines outlines;
    TModel& left = outlines.Left;
    TModel& right = outlines.Right;
    const size_t n = Elements.size();
    if (n < 3)
        return outlines;
    auto midY = [this](size_t i) { return Elements[i].Mid.Y; };

    // How far each side climbs, so that its elements are copied once.
    size_t leftEnd = 2;
    while (leftEnd <= n - 1 && midY(leftEnd) >= midY(leftEnd - 1))
        ++leftEnd;
    size_t rightFirst = n - 2;
    while (rightFirst >= 1 && midY(rightFirst - 1) >= midY(rightFirst))
        --rightFirst;
    if (leftEnd > 2)
        CopySideOutline(left.Elements, Elements.begin() + 1,
                        Elements.begin() + static_cast<std::ptrdiff_t>(leftEnd), true, entry,
                        leftFlat);
    if (rightFirst < n - 2)
        CopySideOutline(right.Elements, Elements.rbegin() + 1,
                        Elements.rend() - static_cast<std::ptrdiff_t>(rightFirst), false, entry,
                        rightFlat);
    return outlines;
}

bool TShaft::LoadFromFile(const std::filesystem::path& fileName, MessageSink& messages) {
    bool loaded = TModel::LoadFromFile(fileName, messages);
    try {
        Prepare();
    } catch (const std::exception&) {
        // The model keeps the state reached; the loader has already reported an unreadable file.
    }
    if (loaded && !Points.Empty() && !(Length > 0)) {
        messages.ShowMessage(fileName.filename().string() + ", " + ProfileWithoutLengthText + ".");
        return false;
    }
    return loaded;
}

void TShaft::Prepare() {
    Normalise();
    BuildPoints();
    ComputeLength();
    ComputeMaxRadius();
}

void TShaft::LoadFromLines(const std::vector<std::string>& lines) {
    TModel::LoadFromLines(lines);
    if (!lines.empty())
        Prepare();
}

} // namespace torvex
