#include "toolpath/block_writer.h"
#include "toolpath/profile_measures.h"
#include "toolpath/strategies.h"
#include "toolpath/tip_floor.h"
#include "toolpath/touch_way.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace torvex {

namespace {

// Heights and positions closer than this are one.
constexpr double Same = 1e-9;

// A radial plunge from where the tool stands down to `depth`, retracting PeckRetract after every
// Peck of it counted from `top`, the top of the material under the knife.
void Plunge(BlockWriter& w, double top, double depth, const GroovingParameters& p) {
    if (p.Peck > 0) {
        double start = w.LastMove().Y;
        int pecks = PassCount(top - depth, p.Peck);
        for (int k = 1; k <= pecks; ++k) {
            double level = top - p.Peck * k;
            if (level >= start)
                continue;
            w.FeedX(level, p.PlungeFeed);
            w.RapidX(level + p.PeckRetract);
        }
    }
    w.FeedX(depth, p.PlungeFeed);
}

// A rapid move along the axis to z, unless the tool stands there.
void MoveAlongTo(BlockWriter& w, double z) {
    if (std::fabs(w.LastMove().X - z) > Same)
        w.RapidZ(z);
}

// The moves of the way after its start, each written as what it is: along the axis, radial, both
// or an arc.
void FeedAlong(BlockWriter& w, const TouchWay& way, double feed) {
    TPoint from = way.Start;
    for (const WayMove& move : way.Moves) {
        const TPoint& to = move.To;
        if (move.Arc)
            w.Arc(to, move.Arc->Centre, move.Arc->Turn, move.Arc->Radius, feed, move.Arc->Preview,
                  feed);
        else if (std::fabs(to.Y - from.Y) <= Same)
            w.FeedZ(to.X, feed);
        else if (std::fabs(to.X - from.X) <= Same)
            w.FeedX(to.Y, feed);
        else
            w.Feed(to, feed);
        from = to;
    }
}

// The knife's extent along the axis, from its tip.
std::pair<double, double> AxialExtent(const std::vector<TPoint>& outline) {
    double left = 0;
    double right = 0;
    for (const TPoint& q : outline) {
        left = std::min(left, q.X);
        right = std::max(right, q.X);
    }
    return {left, right};
}

// Down from the retract level to where a plunge starts: clearance above the stock under the whole
// knife.
double Approach(BlockWriter& w, const Tobjects& stock, double from, double to, double lowest,
                const GroovingParameters& p) {
    double top = HighestBetween(stock, from, to).value_or(lowest);
    double approach = std::max(lowest, std::min(p.SafeX, top + p.Clearance));
    if (approach < p.SafeX - Same)
        w.RapidX(approach);
    return approach;
}

// The tip's axial positions of the plunges: side by side at most Step apart, the first with the
// edge's left end the rest away from the groove's left rim, the last with its right end as far
// from the right rim; one in the middle where the groove leaves no room for more.
std::vector<double> PlungePositions(const Groove& g, const CuttingEdge& edge,
                                    const GroovingParameters& p) {
    double first = g.Left + p.Rest - edge.Left;
    double last = g.Right - p.Rest - edge.Right;
    if (last <= first + Same)
        return {(first + last) / 2};
    int steps = static_cast<int>(std::ceil((last - first) / p.Step - Same));
    std::vector<double> positions;
    for (int k = 0; k <= steps; ++k)
        positions.push_back(first + (last - first) * k / steps);
    return positions;
}

} // namespace

void CutGrooves(BlockWriter& w, const Tobjects& profile, const std::vector<Groove>& grooves,
                const Tobjects& stock, const GroovingKnife& knife, const GroovingParameters& p) {
    TipFloor rough(profile, knife.Outline, p.Rest);
    TipFloor touch(profile, knife.Outline, 0);
    const CuttingEdge& edge = knife.Edge;
    auto [knifeLeft, knifeRight] = AxialExtent(knife.Outline);
    for (const Groove& g : grooves) {
        // The finishing pass's walls: the edge's ends at the groove's rims.
        double left = g.Left - edge.Left;
        double right = g.Right - edge.Right;
        w.Rapid({left, p.SafeX});
        double approach = Approach(w, stock, left + knifeLeft, right + knifeRight, g.Rim, p);
        for (double z : PlungePositions(g, edge, p)) {
            std::optional<double> depth = rough.At(z);
            double material = HighestBetween(stock, z + edge.Left, z + edge.Right).value_or(g.Rim);
            if (!depth || *depth >= material - Same)
                continue;
            MoveAlongTo(w, z);
            Plunge(w, material, *depth, p);
            w.RapidX(approach);
        }
        // A groove as wide as the edge has one wall to go down: both at once.
        std::vector<double> walls{left};
        if (right - left > Same)
            walls.push_back(right);
        double middle = (left + right) / 2;
        for (double wall : walls) {
            TouchWay way = WayAlong(touch, wall, middle, g.Rim);
            MoveAlongTo(w, wall);
            w.FeedX(way.Start.Y, p.FinishingFeed);
            FeedAlong(w, way, p.FinishingFeed);
            w.RapidX(approach);
        }
        if (approach < p.SafeX)
            w.RapidX(p.SafeX);
    }
}

void PartOff(BlockWriter& w, double z, Flank end, double finalRadius, const Tobjects& stock,
             const GroovingKnife& knife, const GroovingParameters& p) {
    double tip = z - (end == Flank::Right ? knife.Edge.Left : knife.Edge.Right);
    auto [knifeLeft, knifeRight] = AxialExtent(knife.Outline);
    double material =
        HighestBetween(stock, tip + knife.Edge.Left, tip + knife.Edge.Right).value_or(finalRadius);
    w.Rapid({tip, p.SafeX});
    Approach(w, stock, tip + knifeLeft, tip + knifeRight, finalRadius, p);
    Plunge(w, std::max(material, finalRadius), finalRadius, p);
    w.RapidX(p.SafeX);
}

} // namespace torvex
