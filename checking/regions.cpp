#include "checking/regions.h"

#include "geometry/knife.h"
#include "geometry/shaft.h"
#include "toolpath/profile_measures.h"

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
std::optional<Polyline> ElementPoints(const TObj& e, uint8_t arcSteps,
                                      std::optional<double> trueStep = std::nullopt) {
    if (e.IsLine())
        return Polyline{e.P1, e.P2};
    if (!e.IsArc())
        return std::nullopt;
    bool p3First = e.P3.X <= e.P4.X;
    Polyline points{p3First ? e.P3 : e.P4};
    for (const TPoint& p : trueStep ? ArcPointsAtEqualAngles(e, *trueStep)
                                    : ArcInteriorPoints(e, arcSteps, RootOffCircle::Absolute))
        points.push_back(p);
    points.push_back(p3First ? e.P4 : e.P3);
    return points;
}

void AppendPoint(Polyline& line, const TPoint& p) {
    if (line.empty() || !(line.back() == p))
        line.push_back(p);
}

// Appends the piece, from whichever of its ends lies nearer the line's last point.
void AppendPiece(Polyline& line, const Polyline& piece) {
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
std::optional<Polyline> KnifeElementPoints(const TObj& e) {
    return ElementPoints(e, 1, M_PI / 180);
}

} // namespace

Polyline ProfileChain(const TShaft& shaft, ArcReading reading) {
    Polyline chain;
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

Polyline ClosedToAxis(const Polyline& profile) {
    Polyline region = profile;
    if (region.size() < 2)
        throw CheckError("The part has no profile to check against.");
    TPoint first = region.front();
    AppendPoint(region, {region.back().X, 0});
    AppendPoint(region, {first.X, 0});
    if (region.back() == first)
        region.pop_back();
    return region;
}

Polyline KnifeOutline(const TKnife& knife, const std::string& name) {
    std::vector<Polyline> pieces;
    for (const TObj& e : knife.Elements)
        if (auto piece = KnifeElementPoints(e))
            pieces.push_back(std::move(*piece));
    std::vector<bool> used(pieces.size(), false);
    const TPoint tip{0, 0};
    Polyline ring{tip};
    for (size_t placed = 0; placed < pieces.size(); ++placed) {
        bool found = false;
        for (size_t i = 0; i < pieces.size() && !found; ++i) {
            if (used[i])
                continue;
            const Polyline& piece = pieces[i];
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
    throw CheckError("The knife " + name +
                     " has no closed outline through its tip to check the toolpath with.");
}

} // namespace torvex
