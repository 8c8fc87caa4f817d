#include "platform/errors.h"
#include "tests/toolpath/test_profiles.h"
#include "toolpath/block_writer.h"
#include "toolpath/nc_block.h"
#include "toolpath/toolpath.h"

#include <gtest/gtest.h>

#include <vector>

using namespace torvex;
using namespace torvex::testing;

namespace {

// The chamfered shaft's left outline with its entry kept: chamfer, cylinder, shoulder.
Tobjects ChamferedLeftOutline() {
    return Elements({"line 0/9/1/10/", "line 1/10/50/10/", "line 50/10/50/15/"});
}

} // namespace

TEST(BlockWriter, AnOperationStartsWithItsToolChangeAndRecordsItsBlocksAndMoves) {
    TToolpath toolpath = Written([](BlockWriter& w) {
        w.BeginOperation(OperationKind::Finishing, ToolSide::Right, 3);
        FinishFlank(w, ChamferedLeftOutline(), Flank::Left, Finishing(40));
        w.EndOperation();
        w.BeginOperation(OperationKind::Finishing, ToolSide::Left, 4);
        w.EndOperation();
    });
    ASSERT_EQ(toolpath.NCBlocks().size(), 9u);
    EXPECT_EQ(toolpath.NCBlocks()[0], "N0010 M06 T3");
    EXPECT_EQ(toolpath.NCBlocks()[1], "N0020 G00 X40 Z-2");
    EXPECT_EQ(toolpath.NCBlocks()[8], "N0090 M06 T4");
    EXPECT_EQ(toolpath.BlockNo, 90);
    ASSERT_EQ(toolpath.Operations.size(), 2u);
    const ToolpathOperation& first = toolpath.Operations[0];
    EXPECT_EQ(first.ToolNumber, 3);
    EXPECT_EQ(first.FirstBlock, 0u);
    EXPECT_EQ(first.EndBlock, 8u);
    EXPECT_EQ(first.FirstMove, 0u);
    EXPECT_EQ(first.EndMove, 7u) << "a tool change records no move";
    for (const TPunct& p : toolpath.PathPoints)
        EXPECT_EQ(p.Tool, ToolSide::Right);
    EXPECT_EQ(toolpath.Operations[1].FirstMove, toolpath.Operations[1].EndMove);
}

TEST(BlockWriter, ASecondStrategyIsTimedFromTheFirstOnesLastPointAndMayRevisitIt) {
    TToolpath once = Finished(ChamferedLeftOutline(), Flank::Left, Finishing(40));
    TToolpath toolpath = Written([](BlockWriter& w) {
        FinishFlank(w, ChamferedLeftOutline(), Flank::Left, Finishing(40));
        FinishFlank(w, Elements({"line 40/15/50/10/"}), Flank::Right, Finishing(40));
        FinishFlank(w, ChamferedLeftOutline(), Flank::Left, Finishing(40));
    });
    size_t firstCount = once.PathPoints.Count();
    const TPunct& lastOfFirst = toolpath.PathPoints[firstCount - 1];
    EXPECT_EQ(lastOfFirst.X, 50);
    EXPECT_EQ(lastOfFirst.Y, 40);
    // The second strategy enters with a rapid move to (52, 40): 2 mm at 6000 mm/min, 0.02 s.
    const TPunct& firstOfSecond = toolpath.PathPoints[firstCount];
    EXPECT_EQ(firstOfSecond.X, 52);
    EXPECT_EQ(firstOfSecond.Dist, 2);
    EXPECT_EQ(firstOfSecond.Feed, 6000);
    EXPECT_DOUBLE_EQ(firstOfSecond.StepTime, 0.02);
    EXPECT_DOUBLE_EQ(firstOfSecond.TotalTime, lastOfFirst.TotalTime + 0.02);
    EXPECT_EQ(toolpath.NCBlocks()[7].substr(0, 6), "N0080 ");
    EXPECT_EQ(toolpath.PathPoints.Count(), 2 * firstCount + 5) << "moves to points visited before";
}

TEST(BlockWriter, ArithmeticThatCannotBeDoneThrows) {
    Tobjects contour = BuildOffsetContour(ChamferedLeftOutline(), Flank::Left, 0.5, std::nullopt);
    EXPECT_THROW(Roughed(contour, Flank::Left, Roughing(40, 0)), ArithmeticError);
    FinishingParameters stopped = Finishing(40);
    stopped.Feed = 0;
    EXPECT_THROW(Finished(ChamferedLeftOutline(), Flank::Left, stopped), ArithmeticError);
}

TEST(BlockWriter, AnEmptyOutlineWritesNothing) {
    TToolpath toolpath = Written([](BlockWriter& w) {
        Tobjects none;
        RoughFullLength(w, none, 30, 0.5, Roughing(40));
        RoughFlank(w, BuildOffsetContour(none, Flank::Right, 0.5, 10), Flank::Right, Roughing(40));
        RoughFlank(w, none, Flank::Left, Roughing(40));
        FinishFlank(w, none, Flank::Left, Finishing(40));
        FinishFlank(w, Elements({"circle 1/2/"}), Flank::Right, Finishing(40));
    });
    EXPECT_TRUE(toolpath.NCBlocks().empty());
    EXPECT_TRUE(toolpath.PathPoints.Empty());
    EXPECT_EQ(toolpath.BlockNo, 0);
}
