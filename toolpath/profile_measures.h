#pragma once

#include "geometry/element.h"
#include "geometry/model.h"
#include "toolpath/flank.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace torvex {

// An arc of a smaller radius would be written "R0": no such arc is ever written.
inline constexpr double SmallestArcRadius = 0.0005;

// The largest y among the elements' end points (a line's P1 and P2, an arc's P3 and P4); nothing
// when there are none.
std::optional<double> MaxEndY(const Tobjects& elements);

// The highest point of the profile: the end points, and the top of every upper-half arc whose
// circle's top lies between its ends; nothing when there are none.
std::optional<double> HighestProfileY(const Tobjects& elements);

// The number of passes that take `height` down in steps of `depth`, leaving the last step to a
// final pass: one fewer than the quotient when its fractional part reads 0 at one decimal. Zero or
// less means none. A zero depth throws ArithmeticError, and so does a depth so small that more
// than 32767 passes would be needed.
int PassCount(double height, double depth);

// Calls visit(x, y) for every point of the elements' discretisation, in element order: a line's
// P1 and P2, an arc's P3, P4 and then its preview points; elements of other kinds give none.
template <class Visit>
void ForEachProfilePoint(const Tobjects& elements, uint8_t arcSteps, Visit&& visit) {
    for (const TObj& e : elements) {
        if (e.IsLine()) {
            visit(e.P1.X, e.P1.Y);
            visit(e.P2.X, e.P2.Y);
        } else if (e.IsArc()) {
            visit(e.P3.X, e.P3.Y);
            visit(e.P4.X, e.P4.Y);
            for (const TPoint& p : ArcInteriorPoints(e, arcSteps, RootOffCircle::Absolute))
                visit(p.X, p.Y);
        }
    }
}

// The span of the radii met: the largest minus the smallest, nothing when none was met.
struct RadialSpan {
    std::optional<double> Lowest;
    std::optional<double> Highest;
    void Meet(double y) {
        Lowest = Lowest && *Lowest <= y ? *Lowest : y;
        Highest = Highest && *Highest >= y ? *Highest : y;
    }
    std::optional<double> Height() const {
        return Lowest ? std::optional<double>(*Highest - *Lowest) : std::nullopt;
    }
};

// The height of the elements' discretisation, without building it; nothing without points.
std::optional<double> ProfileSpan(const Tobjects& elements, uint8_t arcSteps);

// The x at which a tool travelling along the axis at level y from the flank's end meets the flank's
// contour: where the contour, followed element by element from that end, first rises above the
// level. A stretch of the contour on the level (within a nanometre) does not stop the tool: a flat
// at the level is cut to its far end. Lines and arcs are met exactly, arcs on their circle; an arc
// whose ends share an x and elements of other kinds are passed over. A level the contour never
// rises above gives the x of its highest end point (the first of them). Throws ArithmeticError
// when the contour has no line or arc.
double ContourXAtLevel(const Tobjects& contour, Flank flank, double y);

// The first and the last element that is a line or an arc, or nullptr when there is none.
const TObj* FirstProfileElement(const Tobjects& elements);
const TObj* LastProfileElement(const Tobjects& elements);

} // namespace torvex
