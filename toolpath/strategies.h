#pragma once

#include "geometry/element.h"
#include "geometry/knife.h"
#include "toolpath/cutting_edge.h"
#include "toolpath/flank.h"
#include "toolpath/grooves.h"

#include <cstdint>
#include <optional>
#include <vector>

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
    // No move goes below this x (the chuck's jaws and their clearance); nothing: no limit.
    std::optional<double> Limit;
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
    std::optional<double> Limit;
    std::optional<KnifeNose> Nose;
};

// How the grooving and parting strategies plunge and finish.
struct GroovingParameters {
    double SafeX = 0;     // the retract level between grooves, a radius clear of the stock
    double Clearance = 0; // a plunge starts this far above the stock under the knife
    double Rest = 0;      // what the plunges leave on the walls and the floor
    double Step = 0;      // axial distance between plunges, at most the edge's width
    double Peck = 0;      // a plunge retracts after every this deep of it; 0: it never does
    double PeckRetract = 0.5;
    double PlungeFeed = 0;    // mm/min
    double FinishingFeed = 0; // mm/min
};

// The knife a grooving strategy cuts with: its outline, a closed ring through its tip, and its
// cutting edge.
struct GroovingKnife {
    std::vector<TPoint> Outline;
    CuttingEdge Edge;
};

// Where the stock reaches beyond one of the part's ends: the end face and the stock's end.
struct EndFace {
    double PartEnd = 0;
    double StockEnd = 0;
};

// The strategies write their blocks and moves through the writer. A strategy given no line or arc
// to follow writes nothing; arithmetic that cannot be done (a zero depth or feed, parallel lines)
// throws ArithmeticError.

// Full-length roughing with the left tool: longitudinal passes from the stock radius down to the
// profile's highest point plus the rest, from left to right (from the limit, when there is one).
// `profile` is the whole profile.
void RoughFullLength(BlockWriter& w, const Tobjects& profile, double stockRadius, double rest,
                     const RoughingParameters& p);

// Side roughing of one flank along its offset contour: layers from the top down, each cut axially
// in to the contour, then one pass along the contour; layers and pass stop at the limit. With a
// nose, the layers end where the nose meets the contour and the pass follows the contour with the
// nose (NosePath; a concave arc tighter than the nose is passed over).
void RoughFlank(BlockWriter& w, const Tobjects& contour, Flank flank, const RoughingParameters& p);

// One finishing pass along a flank's outline, entering `Approach` above its start, and stopping at
// the limit; with a nose, the nose follows the outline (NosePath; a concave arc tighter than the
// nose is refused).
void FinishFlank(BlockWriter& w, const Tobjects& outline, Flank flank,
                 const FinishingParameters& p);

// The end face on the flank's side, where the stock (its profile's extent) reaches beyond the
// part's; nothing where it does not.
std::optional<EndFace> EndFaceOf(const Tobjects& part, const Tobjects& stock, Flank flank);

// Faces the stock beyond the part's end in axial layers of at most Depth from the stock's end,
// the last one on the part's end face: each a radial feed from the retract level down to the
// axis, an axial feed back along the axis to where the layer began (a knife whose edge rises from
// its tip leaves a cone there), and a rapid retract up along the face.
void FaceEnd(BlockWriter& w, const EndFace& face, Flank flank, const RoughingParameters& p);

// Roughs and finishes the grooves of the profile, one after the other: radial plunges side by
// side at most Step apart, each as deep as the knife can go without entering the profile moved
// out by the rest, pecking from the top of the stock under the knife; then one finishing pass
// down the left wall and along the floor to the groove's middle, and one down the right wall and
// along the floor back to it, the knife touching the profile. A plunge that would cut nothing is
// left out. `stock` is the stock's profile, which the approach stays clear of.
void CutGrooves(BlockWriter& w, const Tobjects& profile, const std::vector<Groove>& grooves,
                const Tobjects& stock, const GroovingKnife& knife, const GroovingParameters& p);

// A radial cut at the part's end face z down to finalRadius, pecking as a groove's plunges do,
// the knife's edge beyond the face on the flank's side so that the face stays at z.
void PartOff(BlockWriter& w, double z, Flank end, double finalRadius, const Tobjects& stock,
             const GroovingKnife& knife, const GroovingParameters& p);

// The flank's outline moved away from the part by `rest` and re-joined; with a climb, it ends in
// a rise of that height towards the stock.
Tobjects BuildOffsetContour(const Tobjects& outline, Flank flank, double rest,
                            std::optional<double> climb);

// The right flank's contour up to x = limit: the element that crosses it cut there, those beyond
// it dropped. The left flank's, or no limit, gives the contour as it is.
Tobjects ContourUpTo(const Tobjects& contour, Flank flank, std::optional<double> limit);

} // namespace torvex
