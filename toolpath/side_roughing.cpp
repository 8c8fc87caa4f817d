#include "toolpath/block_writer.h"
#include "toolpath/nose_path.h"
#include "toolpath/profile_measures.h"
#include "toolpath/roughing_pass.h"
#include "toolpath/strategies.h"

#include <algorithm>

namespace torvex {

void RoughFlank(BlockWriter& w, const Tobjects& wholeContour, Flank flank,
                const RoughingParameters& p) {
    Tobjects contour = ContourUpTo(wholeContour, flank, p.Limit);
    const TObj* first = FirstProfileElement(contour);
    if (first == nullptr)
        return;
    // The layers are the contour's; the tip keeps to the nose's path, so that neither the layers'
    // ends nor the pass along the contour let the nose into it.
    const Tobjects path =
        p.Nose ? NosePath(contour, flank, *p.Nose, TightArc::PassOver) : Tobjects(contour);
    const TObj* entry = FirstProfileElement(path);
    if (entry == nullptr)
        return;
    double outwards = Outwards(flank);
    double entryX = EntryPoint(*entry, flank).X;
    double height = *ProfileSpan(contour, p.ArcSteps);
    double top = NearEnd(*first, flank).Y + height;
    w.Rapid({entryX + outwards * p.Offset, p.SafeX});
    w.FeedX(top, p.RadialFeed);
    int layers = PassCount(height, p.Depth);
    for (int k = 1; k <= layers; ++k) {
        double y = top - p.Depth * k;
        // The layer ends where the tool first meets the path, on its own lines and arcs, and never
        // nearer to the chuck than the limit.
        double z = ContourXAtLevel(path, flank, y);
        if (p.Limit)
            z = std::max(z, *p.Limit);
        RoughingPass(w, y, z, outwards * p.Lift, p.Lift, p);
    }
    w.FeedX(NearEnd(*entry, flank).Y, p.RadialFeed);
    FollowContour(w, path, flank, p.ArcSteps, p.AxialFeed, true,
                  p.Nose ? ArcMoves::TrueCircle : ArcMoves::PreviewPoints);
    w.FeedX(p.SafeX, p.RadialFeed);
}

} // namespace torvex
