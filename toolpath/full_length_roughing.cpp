#include "toolpath/block_writer.h"
#include "toolpath/profile_measures.h"
#include "toolpath/toolpath.h"

#include <algorithm>

namespace torvex {

void TToolpath::RoughFullLength(const Tobjects& elements, double depth, double lift,
                                double radialFeed, double axialFeed, double stockRadius,
                                double rest) {
    const TObj* first = FirstProfileElement(elements);
    const TObj* last = LastProfileElement(elements);
    if (first == nullptr)
        return;
    RunStrategy(ToolSide::Left, [&](BlockWriter& w) {
        StartX = first->IsLine() ? first->P1.X : std::min(first->P3.X, first->P4.X);
        double xEnd = last->IsLine() ? last->P2.X : std::max(last->P3.X, last->P4.X);
        StartY = stockRadius;
        double zLeft = StartX - Offset;
        double zRight = xEnd + Offset;
        RapidEntry(w, zLeft);

        // The final level clears the crown of an arc that rises above its ends.
        double top = HighestProfileY(elements);
        double yFinal = rest + top;
        int passes = PassCount(stockRadius - top - rest, depth);
        for (int k = 1; k <= passes; ++k)
            RoughingPass(w, stockRadius - depth * k, zRight, -lift, lift, radialFeed, axialFeed);
        RadialFeedMove(w, yFinal, radialFeed);
        AxialFeedMove(w, zRight, axialFeed);
        RadialFeedMove(w, SafeX, radialFeed);
    });
}

} // namespace torvex
