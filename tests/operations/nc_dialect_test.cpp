#include "operations/nc_dialect.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace torvex;

namespace {

using Lines = std::vector<std::string>;

// A program of every kind of block, as the NC program makes it.
std::vector<NcBlock> Program(bool door) {
    std::vector<NcBlock> blocks = {SpindleStartBlock(1, true, 800),
                                   ToolChangeBlock(10, 3),
                                   RapidXZBlock(20, 27, -2),
                                   FeedXBlock(30, 20.5, 100),
                                   FeedXThenZBlock(40, 10.25, 29.5, 200),
                                   RapidZBlock(50, -2),
                                   RapidXFeedBlock(60, 10, 120),
                                   ArcBlock(70, ArcTurn::Clockwise, 12, 3, 8.2, 1.7, 4),
                                   ArcBlock(80, ArcTurn::CounterClockwise, 8.0005, 9, 7, 4.1, 5, 90.0),
                                   MCodeBlock(85, BlockKind::SpindleStop)};
    if (door)
        blocks.push_back(MCodeBlock(90, BlockKind::DoorOpen));
    return blocks;
}

NcDialectOptions Options(NcDialect dialect, bool diameter) {
    NcDialectOptions options = DefaultDialectOptions(dialect);
    options.Diameter = diameter;
    return options;
}

} // namespace

TEST(NcDialect, GenericIsEachBlocksOwnTextWithXDoubledInDiameterMode) {
    std::vector<NcBlock> blocks = Program(true);
    Lines radius = NcProgramText(blocks, Options(NcDialect::Generic, false));
    ASSERT_EQ(radius.size(), blocks.size());
    for (size_t i = 0; i < blocks.size(); ++i)
        EXPECT_EQ(radius[i], GenericText(blocks[i]));
    Lines diameter = NcProgramText(blocks, Options(NcDialect::Generic, true));
    EXPECT_EQ(diameter[4], "N0040 G01 X20.5 G01 Z29.5 F200");
    // Doubled before it is rounded; R stays a radius.
    EXPECT_EQ(diameter[8], "N0080 G03 X16.001 Z9 R5 F90");
    EXPECT_EQ(diameter[5], radius[5]);
}

TEST(NcDialect, LinuxCncSetsItsModesRestartsTheSpindleAfterM6AndEnds) {
    Lines program = NcProgramText(Program(false), Options(NcDialect::LinuxCnc, true));
    EXPECT_EQ(program.front(), "G18 G21 G90 G94 G40 G7");
    EXPECT_EQ(program[2], "N0010 T3 M6 G43 M04 S0800");
    EXPECT_EQ(program[5], "N0040 G01 X20.5 Z29.5 F200");
    EXPECT_EQ(program.back(), "N0090 M30");
    EXPECT_EQ(NcProgramText(Program(false), Options(NcDialect::LinuxCnc, false)).front(),
              "G18 G21 G90 G94 G40 G8");
    EXPECT_THROW(NcProgramText(Program(true), Options(NcDialect::LinuxCnc, false)),
                 std::invalid_argument);
}

TEST(NcDialect, FanucNumbersCarryADecimalPointAndTheDoorHasTheMachinesCode) {
    NcDialectOptions options = DefaultDialectOptions(NcDialect::Fanuc);
    EXPECT_TRUE(options.Diameter);
    options.ProgramNumber = 42;
    EXPECT_THROW(NcProgramText(Program(true), options), std::invalid_argument);
    options.DoorCode = "M21";
    Lines program = NcProgramText(Program(true), options);
    EXPECT_EQ(Lines(program.begin(), program.begin() + 3),
              (Lines{"%", "O0042", "G18 G21 G40 G97 G98"}));
    EXPECT_EQ(program[4], "N0010 T0303");
    EXPECT_EQ(program[5], "N0020 G00 X54.0 Z-2.0");
    EXPECT_EQ(program[9], "N0060 G00 X20.0 F120.0");
    EXPECT_EQ(program[10], "N0070 G02 X24.0 Z3.0 R4.0");
    EXPECT_EQ(Lines(program.end() - 3, program.end()), (Lines{"N0090 M21", "N0095 M30", "%"}));
    options.ProgramNumber = 10000;
    EXPECT_THROW(NcProgramText(Program(false), options), std::invalid_argument);
    options.ProgramNumber = 1;
    options.DoorCode = "21";
    EXPECT_EQ(DialectRefusal(options, false),
              "'21' is not a door code: type the machine's own M code, for example M21.");
    EXPECT_TRUE(IsDoorCode("M8"));
    for (const char* bad : {"M", "21", "M1234", "M2 M3", "m21", "M-1"})
        EXPECT_FALSE(IsDoorCode(bad)) << bad;
}
