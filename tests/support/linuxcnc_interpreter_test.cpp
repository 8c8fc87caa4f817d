#include "tests/support/linuxcnc_interpreter.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace torvex::testing;

TEST(LinuxCncInterpreter, CanonicalArcsInTheZxPlaneNameZFirst) {
    std::vector<CanonicalCall> calls = ParseCanonicalOutput(
        "    7 N..... SELECT_PLANE(CANON_PLANE_XZ)\n"
        "    8 N..... COMMENT(\"interpreter: a, b\")\n"
        "    9 N0020  STRAIGHT_TRAVERSE(10.0000, 0.0000, 5.0000, 0.0000, 0.0000, 0.0000)\n"
        "   10 N0030  SET_FEED_RATE(100.0000)\n"
        "   11 N0030  STRAIGHT_FEED(5.0000, 0.0000, 5.0000, 0.0000, 0.0000, 0.0000)\n"
        "   12 N0040  ARC_FEED(2.0000, 8.0000, 5.0000, 8.0000, -1, 0.0000, 0.0000, 0.0000)\n");
    ASSERT_EQ(calls.size(), 6u);
    EXPECT_EQ(calls[1].Arguments.size(), 1u);
    std::vector<ProgramMove> moves = CanonicalMoves(calls);
    ASSERT_EQ(moves.size(), 3u);
    EXPECT_EQ(moves[0].Type, ProgramMove::Kind::Rapid);
    EXPECT_EQ(moves[0].Block, "0020");
    EXPECT_EQ(moves[1].Feed, 100);
    const ProgramMove& arc = moves[2];
    EXPECT_EQ(arc.Type, ProgramMove::Kind::Arc);
    EXPECT_EQ(arc.Z, 2);
    EXPECT_EQ(arc.X, 8);
    EXPECT_EQ(arc.CentreZ, 5);
    EXPECT_EQ(arc.CentreX, 8);
    EXPECT_EQ(arc.Turns, -1);
    // Without G18 the interpreter would cut the arc in the XY plane.
    calls.erase(calls.begin());
    EXPECT_THROW(CanonicalMoves(calls), std::invalid_argument);
    EXPECT_THROW(ParseCanonicalOutput("executing\n"), std::invalid_argument);
}

TEST(LinuxCncInterpreter, RunsALatheProgramAndReportsWhatItRefuses) {
    // Never skipped: a machine that cannot fetch the interpreter fails here with the reason.
    ASSERT_FALSE(InterpreterUnavailable()) << *InterpreterUnavailable();
    InterpreterRun run = RunLinuxCncInterpreter(
        {"G18 G21 G90 G94 G40 G7", "N0010 T2 M6 G43 M03 S900", "N0020 G00 X20 Z5",
         "N0030 G01 X10 F100", "N0040 G02 X16 Z2 R3", "N0050 M30"});
    EXPECT_TRUE(run.Accepted()) << run.Errors;
    ASSERT_EQ(run.Moves.size(), 3u);
    // Diameter words, radius moves.
    EXPECT_EQ(run.Moves[1].X, 5);
    EXPECT_EQ(run.Moves[2].Block, "0040");
    EXPECT_EQ(run.Moves[2].CentreX, 8);
    EXPECT_EQ(run.Moves[2].CentreZ, 5);
    EXPECT_TRUE(run.Moves[2].SpindleOn);

    // The interpreter's arcs turn about the centres a control finds from R.
    std::vector<std::string> arcs = {"N0010 G00 X10 Z0", "N0020 G02 X12 Z3 R4 F50",
                                     "N0030 G03 X8 Z9 R5", "N0040 G02 X8.5 Z4 R2.6",
                                     "N0050 G03 X11 Z1 R3.2"};
    std::vector<std::string> program = arcs;
    program.insert(program.begin(), "G18 G21 G90 G94 G40 G8");
    program.push_back("M30");
    run = RunLinuxCncInterpreter(program);
    std::vector<ProgramMove> read = ReadProgramMoves(arcs, false);
    ASSERT_EQ(run.Moves.size(), read.size()) << run.Errors;
    for (size_t i = 1; i < read.size(); ++i) {
        EXPECT_NEAR(run.Moves[i].CentreZ, read[i].CentreZ, 0.0001) << arcs[i];
        EXPECT_NEAR(run.Moves[i].CentreX, read[i].CentreX, 0.0001) << arcs[i];
        EXPECT_EQ(run.Moves[i].Turns, read[i].Turns) << arcs[i];
    }

    // M6 stops the spindle.
    run = RunLinuxCncInterpreter({"G18 G21", "M03 S1000", "T1 M6", "G01 X1 F10", "M30"});
    EXPECT_FALSE(run.Moves.at(0).SpindleOn);
    run = RunLinuxCncInterpreter({"G18 G21", "N0010 G01 X10 G01 Z50 F120", "M30"});
    EXPECT_FALSE(run.Accepted());
    EXPECT_NE(run.Errors.find("Two g codes used from same modal group"), std::string::npos)
        << run.Errors;
    EXPECT_FALSE(RunLinuxCncInterpreter({"G18 G21", "G00 X10 Z5"}).Accepted());
}
