#include "platform/errors.h"
#include "tests/toolpath/test_profiles.h"
#include "toolpath/nc_block.h"
#include "toolpath/toolpath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

using namespace torvex;
using torvex::testing::Elements;
using torvex::testing::NewToolpath;

namespace {

std::vector<std::pair<double, double>> Coordinates(const TPctList& list) {
    std::vector<std::pair<double, double>> result;
    for (const TPunct& p : list)
        result.emplace_back(p.X, p.Y);
    return result;
}

std::vector<double> YsAt(const TPctList& list, double x) {
    std::vector<double> ys;
    for (const TPunct& p : list)
        if (p.X == x)
            ys.push_back(p.Y);
    return ys;
}

void SetProfile(TToolpath& toolpath, std::initializer_list<std::pair<double, double>> points) {
    toolpath.ProfilePoints.Clear();
    for (auto [x, y] : points)
        toolpath.ProfilePoints.AddXY(x, y);
}

// The chamfered shaft's left outline with its entry kept: chamfer, cylinder, shoulder.
Tobjects ChamferedLeftOutline() {
    return Elements({"line 0/9/1/10/", "line 1/10/50/10/", "line 50/10/50/15/"});
}

} // namespace

TEST(BuildProfilePoints, OrdersByXAndPointsAtOneXFully) {
    // Three points at x = 10 arrive as 20, 12, 5: one tie pass would leave them 12, 5, 20.
    Tobjects elements =
        Elements({"line 0/20/10/20/", "line 10/12/20/12/", "line 10/5/30/5/", "line 0/20/10/20/"});
    TToolpath toolpath;
    toolpath.BuildProfilePoints(elements, false, 20);
    EXPECT_EQ(YsAt(toolpath.ProfilePoints, 10), (std::vector<double>{5, 12, 20}));
    EXPECT_EQ(toolpath.ProfilePoints.Count(), 6u) << "shared and repeated ends are stored once";
    for (size_t i = 1; i < toolpath.ProfilePoints.Count(); ++i)
        EXPECT_LE(toolpath.ProfilePoints[i - 1].X, toolpath.ProfilePoints[i].X);

    // Arriving as 5, 12, 20, descending ties need more than one pass too.
    elements = Elements({"line 0/5/10/5/", "line 10/12/20/12/", "line 10/20/30/20/"});
    toolpath.BuildProfilePoints(elements, true, 20);
    EXPECT_EQ(YsAt(toolpath.ProfilePoints, 10), (std::vector<double>{20, 12, 5}));
}

TEST(BuildProfilePoints, ArcsGetEvenlySpacedPointsOnTheirHalf) {
    TToolpath toolpath;
    // A quarter from (0, 10) to (10, 20) around (10, 10), running towards larger x: upper half.
    toolpath.BuildProfilePoints(Elements({"arc 0/0/20/20/0/10/10/20/"}), true, 4);
    std::vector<std::pair<double, double>> expected{{0, 10},
                                                    {2.5, 10 + std::sqrt(100 - 7.5 * 7.5)},
                                                    {5, 10 + std::sqrt(75.0)},
                                                    {7.5, 10 + std::sqrt(100 - 2.5 * 2.5)},
                                                    {10, 20}};
    EXPECT_EQ(Coordinates(toolpath.ProfilePoints), expected);

    // The same arc written the other way takes the lower half.
    toolpath.BuildProfilePoints(Elements({"arc 0/0/20/20/10/20/0/10/"}), true, 4);
    EXPECT_DOUBLE_EQ(toolpath.ProfilePoints[2].Y, 10 - std::sqrt(75.0));

    // An arc whose ends are off its circle takes the root of the absolute value.
    toolpath.BuildProfilePoints(Elements({"arc 5/5/15/15/0/10/20/10/"}), true, 8);
    EXPECT_DOUBLE_EQ(toolpath.ProfilePoints[1].X, 2.5);
    EXPECT_DOUBLE_EQ(toolpath.ProfilePoints[1].Y, 10 + std::sqrt(56.25 - 25));

    // One step gives no interior point; an element of unknown kind gives no point at all.
    Tobjects elements = Elements({"arc 0/0/20/20/0/10/10/20/", "circle 1/2/3/4/"});
    toolpath.BuildProfilePoints(elements, true, 1);
    EXPECT_EQ(toolpath.ProfilePoints.Count(), 2u);
}

TEST(ProfileHeight, IsTheSpanOfTheRadii) {
    TToolpath toolpath;
    toolpath.BuildProfilePoints(Elements({"line 0/5/0/10/", "line 0/10/40/30/"}), true, 20);
    EXPECT_EQ(toolpath.ProfileHeight(), 25);
    toolpath.ProfilePoints.Clear();
    EXPECT_EQ(toolpath.ProfileHeight(), -2'000'000'000);
}

TEST(ProfileXAt, FindsTheLastStrictCrossingOrAPointOnTheLevel) {
    TToolpath toolpath;
    SetProfile(toolpath, {{0, 10}, {10, 10}, {10, 20}, {30, 20}});
    EXPECT_EQ(toolpath.ProfileXAt(15), 10);
    EXPECT_EQ(toolpath.ProfileXAt(10), 10);
    EXPECT_EQ(toolpath.ProfileXAt(20), 30);

    // A level crossed twice: the later crossing wins; from the left, the earlier one.
    SetProfile(toolpath, {{0, 0}, {10, 20}, {20, 0}});
    EXPECT_DOUBLE_EQ(toolpath.ProfileXAt(5), 17.5);
    EXPECT_DOUBLE_EQ(toolpath.ProfileXAtFromLeft(5), 2.5);
}

TEST(ProfileXAt, AtALevelNeverReachedTakesTheNearestPoint) {
    TToolpath toolpath;
    SetProfile(toolpath, {{0, 10}, {10, 10}, {10, 20}, {30, 20}, {40, 15}});
    EXPECT_EQ(toolpath.ProfileXAt(25), 30) << "nearest y, the last of a tie";
    EXPECT_EQ(toolpath.ProfileXAt(3), 10);
    EXPECT_EQ(toolpath.ProfileXAtFromLeft(25), 30);
    toolpath.ProfilePoints.Clear();
    EXPECT_THROW(toolpath.ProfileXAt(3), ArithmeticError);
}

TEST(TToolpath, AStrategyNumbersItsBlocksAfterAToolChange) {
    TToolpath toolpath = NewToolpath(40);
    toolpath.WriteToolChange(3);
    toolpath.FinishLeft(ChamferedLeftOutline(), 120, 1, 20);
    ASSERT_EQ(toolpath.NCBlocks().size(), 8u);
    EXPECT_EQ(toolpath.NCBlocks()[0], "N0010 M06 T3");
    EXPECT_EQ(toolpath.NCBlocks()[1], "N0020 G00 X40 Z-2");
    EXPECT_EQ(toolpath.BlockNo, 80);
    EXPECT_EQ(toolpath.PathPoints.Count(), 7u) << "a tool change records no move";
}

TEST(TToolpath, ASecondStrategyIsTimedFromTheFirstOnesLastPoint) {
    TToolpath toolpath = NewToolpath(40);
    toolpath.FinishLeft(ChamferedLeftOutline(), 120, 1, 20);
    size_t firstCount = toolpath.PathPoints.Count();
    TPunct lastOfFirst = toolpath.PathPoints.Last();
    EXPECT_EQ(lastOfFirst.X, 50);
    EXPECT_EQ(lastOfFirst.Y, 40);

    // The second strategy enters with a rapid move to (52, 40): 2 mm at 6000 mm/min, 0.02 s.
    toolpath.Offset = 2;
    toolpath.FinishRight(Elements({"line 40/15/50/10/"}), 120, 1, 20);
    const TPunct& firstOfSecond = toolpath.PathPoints[firstCount];
    EXPECT_EQ(firstOfSecond.X, 52);
    EXPECT_EQ(firstOfSecond.Dist, 2);
    EXPECT_EQ(firstOfSecond.Feed, 6000);
    EXPECT_DOUBLE_EQ(firstOfSecond.StepTime, 0.02);
    EXPECT_DOUBLE_EQ(firstOfSecond.TotalTime, lastOfFirst.TotalTime + 0.02);
    EXPECT_TRUE(toolpath.PathPoints.RejectDuplicates);
}

TEST(TToolpath, MovesToPointsAlreadyOnThePathAreKept) {
    TToolpath toolpath = NewToolpath(40);
    toolpath.FinishLeft(ChamferedLeftOutline(), 120, 1, 20);
    size_t once = toolpath.PathPoints.Count();
    toolpath.FinishLeft(ChamferedLeftOutline(), 120, 1, 20);
    EXPECT_EQ(toolpath.PathPoints.Count(), 2 * once);
    EXPECT_EQ(toolpath.NCBlocks().size(), 14u);
    EXPECT_EQ(toolpath.NCBlocks()[7].substr(0, 6), "N0080 ");
}

TEST(TToolpath, AFailingStrategyLeavesEarlierOutputAsItWas) {
    TToolpath toolpath = NewToolpath(40);
    toolpath.FinishLeft(ChamferedLeftOutline(), 120, 1, 20);
    std::vector<std::string> blocks = toolpath.NCBlocks();
    std::vector<std::pair<double, double>> moves = Coordinates(toolpath.PathPoints);
    double totalTime = toolpath.PathPoints.Last().TotalTime;

    // Zero depth fails in the layer count, after the entry blocks were written.
    toolpath.BuildLeftOffsetContour(ChamferedLeftOutline(), false, 0.5, 0);
    EXPECT_THROW(toolpath.RoughLeft(toolpath.LeftOffsetContour, 0, 2, 100, 200, 20),
                 ArithmeticError);
    // A zero feed fails when its first move is timed, and so does a block feed of zero.
    toolpath.CuttingFeed = 0;
    EXPECT_THROW(toolpath.FinishLeft(ChamferedLeftOutline(), 0, 1, 20), ArithmeticError);
    toolpath.CuttingFeed = 120;
    EXPECT_THROW(toolpath.FinishLeft(ChamferedLeftOutline(), 0, 1, 20), ArithmeticError);
    // A zero rapid feed fails in the strategy at its second rapid move or, with a single one, on
    // the first move handed over.
    toolpath.RapidFeed = 0;
    EXPECT_THROW(toolpath.FinishLeft(ChamferedLeftOutline(), 120, 1, 20), ArithmeticError);
    EXPECT_THROW(toolpath.RoughFullLength(ChamferedLeftOutline(), 2, 2, 100, 200, 15.5, 0.5),
                 ArithmeticError);

    EXPECT_EQ(toolpath.NCBlocks(), blocks);
    EXPECT_EQ(Coordinates(toolpath.PathPoints), moves);
    EXPECT_EQ(toolpath.PathPoints.Last().TotalTime, totalTime);
    EXPECT_EQ(toolpath.BlockNo, 70);
    EXPECT_TRUE(toolpath.PathPoints.RejectDuplicates);

    // The next strategy carries on from there.
    toolpath.RapidFeed = 6000;
    toolpath.FinishLeft(ChamferedLeftOutline(), 120, 1, 20);
    EXPECT_EQ(toolpath.NCBlocks()[7].substr(0, 6), "N0080 ");
}

TEST(TToolpath, AnEmptyOutlineWritesNothing) {
    TToolpath toolpath = NewToolpath(40);
    toolpath.BlockNo = 30;
    Tobjects none;
    toolpath.RoughFullLength(none, 2, 2, 100, 200, 30, 0.5);
    toolpath.BuildRightOffsetContour(none, true, 0.5, 10);
    toolpath.RoughRight(toolpath.RightOffsetContour, 2, 2, 100, 200, 20);
    toolpath.RoughLeft(none, 2, 2, 100, 200, 20);
    toolpath.FinishLeft(none, 120, 1, 20);
    toolpath.FinishRight(Elements({"circle 1/2/"}), 120, 1, 20);
    EXPECT_TRUE(toolpath.RightOffsetContour.empty());
    EXPECT_TRUE(toolpath.NCBlocks().empty());
    EXPECT_TRUE(toolpath.PathPoints.Empty());
    EXPECT_EQ(toolpath.BlockNo, 30);
}
