#include "toolpath/block_writer.h"
#include "toolpath/profile_measures.h"
#include "toolpath/roughing_pass.h"
#include "toolpath/strategies.h"

#include <algorithm>

namespace torvex {

void RoughFullLength(BlockWriter& w, const Tobjects& profile, double stockRadius, double rest,
                     const RoughingParameters& p) {
    const TObj* first = FirstProfileElement(profile);
    const TObj* last = LastProfileElement(profile);
    if (first == nullptr)
        return;
    double xStart = first->IsLine() ? first->P1.X : std::min(first->P3.X, first->P4.X);
    double xEnd = last->IsLine() ? last->P2.X : std::max(last->P3.X, last->P4.X);
    double zLeft = p.Limit ? *p.Limit : xStart - p.Offset;
    double zRight = xEnd + p.Offset;
    w.Rapid({zLeft, p.SafeX});

    // The final level clears the crown of an arc that rises above its ends.
    double top = *HighestProfileY(profile);
    double yFinal = rest + top;
    int passes = PassCount(stockRadius - top - rest, p.Depth);
    for (int k = 1; k <= passes; ++k)
        RoughingPass(w, stockRadius - p.Depth * k, zRight, -p.Lift, p.Lift, p);
    w.FeedX(yFinal, p.RadialFeed);
    w.FeedZ(zRight, p.AxialFeed);
    w.FeedX(p.SafeX, p.RadialFeed);
}

} // namespace torvex
