#include "toolpath/block_writer.h"
#include "toolpath/profile_measures.h"
#include "toolpath/roughing_pass.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace torvex {

namespace {

// G02 is clockwise seen with Z to the right and X upwards: over the top of a circle towards
// larger x, or under it towards smaller x.
ArcTurn TurnAlong(const TObj& arc, Flank flank) {
    bool towardsLargerX = flank == Flank::Left;
    return IsUpperHalf(arc) == towardsLargerX ? ArcTurn::Clockwise : ArcTurn::CounterClockwise;
}

} // namespace

void FollowContour(BlockWriter& w, const Tobjects& contour, Flank flank, uint8_t arcSteps,
                   double feed, bool arcFeedWord, ArcMoves moves) {
    std::vector<TPoint> preview;
    for (const TObj& e : contour) {
        if (e.IsLine()) {
            const TPoint& to = FarEnd(e, flank);
            if (flank == Flank::Right)
                w.Feed(to, feed);
            else
                w.FeedXThenZ(to, feed);
        } else if (e.IsArc() && e.P3.X != e.P4.X && e.Radius() >= SmallestArcRadius) {
            // The preview points run in the direction of travel.
            preview = moves == ArcMoves::TrueCircle
                          ? ArcPointsAtEqualAngles(e, TrueArcStep(e.Radius()))
                          : ArcInteriorPoints(e, arcSteps, RootOffCircle::Absolute);
            if (flank == Flank::Right)
                std::reverse(preview.begin(), preview.end());
            w.Arc(ArcEnd(e, flank), e.Centre(), TurnAlong(e, flank), e.Radius(),
                  arcFeedWord ? std::optional<double>(feed) : std::nullopt, preview, feed);
        } else {
            w.SkipNumber();
        }
    }
}

} // namespace torvex
