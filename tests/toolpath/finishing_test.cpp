#include "geometry/model_files.h"
#include "platform/message_sink.h"
#include "tests/toolpath/path_checks.h"
#include "tests/toolpath/test_profiles.h"
#include "toolpath/toolpath.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace torvex;
using namespace torvex::testing;

namespace {

struct Sample {
    TShaft Part, Stock;
};

// A sample model with its outlines built for finishing: entry kept, flat tops as asked.
Sample Load(const std::string& name, bool keepFlats = false) {
    Sample sample;
    RecordingMessageSink messages;
    LoadPartAndStock(std::string(TORVEX_DATA) + "/Models/" + name, sample.Part, sample.Stock,
                     messages);
    sample.Part.BuildSideOutlines(EntryCorner::Keep, keepFlats ? FlatTop::Keep : FlatTop::Drop,
                                  keepFlats ? FlatTop::Keep : FlatTop::Drop);
    return sample;
}

} // namespace

TEST(FinishLeft, FollowsTheChamferedShaftFromItsChamfer) {
    Sample chamfered = Load("chamfered.mdl");
    TToolpath toolpath = Finished(chamfered.Part.LeftOutline.Elements, Flank::Left, Finishing(40));
    std::vector<std::string> expected{"N0010 G00 X40 Z-2",          "N0020 G00 X10 F120",
                                      "N0030 G01 X9 Z0 F120",       "N0040 G01 X10 G01 Z1 F120",
                                      "N0050 G01 X10 G01 Z50 F120", "N0060 G01 X15 G01 Z50 F120",
                                      "N0070 G01 X40 F120"};
    EXPECT_EQ(toolpath.NCBlocks(), expected);
    // The approach is a rapid move although its block carries a feed word.
    EXPECT_EQ(toolpath.PathPoints[1].Feed, 6000);
    EXPECT_EQ(toolpath.PathPoints[2].Feed, 120);
    EXPECT_TRUE(BlocksAreWellFormed(toolpath));

    // The right flank of this shaft does not rise: nothing to finish there.
    EXPECT_TRUE(
        Finished(chamfered.Part.RightOutline.Elements, Flank::Right, Finishing(40)).Blocks.empty());
}

TEST(FinishLeft, WithoutApproachTheFeedBlockOnlyMovesAlongTheAxis) {
    Sample chamfered = Load("chamfered.mdl");
    FinishingParameters p = Finishing(40);
    p.Approach = 0;
    TToolpath toolpath = Finished(chamfered.Part.LeftOutline.Elements, Flank::Left, p);
    EXPECT_EQ(toolpath.NCBlocks()[1], "N0020 G00 X9 F120");
    EXPECT_EQ(toolpath.NCBlocks()[2], "N0030 G01 X9 Z0 F120");
}

TEST(FinishLeft, WritesTheOutlinesOwnXForAPartThatDoesNotStartAtZero) {
    TToolpath toolpath =
        Finished(Elements({"line 5/9/6/10/", "line 6/10/55/10/", "line 55/10/55/15/"}), Flank::Left,
                 Finishing(40));
    std::vector<std::string> expected{"N0010 G00 X40 Z3",           "N0020 G00 X10 F120",
                                      "N0030 G01 X9 Z5 F120",       "N0040 G01 X10 G01 Z6 F120",
                                      "N0050 G01 X10 G01 Z55 F120", "N0060 G01 X15 G01 Z55 F120",
                                      "N0070 G01 X40 F120"};
    EXPECT_EQ(toolpath.NCBlocks(), expected);
}

TEST(FinishLeft, FollowsRoundingsAndFilletsWithArcsWithoutFeedWords) {
    Sample arcs = Load("arcs.mdl");
    TToolpath toolpath = Finished(arcs.Part.LeftOutline.Elements, Flank::Left, Finishing(24));
    std::vector<std::string> expected{
        "N0010 G00 X24 Z-2",          "N0020 G00 X9 F120",          "N0030 G01 X8 Z0 F120",
        "N0040 G02 X12 Z4 R4",        "N0050 G01 X12 G01 Z20 F120", "N0060 G03 X15 Z23 R3",
        "N0070 G01 X18 G01 Z23 F120", "N0080 G02 X20 Z25 R2",       "N0090 G01 X24 F120"};
    EXPECT_EQ(toolpath.NCBlocks(), expected);
    // Three moves of entry, then the rounding's 19 preview points before its block.
    EXPECT_EQ(toolpath.PathPoints.Count(), 3 + 3 * 20 + 2 + 1u);
    EXPECT_TRUE(BlocksAreWellFormed(toolpath));
    EXPECT_TRUE(ArcBlocksMatchPreview(toolpath));
    EXPECT_TRUE(StaysOutsidePart(toolpath.PathPoints, arcs.Part.Points));
}

TEST(FinishRight, TurnsItsArcsTheOtherWayRoundTravellingLeftwards) {
    Sample arcs = Load("arcs.mdl");
    TToolpath toolpath = Finished(arcs.Part.RightOutline.Elements, Flank::Right, Finishing(24));
    std::vector<std::string> expected{
        "N0010 G00 X24 Z102",     "N0020 G00 X9 F120",      "N0030 G01 X8 Z100 F120",
        "N0040 G01 X12 Z96 F120", "N0050 G01 X12 Z62 F120", "N0060 G02 X14 Z60 R2",
        "N0070 G01 X17 Z60 F120", "N0080 G03 X20 Z57 R3",   "N0090 G01 X24 F120"};
    EXPECT_EQ(toolpath.NCBlocks(), expected);
    EXPECT_TRUE(BlocksAreWellFormed(toolpath));
    EXPECT_TRUE(ArcBlocksMatchPreview(toolpath));
    EXPECT_TRUE(StaysOutsidePart(toolpath.PathPoints, arcs.Part.Points));
}
