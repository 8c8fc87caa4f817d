#include "platform/errors.h"
#include "toolpath/block_writer.h"
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
    RunStrategy(ToolOf(flank), [&](BlockWriter& w) {
        const TPoint& entry = EntryPoint(*first, flank);
        StartX = entry.X;
        StartY = entry.Y + approach;
        double zOut = StartX + Outwards(flank) * Offset;
        RapidEntry(w, zOut);
        w.Write(RapidXFeedBlock(w.Number(), StartY, feed));
        w.MoveTo(zOut, StartY, RapidFeed);
        w.Write(FeedXZBlock(w.Number(), entry.Y, entry.X, feed));
        w.MoveTo(entry.X, entry.Y, CuttingFeed);
        FollowContour(w, elements, flank, arcSteps, feed, CuttingFeed, false);
        w.Write(FeedXBlock(w.Number(), SafeX, feed));
        w.MoveTo(w.LastMove().X, SafeX, CuttingFeed);
    });
}

} // namespace torvex
