#pragma once

#include "geometry/element.h"
#include "geometry/knife.h"
#include "toolpath/flank.h"

#include <cstdint>
#include <optional>

namespace torvex {

class BlockWriter;

// How a roughing strategy cuts: the clearances it keeps, its layers and its feeds.
struct RoughingParameters {
    double SafeX = 0;      // the retract level, a radius clear of the stock
    double Offset = 0;     // axial clearance beyond the part's ends
    double Depth = 0;      // radial depth of a layer
    double Lift = 2;       // a pass lifts away from the cut by this, radially and axially
    double RadialFeed = 0; // mm/min
    double AxialFeed = 0;  // mm/min
    uint8_t ArcSteps = 20; // an arc's moves: its preview points and its end
    // The nose of the knife that makes the operation; none for a sharp tip, whose point follows
    // the contour.
    std::optional<KnifeNose> Nose;
};

// How a finishing pass runs.
struct FinishingParameters {
    double SafeX = 0;
    double Offset = 0;
    double Approach = 0; // the rapid approach stops this far above the outline's start
    double Feed = 0;     // mm/min
    uint8_t ArcSteps = 20;
    std::optional<KnifeNose> Nose;
};

// The strategies write their blocks and moves through the writer. A strategy given no line or arc
// to follow writes nothing; arithmetic that cannot be done (a zero depth or feed, parallel lines)
// throws ArithmeticError.

// Full-length roughing with the left tool: longitudinal passes from the stock radius down to the
// profile's highest point plus the rest, from left to right. `profile` is the whole profile.
void RoughFullLength(BlockWriter& w, const Tobjects& profile, double stockRadius, double rest,
                     const RoughingParameters& p);

// Side roughing of one flank along its offset contour: layers from the top down, each cut axially
// in to the contour, then one pass along the contour. With a nose, the layers end where the nose
// meets the contour and the pass follows the contour with the nose (NosePath; a concave arc
// tighter than the nose is passed over).
void RoughFlank(BlockWriter& w, const Tobjects& contour, Flank flank, const RoughingParameters& p);

// One finishing pass along a flank's outline, entering `Approach` above its start; with a nose, the
// nose follows the outline (NosePath; a concave arc tighter than the nose is refused).
void FinishFlank(BlockWriter& w, const Tobjects& outline, Flank flank,
                 const FinishingParameters& p);

// The flank's outline moved away from the part by `rest` and re-joined; with a climb, it ends in
// a rise of that height towards the stock.
Tobjects BuildOffsetContour(const Tobjects& outline, Flank flank, double rest,
                            std::optional<double> climb);

} // namespace torvex
