#pragma once

#include "geometry/element.h"
#include "geometry/knife.h"
#include "geometry/point_list.h"

#include <cstdint>
#include <string>
#include <vector>

namespace torvex {

// The names of one mounted tool as its slot shows them.
struct TToolStr {
    std::string SupportName;
    std::string TipName;
};

// One machining job: its tools and parameters, and the result of its strategies in two forms
// produced move by move: NC blocks and timed path points.
class TToolpath {
public:
    int32_t BlockNo = 0; // number of the last NC block written
    std::string Name;
    std::string PathType; // "Rough" or "Finish"
    Tobjects RightOffsetContour;
    Tobjects LeftOffsetContour;
    double SafeX = 0;  // radial retract level
    double StartX = 0; // entry x of the last strategy run
    double StartY = 0; // first feed level of the last strategy run
    double Offset = 0; // axial clearance beyond the profile's ends
    TToolStr LeftToolNames;
    TToolStr RightToolNames;
    TKnife LeftKnife;
    TKnife RightKnife;
    TPctList PathPoints;    // one point per move end (and arc preview point), timed
    TPctList ProfilePoints; // scratch: the discretised contour a strategy works on
    std::vector<std::string> NCBlocks;
    double CuttingFeed = 0;      // mm/min
    double LongitudinalFeed = 0; // mm/min
    double TurningSpeed = 0;     // rev/min
    double RapidFeed = 0;        // mm/min, the feed that marks rapid moves
};

} // namespace torvex
