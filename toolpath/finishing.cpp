#include "platform/errors.h"
#include "toolpath/nc_block.h"
#include "toolpath/profile_measures.h"
#include "toolpath/toolpath.h"

namespace torvex {

void TToolpath::FinishLeft(const Tobjects& elements, double feed, double approach,
                           uint8_t arcSteps) {
    FinishFlank(elements, Flank::Left, feed, approach, arcSteps);
}

void TToolpath::FinishRight(const Tobjects& elements, double feed, double approach,
                            uint8_t arcSteps) {
    FinishFlank(elements, Flank::Right, feed, approach, arcSteps);
}

void TToolpath::FinishFlank(const Tobjects& elements, Flank flank, double feed, double approach,
                            uint8_t arcSteps) {
    const TObj* first = FirstProfileElement(elements);
    if (first == nullptr)
        return;
    // The blocks carry `feed` while the moves are timed at CuttingFeed: a zero feed must fail even
    // when the moves would not.
    if (feed == 0)
        throw ArithmeticError(DivisionByZeroText);
    RunStrategy([&] {
        const TPoint& entry = EntryPoint(*first, flank);
        StartX = entry.X;
        StartY = entry.Y + approach;
        double zOut = StartX + Outwards(flank) * Offset;
        RapidEntry(zOut);
        AppendBlock(RapidXFeedBlock(NextBlockNo(), StartY, feed));
        AppendMove(zOut, StartY, RapidFeed);
        AppendBlock(FeedXZBlock(NextBlockNo(), entry.Y, entry.X, feed));
        AppendMove(entry.X, entry.Y, CuttingFeed);
        FollowContour(elements, flank, arcSteps, feed, CuttingFeed, false);
        AppendBlock(FeedXBlock(NextBlockNo(), SafeX, feed));
        AppendMove(LocalMoves.Last().X, SafeX, CuttingFeed);
    });
}

} // namespace torvex
