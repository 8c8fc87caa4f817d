#include "toolpath/toolpath.h"

#include "platform/errors.h"
#include "toolpath/block_writer.h"
#include "toolpath/nc_block.h"
#include "toolpath/profile_measures.h"

#include <cmath>
#include <iterator>
#include <limits>
#include <utility>

namespace torvex {

void TToolpath::BuildProfilePoints(const Tobjects& elements, bool descendingTies,
                                   uint8_t arcSteps) {
    ProfilePoints.Clear();
    ForEachProfilePoint(elements, arcSteps,
                        [this](double x, double y) { ProfilePoints.AddXY(x, y); });
    ProfilePoints.SortByX(false, false);
    // A single tie pass leaves three or more points at one x out of order, and a layer would then
    // end on a diagonal through the part.
    ProfilePoints.SortTiesFully(descendingTies);
}

double TToolpath::ProfileHeight() const {
    RadialSpan span;
    for (const TPunct& p : ProfilePoints)
        span.Meet(p.Y);
    return span.Height();
}

double TToolpath::CrossingX(double y, bool firstCrossing) const {
    if (ProfilePoints.Empty())
        throw ArithmeticError("The profile has no points to meet the level");
    bool crossed = false;
    double crossing = 0;
    for (size_t i = 0; i + 1 < ProfilePoints.Count(); ++i) {
        const TPunct& p = ProfilePoints[i];
        const TPunct& q = ProfilePoints[i + 1];
        if ((p.Y > y && y > q.Y) || (p.Y < y && y < q.Y)) {
            crossing = p.X + (q.X - p.X) * (1 - (y - q.Y) / (p.Y - q.Y));
            crossed = true;
            if (firstCrossing)
                break;
        }
    }
    if (crossed)
        return crossing;
    // Not crossed: the point nearest the level, which is a point on it when there is one.
    double nearestX = 0;
    double nearestGap = std::numeric_limits<double>::infinity();
    for (const TPunct& p : ProfilePoints) {
        double gap = std::fabs(p.Y - y);
        if (gap <= nearestGap) {
            nearestGap = gap;
            nearestX = p.X;
        }
    }
    return nearestX;
}

double TToolpath::ProfileXAt(double y) const {
    return CrossingX(y, false);
}

double TToolpath::ProfileXAtFromLeft(double y) const {
    return CrossingX(y, true);
}

std::vector<std::string> TToolpath::NCBlocks() const {
    std::vector<std::string> texts;
    texts.reserve(Blocks.size());
    for (const NcBlock& block : Blocks)
        texts.push_back(GenericText(block));
    return texts;
}

void TToolpath::WriteToolChange(int tool) {
    BlockWriter w(*this, ToolSide::Left);
    w.Write(ToolChangeBlock(w.Number(), tool));
    w.Commit();
}

void TToolpath::RapidEntry(BlockWriter& w, double z) {
    w.Write(RapidXZBlock(w.Number(), SafeX, z));
    w.MoveTo(z, SafeX, RapidFeed);
}

void TToolpath::RadialFeedMove(BlockWriter& w, double y, double feed) {
    w.Write(FeedXBlock(w.Number(), y, feed));
    w.MoveTo(w.LastMove().X, y, feed);
}

void TToolpath::AxialFeedMove(BlockWriter& w, double z, double feed) {
    w.Write(FeedZBlock(w.Number(), z, feed));
    w.MoveTo(z, w.LastMove().Y, feed);
}

void TToolpath::AxialRapidMove(BlockWriter& w, double z) {
    w.Write(RapidZBlock(w.Number(), z));
    w.MoveTo(z, w.LastMove().Y, RapidFeed);
}

void TToolpath::RoughingPass(BlockWriter& w, double y, double zTo, double liftZ, double liftY,
                             double radialFeed, double axialFeed) {
    double zIn = w.LastMove().X;
    RadialFeedMove(w, y, radialFeed);
    AxialFeedMove(w, zTo, axialFeed);
    double z = zTo + liftZ;
    y += liftY;
    w.Write(FeedXZBlock(w.Number(), y, z, axialFeed));
    w.MoveTo(z, y, axialFeed);
    AxialRapidMove(w, zIn);
}

void TToolpath::RunStrategy(ToolSide tool, const std::function<void(BlockWriter&)>& body) {
    BlockWriter w(*this, tool);
    body(w);
    w.Commit();
}

} // namespace torvex
