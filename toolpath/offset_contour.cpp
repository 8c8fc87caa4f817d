#include "platform/errors.h"
#include "toolpath/profile_measures.h"
#include "toolpath/strategies.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <utility>

namespace torvex {

namespace {

// Lines shorter than this have no direction worth the name: rounding noise.
constexpr double ZeroLength = 1e-9;
// Directions whose angle has a smaller sine are parallel; parallel lines closer than
// CollinearDistance lie on one straight line.
constexpr double ParallelSine = 1e-9;
constexpr double CollinearDistance = 1e-7;
// An arc whose end lies this close to a neighbouring line's straight meets it tangentially.
constexpr double TangentDistance = 1e-9;

// The levels at which offset elements are cut off: the outline's top, measured from its first
// element's end (lines) or bounding corner (arcs).
struct CutOffLevels {
    double Line;
    double Arc;
};

bool IsHorizontalLine(const TObj& e) {
    return e.IsLine() && e.P1.Y == e.P2.Y;
}

bool IsVerticalLine(const TObj& e) {
    return e.IsLine() && e.P1.X == e.P2.X;
}

bool IsZeroLengthLine(const TObj& e) {
    return e.IsLine() && std::hypot(e.P2.X - e.P1.X, e.P2.Y - e.P1.Y) < ZeroLength;
}

TObj MakeLine(const TPoint& p1, const TPoint& p2) {
    TObj line;
    line.Kind = "line";
    line.P1 = p1;
    line.P2 = p2;
    line.Mid = {(p1.X + p2.X) / 2, (p1.Y + p2.Y) / 2};
    return line;
}

// A sloping line moves perpendicular to itself, outwards along the axis and upwards; its far end
// is then held down to the outline's top along the line's own slope.
void OffsetSlopingLine(TObj& o, Flank flank, double rest, double level) {
    double slope = std::fabs(SafeDivide(o.P1.Y - o.P2.Y, o.P2.X - o.P1.X));
    double theta = std::numbers::pi / 2 - std::atan(slope);
    double dx = Outwards(flank) * std::cos(theta) * rest;
    double dy = std::sin(theta) * rest;
    o.P1.X += dx;
    o.P2.X += dx;
    o.P1.Y += dy;
    o.P2.Y += dy;
    double m = SafeDivide(o.P2.Y - o.P1.Y, o.P2.X - o.P1.X);
    double b = o.P2.Y - m * o.P2.X;
    TPoint& far = FarEnd(o, flank);
    if (far.Y > level) {
        far.Y = level;
        far.X = SafeDivide(level - b, m);
    }
}

TObj OffsetLine(const TObj& e, Flank flank, double rest, double level) {
    TObj o = e;
    if (IsHorizontalLine(e)) {
        o.P1.Y += rest;
        o.P2.Y += rest;
    } else if (IsVerticalLine(e)) {
        o.P1.X += Outwards(flank) * rest;
        o.P2.X += Outwards(flank) * rest;
    } else {
        OffsetSlopingLine(o, flank, rest, level);
    }
    return o;
}

// An arc keeps its centre and moves radially away from the part: a convex (upper-half) arc grows
// by the rest, a concave one shrinks by it and vanishes when nothing of it is left. Its ends move
// along their radii, so it keeps its direction and its half.
std::optional<TObj> OffsetArc(const TObj& e, Flank flank, double rest, double level) {
    TPoint c = e.Centre();
    double r = e.Radius();
    bool upper = IsUpperHalf(e);
    double offsetRadius = upper ? r + rest : r - rest;
    if (offsetRadius < SmallestArcRadius)
        return std::nullopt;
    double scale = SafeDivide(offsetRadius, r);
    auto moved = [&](const TPoint& p) {
        return TPoint{c.X + (p.X - c.X) * scale, c.Y + (p.Y - c.Y) * scale};
    };
    TObj o = e;
    o.P1 = {c.X - offsetRadius, c.Y - offsetRadius};
    o.P2 = {c.X + offsetRadius, c.Y + offsetRadius};
    o.P3 = moved(e.P3);
    o.P4 = moved(e.P4);
    if (upper) {
        TPoint& far = ArcEnd(o, flank);
        if (far.Y > level) {
            double dy = level - c.Y;
            far.Y = level;
            far.X =
                c.X + Outwards(flank) * std::sqrt(std::fabs(offsetRadius * offsetRadius - dy * dy));
        }
    }
    return o;
}

// The contour's last element climbs by `extra` towards the stock.
void Close(Tobjects& contour, Flank flank, double extra) {
    if (contour.empty())
        return;
    TObj& last = contour.back();
    if (IsVerticalLine(last)) {
        (last.P1.Y > last.P2.Y ? last.P1.Y : last.P2.Y) += extra;
        return;
    }
    // The climb stands where the tool leaves the last element, so that it rises straight from
    // there to the stock (standing on an arc's other end, joining would tilt it back over the arc).
    TPoint foot;
    if (last.IsLine())
        foot = FarEnd(last, flank);
    else if (last.IsArc())
        foot = ArcEnd(last, flank);
    else
        return;
    TPoint head{foot.X, foot.Y + extra};
    contour.push_back(flank == Flank::Right ? MakeLine(head, foot) : MakeLine(foot, head));
}

double Cross(double ax, double ay, double bx, double by) {
    return ax * by - ay * bx;
}

// Where two lines meet, or nothing when they lie on one straight line. Parallel lines that do not
// throw ArithmeticError.
std::optional<TPoint> Intersection(const TObj& a, const TObj& b) {
    double ux = a.P2.X - a.P1.X, uy = a.P2.Y - a.P1.Y;
    double vx = b.P2.X - b.P1.X, vy = b.P2.Y - b.P1.Y;
    double wx = b.P1.X - a.P1.X, wy = b.P1.Y - a.P1.Y;
    double uLength = std::hypot(ux, uy);
    double denominator = Cross(ux, uy, vx, vy);
    if (std::fabs(denominator) <= ParallelSine * uLength * std::hypot(vx, vy)) {
        if (std::fabs(Cross(ux, uy, wx, wy)) / uLength <= CollinearDistance)
            return std::nullopt;
        throw ArithmeticError("Parallel lines do not meet");
    }
    double t = Cross(wx, wy, vx, vy) / denominator;
    return TPoint{a.P1.X + t * ux, a.P1.Y + t * uy};
}

// Where two lines meet. A vertical line gives the corner its own x and a horizontal line its own
// y, so that walls stay vertical and flats level; lines that already share the corner keep it.
std::optional<TPoint> Corner(const TObj& a, const TObj& b, Flank flank) {
    const TPoint& end = FarEnd(a, flank);
    if (end == NearEnd(b, flank))
        return end;
    std::optional<TPoint> meeting = Intersection(a, b);
    if (!meeting)
        return meeting;
    for (const TObj* line : {&a, &b}) {
        if (IsVerticalLine(*line))
            meeting->X = line->P1.X;
        if (IsHorizontalLine(*line))
            meeting->Y = line->P1.Y;
    }
    return meeting;
}

// An arc's end that lies on a line's straight (within the distance that tells a tangent joint
// from a corner) is put exactly on it: onto a wall's x, a flat's y, or the foot of its
// perpendicular on a slope. Ends off the line are left where they are.
void PutOnLine(TPoint& end, const TObj& line) {
    double ux = line.P2.X - line.P1.X, uy = line.P2.Y - line.P1.Y;
    double length = std::hypot(ux, uy);
    if (length < ZeroLength)
        return;
    double wx = end.X - line.P1.X, wy = end.Y - line.P1.Y;
    if (std::fabs(Cross(ux, uy, wx, wy)) / length > TangentDistance)
        return;
    if (IsVerticalLine(line)) {
        end.X = line.P1.X;
    } else if (IsHorizontalLine(line)) {
        end.Y = line.P1.Y;
    } else {
        double t = (wx * ux + wy * uy) / (length * length);
        end = {line.P1.X + t * ux, line.P1.Y + t * uy};
    }
}

// Makes b begin where a ends, moving the points the joining rules name. A tangent joint of an arc
// and a line lies on the line, the arc's end moved onto it.
void Join(TObj& a, TObj& b, Flank flank) {
    if (a.IsArc() && b.IsLine()) {
        if (a.P3.X != a.P4.X) {
            TPoint& end = ArcEnd(a, flank);
            PutOnLine(end, b);
            NearEnd(b, flank) = end;
        }
    } else if (a.IsLine() && b.IsArc()) {
        if (b.P3.X != b.P4.X) {
            TPoint& start = ArcStart(b, flank);
            PutOnLine(start, a);
            FarEnd(a, flank) = start;
        }
    } else if (a.IsLine() && b.IsLine()) {
        if (std::optional<TPoint> meeting = Corner(a, b, flank)) {
            FarEnd(a, flank) = *meeting;
            NearEnd(b, flank) = *meeting;
        }
    }
}

// Joins neighbours in order, each pair seeing the changes of the pair before it. A line shrunk to
// nothing is dropped and its neighbours are joined directly.
void JoinNeighbours(Tobjects& contour, Flank flank) {
    auto erase = [&contour](size_t i) {
        contour.erase(contour.begin() + static_cast<std::ptrdiff_t>(i));
    };
    size_t i = 0;
    while (i + 1 < contour.size()) {
        if (IsZeroLengthLine(contour[i + 1])) {
            erase(i + 1);
        } else if (IsZeroLengthLine(contour[i])) {
            erase(i);
            if (i > 0)
                --i;
        } else {
            Join(contour[i], contour[i + 1], flank);
            ++i;
        }
    }
    std::erase_if(contour, IsZeroLengthLine);
}

} // namespace

Tobjects BuildOffsetContour(const Tobjects& outline, Flank flank, double rest,
                            std::optional<double> climb) {
    Tobjects built;
    if (outline.empty())
        return built;
    // Every element that could exist has a point; without one there is nothing to hold down.
    double height = ProfileSpan(outline, 20).value_or(0);
    const TObj& first = outline.front();
    CutOffLevels level{NearEnd(first, flank).Y + height, FarEnd(first, flank).Y + height};
    for (const TObj& e : outline) {
        if (e.IsLine()) {
            built.push_back(OffsetLine(e, flank, rest, level.Line));
        } else if (e.IsArc()) {
            if (std::optional<TObj> o = OffsetArc(e, flank, rest, level.Arc))
                built.push_back(*o);
        } else {
            built.emplace_back();
        }
    }
    if (climb)
        Close(built, flank, *climb);
    JoinNeighbours(built, flank);
    return built;
}

Tobjects ContourUpTo(const Tobjects& contour, Flank flank, std::optional<double> limit) {
    if (!limit || flank == Flank::Left)
        return contour;
    Tobjects kept;
    for (const TObj& e : contour) {
        if (!e.IsLine() && !(e.IsArc() && e.P3.X != e.P4.X)) {
            kept.push_back(e);
            continue;
        }
        const TPoint& start = e.IsLine() ? NearEnd(e, flank) : ArcStart(e, flank);
        const TPoint& end = e.IsLine() ? FarEnd(e, flank) : ArcEnd(e, flank);
        if (start.X <= *limit)
            break;
        kept.push_back(e);
        if (end.X >= *limit)
            continue;
        // The element crosses the limit: it ends there, a line along its straight, an arc on its
        // circle and its half.
        TObj& cut = kept.back();
        TPoint at;
        if (e.IsLine()) {
            double t = (*limit - start.X) / (end.X - start.X);
            at = {*limit, start.Y + t * (end.Y - start.Y)};
            FarEnd(cut, flank) = at;
        } else {
            TPoint c = e.Centre();
            double r = e.Radius();
            double dx = *limit - c.X;
            double root = std::sqrt(std::max(0.0, r * r - dx * dx));
            at = {*limit, IsUpperHalf(e) ? c.Y + root : c.Y - root};
            ArcEnd(cut, flank) = at;
        }
        cut.Mid = {(start.X + at.X) / 2, (start.Y + at.Y) / 2};
        break;
    }
    return kept;
}

} // namespace torvex
