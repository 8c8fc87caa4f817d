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

// The outline is a run of rising mid heights; the first element is trimmed unless the entry is
// kept.
void TrimLeftEntry(TModel& outline) {
    Tobjects& elements = outline.Elements;
    const TObj& first = elements.front();
    double remembered;
    if (first.IsLine() && first.P1.Y != first.P2.Y)
        remembered = first.P1.X;
    else if (first.IsArc())
        remembered = std::min(first.P1.X, first.P2.X);
    else
        return;
    elements.erase(elements.begin());
    // Only a line can be stretched: an arc's P1 is a corner of its circle's square.
    if (!elements.empty() && elements.front().IsLine())
        elements.front().P1.X = remembered;
}

void TrimRightEntry(TModel& outline) {
    Tobjects& elements = outline.Elements;
    const TObj& first = elements.front();
    double remembered;
    if (first.IsLine() && first.P1.Y != first.P2.Y)
        remembered = first.P2.X;
    else if (first.IsArc())
        remembered = std::max(first.P1.X, first.P2.X);
    else
        return;
    elements.erase(elements.begin());
    if (!elements.empty() && elements.front().IsLine())
        elements.front().P2.X = remembered;
}

// Orders the elements by their middles' X, equal ones as they came. A part's elements spread along
// its length: each goes to one of as many buckets as there are elements by where its middle lies
// between the smallest and the largest, and each bucket, a few elements at most as a rule, is put
// in order on its own. So the order takes linear time, and the elements are moved once into it.
void SortByMiddles(Tobjects& elements) {
    const size_t n = elements.size();
    auto [smallest, largest] =
        std::minmax_element(elements.begin(), elements.end(),
                            [](const TObj& a, const TObj& b) { return a.Mid.X < b.Mid.X; });
    const double low = smallest->Mid.X;
    const double scale = largest->Mid.X > low ? (n - 1) / (largest->Mid.X - low) : 0;
    std::vector<size_t> bucketOf(n), starts(n + 1, 0);
    for (size_t k = 0; k < n; ++k) {
        bucketOf[k] = std::min(n - 1, static_cast<size_t>((elements[k].Mid.X - low) * scale));
        ++starts[bucketOf[k] + 1];
    }
    for (size_t b = 0; b < n; ++b)
        starts[b + 1] += starts[b];
    std::vector<size_t> order(n);
    std::vector<size_t> next(starts.begin(), starts.end() - 1);
    for (size_t k = 0; k < n; ++k)
        order[next[bucketOf[k]]++] = k;
    auto before = [&elements](size_t a, size_t b) {
        return elements[a].Mid.X < elements[b].Mid.X ||
               (!(elements[b].Mid.X < elements[a].Mid.X) && a < b);
    };
    for (size_t b = 0; b < n; ++b)
        if (starts[b + 1] - starts[b] > 1)
            std::sort(order.begin() + static_cast<std::ptrdiff_t>(starts[b]),
                      order.begin() + static_cast<std::ptrdiff_t>(starts[b + 1]), before);
    Tobjects sorted;
    sorted.reserve(n);
    for (size_t k : order)
        sorted.push_back(std::move(elements[k]));
    elements.swap(sorted);
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
    left.Elements.reserve(leftEnd - 1);
    right.Elements.reserve(n - 1 - rightFirst);
    if (midY(2) >= midY(1)) {
        left.AddElement(Elements[1]);
        for (size_t i = 1; i + 1 <= n - 1 && midY(i + 1) >= midY(i); ++i)
            left.AddElement(Elements[i + 1]);
        if (leftFlat == FlatTop::Drop && IsHorizontal(left.Elements.back()))
            left.Elements.pop_back();
    }
    if (midY(n - 3) >= midY(n - 2)) {
        right.AddElement(Elements[n - 2]);
        for (size_t i = n - 2; i >= 1 && midY(i - 1) >= midY(i); --i)
            right.AddElement(Elements[i - 1]);
        if (rightFlat == FlatTop::Drop && IsHorizontal(right.Elements.back()))
            right.Elements.pop_back();
    }
    if (entry == EntryCorner::Drop) {
        if (!left.Elements.empty())
            TrimLeftEntry(left);
        if (!right.Elements.empty())
            TrimRightEntry(right);
    }
    return outlines;
}

bool TShaft::LoadFromFile(const std::filesystem::path& fileName, MessageSink& messages,
                          ShaftKind kind) {
    bool loaded = TModel::LoadFromFile(fileName, messages);
    try {
        Prepare(kind);
    } catch (const std::exception&) {
        // The model keeps the state reached; the loader has already reported an unreadable file.
    }
    if (loaded && !Points.Empty() && !(Length > 0)) {
        messages.ShowMessage(fileName.filename().string() + ", " + ProfileWithoutLengthText + ".");
        return false;
    }
    return loaded;
}

void TShaft::Prepare(ShaftKind kind) {
    Normalise();
    BuildPoints();
    ComputeLength();
    ComputeMaxRadius();
    if (kind == ShaftKind::Part)
        BuildSideOutlines(EntryCorner::Drop, FlatTop::Drop, FlatTop::Drop);
}

void TShaft::LoadFromLines(const std::vector<std::string>& lines, ShaftKind kind) {
    TModel::LoadFromLines(lines);
    if (!lines.empty())
        Prepare(kind);
}

} // namespace torvex
