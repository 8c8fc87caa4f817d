#include "toolpath/grooves.h"

#include <algorithm>
#include <cmath>

namespace torvex {

namespace {

constexpr double DipTolerance = 1e-6;

// The height of the arc's circle at x, on the arc's half.
double ArcY(const TObj& arc, double x) {
    TPoint c = arc.Centre();
    double r = arc.Radius();
    double h = std::sqrt(std::max(0.0, r * r - (x - c.X) * (x - c.X)));
    return arc.P3.X < arc.P4.X ? c.Y + h : c.Y - h;
}

// The arc's points a degree apart, from its end with the smaller x.
std::vector<TPoint> ArcPoints(const TObj& arc) {
    bool upper = arc.P3.X < arc.P4.X;
    const TPoint& from = upper ? arc.P3 : arc.P4;
    const TPoint& to = upper ? arc.P4 : arc.P3;
    TPoint c = arc.Centre();
    double r = arc.Radius();
    std::vector<TPoint> points{from};
    if (r > 0) {
        double a = std::acos(std::clamp((from.X - c.X) / r, -1.0, 1.0));
        double b = std::acos(std::clamp((to.X - c.X) / r, -1.0, 1.0));
        int steps = static_cast<int>(std::ceil(std::fabs(a - b) / (M_PI / 180)));
        for (int k = 1; k < steps; ++k) {
            double x = c.X + r * std::cos(a + (b - a) * k / steps);
            points.push_back({x, ArcY(arc, x)});
        }
    }
    points.push_back(to);
    return points;
}

// The profile as one chain of points in its own order.
std::vector<TPoint> Chain(const Tobjects& profile) {
    std::vector<TPoint> chain;
    for (const TObj& e : profile) {
        std::vector<TPoint> piece;
        if (e.IsLine())
            piece = {e.P1, e.P2};
        else if (e.IsArc())
            piece = ArcPoints(e);
        else
            continue;
        if (!chain.empty()) {
            const TPoint& last = chain.back();
            auto gap = [&last](const TPoint& p) { return std::hypot(p.X - last.X, p.Y - last.Y); };
            if (gap(piece.back()) < gap(piece.front()))
                std::reverse(piece.begin(), piece.end());
        }
        chain.insert(chain.end(), piece.begin(), piece.end());
    }
    return chain;
}

} // namespace

std::vector<Groove> FindGrooves(const Tobjects& profile) {
    std::vector<TPoint> chain = Chain(profile);
    size_t n = chain.size();
    std::vector<double> highestRight(n);
    for (size_t i = n; i-- > 0;)
        highestRight[i] = i + 1 < n ? std::max(chain[i].Y, highestRight[i + 1]) : chain[i].Y;
    std::vector<Groove> grooves;
    double highestLeft = 0;
    bool inGroove = false;
    for (size_t i = 0; i < n; ++i) {
        highestLeft = i == 0 ? chain[0].Y : std::max(highestLeft, chain[i].Y);
        double rim = std::min(highestLeft, highestRight[i]);
        bool low = chain[i].Y < rim - DipTolerance;
        if (low && !inGroove)
            grooves.push_back({chain[i - 1].X, 0, rim});
        if (!low && inGroove)
            grooves.back().Right = chain[i].X;
        inGroove = low;
    }
    return grooves;
}

std::optional<double> HighestBetween(const Tobjects& elements, double from, double to) {
    std::optional<double> highest;
    auto meet = [&highest](double y) { highest = std::max(highest.value_or(y), y); };
    for (const TObj& e : elements) {
        if (!e.IsLine() && !e.IsArc())
            continue;
        const TPoint& a = e.IsLine() ? e.P1 : e.P3;
        const TPoint& b = e.IsLine() ? e.P2 : e.P4;
        double lo = std::max(std::min(a.X, b.X), from);
        double hi = std::min(std::max(a.X, b.X), to);
        if (lo > hi)
            continue;
        if (e.IsArc()) {
            meet(ArcY(e, lo));
            meet(ArcY(e, hi));
            TPoint c = e.Centre();
            if (e.P3.X < e.P4.X && lo <= c.X && c.X <= hi)
                meet(c.Y + e.Radius());
        } else if (a.X == b.X) {
            meet(std::max(a.Y, b.Y));
        } else {
            auto y = [&](double x) { return a.Y + (b.Y - a.Y) * (x - a.X) / (b.X - a.X); };
            meet(y(lo));
            meet(y(hi));
        }
    }
    return highest;
}

} // namespace torvex
