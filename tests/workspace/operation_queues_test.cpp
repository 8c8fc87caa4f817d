#include "workspace/operation_queues.h"

#include <gtest/gtest.h>

using namespace torvex;

using Codes = std::vector<uint8_t>;

TEST(TRoughingQueue, FullLengthOnlyComesFirstAndTheSidesExcludeEachOther) {
    TRoughingQueue queue;
    EXPECT_TRUE(queue.Add(1));
    EXPECT_FALSE(queue.Add(0)); // refused silently: nothing changes
    EXPECT_FALSE(queue.Add(2));
    EXPECT_TRUE(queue.Add(3));
    EXPECT_FALSE(queue.Add(4));
    EXPECT_EQ(queue.Codes, (Codes{1, 3}));
    EXPECT_TRUE(queue.LeftUsed && queue.LeftContourQueued);
    EXPECT_TRUE(queue.RightUsed && queue.RightContourQueued);
}

TEST(TRoughingQueue, LongestQueueIsFullLengthThenBothSidesBelowThePart) {
    TRoughingQueue queue;
    EXPECT_TRUE(queue.Add(0));
    EXPECT_FALSE(queue.Add(1));
    EXPECT_FALSE(queue.Add(3));
    EXPECT_TRUE(queue.Add(4));
    EXPECT_TRUE(queue.Add(2));
    for (uint8_t code = 0; code < 6; ++code)
        EXPECT_FALSE(queue.Allows(code)) << int(code);
    EXPECT_EQ(queue.Codes, (Codes{0, 4, 2}));
}

TEST(TRoughingQueue, ClearResetsCodesAndFlags) {
    TRoughingQueue queue;
    queue.Add(0);
    queue.Add(2);
    queue.Clear();
    EXPECT_TRUE(queue.Codes.empty());
    EXPECT_FALSE(queue.LeftUsed || queue.LeftContourQueued || queue.RightUsed ||
                 queue.RightContourQueued);
    EXPECT_TRUE(queue.Add(0));
    EXPECT_FALSE(queue.Add(7));
}

TEST(TFinishingQueue, OneCodePerSideAndTheFlatFlagsLastUntilClear) {
    TFinishingQueue queue;
    EXPECT_TRUE(queue.Add(1));
    EXPECT_FALSE(queue.Add(2));
    EXPECT_FALSE(queue.KeepLeftFlat);
    EXPECT_TRUE(queue.Add(4));
    EXPECT_FALSE(queue.Add(3));
    EXPECT_TRUE(queue.KeepRightFlat);
    EXPECT_EQ(queue.Codes, (Codes{1, 4}));
    queue.Clear();
    EXPECT_FALSE(queue.KeepRightFlat || queue.LeftFinishQueued || queue.RightFinishQueued);
    EXPECT_TRUE(queue.Add(2));
    EXPECT_TRUE(queue.KeepLeftFlat);
    EXPECT_FALSE(queue.Add(0));
    EXPECT_FALSE(queue.Add(5));
}
