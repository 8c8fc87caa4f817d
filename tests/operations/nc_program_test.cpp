#include "geometry/shaft.h"
#include "operations/nc_dialect.h"
#include "operations/nc_program.h"
#include "toolpath/toolpath.h"

#include <gtest/gtest.h>

using namespace torvex;

namespace {

using Lines = std::vector<std::string>;

// A toolpath whose blocks end at N0120, as a strategy leaves it.
std::unique_ptr<TToolpath> Job(const std::string& name, double speed) {
    auto toolpath = std::make_unique<TToolpath>();
    toolpath->Name = name;
    RoughingJob job;
    job.TurningSpeed = speed;
    toolpath->Job = job;
    toolpath->Blocks = {ToolChangeBlock(10, 1), RapidXZBlock(20, 35, -2), FeedXBlock(120, 35, 200)};
    toolpath->BlockNo = 120;
    return toolpath;
}

} // namespace

TEST(NcProgram, PlainProgramWrapsTheBlocksInSpindleStartAndStop) {
    auto job = Job("1-Roughing", 1200);
    EXPECT_EQ(GenerateNcProgram(*job, {}),
              (Lines{"N0001 M03  S1200", "N0010 M06 T1", "N0020 G00 X35 Z-2", "N0120 G01 X35 F200",
                     "N0125 M05"}));
}

TEST(NcProgram, EveryCombinationOfTheThreeOptions) {
    for (int mask = 0; mask < 8; ++mask) {
        NcProgramOptions options{.Coolant = (mask & 1) != 0,
                                 .AntiClockwise = (mask & 2) != 0,
                                 .OpenDoor = (mask & 4) != 0};
        auto job = Job("a", 800);
        Lines program = GenerateNcProgram(*job, options);
        Lines expected = {options.AntiClockwise ? "N0001 M04  S0800" : "N0001 M03  S0800"};
        if (options.Coolant)
            expected.push_back("N0002 M08");
        std::vector<std::string> blocks = job->NCBlocks();
        expected.insert(expected.end(), blocks.begin(), blocks.end());
        int n = 120;
        expected.push_back("N0" + std::to_string(n += 5) + " M05");
        if (options.Coolant)
            expected.push_back("N0" + std::to_string(n += 5) + " M09");
        if (options.OpenDoor)
            expected.push_back("N0" + std::to_string(n += 5) + " M39");
        EXPECT_EQ(program, expected) << mask;
    }
}

TEST(NcProgram, GeneratingLeavesTheToolpathAsItWas) {
    auto job = Job("a", 1200);
    Lines first =
        GenerateNcProgram(*job, {.Coolant = true, .AntiClockwise = true, .OpenDoor = true});
    EXPECT_EQ(GenerateNcProgram(*job, {.Coolant = true, .AntiClockwise = true, .OpenDoor = true}),
              first);
    EXPECT_EQ(job->BlockNo, 120);
}

TEST(NcProgram, SpindleSpeedIsAWholeNumberOfAtLeastFourDigits) {
    EXPECT_EQ(GenerateNcProgram(*Job("a", 12000), {}).front(), "N0001 M03  S12000");
    EXPECT_EQ(GenerateNcProgram(*Job("a", 999.6), {}).front(), "N0001 M03  S1000");
}

TEST(NcProgram, AWholeJobIsOneProgramNumberedAfreshWithEachToolpathsOwnSpeed) {
    auto roughing = Job("1-Roughing", 1200);
    auto finishing = Job("2-Finishing", 1500);
    finishing->Blocks.front().Tool = 3;
    const TToolpath* job[] = {roughing.get(), finishing.get()};
    std::vector<std::string> text;
    for (const NcBlock& block : JobProgram(job, {.Coolant = true}).Blocks)
        text.push_back(GenericText(block));
    EXPECT_EQ(text, (Lines{"N0001 M03  S1200", "N0002 M08", "N0010 M06 T1", "N0020 G00 X35 Z-2",
                           "N0030 G01 X35 F200", "N0040 M06 T3", "N0050 M03  S1500",
                           "N0060 G00 X35 Z-2", "N0070 G01 X35 F200", "N0080 M05", "N0090 M09"}));
}

TEST(NcProgram, BeforeEveryToolChangeAndTheEndTheToolLeavesRadiallyThenAxially) {
    auto roughing = Job("1-Roughing", 1200);
    roughing->Blocks.push_back(ToolChangeBlock(130, 1));
    roughing->Blocks.push_back(FeedZBlock(140, 50, 200));
    NcProgramOptions options{.ToolChange = {ToolChangePlace::Position, 40, 150}};
    NcProgram program = ToolpathProgram(*roughing, options);
    Lines text;
    for (const NcBlock& block : program.Blocks)
        text.push_back(GenericText(block));
    EXPECT_EQ(text, (Lines{"N0001 M03  S1200", "N0010 G00 X40", "N0020 G00 Z150", "N0030 M06 T1",
                           "N0040 G00 X35 Z-2", "N0050 G01 X35 F200", "N0060 G00 X40",
                           "N0070 G00 Z150", "N0080 M06 T1", "N0090 G01 Z50 F200", "N0100 G00 X40",
                           "N0110 G00 Z150", "N0120 M05"}));
    EXPECT_EQ(program.Numbers.front().at(120), 50) << "the toolpath's blocks are renumbered";
    // LinuxCNC and Fanuc leave out a change to the tool in place, with its move there.
    options.SkipToolInPlace = true;
    EXPECT_EQ(ToolpathProgram(*roughing, options).Blocks.size(), text.size() - 3);
}

TEST(NcProgram, EachControlGoesToTheMachinesToolChangePositionItsOwnWay) {
    auto roughing = Job("1-Roughing", 1200);
    ProgramSettings settings;
    settings.Program.ToolChange.Place = ToolChangePlace::Machine;
    const TToolpath* alone[] = {roughing.get()};
    settings.Dialect = DefaultDialectOptions(NcDialect::LinuxCnc);
    Lines linuxcnc = NcProgramText(ProgramFor(alone, false, settings).Blocks, settings.Dialect);
    EXPECT_EQ(Lines(linuxcnc.begin() + 2, linuxcnc.begin() + 6),
              (Lines{"N0010 G91 G30 X0", "N0020 G30 Z0", "G90", "N0030 T1 M6 G43 M03 S1200"}));
    settings.Dialect = DefaultDialectOptions(NcDialect::Fanuc);
    Lines fanuc = NcProgramText(ProgramFor(alone, false, settings).Blocks, settings.Dialect);
    EXPECT_EQ(Lines(fanuc.begin() + 4, fanuc.begin() + 7),
              (Lines{"N0010 G28 U0.", "N0020 G28 W0.", "N0030 T0101"}));
    settings.Dialect = DefaultDialectOptions(NcDialect::Generic);
    EXPECT_NE(DialectRefusal(settings.Dialect, settings.Program), std::nullopt)
        << "the generic program has no code for it";
}

TEST(NcProgram, APositionThatTheToolWouldReachThroughTheStockIsRefused) {
    TShaft stock;
    stock.LoadFromLines({"line 0/0/0/20/", "line 0/20/80/20/", "line 80/20/80/0/"});
    ToolChangePosition position{ToolChangePlace::Position, 24.9, 150};
    EXPECT_NE(ToolChangeRefusal(position, stock, 5), std::nullopt);
    position.X = 25;
    EXPECT_EQ(ToolChangeRefusal(position, stock, 5), std::nullopt);
}
