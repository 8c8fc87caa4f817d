#include "geometry/knife.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <utility>

namespace torvex {

namespace {

// Knife files write their values with two decimals, the editor's fillets with fifteen digits:
// points closer than this are one point.
constexpr double NoseTolerance = 1e-6;

bool IsLowerArc(const TObj& e) {
    return e.IsArc() && e.P3.X > e.P4.X && e.Radius() > NoseTolerance;
}

double LeftX(const TObj& e) {
    return e.IsArc() ? std::min(e.P3.X, e.P4.X) : std::min(e.P1.X, e.P2.X);
}

double RightX(const TObj& e) {
    return e.IsArc() ? std::max(e.P3.X, e.P4.X) : std::max(e.P1.X, e.P2.X);
}

// A lower arc whose x range holds its centre's x has its circle's lowest point on it.
bool HoldsItsBottom(const TObj& arc) {
    double x = arc.Centre().X;
    return IsLowerArc(arc) && LeftX(arc) <= x && x <= RightX(arc);
}

bool PassesThroughOrigin(const TObj& e) {
    if (e.IsLine()) {
        double dx = e.P2.X - e.P1.X, dy = e.P2.Y - e.P1.Y;
        double lengthSquared = dx * dx + dy * dy;
        double t = lengthSquared > 0
                       ? std::clamp(-(e.P1.X * dx + e.P1.Y * dy) / lengthSquared, 0.0, 1.0)
                       : 0;
        return std::hypot(e.P1.X + t * dx, e.P1.Y + t * dy) <= NoseTolerance;
    }
    if (!e.IsArc())
        return false;
    TPoint c = e.Centre();
    bool onItsHalf = e.P3.X < e.P4.X ? c.Y <= NoseTolerance : c.Y >= -NoseTolerance;
    return std::fabs(std::hypot(c.X, c.Y) - e.Radius()) <= NoseTolerance && onItsHalf &&
           LeftX(e) <= NoseTolerance && RightX(e) >= -NoseTolerance;
}

// The ends of the elements (a line's P1 and P2, an arc's P3 and P4).
template <class Visit> void ForEachEnd(const Tobjects& elements, Visit&& visit) {
    for (const TObj& e : elements) {
        if (e.IsLine()) {
            visit(e.P1);
            visit(e.P2);
        } else if (e.IsArc()) {
            visit(e.P3);
            visit(e.P4);
        }
    }
}

// The arc whose circle's lowest point is the contour's one lowest point, if there is one.
const TObj* LowestArc(const Tobjects& elements) {
    const TObj* lowest = nullptr;
    for (const TObj& e : elements)
        if (HoldsItsBottom(e) &&
            (!lowest || e.Centre().Y - e.Radius() < lowest->Centre().Y - lowest->Radius()))
            lowest = &e;
    if (!lowest)
        return nullptr;
    double bottom = lowest->Centre().Y - lowest->Radius();
    bool alone = true;
    ForEachEnd(elements, [&](const TPoint& p) { alone = alone && p.Y > bottom + NoseTolerance; });
    return alone ? lowest : nullptr;
}

void Move(Tobjects& elements, const TPoint& by) {
    auto move = [&by](TPoint& p) {
        p.X += by.X;
        p.Y += by.Y;
    };
    for (TObj& e : elements) {
        if (!e.IsLine() && !e.IsArc())
            continue;
        for (TPoint* p : {&e.P1, &e.P2, &e.Mid})
            move(*p);
        if (e.IsArc()) {
            move(e.P3);
            move(e.P4);
        }
    }
}

// Whether the tip (the origin) is the lowest point of the arc's circle and lies on the arc.
bool IsNoseArc(const TObj& e) {
    TPoint c = e.Centre();
    return IsLowerArc(e) && std::fabs(c.X) <= NoseTolerance &&
           std::fabs(c.Y - e.Radius()) <= NoseTolerance && LeftX(e) <= NoseTolerance &&
           RightX(e) >= -NoseTolerance;
}

} // namespace

void TKnife::ChainElements() {
    TPoint current{0, 0};
    size_t placed = 0;
    bool exchanged = true;
    while (exchanged) {
        exchanged = false;
        for (size_t j = 0; j < Elements.size(); ++j) {
            if (Elements[j].P1 == current && j >= placed + 2) {
                current = Elements[j].P2;
                std::swap(Elements[placed], Elements[j]);
                ++placed;
                exchanged = true;
            }
        }
    }
}

void TKnife::BuildPoints() {
    TModel::BuildPoints();
    const TPunctArray& points = Points.Items();
    for (size_t i = 0; i + 1 < points.size(); ++i) {
        const TPunct& a = points[i];
        const TPunct& b = points[i + 1];
        if (a.X == 0 && b.X == 0 && a.Y < b.Y && i + 2 < points.size() &&
            points[i + 2].X > 0.0001 && points[i + 2].Y < b.Y) {
            Points.ExchangeY(i, i + 1);
            return;
        }
    }
}

void TKnife::AddRecord(std::string_view text) {
    if (!IsEditorArcRecord(text)) {
        TModel::AddRecord(text);
        return;
    }
    for (const TObj& arc : ParseEditorArc(text))
        AddElement(arc);
}

void TKnife::FindNose() {
    Nose.reset();
    if (std::none_of(Elements.begin(), Elements.end(), PassesThroughOrigin))
        if (const TObj* arc = LowestArc(Elements)) {
            TPoint c = arc->Centre();
            Move(Elements, {-c.X, arc->Radius() - c.Y});
        }
    for (size_t i = 0; i < Elements.size(); ++i) {
        TObj& e = Elements[i];
        if (!IsNoseArc(e))
            continue;
        double r = e.Radius();
        Nose = KnifeNose{r, {0, r}};
        // The same circle about the tip's centre exactly, the tip an end of its two halves.
        e.P1 = {-r, 0};
        e.P2 = {r, 2 * r};
        for (TPoint* end : {&e.P3, &e.P4})
            if (std::hypot(end->X, end->Y) <= NoseTolerance)
                *end = {0, 0};
        if (e.P4.X < -NoseTolerance && e.P3.X > NoseTolerance) {
            TObj left = e;
            left.P3 = {0, 0};
            e.P4 = {0, 0};
            e.Mid = {(e.P3.X + e.P4.X) / 2, (e.P3.Y + e.P4.Y) / 2};
            left.Mid = {(left.P3.X + left.P4.X) / 2, (left.P3.Y + left.P4.Y) / 2};
            Elements.insert(Elements.begin() + static_cast<std::ptrdiff_t>(i) + 1, left);
            ++i;
        }
    }
}

void TKnife::LoadFromLines(const std::vector<std::string>& lines) {
    TModel::LoadFromLines(lines);
    Nose.reset();
    if (lines.empty())
        return;
    FindNose();
    ChainElements();
    BuildPoints();
}

bool TKnife::LoadFromFile(const std::filesystem::path& fileName, MessageSink& messages) {
    bool loaded = TModel::LoadFromFile(fileName, messages);
    Nose.reset();
    try {
        FindNose();
        ChainElements();
        BuildPoints();
    } catch (const std::exception&) {
        // The knife keeps the state reached; the loader has already reported an unreadable file.
    }
    return loaded;
}

} // namespace torvex
