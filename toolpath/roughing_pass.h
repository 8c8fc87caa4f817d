#pragma once

#include "toolpath/block_writer.h"
#include "toolpath/strategies.h"

namespace torvex {

// A roughing pass at level y: in radially, across to zTo, lifted away by (liftZ, liftY) and back
// at the rapid feed to where it came in.
inline void RoughingPass(BlockWriter& w, double y, double zTo, double liftZ, double liftY,
                         const RoughingParameters& p) {
    double zIn = w.LastMove().X;
    w.FeedX(y, p.RadialFeed);
    w.FeedZ(zTo, p.AxialFeed);
    w.Feed({zTo + liftZ, y + liftY}, p.AxialFeed);
    w.RapidZ(zIn);
}

// How an arc block's moves follow the arc: through its preview points (arcSteps of them, evenly in
// x, as the part's own points lie), or along its true circle (TrueArcStep), as a nose's path must
// for its round nose to be checked against the part's arcs.
enum class ArcMoves : uint8_t { PreviewPoints, TrueCircle };

// The pass along a contour from the flank's end inwards, one block per element (an element that
// writes none still uses up a block number); arc blocks carry their F word only when asked.
void FollowContour(BlockWriter& w, const Tobjects& contour, Flank flank, uint8_t arcSteps,
                   double feed, bool arcFeedWord, ArcMoves moves = ArcMoves::PreviewPoints);

} // namespace torvex
