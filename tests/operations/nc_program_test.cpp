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
        NcProgramOptions options{(mask & 1) != 0, (mask & 2) != 0, (mask & 4) != 0};
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
    Lines first = GenerateNcProgram(*job, {true, true, true});
    EXPECT_EQ(GenerateNcProgram(*job, {true, true, true}), first);
    EXPECT_EQ(job->BlockNo, 120);
}

TEST(NcProgram, SpindleSpeedIsAWholeNumberOfAtLeastFourDigits) {
    EXPECT_EQ(GenerateNcProgram(*Job("a", 12000), {}).front(), "N0001 M03  S12000");
    EXPECT_EQ(GenerateNcProgram(*Job("a", 999.6), {}).front(), "N0001 M03  S1000");
}
