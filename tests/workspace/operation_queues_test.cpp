#include "workspace/operation_queues.h"

#include <gtest/gtest.h>

using namespace torvex;

using enum RoughingOperation;
using enum FinishingOperation;
using Roughing = std::vector<RoughingOperation>;
using Finishing = std::vector<FinishingOperation>;

TEST(TRoughingQueue, FullLengthOnlyComesFirstAndTheSidesExcludeEachOther) {
    TRoughingQueue queue;
    EXPECT_TRUE(queue.Add(LeftFromStock));
    EXPECT_FALSE(queue.Add(WholeLength)); // refused silently: nothing changes
    EXPECT_FALSE(queue.Add(LeftBelowTop));
    EXPECT_TRUE(queue.Add(RightFromStock));
    EXPECT_FALSE(queue.Add(RightBelowTop));
    EXPECT_EQ(queue.Codes, (Roughing{LeftFromStock, RightFromStock}));
    EXPECT_TRUE(queue.LeftUsed && queue.LeftContourQueued);
    EXPECT_TRUE(queue.RightUsed && queue.RightContourQueued);
}

TEST(TRoughingQueue, LongestQueueIsFullLengthThenBothSidesBelowThePart) {
    TRoughingQueue queue;
    EXPECT_TRUE(queue.Add(WholeLength));
    EXPECT_FALSE(queue.Add(LeftFromStock));
    EXPECT_FALSE(queue.Add(RightFromStock));
    EXPECT_TRUE(queue.Add(RightBelowTop));
    EXPECT_TRUE(queue.Add(LeftBelowTop));
    for (int code = 0; code <= 4; ++code)
        EXPECT_FALSE(queue.Allows(*RoughingOperationOf(code))) << code;
    EXPECT_EQ(queue.Codes, (Roughing{WholeLength, RightBelowTop, LeftBelowTop}));
}

TEST(TRoughingQueue, ClearResetsCodesAndFlags) {
    TRoughingQueue queue;
    queue.Add(WholeLength);
    queue.Add(LeftBelowTop);
    queue.Clear();
    EXPECT_TRUE(queue.Codes.empty());
    EXPECT_FALSE(queue.LeftUsed || queue.LeftContourQueued || queue.RightUsed ||
                 queue.RightContourQueued);
    EXPECT_TRUE(queue.Add(WholeLength));
    EXPECT_FALSE(RoughingOperationOf(7));
    EXPECT_FALSE(RoughingOperationOf(-1));
}

TEST(TFinishingQueue, OneCodePerSideAndTheFlatFlagsLastUntilClear) {
    TFinishingQueue queue;
    EXPECT_TRUE(queue.Add(LeftWithoutTop));
    EXPECT_FALSE(queue.Add(LeftWithTop));
    EXPECT_FALSE(queue.KeepLeftFlat);
    EXPECT_TRUE(queue.Add(RightWithTop));
    EXPECT_FALSE(queue.Add(RightWithoutTop));
    EXPECT_TRUE(queue.KeepRightFlat);
    EXPECT_EQ(queue.Codes, (Finishing{LeftWithoutTop, RightWithTop}));
    queue.Clear();
    EXPECT_FALSE(queue.KeepRightFlat || queue.LeftFinishQueued || queue.RightFinishQueued);
    EXPECT_TRUE(queue.Add(LeftWithTop));
    EXPECT_TRUE(queue.KeepLeftFlat);
    EXPECT_FALSE(FinishingOperationOf(0));
    EXPECT_FALSE(FinishingOperationOf(5));
}

TEST(TRoughingQueue, EndFacesComeFirstEachOnce) {
    TRoughingQueue queue;
    EXPECT_TRUE(queue.Add(RightEndFace));
    EXPECT_FALSE(queue.Add(RightEndFace));
    EXPECT_TRUE(queue.Add(WholeLength));  // a face leaves the whole length free
    EXPECT_FALSE(queue.Add(LeftEndFace)); // no face once a pass runs over the stock
    EXPECT_TRUE(queue.Add(LeftBelowTop));
    EXPECT_TRUE(queue.Add(RightBelowTop));
    EXPECT_EQ(queue.Codes, (Roughing{RightEndFace, WholeLength, LeftBelowTop, RightBelowTop}));
    EXPECT_EQ(ToolOf(LeftEndFace), ToolSide::Left);
    EXPECT_EQ(ToolOf(RightEndFace), ToolSide::Right);
    queue.Clear();
    EXPECT_TRUE(queue.Add(LeftEndFace) && queue.Add(RightEndFace));
}

TEST(TGroovingQueue, TheGroovesOnceAndThePartOffLast) {
    using enum GroovingOperation;
    TGroovingQueue queue;
    EXPECT_TRUE(queue.Add(PartOff));
    EXPECT_FALSE(queue.Add(Grooves));
    queue.Clear();
    EXPECT_TRUE(queue.Add(Grooves));
    EXPECT_FALSE(queue.Add(Grooves));
    EXPECT_TRUE(queue.Add(PartOff));
    EXPECT_EQ(queue.Codes, (std::vector<GroovingOperation>{Grooves, PartOff}));
    EXPECT_FALSE(GroovingOperationOf(0));
    EXPECT_FALSE(GroovingOperationOf(3));
}
