#include "toolpath/block_writer.h"
#include "toolpath/nc_block.h"
#include "toolpath/profile_measures.h"
#include "toolpath/toolpath.h"

#include <optional>

namespace torvex {

namespace {

// G02 is clockwise seen with Z to the right and X upwards: over the top of a circle towards
// larger x, or under it towards smaller x.
ArcTurn TurnAlong(const TObj& arc, Flank flank) {
    bool towardsLargerX = flank == Flank::Left;
    return IsUpperHalf(arc) == towardsLargerX ? ArcTurn::Clockwise : ArcTurn::CounterClockwise;
}

} // namespace

void TToolpath::FollowContour(BlockWriter& w, const Tobjects& elements, Flank flank,
                              uint8_t arcSteps, double blockFeed, double moveFeed,
                              bool arcFeedWord) {
    for (const TObj& e : elements) {
        int32_t blockNo = w.Number();
        if (e.IsLine()) {
            const TPoint& to = FarEnd(e, flank);
            w.Write(flank == Flank::Right ? FeedXZBlock(blockNo, to.Y, to.X, blockFeed)
                                          : FeedXThenZBlock(blockNo, to.Y, to.X, blockFeed));
            w.MoveTo(to.X, to.Y, moveFeed);
        } else if (e.IsArc() && e.P3.X != e.P4.X && e.Radius() >= SmallestArcRadius) {
            const TPoint& to = ArcEnd(e, flank);
            w.Write(ArcBlock(blockNo, TurnAlong(e, flank), to.Y, to.X, e.Radius(),
                             arcFeedWord ? std::optional<double>(blockFeed) : std::nullopt));
            // The preview points run in the direction of travel.
            ArcStepper stepper(e, arcSteps);
            for (int i = 1; i <= stepper.Count(); ++i) {
                TPoint p = stepper.At(flank == Flank::Left ? i : stepper.Count() + 1 - i);
                w.MoveTo(p.X, p.Y, moveFeed);
            }
            w.MoveTo(to.X, to.Y, moveFeed);
        }
    }
}

} // namespace torvex
