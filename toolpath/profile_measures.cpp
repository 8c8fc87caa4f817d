#include "toolpath/profile_measures.h"

#include "geometry/number_text.h"
#include "platform/errors.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace torvex {

namespace {

constexpr int MaxPasses = 32767;
// A contour point this little below a level has reached it: rounding noise.
constexpr double LevelTolerance = 1e-9;

bool IsProfileElement(const TObj& element) {
    return element.IsLine() || element.IsArc();
}

// The first x, in the direction of travel, at which an arc is at or above the level y on the part
// of it that rises: the upper half is there within s of its centre's x, the lower half (falling
// to its lowest point, then rising) beyond s on the far side of its centre. Nothing when the arc
// does not get there.
std::optional<double> ArcRisesTo(const TObj& arc, Flank flank, double y) {
    double low = std::min(arc.P3.X, arc.P4.X);
    double high = std::max(arc.P3.X, arc.P4.X);
    TPoint c = arc.Centre();
    double r = arc.Radius();
    bool towardsLargerX = flank == Flank::Left;
    if (IsUpperHalf(arc)) {
        double above = y - c.Y;
        if (above > r)
            return std::nullopt;
        double s =
            above <= 0 ? std::numeric_limits<double>::infinity() : std::sqrt(r * r - above * above);
        double from = std::max(low, c.X - s);
        double to = std::min(high, c.X + s);
        if (from > to)
            return std::nullopt;
        return towardsLargerX ? from : to;
    }
    double below = c.Y - y;
    if (below < 0)
        return std::nullopt;
    double s = below >= r ? 0 : std::sqrt(r * r - below * below);
    if (towardsLargerX)
        return c.X + s <= high ? std::optional<double>(std::max(low, c.X + s)) : std::nullopt;
    return c.X - s >= low ? std::optional<double>(std::min(high, c.X - s)) : std::nullopt;
}

} // namespace

std::optional<double> MaxEndY(const Tobjects& elements) {
    RadialSpan span;
    for (const TObj& e : elements) {
        if (e.IsLine()) {
            span.Meet(e.P1.Y);
            span.Meet(e.P2.Y);
        } else if (e.IsArc()) {
            span.Meet(e.P3.Y);
            span.Meet(e.P4.Y);
        }
    }
    return span.Highest;
}

std::optional<double> HighestProfileY(const Tobjects& elements) {
    std::optional<double> highest = MaxEndY(elements);
    if (!highest)
        return highest;
    for (const TObj& e : elements) {
        if (!e.IsArc() || e.P3.X >= e.P4.X)
            continue;
        TPoint centre = e.Centre();
        if (e.P3.X <= centre.X && centre.X <= e.P4.X)
            highest = std::max(*highest, centre.Y + e.Radius());
    }
    return highest;
}

int PassCount(double height, double depth) {
    double quotient = SafeDivide(height, depth);
    if (quotient <= 0)
        return 0;
    if (quotient > MaxPasses + 1)
        throw ArithmeticError("Too many passes: the cutting depth is too small for the height");
    double whole = std::trunc(quotient);
    int passes = static_cast<int>(whole);
    if (FormatFloat("0.0", quotient) == FormatFloat("0.0", whole))
        --passes;
    return std::max(passes, 0);
}

std::optional<double> ProfileSpan(const Tobjects& elements, uint8_t arcSteps) {
    RadialSpan span;
    ForEachProfilePoint(elements, arcSteps, [&span](double, double y) { span.Meet(y); });
    return span.Height();
}

double ContourXAtLevel(const Tobjects& contour, Flank flank, double y) {
    double over = y + LevelTolerance;
    const TPoint* highest = nullptr;
    for (const TObj& e : contour) {
        bool line = e.IsLine();
        if (!line && !(e.IsArc() && e.P3.X != e.P4.X))
            continue;
        const TPoint& start = line ? NearEnd(e, flank) : ArcStart(e, flank);
        const TPoint& end = line ? FarEnd(e, flank) : ArcEnd(e, flank);
        if (start.Y > over)
            return start.X;
        if (line && end.Y > over) {
            if (start.Y >= y - LevelTolerance)
                return start.X;
            return start.X + (end.X - start.X) * ((y - start.Y) / (end.Y - start.Y));
        }
        if (!line && ArcRisesTo(e, flank, over)) {
            std::optional<double> x = ArcRisesTo(e, flank, y);
            return x ? *x : start.X;
        }
        for (const TPoint* p : {&start, &end})
            if (highest == nullptr || p->Y > highest->Y)
                highest = p;
    }
    if (highest == nullptr)
        throw ArithmeticError("The contour has no line or arc to meet the level");
    return highest->X;
}

const TObj* FirstProfileElement(const Tobjects& elements) {
    auto found = std::find_if(elements.begin(), elements.end(), IsProfileElement);
    return found == elements.end() ? nullptr : &*found;
}

const TObj* LastProfileElement(const Tobjects& elements) {
    auto found = std::find_if(elements.rbegin(), elements.rend(), IsProfileElement);
    return found == elements.rend() ? nullptr : &*found;
}

} // namespace torvex
