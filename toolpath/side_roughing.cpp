#include "toolpath/block_writer.h"
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
    double outwards = Outwards(flank);
    double entryX = EntryPoint(*first, flank).X;
    double height = *ProfileSpan(contour, p.ArcSteps);
    double contourStart = NearEnd(*first, flank).Y;
    double top = contourStart + height;
    w.Rapid({entryX + outwards * p.Offset, p.SafeX});
    w.FeedX(top, p.RadialFeed);
    int layers = PassCount(height, p.Depth);
    for (int k = 1; k <= layers; ++k) {
        double y = top - p.Depth * k;
        // The layer ends where the tool first meets the contour, on the contour's own lines and
        // arcs.
        double z = ContourXAtLevel(contour, flank, y);
        if (p.Limit)
            z = std::max(z, *p.Limit);
        RoughingPass(w, y, z, outwards * p.Lift, p.Lift, p);
    }
    w.FeedX(contourStart, p.RadialFeed);
    FollowContour(w, contour, flank, p.ArcSteps, p.AxialFeed, true);
    w.FeedX(p.SafeX, p.RadialFeed);
}

} // namespace torvex
