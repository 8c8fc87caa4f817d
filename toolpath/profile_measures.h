#pragma once

#include "geometry/element.h"

#include <cstdint>
#include <vector>

namespace torvex {

// An arc of a smaller radius would be written "R0": no such arc is ever written.
inline constexpr double SmallestArcRadius = 0.0005;

// The largest y among the elements' end points (a line's P1 and P2, an arc's P3 and P4); -1 when
// there are none.
double MaxEndY(const Tobjects& elements);

// The highest point of the profile: the end points, and the top of every upper-half arc whose
// circle's top lies between its ends; -1 when there are none.
double HighestProfileY(const Tobjects& elements);

// The number of passes that take `height` down in steps of `depth`, leaving the last step to a
// final pass: one fewer than the quotient when its fractional part reads 0 at one decimal. Zero or
// less means none. A zero depth throws ArithmeticError, and so does a depth so small that more
// than 32767 passes would be needed.
int PassCount(double height, double depth);

// The preview points of an arc, in increasing x: steps - 1 points evenly spaced in x on its half of
// the circle (the root taken of the absolute value), none when its ends share an x. Zero steps
// throw ArithmeticError.
std::vector<TPoint> ArcStepPoints(const TObj& arc, uint8_t steps);

// The first and the last element that is a line or an arc, or nullptr when there is none.
const TObj* FirstProfileElement(const Tobjects& elements);
const TObj* LastProfileElement(const Tobjects& elements);

} // namespace torvex
