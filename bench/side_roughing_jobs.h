#pragma once

#include "toolpath/flank.h"

#include <cstddef>
#include <string>
#include <vector>

namespace torvex {

// A side roughing job on a random shaft: both flanks climb from the end faces to a flat top in
// cylinders, tapers and shoulders, some of their corners rounded (convex) or filleted (concave)
// with tangent arcs. Half of the jobs use round numbers (a 0.5 mm grid, rests and depths in
// tenths), where walls, flats and layer levels coincide exactly; the others use arbitrary values.
struct SideRoughingJob {
    unsigned Seed = 0;
    std::vector<std::string> PartLines; // element records, as a model file holds them
    double StockRadius = 0;
    Flank Side = Flank::Left;
    bool Close = false; // roughed from the stock (operations 1 and 3) or below the part's top
    double Rest = 0;
    double Depth = 0;
};

SideRoughingJob RandomSideRoughingJob(unsigned seed);

// Runs the job as the roughing window does (offset contour, then side roughing) and checks it:
// every line of the offset contour that is within a micrometre of vertical or horizontal is exactly
// so; the profile points follow the contour element by element (no segment of their polyline
// joins elements that are not neighbours); and every layer ends within a micrometre of the
// point where the contour, followed from the side's end, first rises above the layer's level,
// found here by sampling each element along its own length and bisecting. Returns what failed,
// empty when everything held; `layers` receives the number of layers checked.
std::string CheckSideRoughingJob(const SideRoughingJob& job, size_t& layers);

// The job's parameters and elements, for a failure message.
std::string DescribeSideRoughingJob(const SideRoughingJob& job);

} // namespace torvex
