#pragma once

#include "geometry/element.h"

#include <optional>
#include <vector>

namespace torvex {

// A groove of a profile: a stretch that lies lower than both the highest point to its left and the
// highest point to its right, which the flanks' strategies never reach. Left and Right are where
// the profile leaves and meets again its rim, the lower of those two highest points.
struct Groove {
    double Left = 0;
    double Right = 0;
    double Rim = 0;
    double Width() const { return Right - Left; }
};

// The profile's grooves from left to right (a profile in order, as a loaded part has it; arcs
// followed a degree at a time). A dip shallower than a micrometre is no groove.
std::vector<Groove> FindGrooves(const Tobjects& profile);

// The highest radius of the elements over the axial span [from, to], lines and arcs exactly;
// nothing when none of them lies over it.
std::optional<double> HighestBetween(const Tobjects& elements, double from, double to);

} // namespace torvex
