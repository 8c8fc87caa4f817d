#pragma once

#include "geometry/element.h"
#include "toolpath/nc_block.h"

#include <optional>
#include <vector>

namespace torvex {

class TipFloor;

// One move of a way: straight to its end, or along an arc about its centre through its preview
// points (in the direction of travel).
struct WayMove {
    TPoint To;
    struct Circle {
        TPoint Centre;
        double Radius = 0;
        ArcTurn Turn = ArcTurn::Clockwise;
        std::vector<TPoint> Preview;
    };
    std::optional<Circle> Arc;
};

// The way of a knife's tip along a floor it touches, from axial position `from` to `to`: where it
// starts and its moves. Straight moves stay within half a micrometre of the floor (a chord of a
// rounded floor never dips deeper below it); where the floor follows one circle the moves are one
// arc on it; where the floor steps (a wall) the tip goes up it before moving on, or past it before
// going down. Where the floor has no height (nothing under the knife) `fallback` stands for it.
struct TouchWay {
    TPoint Start;
    std::vector<WayMove> Moves;
};
TouchWay WayAlong(const TipFloor& floor, double from, double to, double fallback);

} // namespace torvex
