#include "toolpath/touch_way.h"

#include "toolpath/profile_measures.h"
#include "toolpath/tip_floor.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace torvex {

namespace {

// A chord between two of the way's points never strays further from the floor than this, and no
// step is longer than MaxStep; a change of height that remains across MinStep is a wall.
constexpr double WayTolerance = 0.0005;
constexpr double MaxStep = 1;
constexpr double MinStep = 1e-4;
// Points and heights closer than this are one.
constexpr double Same = 1e-9;
// Points this close to a circle lie on it, and so does the floor between them.
constexpr double OnCircle = 1e-7;
// An arc turns less than this, so that no control takes it for the other way round.
constexpr double LargestSweep = M_PI * 0.9;

double Cross(const TPoint& a, const TPoint& b, const TPoint& c) {
    return (b.X - a.X) * (c.Y - b.Y) - (b.Y - a.Y) * (c.X - b.X);
}

double Distance(const TPoint& a, const TPoint& b) {
    return std::hypot(a.X - b.X, a.Y - b.Y);
}

std::optional<TPoint> CentreThrough(const TPoint& a, const TPoint& b, const TPoint& c) {
    double d = 2 * (a.X * (b.Y - c.Y) + b.X * (c.Y - a.Y) + c.X * (a.Y - b.Y));
    if (std::fabs(d) < 1e-12)
        return std::nullopt;
    double a2 = a.X * a.X + a.Y * a.Y;
    double b2 = b.X * b.X + b.Y * b.Y;
    double c2 = c.X * c.X + c.Y * c.Y;
    return TPoint{(a2 * (b.Y - c.Y) + b2 * (c.Y - a.Y) + c2 * (a.Y - b.Y)) / d,
                  (a2 * (c.X - b.X) + b2 * (a.X - c.X) + c2 * (b.X - a.X)) / d};
}

class WayBuilder {
public:
    WayBuilder(const TipFloor& floor, double fallback) : Floor(floor), Fallback(fallback) {}

    TouchWay Along(double from, double to) {
        Points = {{from, At(from)}};
        int pieces = std::max(1, static_cast<int>(std::ceil(std::fabs(to - from) / MaxStep)));
        for (int k = 1; k <= pieces; ++k) {
            double z = from + (to - from) * k / pieces;
            Refine(Points.back(), {z, At(z)});
        }
        Simplify();
        TouchWay way{Points.front(), {}};
        for (size_t i = 0; i + 1 < Points.size();) {
            ArcRun run = ArcFrom(i);
            if (run.End > i + 2) {
                way.Moves.push_back(ArcMove(i, run));
                i = run.End;
            } else {
                way.Moves.push_back({Points[i + 1], std::nullopt});
                ++i;
            }
        }
        return way;
    }

private:
    double At(double z) const { return Floor.At(z).value_or(Fallback); }

    void Refine(const TPoint& a, const TPoint& b) {
        if (std::fabs(b.X - a.X) <= MinStep) {
            if (std::fabs(b.Y - a.Y) > WayTolerance)
                Points.push_back(b.Y > a.Y ? TPoint{a.X, b.Y} : TPoint{b.X, a.Y});
            Points.push_back(b);
            return;
        }
        bool close = true;
        std::array<TPoint, 3> inner;
        for (int k = 1; k <= 3; ++k) {
            double t = k / 4.0;
            inner[k - 1] = {a.X + (b.X - a.X) * t, At(a.X + (b.X - a.X) * t)};
            close = close && std::fabs(a.Y + (b.Y - a.Y) * t - inner[k - 1].Y) <= WayTolerance;
        }
        if (close) {
            Points.push_back(b);
            return;
        }
        Refine(a, inner[1]);
        Refine(inner[1], b);
    }

    // Leaves out repeated points and those on the straight way between their neighbours.
    void Simplify() {
        std::vector<TPoint> kept;
        for (const TPoint& p : Points) {
            if (!kept.empty() && Distance(p, kept.back()) <= Same)
                continue;
            if (kept.size() >= 2) {
                const TPoint& a = kept[kept.size() - 2];
                const TPoint& b = kept.back();
                double dot = (b.X - a.X) * (p.X - b.X) + (b.Y - a.Y) * (p.Y - b.Y);
                if (std::fabs(Cross(a, b, p)) <= 1e-12 * Distance(a, b) * Distance(b, p) && dot > 0)
                    kept.pop_back();
            }
            kept.push_back(p);
        }
        Points = std::move(kept);
    }

    // A run of points on one circle: its last point, the circle and the way it turns.
    struct ArcRun {
        size_t End = 0;
        TPoint Centre;
        double Radius = 0;
        bool Clockwise = true;
    };

    // The longest run from i that lies on one circle, turning one way, with the floor on that
    // circle between its points; a run ending at i + 1 when there is none.
    ArcRun ArcFrom(size_t i) const {
        ArcRun none{i + 1, {}, 0, true};
        if (i + 3 >= Points.size())
            return none;
        std::optional<TPoint> centre = CentreThrough(Points[i], Points[i + 1], Points[i + 2]);
        if (!centre)
            return none;
        double radius = Distance(*centre, Points[i]);
        if (radius < SmallestArcRadius)
            return none;
        bool clockwise = Cross(Points[i], Points[i + 1], Points[i + 2]) < 0;
        double swept = 0;
        size_t end = i;
        for (size_t k = i + 1; k < Points.size(); ++k) {
            const TPoint& a = Points[k - 1];
            const TPoint& b = Points[k];
            if (std::fabs(Distance(*centre, b) - radius) > OnCircle)
                break;
            if (k >= i + 2 && (Cross(Points[k - 2], a, b) < 0) != clockwise)
                break;
            swept += 2 * std::asin(std::min(1.0, Distance(a, b) / (2 * radius)));
            if (swept > LargestSweep || !FloorOnCircle(a, b, *centre, radius))
                break;
            end = k;
        }
        return {end, *centre, radius, clockwise};
    }

    // Whether the floor follows the circle between two of its points, as it does at them.
    bool FloorOnCircle(const TPoint& a, const TPoint& b, const TPoint& centre,
                       double radius) const {
        TPoint mid{(a.X + b.X) / 2 - centre.X, (a.Y + b.Y) / 2 - centre.Y};
        double length = std::hypot(mid.X, mid.Y);
        if (length == 0)
            return false;
        TPoint on{centre.X + mid.X * radius / length, centre.Y + mid.Y * radius / length};
        return std::fabs(At(on.X) - on.Y) <= OnCircle * 10;
    }

    WayMove ArcMove(size_t from, const ArcRun& run) const {
        auto first = Points.begin() + static_cast<std::ptrdiff_t>(from);
        WayMove::Circle circle{
            run.Centre, run.Radius, run.Clockwise ? ArcTurn::Clockwise : ArcTurn::CounterClockwise,
            std::vector<TPoint>(first + 1, first + static_cast<std::ptrdiff_t>(run.End - from))};
        return {Points[run.End], std::move(circle)};
    }

    const TipFloor& Floor;
    double Fallback;
    std::vector<TPoint> Points;
};

} // namespace

TouchWay WayAlong(const TipFloor& floor, double from, double to, double fallback) {
    return WayBuilder(floor, fallback).Along(from, to);
}

} // namespace torvex
