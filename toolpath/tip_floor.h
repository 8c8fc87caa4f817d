#pragma once

#include "geometry/element.h"

#include <optional>
#include <vector>

namespace torvex {

// How low a knife's tip may go at each axial position without the knife's true shape entering the
// part's profile moved out by a rest: the lowest radius at which the knife, lowered straight down,
// touches the profile's offset. The profile is taken exactly, lines and arcs as they are, with the
// part below it; the knife is its outline, a closed ring through its tip at the origin.
//
// The offset profile is the union of the profile's elements swept by a disc of the rest's radius:
// its upper edge is made of discs about the elements' ends, the lines moved out along their
// normals, and the arcs' circles grown (above their centre) or shrunk (below it) by the rest. The
// tip's lowest radius at z is the largest height of that edge above the knife's edges placed at
// z, taken over every pair of a piece of the edge and an edge of the knife: where both are lines
// at one of the ends of their common span, where a circle is met at its tangent of the knife edge's
// slope too. A common span of no width is a touch, not a meeting: a knife's side standing on a
// wall's line does not hold it up.
class TipFloor {
public:
    TipFloor(const Tobjects& profile, const std::vector<TPoint>& knifeOutline, double rest);

    // The tip's lowest radius at axial position z; nothing where no part of the profile lies
    // under the knife.
    std::optional<double> At(double z) const;

private:
    // A piece of the offset profile's upper edge over [Lo, Hi]: a line of slope M through
    // (Lo, Y0), or the upper or lower half of a circle.
    struct Piece {
        enum Shape : unsigned char { Line, UpperHalf, LowerHalf } Kind = Line;
        double Lo = 0, Hi = 0;
        double Y0 = 0, M = 0;
        TPoint Centre;
        double Radius = 0;
        double Y(double x) const;
    };
    // An edge of the knife from its end with the smaller x, relative to the tip.
    struct Edge {
        double Ax = 0, Ay = 0, Bx = 0, By = 0;
    };

    void AddElement(const TObj& element, double rest);
    void AddDisc(const TPoint& centre, double rest);
    // The most the piece rises above the knife's edge placed at z, over their common span.
    std::optional<double> Rise(const Piece& piece, const Edge& edge, double z) const;

    std::vector<Piece> Pieces; // ordered by Lo
    std::vector<Edge> Edges;   // ordered by Ax
    double WidestPiece = 0;
    double WidestEdge = 0;
    double KnifeMinX = 0;
    double KnifeMaxX = 0;
};

} // namespace torvex
