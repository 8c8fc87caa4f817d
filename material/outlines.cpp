#include "material/outlines.h"

#include "geometry/knife.h"
#include "geometry/shaft.h"
#include "toolpath/toolpath.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace torvex {

namespace {

// Knife files write their values with two decimals: ends closer than this are one point.
constexpr double JoinTolerance = 1e-6;

bool SamePoint(const TPoint& a, const TPoint& b) {
    return std::fabs(a.X - b.X) <= JoinTolerance && std::fabs(a.Y - b.Y) <= JoinTolerance;
}

// The points of one element from its end with the smaller x to the other (a line from P1 to P2),
// an arc by its preview points or by points at equal angles no farther apart than `trueStep`.
std::optional<PointChain> ElementPoints(const TObj& e, uint8_t arcSteps,
                                        std::optional<double> trueStep = std::nullopt) {
    if (e.IsLine())
        return PointChain{e.P1, e.P2};
    if (!e.IsArc())
        return std::nullopt;
    bool p3First = e.P3.X <= e.P4.X;
    PointChain points{p3First ? e.P3 : e.P4};
    for (const TPoint& p : trueStep ? ArcPointsAtEqualAngles(e, *trueStep)
                                    : ArcInteriorPoints(e, arcSteps, RootOffCircle::Absolute))
        points.push_back(p);
    points.push_back(p3First ? e.P4 : e.P3);
    return points;
}

void AppendPoint(PointChain& line, const TPoint& p) {
    if (line.empty() || !(line.back() == p))
        line.push_back(p);
}

// Appends the piece, from whichever of its ends lies nearer the line's last point.
void AppendPiece(PointChain& line, const PointChain& piece) {
    bool reversed = false;
    if (!line.empty()) {
        const TPoint& last = line.back();
        auto gap = [&](const TPoint& p) { return std::hypot(p.X - last.X, p.Y - last.Y); };
        reversed = gap(piece.back()) < gap(piece.front());
    }
    if (reversed)
        for (auto p = piece.rbegin(); p != piece.rend(); ++p)
            AppendPoint(line, *p);
    else
        for (const TPoint& p : piece)
            AppendPoint(line, p);
}

// A knife's arc by its true shape: a point every degree along its half of the circle, from its end
// with the smaller x to the other.
std::optional<PointChain> KnifeElementPoints(const TObj& e) {
    return ElementPoints(e, 1, M_PI / 180);
}

} // namespace

PointChain ProfileChain(const TShaft& shaft, ArcReading reading) {
    PointChain chain;
    for (const TObj& e : shaft.Elements) {
        // A convex arc's chords (on the upper half) cut inside it, a concave arc's stand outside.
        bool convex = e.IsArc() && e.P3.X < e.P4.X;
        std::optional<double> trueStep;
        if (e.IsArc() && reading != ArcReading::Chords && (reading == ArcReading::Inner) != convex)
            trueStep = TrueArcStep(e.Radius());
        if (auto piece = ElementPoints(e, shaft.ArcSteps, trueStep))
            AppendPiece(chain, *piece);
    }
    return chain;
}

PointChain ClosedToAxis(const PointChain& profile) {
    PointChain region = profile;
    if (region.size() < 2)
        throw OutlineError("The profile has fewer than two points: it closes round no region.");
    TPoint first = region.front();
    AppendPoint(region, {region.back().X, 0});
    AppendPoint(region, {first.X, 0});
    if (region.back() == first)
        region.pop_back();
    return region;
}

PointChain KnifeOutline(const TKnife& knife, const std::string& name) {
    std::vector<PointChain> pieces;
    for (const TObj& e : knife.Elements)
        if (auto piece = KnifeElementPoints(e))
            pieces.push_back(std::move(*piece));
    std::vector<bool> used(pieces.size(), false);
    const TPoint tip{0, 0};
    PointChain ring{tip};
    for (size_t placed = 0; placed < pieces.size(); ++placed) {
        bool found = false;
        for (size_t i = 0; i < pieces.size() && !found; ++i) {
            if (used[i])
                continue;
            const PointChain& piece = pieces[i];
            bool forwards = SamePoint(piece.front(), ring.back());
            if (!forwards && !SamePoint(piece.back(), ring.back()))
                continue;
            ring.pop_back();
            if (forwards)
                ring.insert(ring.end(), piece.begin(), piece.end());
            else
                ring.insert(ring.end(), piece.rbegin(), piece.rend());
            used[i] = true;
            found = true;
        }
        if (!found)
            break;
        if (SamePoint(ring.back(), tip) && ring.size() > 3) {
            ring.pop_back();
            return ring;
        }
    }
    throw OutlineError("The knife " + name + " has no closed outline through its tip.");
}

std::string NoKnifeOutlineText(ToolSide tool) {
    return std::string(tool == ToolSide::Left ? "The left" : "The right") +
           " tool has no knife outline.";
}

std::array<KnifeShape, 2> ToolpathKnives(const TToolpath& toolpath) {
    std::array<KnifeShape, 2> knives;
    for (ToolSide side : {ToolSide::Left, ToolSide::Right}) {
        KnifeShape& shape = knives[static_cast<size_t>(side)];
        const std::string& tip = toolpath.Tool(side).Names.TipName;
        shape.Name = tip.empty() ? (side == ToolSide::Left ? "left tool" : "right tool") : tip;
        bool moves = std::any_of(toolpath.PathPoints.begin(), toolpath.PathPoints.end(),
                                 [side](const TPunct& p) { return p.Tool == side; });
        if (!moves)
            continue;
        const TKnife& knife = side == ToolSide::Left ? toolpath.LeftKnife : toolpath.RightKnife;
        if (knife.Elements.empty())
            throw OutlineError(NoKnifeOutlineText(side));
        shape.Outline = KnifeOutline(knife, shape.Name);
    }
    return knives;
}

} // namespace torvex
