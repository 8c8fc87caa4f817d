#include "tests/support/program_moves.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace torvex::testing;

TEST(ProgramMoves, ModalMotionDiameterWordsAndArcCentres) {
    std::vector<ProgramMove> moves = ReadProgramMoves(
        {"N0001 M03 S1200", "N0010 G00 X20.0 Z5.0", "N0020 G01 X10.0 F100.0",
         "N0030 G02 X16.0 Z2.0 R3.0", "N0040 G03 Z-4.0 R3.0", "N0050 M05", "N0060 G00 X40.0"},
        true);
    ASSERT_EQ(moves.size(), 5u);
    EXPECT_EQ(moves[0].Type, ProgramMove::Kind::Rapid);
    EXPECT_EQ(moves[1].X, 5);
    EXPECT_EQ(moves[1].Z, 5);
    EXPECT_EQ(moves[1].Feed, 100);
    EXPECT_TRUE(moves[1].SpindleOn);
    // From (Z5, X5) clockwise to (Z2, X8) about (Z5, X8), then on about (Z-1, X8).
    EXPECT_EQ(moves[2].Block, "0030");
    EXPECT_EQ(moves[2].Turns, -1);
    EXPECT_NEAR(moves[2].CentreZ, 5, 1e-9);
    EXPECT_NEAR(moves[2].CentreX, 8, 1e-9);
    EXPECT_EQ(moves[3].Turns, 1);
    EXPECT_NEAR(moves[3].CentreZ, -1, 1e-9);
    EXPECT_NEAR(moves[3].CentreX, 8, 1e-9);
    EXPECT_FALSE(moves[4].SpindleOn);
    EXPECT_THROW(ReadProgramMoves({"N0010 X1.0"}, false), std::invalid_argument);
    EXPECT_THROW(ReadProgramMoves({"N0010 G00 X0 Z0", "N0020 G02 X10.0 Z10.0 R1.0"}, false),
                 std::invalid_argument);

    // I and K move the start to the centre, I a radius in diameter mode too.
    moves = ReadProgramMoves({"N0010 G00 X10.0 Z5.0", "N0020 G02 X16.0 Z2.0 I3.0 K0.0"}, true);
    EXPECT_EQ(moves[1].CentreX, 8);
    EXPECT_EQ(moves[1].CentreZ, 5);
    EXPECT_THROW(ReadProgramMoves({"N0010 G00 X10.0 Z5.0", "N0020 G02 X16.0 Z2.0 I6.0"}, true),
                 std::invalid_argument);
}
