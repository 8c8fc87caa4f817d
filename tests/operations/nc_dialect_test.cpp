#include "geometry/shaft.h"
#include "operations/job_fields.h"
#include "operations/nc_dialect.h"
#include "operations/toolpath_building.h"
#include "platform/text_file.h"
#include "tests/support/linuxcnc_interpreter.h"
#include "tests/support/nc_block_parser.h"
#include "tests/support/program_moves.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <numbers>
#include <random>
#include <span>
#include <stdexcept>

using namespace torvex;
using torvex::testing::InterpreterRun;
using torvex::testing::ProgramMove;

namespace {

using Lines = std::vector<std::string>;

double Distance(const TPoint& a, const TPoint& b) {
    return std::hypot(a.X - b.X, a.Y - b.Y);
}

double Positive(double angle) {
    return angle < 0 ? angle + 2 * std::numbers::pi : angle;
}

// The arc a control cuts from `start` about a centre the way it turns, its radius changing evenly
// from the start's to the end's (LinuxCNC cuts an arc whose radii differ so). Points are (Z,
// radius).
struct CutArc {
    TPoint Centre;
    int Turns = 0; // negative clockwise
    double StartAngle = 0, Sweep = 0, StartRadius = 0, EndRadius = 0;

    CutArc(const TPoint& start, const ProgramMove& arc)
        : Centre{arc.CentreZ, arc.CentreX}, Turns(arc.Turns < 0 ? -1 : 1),
          StartAngle(AngleOf(start)), Sweep(Turned({arc.Z, arc.X})),
          StartRadius(Distance(start, Centre)), EndRadius(Distance({arc.Z, arc.X}, Centre)) {}

    double AngleOf(const TPoint& p) const { return std::atan2(p.Y - Centre.Y, p.X - Centre.X); }
    // How far round from the start a point lies, 0 to 2 pi, the way the arc turns.
    double Turned(const TPoint& p) const { return Positive(Turns * (AngleOf(p) - StartAngle)); }
    double RadiusAt(double t) const { return StartRadius + (EndRadius - StartRadius) * t; }
    TPoint At(double t) const {
        double angle = StartAngle + Turns * Sweep * t;
        return {Centre.X + RadiusAt(t) * std::cos(angle), Centre.Y + RadiusAt(t) * std::sin(angle)};
    }
};

// Whether the cut arc keeps within 0.002 of the circle about `centre` (on neither side: no gouge)
// and passes each preview point within 0.002, in order, between its ends.
::testing::AssertionResult CutsOnItsCircle(const CutArc& cut, const TPoint& centre, double radius,
                                           std::span<const TPoint> preview) {
    constexpr double Tolerance = 0.002;
    for (int k = 0; k <= 200; ++k) {
        TPoint p = cut.At(k / 200.0);
        if (std::fabs(Distance(p, centre) - radius) > Tolerance)
            return ::testing::AssertionFailure()
                   << "at (" << p.X << ", " << p.Y << ") the cut lies "
                   << Distance(p, centre) - radius << " off its circle";
    }
    double before = 0;
    for (const TPoint& p : preview) {
        double t = cut.Turned(p) / cut.Sweep;
        if (t <= before || t >= 1)
            return ::testing::AssertionFailure()
                   << "the preview point (" << p.X << ", " << p.Y << ") is not passed in order";
        if (std::fabs(Distance(p, cut.Centre) - cut.RadiusAt(t)) > Tolerance)
            return ::testing::AssertionFailure()
                   << "the cut passes the preview point (" << p.X << ", " << p.Y << ") at "
                   << Distance(p, cut.Centre) - cut.RadiusAt(t);
        before = t;
    }
    return ::testing::AssertionSuccess();
}

// A program of every kind of block, as the NC program makes it; its arcs are quarter circles, over
// a top and down to a bottom.
std::vector<NcBlock> Program(bool door) {
    std::vector<NcBlock> blocks = {SpindleStartBlock(1, true, 800),
                                   ToolChangeBlock(10, 3),
                                   RapidXZBlock(20, 27, -2),
                                   FeedXBlock(30, 20.0005, 100),
                                   FeedXThenZBlock(40, 10.25, 29.5, 200),
                                   RapidZBlock(50, -2),
                                   RapidXFeedBlock(60, 10, 120),
                                   ArcBlock(70, ArcTurn::Clockwise, 14, 2, 10, 2, 4),
                                   ArcBlock(80, ArcTurn::CounterClockwise, 10, 6, 14, 6, 4, 90.0),
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
    EXPECT_EQ(diameter[3], "N0030 G01 X40.001 F100");
    EXPECT_EQ(diameter[8], "N0080 G03 X20 Z6 R4 F90");
    EXPECT_EQ(diameter[5], radius[5]);
}

TEST(NcDialect, LinuxCncSetsItsModesRestartsTheSpindleAfterM6AndEnds) {
    Lines program = NcProgramText(Program(false), Options(NcDialect::LinuxCnc, true));
    EXPECT_EQ(program.front(), "G18 G21 G90 G91.1 G94 G40 G7");
    EXPECT_EQ(program[2], "N0010 T3 M6 G43 M04 S0800");
    EXPECT_EQ(program[5], "N0040 G01 X20.5 Z29.5 F200");
    // The centre's offsets from the start; I stays a radius.
    EXPECT_EQ(program[8], "N0070 G02 X28 Z2 I0 K4");
    EXPECT_EQ(program[9], "N0080 G03 X20 Z6 I0 K4 F90");
    EXPECT_EQ(program.back(), "N0090 M30");
    EXPECT_EQ(NcProgramText(Program(false), Options(NcDialect::LinuxCnc, false)).front(),
              "G18 G21 G90 G91.1 G94 G40 G8");
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
    EXPECT_EQ(program[10], "N0070 G02 X28.0 Z2.0 I0.0 K4.0");
    EXPECT_EQ(Lines(program.end() - 3, program.end()), (Lines{"N0090 M21", "N0095 M30", "%"}));
    options.ProgramNumber = 10000;
    EXPECT_THROW(NcProgramText(Program(false), options), std::invalid_argument);
    options.ProgramNumber = 1;
    options.DoorCode = "21";
    EXPECT_EQ(DialectRefusal(options, {}),
              "'21' is not a door code: type the machine's own M code, for example M21.");
    EXPECT_TRUE(IsDoorCode("M8"));
    for (const char* bad : {"M", "21", "M1234", "M2 M3", "m21", "M-1"})
        EXPECT_FALSE(IsDoorCode(bad)) << bad;
}

TEST(NcDialect, ArcsAreWrittenWithTheirCentresRoundedSoTheirRadiiAgree) {
    // A crown of radius 7.3 about (30, 8) nearly a half circle: the offsets from the written start
    // (22.701, 8.089) put the centre exactly on (30, 8); given R7.3 and these ends, a control
    // would find it at radius 7.968.
    std::vector<NcBlock> crown = {
        RapidXZBlock(10, 8.089184, 22.700545),
        ArcBlock(20, ArcTurn::Clockwise, 8.089184, 37.299455, 8, 30, 7.3, 90.0)};
    NcDialectOptions fanuc = DefaultDialectOptions(NcDialect::Fanuc);
    EXPECT_EQ(NcProgramText(crown, fanuc)[4], "N0020 G02 X16.178 Z37.299 I-0.089 K7.299 F90.0");
    EXPECT_EQ(NcProgramText(crown, Options(NcDialect::Generic, false))[1],
              "N0020 G02 X8.089 Z37.299 R7.3 F90");

    // Ends less than 0.005 apart: a straight move, never a whole turn.
    std::vector<NcBlock> sliver = {RapidXZBlock(10, 10, 0),
                                   ArcBlock(20, ArcTurn::Clockwise, 10.0003, 0.0024, 0, 0, 10)};
    EXPECT_EQ(NcProgramText(sliver, Options(NcDialect::LinuxCnc, false))[2],
              "N0020 G01 X10 Z0.002");
    // A tool change's offsets move the point the words mean: an arc needs a move after it.
    EXPECT_THROW(NcProgramText({crown[0], ToolChangeBlock(15, 3), crown[1]}, fanuc),
                 std::invalid_argument);
}

TEST(NcDialect, RoundedCentresKeepTheRadiiWithinAThousandthAndTheArcOnItsCircle) {
    std::mt19937 random(29);
    auto uniform = [&random](double from, double to) {
        return std::uniform_real_distribution<double>(from, to)(random);
    };
    for (int n = 0; n < 3000; ++n) {
        double r = n % 2 ? uniform(0.5, 5) : uniform(5, 60);
        TPoint centre{uniform(-20, 100), r + uniform(0, 30)};
        // Half circles and arcs near them, more than half circles, and shorter arcs.
        double sweep = n % 5 == 0   ? std::numbers::pi
                       : n % 5 == 1 ? std::numbers::pi - uniform(0, 0.02)
                       : n % 5 == 2 ? uniform(std::numbers::pi, 1.9 * std::numbers::pi)
                                    : uniform(0.02, std::numbers::pi);
        int turns = n % 3 ? -1 : 1;
        double from = n % 4 ? uniform(0, 2 * std::numbers::pi) : std::numbers::pi / 2 * (n % 7);
        auto on = [&](double t) {
            double angle = from + turns * sweep * t;
            return TPoint{centre.X + r * std::cos(angle), centre.Y + r * std::sin(angle)};
        };
        TPoint start = on(0), end = on(1);
        if (Distance(start, end) < 0.01)
            continue;
        bool diameter = n % 2 == 0;
        std::vector<NcBlock> blocks = {
            RapidXZBlock(10, start.Y, start.X),
            ArcBlock(20, turns < 0 ? ArcTurn::Clockwise : ArcTurn::CounterClockwise, end.Y, end.X,
                     centre.Y, centre.X, r, 100.0)};
        Lines program = NcProgramText(blocks, Options(NcDialect::LinuxCnc, diameter));
        Lines moves(program.begin() + 1, program.end() - 1);
        std::vector<ProgramMove> read;
        // Throws when the radii differ by more than 0.001.
        ASSERT_NO_THROW(read = torvex::testing::ReadProgramMoves(moves, diameter)) << moves[1];
        ASSERT_EQ(read.at(1).Type, ProgramMove::Kind::Arc) << moves[1];
        std::vector<TPoint> preview = {on(0.25), on(0.5), on(0.75)};
        EXPECT_TRUE(CutsOnItsCircle(CutArc({read[0].Z, read[0].X}, read[1]), centre, r, preview))
            << moves[0] << "\n"
            << moves[1] << (diameter ? " diameter" : " radius");
    }
}

TEST(NcDialect, LinuxCncCutsANearlyHalfCircleCrownOnItsCircle) {
    ASSERT_FALSE(torvex::testing::InterpreterUnavailable())
        << *torvex::testing::InterpreterUnavailable();
    // A crown of radius 7.3 about (30, 8) between shoulders at radius 6.
    TShaft part, stock;
    part.LoadFromLines(
        {"line 0/0/0/6/", "line 0/6/22.700545/6/", "line 22.700545/6/22.700545/8.089184/",
         "arc 22.7/0.7/37.3/15.3/22.700545/8.089184/37.299455/8.089184/",
         "line 37.299455/8.089184/37.299455/6/", "line 37.299455/6/50/6/", "line 50/6/50/0/"});
    part.ComputeMaxRadius();
    stock.LoadFromLines({"line 0/0/0/18/", "line 0/18/50/18/", "line 50/18/50/0/"});
    stock.ComputeMaxRadius();
    auto knife = [](const char* name, int number) {
        return JobTool{number,
                       {"SVJCR2020", name},
                       ReadTextLines(std::string(TORVEX_DATA) + "/Knives/" + name + ".knf")};
    };
    using enum RoughingOperation;
    using enum FinishingOperation;
    RoughingJob roughing =
        RoughingJobOf({"5", "2", "0.5", "2", "100", "200", "1200", "", ""},
                      {LeftBelowTop, RightBelowTop}, knife("Rough80", 1), knife("Left45", 2), '.');
    FinishingJob finishing =
        FinishingJobOf({"3", "2", "1", "90", "1800", "", ""}, {LeftWithoutTop, RightWithoutTop},
                       knife("Finish35", 3), knife("Finish35", 4), '.');
    for (const TToolpath& toolpath :
         {BuildRoughing(part, stock, roughing), BuildFinishing(part, stock, finishing)}) {
        const std::vector<NcBlock>& blocks = toolpath.Blocks;
        for (bool diameter : {false, true}) {
            InterpreterRun run = torvex::testing::RunLinuxCncInterpreter(
                NcProgramText(blocks, Options(NcDialect::LinuxCnc, diameter)));
            ASSERT_TRUE(run.Accepted()) << run.Errors;
            int arcs = 0;
            for (size_t m = 1; m < run.Moves.size(); ++m) {
                const ProgramMove& move = run.Moves[m];
                if (move.Type != ProgramMove::Kind::Arc)
                    continue;
                ++arcs;
                auto block = std::find_if(blocks.begin(), blocks.end(), [&](const NcBlock& b) {
                    return BlockNumberText(b.Number).substr(1) == move.Block;
                });
                ASSERT_NE(block, blocks.end()) << move.Block;
                std::vector<TPoint> preview;
                for (size_t k = 0; k < toolpath.PathPoints.Count(); ++k)
                    if (toolpath.PathPoints[k].Block == block->Number)
                        preview.push_back({toolpath.PathPoints[k].X, toolpath.PathPoints[k].Y});
                preview.pop_back(); // the arc's end
                EXPECT_TRUE(CutsOnItsCircle(CutArc({run.Moves[m - 1].Z, run.Moves[m - 1].X}, move),
                                            {block->CentreZ, block->CentreX}, block->R, preview))
                    << toolpath.Name << " N" << move.Block << (diameter ? " diameter" : " radius");
            }
            EXPECT_EQ(arcs, 2);
        }
    }
}

namespace {

// The threaded sample's M24x1.5 from Z60 to Z42, first cut 0.3, with Thread60 as tool 7.
TToolpath M24Thread(double zeroAt, NcDialect dialect, bool diameter, Lines& program) {
    TShaft part, stock;
    part.LoadFromLines(ReadTextLines(std::string(TORVEX_DATA) + "/Models/threaded.mdl"));
    stock.LoadFromLines(ReadTextLines(std::string(TORVEX_DATA) + "/Models/threaded.mdls"));
    JobTool knife{
        7, {"", "Thread60"}, ReadTextLines(std::string(TORVEX_DATA) + "/Knives/Thread60.knf")};
    TToolpath toolpath = BuildThreading(
        part, stock,
        ThreadingJobOf({"60", "42", "1.5", "", "0.3", "", "", "", "1", "800"}, knife, '.'));
    ProgramSettings settings;
    settings.Dialect = Options(dialect, diameter);
    settings.Program.ZeroAt = zeroAt;
    const TToolpath* alone[] = {&toolpath};
    program = NcProgramText(ProgramFor(alone, false, settings).Blocks, settings.Dialect);
    return toolpath;
}

Lines Containing(const Lines& program, const char* word) {
    Lines found;
    std::copy_if(program.begin(), program.end(), std::back_inserter(found),
                 [word](const std::string& line) { return line.find(word) != std::string::npos; });
    return found;
}

} // namespace

TEST(ThreadingCycle, EachControlCutsTheThreadInItsOwnWay) {
    Lines generic, linuxcnc, fanuc, fromFreeEnd;
    M24Thread(0, NcDialect::Generic, false, generic);
    M24Thread(0, NcDialect::LinuxCnc, false, linuxcnc);
    TToolpath toolpath = M24Thread(0, NcDialect::Fanuc, true, fanuc);
    // Generic: every pass written out, in step with the spindle.
    EXPECT_EQ(Containing(generic, " G33 ").size(), 11u);
    auto firstPass = std::find(generic.begin(), generic.end(), "N0030 G00 X13");
    ASSERT_NE(firstPass, generic.end());
    EXPECT_EQ(Lines(firstPass + 1, firstPass + 5),
              (Lines{"N0040 G00 X11.7 Z64.33", "N0050 G33 Z42 K1.5", "N0060 G00 X13",
                     "N0070 G00 Z64.5"}));
    // LinuxCNC: one cycle from the drive line 1 mm above the crest.
    EXPECT_EQ(Containing(linuxcnc, " G33 ").size(), 0u);
    EXPECT_EQ(Containing(linuxcnc, " G76 "),
              Lines{"N0040 G76 P1.5 Z42 I-1 J0.3 K0.92 R2 Q29.5 H1 E0 L0"});
    // Fanuc: the two blocks, the root a diameter, depths in micrometres.
    Lines cycle = Containing(fanuc, " G76 ");
    ASSERT_EQ(cycle.size(), 2u);
    using torvex::testing::ParseNcBlock;
    torvex::testing::NcBlock first = ParseNcBlock(cycle[0]);
    torvex::testing::NcBlock second = ParseNcBlock(cycle[1]);
    EXPECT_EQ(first.Shape(), "G76 P Q R");
    EXPECT_EQ(first.Words[1].Text, "010060") << "one spring pass, no chamfer, 60 degrees";
    EXPECT_EQ(first.Value('Q'), 50);
    EXPECT_EQ(first.Value('R'), 0);
    EXPECT_EQ(second.Shape(), "G76 X Z P Q F");
    EXPECT_EQ(second.Value('X'), 22.16);
    EXPECT_EQ(second.Value('Z'), 42);
    EXPECT_EQ(second.Value('P'), 920);
    EXPECT_EQ(second.Value('Q'), 300);
    EXPECT_EQ(second.Value('F'), 1.5);
    EXPECT_EQ(second.Words[2].Text, "42.0");
    // The cycle's end moves with program zero like every Z word.
    M24Thread(60, NcDialect::Fanuc, false, fromFreeEnd);
    EXPECT_EQ(Containing(fromFreeEnd, " G76 ")[1], "N0040 G76 X11.08 Z-18.0 P920 Q300 F1.5");
    // A collision in any pass is named by the cycle's block in the cycle's controls.
    ProgramSettings settings;
    settings.Dialect = Options(NcDialect::LinuxCnc, false);
    const TToolpath* alone[] = {&toolpath};
    NcProgram program = ProgramFor(alone, false, settings);
    const TPunct& lastPass = toolpath.PathPoints[toolpath.PathPoints.Count() - 3];
    EXPECT_EQ(program.Numbers[0].at(lastPass.Block), 40);
}

TEST(ThreadingCycle, LinuxCncCutsTheThreadToItsRootInRadiusAndDiameterMode) {
    ASSERT_FALSE(torvex::testing::InterpreterUnavailable())
        << *torvex::testing::InterpreterUnavailable();
    for (bool diameter : {false, true}) {
        Lines program;
        M24Thread(0, NcDialect::LinuxCnc, diameter, program);
        InterpreterRun run = torvex::testing::RunLinuxCncInterpreter(program);
        ASSERT_TRUE(run.Accepted()) << run.Errors;
        std::vector<ProgramMove> passes;
        std::copy_if(run.Moves.begin(), run.Moves.end(), std::back_inserter(passes),
                     [](const ProgramMove& m) { return m.Lead != 0; });
        // The interpreter's positions are radii in either mode: ten passes down to the root of
        // 12 - 0.92 and a spring pass there, every one at the pitch and the last ending at Z42.
        ASSERT_EQ(passes.size(), 11u) << (diameter ? "diameter" : "radius");
        EXPECT_NEAR(passes.front().X, 12 - 0.3, 1e-4);
        for (const ProgramMove& pass : passes) {
            EXPECT_EQ(pass.Lead, 1.5);
            EXPECT_GE(pass.X, 11.08 - 1e-4);
            EXPECT_TRUE(pass.SpindleOn);
        }
        EXPECT_NEAR(passes.back().X, 11.08, 1e-4);
        EXPECT_NEAR(passes[9].X, 11.08, 1e-4);
        EXPECT_NEAR(passes.back().Z, 42, 1e-4);
    }
}

TEST(NcDialect, ASurfaceSpeedStartsWithItsMaximumAndATurningSpeedAfterItSwitchesBackToG97) {
    // Two toolpaths of a whole job: the first at 150 m/min and at most 2500 rev/min, the second,
    // started after its tool change, at 1500 rev/min.
    std::vector<NcBlock> blocks = {SpindleStartBlock(1, false, 1200, SurfaceSpeed{150, 2500}),
                                   ToolChangeBlock(10, 3),
                                   RapidXZBlock(20, 30, 2),
                                   FeedXBlock(30, 10, 100),
                                   ToolChangeBlock(40, 4),
                                   SpindleStartBlock(50, false, 1500),
                                   RapidXZBlock(60, 30, 2),
                                   MCodeBlock(70, BlockKind::SpindleStop)};
    Lines linuxcnc = NcProgramText(blocks, Options(NcDialect::LinuxCnc, false));
    EXPECT_EQ(linuxcnc[1], "N0001 G96 D2500 S150 M03");
    EXPECT_EQ(linuxcnc[2], "N0010 T3 M6 G43 G96 D2500 S150 M03");
    EXPECT_EQ(linuxcnc[5], "N0040 T4 M6 G43");
    EXPECT_EQ(linuxcnc[6], "N0050 G97 M03 S1500");
    Lines fanuc = NcProgramText(blocks, DefaultDialectOptions(NcDialect::Fanuc));
    EXPECT_EQ(Lines(fanuc.begin() + 2, fanuc.begin() + 5),
              (Lines{"G18 G21 G40 G97 G98", "G50 S2500", "N0001 G96 S150 M03"}));
    EXPECT_EQ(fanuc[9], "N0050 G97 M03 S1500");
    // The generic program keeps its own text.
    EXPECT_EQ(NcProgramText(blocks, Options(NcDialect::Generic, false))[0], "N0001 M03  S1200");

    // LinuxCNC's interpreter sets the maximum with the surface speed, and constant speed again.
    ASSERT_FALSE(torvex::testing::InterpreterUnavailable())
        << *torvex::testing::InterpreterUnavailable();
    for (bool diameter : {false, true}) {
        InterpreterRun run = torvex::testing::RunLinuxCncInterpreter(
            NcProgramText(blocks, Options(NcDialect::LinuxCnc, diameter)));
        ASSERT_TRUE(run.Accepted()) << run.Errors;
        std::vector<std::string> modes;
        for (const auto& call : run.Calls)
            if (call.Name == "SET_SPINDLE_MODE" || call.Name == "SET_SPINDLE_SPEED")
                modes.push_back(call.Block + " " + call.Arguments.back());
        EXPECT_EQ(Lines(modes.begin(), modes.begin() + 6),
                  (Lines{"0001 0 2500.0000", "0001 150.0000", "0010 0 2500.0000", "0010 150.0000",
                         "0050 0 0.0000", "0050 1500.0000"}));
    }
}
