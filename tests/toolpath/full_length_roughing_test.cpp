#include "platform/errors.h"
#include "tests/toolpath/path_checks.h"
#include "tests/toolpath/test_profiles.h"
#include "toolpath/toolpath.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace torvex;
using namespace torvex::testing;

namespace {

// The collared shaft: from x = 0 to x = 80, its highest end point at y = 20.
Tobjects Collared() {
    return Elements({"line 0/0/0/10/", "line 0/10/30/10/", "line 30/10/30/20/", "line 30/20/50/20/",
                     "line 50/20/50/12/", "line 50/12/80/12/", "line 80/12/80/0/"});
}

// A bulge of radius 10 around (30, 4) between two cylinders of radius 10: its crown is at 14.
TShaft Crowned() {
    return Shaft({"line 0/0/0/10/", "line 0/10/22/10/", "arc 20/-6/40/14/22/10/38/10/",
                  "line 38/10/60/10/", "line 60/10/60/0/"});
}

TToolpath FullLength(const Tobjects& profile, double stockRadius, double rest,
                     const RoughingParameters& p) {
    return Written([&](BlockWriter& w) { RoughFullLength(w, profile, stockRadius, rest, p); });
}

} // namespace

TEST(RoughFullLength, CutsTheCollaredShaftInFourPassesAndAFinalOne) {
    TToolpath toolpath = FullLength(Collared(), 30, 0.5, Roughing(35, 2));
    std::vector<std::string> expected{
        "N0010 G00 X35 Z-2", "N0020 G01 X28 F100",   "N0030 G01 Z82 F200", "N0040 G01 X30 Z80 F200",
        "N0050 G00 Z-2",     "N0060 G01 X26 F100",   "N0070 G01 Z82 F200", "N0080 G01 X28 Z80 F200",
        "N0090 G00 Z-2",     "N0100 G01 X24 F100",   "N0110 G01 Z82 F200", "N0120 G01 X26 Z80 F200",
        "N0130 G00 Z-2",     "N0140 G01 X22 F100",   "N0150 G01 Z82 F200", "N0160 G01 X24 Z80 F200",
        "N0170 G00 Z-2",     "N0180 G01 X20.5 F100", "N0190 G01 Z82 F200", "N0200 G01 X35 F100"};
    EXPECT_EQ(toolpath.NCBlocks(), expected);
    ASSERT_EQ(toolpath.PathPoints.Count(), 20u);
    // The lift is recorded before its block; every move carries its block's feed.
    EXPECT_EQ(toolpath.PathPoints[3].X, 80);
    EXPECT_EQ(toolpath.PathPoints[3].Y, 30);
    EXPECT_EQ(toolpath.PathPoints[3].Feed, 200);
    EXPECT_EQ(toolpath.PathPoints[4].Feed, 6000);
    EXPECT_EQ(toolpath.PathPoints.Last().X, 82);
    EXPECT_EQ(toolpath.PathPoints.Last().Y, 35);
    EXPECT_EQ(toolpath.PathPoints.Last().Feed, 100);
    EXPECT_TRUE(BlocksAreWellFormed(toolpath));
    EXPECT_TRUE(TimesAreConsistent(toolpath.PathPoints));
}

TEST(RoughFullLength, ALastPassOnTheFinalLevelIsLeftToTheFinalPass) {
    TToolpath toolpath = FullLength(Collared(), 30, 0, Roughing(35, 2));
    ASSERT_EQ(toolpath.NCBlocks().size(), 20u);
    EXPECT_EQ(toolpath.NCBlocks()[13], "N0140 G01 X22 F100");
    EXPECT_EQ(toolpath.NCBlocks()[17], "N0180 G01 X20 F100");
}

TEST(RoughFullLength, StockJustAboveTheFinalLevelGetsOnlyTheFinalPass) {
    TToolpath toolpath = FullLength(Collared(), 20.5, 0.5, Roughing(35, 2));
    std::vector<std::string> expected{"N0010 G00 X35 Z-2", "N0020 G01 X20.5 F100",
                                      "N0030 G01 Z82 F200", "N0040 G01 X35 F100"};
    EXPECT_EQ(toolpath.NCBlocks(), expected);
}

TEST(RoughFullLength, TheFinalLevelClearsTheCrownOfAnArc) {
    TShaft part = Crowned();
    TToolpath toolpath = FullLength(part.Elements, 20, 0.5, Roughing(25));
    // Height 20 - 14 - 0.5 = 5.5: passes at 18 and 16, the final one at 14.5.
    std::vector<std::string> expected{
        "N0010 G00 X25 Z-2", "N0020 G01 X18 F100",   "N0030 G01 Z62 F200", "N0040 G01 X20 Z60 F200",
        "N0050 G00 Z-2",     "N0060 G01 X16 F100",   "N0070 G01 Z62 F200", "N0080 G01 X18 Z60 F200",
        "N0090 G00 Z-2",     "N0100 G01 X14.5 F100", "N0110 G01 Z62 F200", "N0120 G01 X25 F100"};
    EXPECT_EQ(toolpath.NCBlocks(), expected);
    EXPECT_TRUE(StaysOutsidePart(toolpath.PathPoints, part.Points));
}

TEST(RoughFullLength, APartThatDoesNotStartAtZeroIsCutAtItsOwnEnds) {
    TToolpath toolpath =
        FullLength(Elements({"line 5/0/5/10/", "line 5/10/85/10/", "line 85/10/85/0/"}), 12, 0.5,
                   Roughing(35));
    std::vector<std::string> expected{"N0010 G00 X35 Z3", "N0020 G01 X10.5 F100",
                                      "N0030 G01 Z87 F200", "N0040 G01 X35 F100"};
    EXPECT_EQ(toolpath.NCBlocks(), expected);
}

TEST(RoughFullLength, AZeroDepthIsAnError) {
    EXPECT_THROW(FullLength(Collared(), 30, 0.5, Roughing(35, 0)), ArithmeticError);
}
