#include "toolpath/cutting_edge.h"

#include "geometry/knife.h"

#include <algorithm>

namespace torvex {

namespace {

// The lowest y of an element: its ends, or the bottom of a lower-half arc whose centre lies
// between them.
double LowestY(const TObj& e) {
    if (e.IsLine())
        return std::min(e.P1.Y, e.P2.Y);
    double lowest = std::min(e.P3.Y, e.P4.Y);
    TPoint c = e.Centre();
    bool lowerHalf = e.P3.X > e.P4.X;
    if (lowerHalf && e.P4.X <= c.X && c.X <= e.P3.X)
        lowest = std::min(lowest, c.Y - e.Radius());
    return lowest;
}

} // namespace

std::optional<CuttingEdge> CuttingEdgeOf(const TKnife& knife) {
    std::optional<double> lowest;
    for (const TObj& e : knife.Elements)
        if (e.IsLine() || e.IsArc())
            lowest = std::min(lowest.value_or(LowestY(e)), LowestY(e));
    if (!lowest)
        return std::nullopt;
    double level = *lowest + EdgeTolerance;
    std::optional<CuttingEdge> edge;
    auto take = [&edge](double x) {
        if (!edge)
            edge = CuttingEdge{x, x};
        edge->Left = std::min(edge->Left, x);
        edge->Right = std::max(edge->Right, x);
    };
    for (const TObj& e : knife.Elements) {
        if (e.IsLine()) {
            for (const TPoint& p : {e.P1, e.P2})
                if (p.Y <= level)
                    take(p.X);
        } else if (e.IsArc() && LowestY(e) <= level) {
            take(e.P3.X);
            take(e.P4.X);
        }
    }
    return edge;
}

} // namespace torvex
