#include "platform/errors.h"
#include "toolpath/nc_block.h"

#include <gtest/gtest.h>

#include <limits>

using namespace torvex;

TEST(NcBlock, NumbersHaveAtMostThreeDecimalsAndAPoint) {
    EXPECT_EQ(NCNumberText(12.5), "12.5");
    EXPECT_EQ(NCNumberText(40), "40");
    EXPECT_EQ(NCNumberText(0.1236), "0.124");
    EXPECT_EQ(NCNumberText(-2.5), "-2.5");
    EXPECT_EQ(NCNumberText(0.25), "0.25");
    EXPECT_EQ(NCNumberText(-0.0001), "0");
}

TEST(NcBlock, BlockNumbersHaveAtLeastFourDigits) {
    EXPECT_EQ(BlockNumberText(5), "N0005");
    EXPECT_EQ(BlockNumberText(10), "N0010");
    EXPECT_EQ(BlockNumberText(1230), "N1230");
    EXPECT_EQ(BlockNumberText(10000), "N10000");
}

TEST(NcBlock, EveryShapeOfTheStrategies) {
    EXPECT_EQ(GenericText(RapidXZBlock(10, 35, -2)), "N0010 G00 X35 Z-2");
    EXPECT_EQ(GenericText(RapidZBlock(50, -2)), "N0050 G00 Z-2");
    EXPECT_EQ(GenericText(RapidXFeedBlock(20, 10, 120)), "N0020 G00 X10 F120");
    EXPECT_EQ(GenericText(FeedXBlock(20, 28, 100)), "N0020 G01 X28 F100");
    EXPECT_EQ(GenericText(FeedZBlock(30, 82, 200)), "N0030 G01 Z82 F200");
    EXPECT_EQ(GenericText(FeedXZBlock(40, 30, 80, 200)), "N0040 G01 X30 Z80 F200");
    EXPECT_EQ(GenericText(FeedXThenZBlock(40, 10, 50, 120)), "N0040 G01 X10 G01 Z50 F120");
    EXPECT_EQ(GenericText(ArcBlock(70, ArcTurn::Clockwise, 20, 12.25, 17, 12.25, 3, 200)),
              "N0070 G02 X20 Z12.25 R3 F200");
    EXPECT_EQ(GenericText(ArcBlock(70, ArcTurn::CounterClockwise, 20, 12, 20, 8.5, 3.5, 200)),
              "N0070 G03 X20 Z12 R3.5 F200");
    EXPECT_EQ(GenericText(ArcBlock(80, ArcTurn::Clockwise, 15, 4, 13, 4, 2)),
              "N0080 G02 X15 Z4 R2");
    EXPECT_EQ(GenericText(ArcBlock(80, ArcTurn::CounterClockwise, 15, 4, 13, 4, 2)),
              "N0080 G03 X15 Z4 R2");
}

TEST(NcBlock, ToolChangeAndProgramFrameBlocks) {
    EXPECT_EQ(GenericText(ToolChangeBlock(10, 3)), "N0010 M06 T3");
    EXPECT_EQ(GenericText(ToolChangeBlock(20, 20)), "N0020 M06 T20");
    EXPECT_EQ(GenericText(SpindleStartBlock(1, false, 1200)), "N0001 M03  S1200");
    EXPECT_EQ(GenericText(SpindleStartBlock(1, true, 800)), "N0001 M04  S0800");
    EXPECT_EQ(GenericText(SpindleStartBlock(1, false, 12000)), "N0001 M03  S12000");
    EXPECT_EQ(GenericText(SpindleStartBlock(1, false, 999.6)), "N0001 M03  S1000");
    EXPECT_EQ(GenericText(MCodeBlock(2, BlockKind::CoolantOn)), "N0002 M08");
    EXPECT_EQ(GenericText(MCodeBlock(125, BlockKind::SpindleStop)), "N0125 M05");
}

TEST(NcBlock, ValuesThatAreNotFiniteNeverReachABlock) {
    double nan = std::numeric_limits<double>::quiet_NaN();
    double inf = std::numeric_limits<double>::infinity();
    EXPECT_THROW(FeedXBlock(10, nan, 100), ArithmeticError);
    EXPECT_THROW(FeedZBlock(10, 5, inf), ArithmeticError);
    EXPECT_THROW(ArcBlock(10, ArcTurn::Clockwise, 1, 2, 0, 2, -inf), ArithmeticError);
    EXPECT_THROW(ArcBlock(10, ArcTurn::Clockwise, 1, 2, nan, 2, 1), ArithmeticError);
}
