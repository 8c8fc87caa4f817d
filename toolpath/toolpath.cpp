#include "toolpath/toolpath.h"

#include "platform/errors.h"
#include "toolpath/nc_block.h"
#include "toolpath/profile_measures.h"

#include <cmath>
#include <iterator>
#include <limits>
#include <utility>

namespace torvex {

TToolpath::TToolpath() {
    LocalMoves.RejectDuplicates = false;
}

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

void TToolpath::AppendBlock(std::string text) {
    LocalBlocks.push_back(std::move(text));
}

void TToolpath::AppendMove(double x, double y, double feed) {
    LocalMoves.AddPoint(x, y, feed);
}

int32_t TToolpath::NextBlockNo() {
    BlockNo += 10;
    return BlockNo;
}

void TToolpath::RapidEntry(double z) {
    AppendBlock(RapidXZBlock(NextBlockNo(), SafeX, z));
    AppendMove(z, SafeX, RapidFeed);
}

void TToolpath::RadialFeedMove(double y, double feed) {
    AppendBlock(FeedXBlock(NextBlockNo(), y, feed));
    AppendMove(LocalMoves.Last().X, y, feed);
}

void TToolpath::AxialFeedMove(double z, double feed) {
    AppendBlock(FeedZBlock(NextBlockNo(), z, feed));
    AppendMove(z, LocalMoves.Last().Y, feed);
}

void TToolpath::AxialRapidMove(double z) {
    AppendBlock(RapidZBlock(NextBlockNo(), z));
    AppendMove(z, LocalMoves.Last().Y, RapidFeed);
}

void TToolpath::RoughingPass(double y, double zTo, double liftZ, double liftY, double radialFeed,
                             double axialFeed) {
    double zIn = LocalMoves.Last().X;
    RadialFeedMove(y, radialFeed);
    AxialFeedMove(zTo, axialFeed);
    // The lift is recorded before its block.
    double z = zTo + liftZ;
    y += liftY;
    AppendMove(z, y, axialFeed);
    AppendBlock(FeedXZBlock(NextBlockNo(), y, z, axialFeed));
    AxialRapidMove(zIn);
}

void TToolpath::RunStrategy(const std::function<void()>& body) {
    LocalBlocks.clear();
    LocalMoves.Clear();
    int32_t blockNoBefore = BlockNo;
    try {
        body();
        HandOver();
    } catch (...) {
        BlockNo = blockNoBefore;
        LocalBlocks.clear();
        LocalMoves.Clear();
        throw;
    }
    LocalBlocks.clear();
    LocalMoves.Clear();
}

void TToolpath::HandOver() {
    // Every move but the first was timed from the same point before at the same feed in the local
    // list, so only the first can fail here, and it fails before anything is appended.
    PathPoints.RejectDuplicates = false;
    PathPoints.Reserve(PathPoints.Count() + LocalMoves.Count());
    try {
        for (const TPunct& p : LocalMoves)
            PathPoints.AddPoint(p.X, p.Y, p.Feed);
    } catch (...) {
        PathPoints.RejectDuplicates = true;
        throw;
    }
    PathPoints.RejectDuplicates = true;
    NCBlocks.reserve(NCBlocks.size() + LocalBlocks.size());
    NCBlocks.insert(NCBlocks.end(), std::make_move_iterator(LocalBlocks.begin()),
                    std::make_move_iterator(LocalBlocks.end()));
}

} // namespace torvex
