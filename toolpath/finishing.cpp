#include "toolpath/block_writer.h"
#include "toolpath/nose_path.h"
#include "toolpath/profile_measures.h"
#include "toolpath/roughing_pass.h"
#include "toolpath/strategies.h"

namespace torvex {

void FinishFlank(BlockWriter& w, const Tobjects& wholeOutline, Flank flank,
                 const FinishingParameters& p) {
    Tobjects outline = ContourUpTo(wholeOutline, flank, p.Limit);
    const Tobjects path =
        p.Nose ? NosePath(outline, flank, *p.Nose, TightArc::Refuse) : Tobjects(outline);
    const TObj* first = FirstProfileElement(path);
    if (first == nullptr)
        return;
    const TPoint& entry = EntryPoint(*first, flank);
    w.Rapid({entry.X + Outwards(flank) * p.Offset, p.SafeX});
    w.RapidApproachX(entry.Y + p.Approach, p.Feed);
    w.Feed(entry, p.Feed);
    FollowContour(w, path, flank, p.ArcSteps, p.Feed, false,
                  p.Nose ? ArcMoves::TrueCircle : ArcMoves::PreviewPoints);
    w.FeedX(p.SafeX, p.Feed);
}

} // namespace torvex
