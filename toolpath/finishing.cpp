#include "toolpath/block_writer.h"
#include "toolpath/profile_measures.h"
#include "toolpath/roughing_pass.h"
#include "toolpath/strategies.h"

namespace torvex {

void FinishFlank(BlockWriter& w, const Tobjects& wholeOutline, Flank flank,
                 const FinishingParameters& p) {
    Tobjects outline = ContourUpTo(wholeOutline, flank, p.Limit);
    const TObj* first = FirstProfileElement(outline);
    if (first == nullptr)
        return;
    const TPoint& entry = EntryPoint(*first, flank);
    w.Rapid({entry.X + Outwards(flank) * p.Offset, p.SafeX});
    w.RapidApproachX(entry.Y + p.Approach, p.Feed);
    w.Feed(entry, p.Feed);
    FollowContour(w, outline, flank, p.ArcSteps, p.Feed, false);
    w.FeedX(p.SafeX, p.Feed);
}

} // namespace torvex
