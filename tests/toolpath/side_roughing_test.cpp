#include "bench/side_roughing_jobs.h"
#include "tests/toolpath/path_checks.h"
#include "tests/toolpath/test_profiles.h"
#include "toolpath/nc_block.h"
#include "toolpath/toolpath.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

using namespace torvex;
using namespace torvex::testing;

namespace {

// A bead: a half circle of radius 4 around (14, 14) between two walls, on a shaft from 0 to 40.
TShaft Beaded() {
    return Shaft({"line 0/0/0/10/", "line 0/10/10/10/", "line 10/10/10/14/",
                  "arc 10/10/18/18/10/14/18/14/", "line 18/14/18/8/", "line 18/8/40/8/",
                  "line 40/8/40/0/"});
}

} // namespace

TEST(RoughRight, CutsThreeLayersDownToTheJoinedShoulder) {
    TToolpath toolpath = Roughed(Elements({"line 50.5/12.5/80/12.5/", "line 50.5/20/50.5/12.5/"}),
                                 Flank::Right, Roughing(35));
    std::vector<std::string> expected{"N0010 G00 X35 Z82",        "N0020 G01 X20 F100",
                                      "N0030 G01 X18 F100",       "N0040 G01 Z50.5 F200",
                                      "N0050 G01 X20 Z52.5 F200", "N0060 G00 Z82",
                                      "N0070 G01 X16 F100",       "N0080 G01 Z50.5 F200",
                                      "N0090 G01 X18 Z52.5 F200", "N0100 G00 Z82",
                                      "N0110 G01 X14 F100",       "N0120 G01 Z50.5 F200",
                                      "N0130 G01 X16 Z52.5 F200", "N0140 G00 Z82",
                                      "N0150 G01 X12.5 F100",     "N0160 G01 X12.5 Z50.5 F200",
                                      "N0170 G01 X20 Z50.5 F200", "N0180 G01 X35 F100"};
    EXPECT_EQ(toolpath.NCBlocks(), expected);
    EXPECT_EQ(toolpath.PathPoints.Last().X, 50.5);
    EXPECT_TRUE(BlocksAreWellFormed(toolpath));
}

TEST(RoughRight, AHeightThatIsAMultipleOfTheDepthLeavesTheLastLevelToTheContour) {
    TToolpath toolpath = Roughed(Elements({"line 50.5/12/80/12/", "line 50.5/20/50.5/12/"}),
                                 Flank::Right, Roughing(35));
    ASSERT_EQ(toolpath.NCBlocks().size(), 18u);
    EXPECT_EQ(toolpath.NCBlocks()[10], "N0110 G01 X14 F100");
    EXPECT_EQ(toolpath.NCBlocks()[14], "N0150 G01 X12 F100");
}

TEST(RoughLeft, WritesTheContoursOwnXForAPartThatDoesNotStartAtZero) {
    TToolpath toolpath = Roughed(Elements({"line 3/10.5/10/10.5/", "line 10/10.5/10/20/"}),
                                 Flank::Left, Roughing(35));
    std::vector<std::string> expected{"N0010 G00 X35 Z1",           "N0020 G01 X20 F100",
                                      "N0030 G01 X18 F100",         "N0040 G01 Z10 F200",
                                      "N0050 G01 X20 Z8 F200",      "N0060 G00 Z1",
                                      "N0070 G01 X16 F100",         "N0080 G01 Z10 F200",
                                      "N0090 G01 X18 Z8 F200",      "N0100 G00 Z1",
                                      "N0110 G01 X14 F100",         "N0120 G01 Z10 F200",
                                      "N0130 G01 X16 Z8 F200",      "N0140 G00 Z1",
                                      "N0150 G01 X12 F100",         "N0160 G01 Z10 F200",
                                      "N0170 G01 X14 Z8 F200",      "N0180 G00 Z1",
                                      "N0190 G01 X10.5 F100",       "N0200 G01 X10.5 G01 Z10 F200",
                                      "N0210 G01 X20 G01 Z10 F200", "N0220 G01 X35 F100"};
    EXPECT_EQ(toolpath.NCBlocks(), expected);
    EXPECT_TRUE(BlocksAreWellFormed(toolpath));
}

TEST(SideRoughing, ArcBlocksTurnTheWayTheToolTravels) {
    // A convex quarter around (10, 10) and a concave quarter around (20, 20), each followed
    // towards smaller x on the right flank and towards larger x on the left.
    Tobjects convexRight = Elements({"line 20/10/40/10/", "arc 0/0/20/20/10/20/20/10/"});
    Tobjects concaveRight = Elements({"line 20/10/40/10/", "arc 10/10/30/30/20/10/10/20/"});
    Tobjects convexLeft = Elements({"line 0/10/10/10/", "arc 10/0/30/20/10/10/20/20/"});
    Tobjects concaveLeft = Elements({"line 0/10/10/10/", "arc 0/10/20/30/20/20/10/10/"});
    struct Case {
        const char* Name;
        Tobjects Contour;
        Flank Side;
        const char* ArcBlock;
    } cases[] = {{"convex right", convexRight, Flank::Right, "G03 X20 Z10 R10 F200"},
                 {"concave right", concaveRight, Flank::Right, "G02 X20 Z10 R10 F200"},
                 {"convex left", convexLeft, Flank::Left, "G02 X20 Z20 R10 F200"},
                 {"concave left", concaveLeft, Flank::Left, "G03 X20 Z20 R10 F200"}};
    for (const Case& c : cases) {
        TToolpath toolpath;
        if (c.Side == Flank::Right)
            toolpath = Roughed(c.Contour, Flank::Right, Roughing(35));
        else
            toolpath = Roughed(c.Contour, Flank::Left, Roughing(35));
        const std::string arc = toolpath.NCBlocks()[toolpath.NCBlocks().size() - 2];
        EXPECT_EQ(arc.substr(6), c.ArcBlock) << c.Name;
        // 19 preview moves in the direction of travel, then the arc's end.
        const TPctList& path = toolpath.PathPoints;
        size_t end = path.Count() - 2;
        for (size_t i = end - 19; i < end; ++i)
            EXPECT_EQ(path[i + 1].X > path[i].X, c.Side == Flank::Left) << c.Name;
        EXPECT_TRUE(BlocksAreWellFormed(toolpath)) << c.Name;
        EXPECT_TRUE(ArcBlocksMatchPreview(toolpath)) << c.Name;
    }
}

TEST(SideRoughing, AnArcThatWritesNoBlockUsesUpABlockNumber) {
    // An arc whose ends share an x, and one too small to be written other than "R0".
    TToolpath toolpath =
        Roughed(Elements({"line 50.5/12/80/12/", "arc 45/12/55/22/50.5/12/50.5/20/",
                          "arc 50.4996/19.9996/50.5004/20.0004/50.5/20.0004/50.5004/20/",
                          "line 50.5/20/50.5/22/"}),
                Flank::Right, Roughing(35));
    size_t n = toolpath.NCBlocks().size();
    EXPECT_EQ(toolpath.NCBlocks()[n - 3].substr(0, 5), "N0200");
    EXPECT_EQ(toolpath.NCBlocks()[n - 2].substr(0, 5), "N0230");
    EXPECT_TRUE(BlocksAreWellFormed(toolpath));
}

TEST(RoughLeft, ALayerEndsWhereTheToolFirstMeetsTheContour) {
    // Each layer through the bead crosses the left offset contour twice; the tool coming from
    // the left must stop at the first crossing, not cut through the bead to the second.
    TShaft part = Beaded();
    Tobjects contour =
        BuildOffsetContour(part.LeftOutline.Elements, Flank::Left, 0.5, std::nullopt);
    TToolpath toolpath = Roughed(contour, Flank::Left, Roughing(35));
    // The level 16.5 meets the offset circle (radius 4.5 around (14, 14)) at 14 -/+ sqrt(14), on
    // the circle itself, not on a chord between its preview points (10.278 and 17.722).
    EXPECT_NEAR(*ParseNcBlock(toolpath.NCBlocks()[3]).Value('Z'), 10.258, 0.0005)
        << Listing(toolpath);
    EXPECT_TRUE(StaysOutsidePart(toolpath.PathPoints, part.Points));

    Tobjects rightContour =
        BuildOffsetContour(part.RightOutline.Elements, Flank::Right, 0.5, std::nullopt);
    TToolpath right = Roughed(rightContour, Flank::Right, Roughing(35));
    EXPECT_NEAR(*ParseNcBlock(right.NCBlocks()[3]).Value('Z'), 17.742, 0.0005) << Listing(right);
    EXPECT_TRUE(StaysOutsidePart(right.PathPoints, part.Points));
    EXPECT_TRUE(ArcBlocksMatchPreview(right)) << "a half circle over the bead";
}

TEST(RoughLeft, AFirstLayerReachesTheWallBehindAFlatAfterATaper) {
    // The offset wall of the shoulder at x = 22 stands at 21.8 from radius 9.2 to 12; a layer
    // must not end on a diagonal from the flat's far end to the wall's top.
    TShaft part = Shaft({"line 0/0/0/4/", "line 0/4/4/4/", "line 4/4/7/9/", "line 7/9/22/9/",
                         "line 22/9/22/12/", "line 22/12/40/12/", "line 40/12/40/0/"});
    Tobjects contour =
        BuildOffsetContour(part.LeftOutline.Elements, Flank::Left, 0.2, std::nullopt);
    TToolpath toolpath = Roughed(contour, Flank::Left, Roughing(20, 1.5));
    ASSERT_GT(toolpath.NCBlocks().size(), 4u);
    EXPECT_EQ(toolpath.NCBlocks()[2], "N0030 G01 X10.5 F100");
    EXPECT_EQ(toolpath.NCBlocks()[3], "N0040 G01 Z21.8 F200") << Listing(toolpath);
}

TEST(SideRoughing, ALayerAtAFlatsLevelCutsTheFlatToItsFarEnd) {
    // Both flanks step up over a flat at radius 6 to the top at 9; offset by 0.2, the second
    // layer lies on the flats' level, 6.2.
    TShaft part = Shaft({"line 0/0/0/4/", "line 0/4/5/4/", "line 5/4/5/6/", "line 5/6/15/6/",
                         "line 15/6/15/9/", "line 15/9/25/9/", "line 25/9/25/6/", "line 25/6/35/6/",
                         "line 35/6/35/4/", "line 35/4/40/4/", "line 40/4/40/0/"});
    Tobjects leftContour =
        BuildOffsetContour(part.LeftOutline.Elements, Flank::Left, 0.2, std::nullopt);
    TToolpath left = Roughed(leftContour, Flank::Left, Roughing(20, 1.4));
    EXPECT_EQ(left.NCBlocks()[6], "N0070 G01 X6.2 F100");
    EXPECT_EQ(left.NCBlocks()[7], "N0080 G01 Z14.8 F200") << Listing(left);
    Tobjects rightContour =
        BuildOffsetContour(part.RightOutline.Elements, Flank::Right, 0.2, std::nullopt);
    TToolpath right = Roughed(rightContour, Flank::Right, Roughing(20, 1.4));
    EXPECT_EQ(right.NCBlocks()[6], "N0070 G01 X6.2 F100");
    EXPECT_EQ(right.NCBlocks()[7], "N0080 G01 Z25.2 F200") << Listing(right);
}

TEST(RoughLeft, LayersMeetALargeRoundingOnItsCircleNotInsideThePart) {
    // A rounding of radius 10 around (20, 10), roughed with a rest of 0.1: a layer ending on a
    // chord between preview points would lie up to 0.11 inside the offset circle, into the part.
    TShaft part = Shaft({"line 0/0/0/5/", "line 0/5/10/5/", "line 10/5/10/10/",
                         "arc 10/0/30/20/10/10/20/20/", "line 20/20/40/20/", "line 40/20/40/0/"});
    Tobjects contour =
        BuildOffsetContour(part.LeftOutline.Elements, Flank::Left, 0.1, std::nullopt);
    TToolpath toolpath = Roughed(contour, Flank::Left, Roughing(27, 0.7));
    int onArc = 0;
    for (const TPunct& p : toolpath.PathPoints) {
        // The move of each layer's axial cut, above the wall.
        auto block = std::find_if(toolpath.Blocks.begin(), toolpath.Blocks.end(),
                                  [&p](const torvex::NcBlock& b) { return b.Number == p.Block; });
        if (block == toolpath.Blocks.end() || block->Kind != BlockKind::FeedZ || p.Y <= 10.1)
            continue;
        EXPECT_NEAR(std::hypot(p.X - 20, p.Y - 10), 10.1, 1e-9) << p.Y;
        ++onArc;
    }
    EXPECT_GT(onArc, 10);
}

TEST(SideRoughing, LayersOnRandomPartsEndWhereTheContourFirstRisesAboveThem) {
    size_t checked = 0;
    for (unsigned seed = 1; seed <= 300; ++seed) {
        SideRoughingJob job = RandomSideRoughingJob(seed);
        size_t layers = 0;
        std::string fault = CheckSideRoughingJob(job, layers);
        EXPECT_EQ(fault, "") << DescribeSideRoughingJob(job);
        checked += layers;
    }
    EXPECT_GT(checked, 3000u) << "the jobs cut layers";
}

TEST(SideRoughing, WithANoseTheLayersKeepTheirLevelsAndStopWhereTheNoseMeetsTheContour) {
    // A 45 degree chamfer up from 12 at x 50 to 20 at x 42, roughed from the right. The sharp tip's
    // layers at 18, 16 and 14 end on the chamfer, at 44, 46 and 48; a nose of 0.8 would stand 0.8
    // (1 - 1 / sqrt 2) mm deep in it there, so its layers stop 0.8 tan 22.5 = 0.331 mm sooner,
    // where the nose touches the chamfer.
    Tobjects contour = Elements({"line 50/12/80/12/", "line 42/20/50/12/"});
    RoughingParameters p = Roughing(35);
    auto layerEnds = [&] {
        std::vector<std::pair<double, double>> ends;
        TToolpath toolpath = Roughed(contour, Flank::Right, p);
        for (size_t k = 1; k < toolpath.Blocks.size(); ++k)
            if (toolpath.Blocks[k].Kind == BlockKind::FeedZ)
                ends.emplace_back(toolpath.Blocks[k - 1].X, toolpath.Blocks[k].Z);
        return ends;
    };
    using Ends = std::vector<std::pair<double, double>>;
    EXPECT_EQ(layerEnds(), (Ends{{18, 44}, {16, 46}, {14, 48}}));
    p.Nose = KnifeNose{0.8, {0, 0.8}};
    Ends ends = layerEnds();
    ASSERT_EQ(ends.size(), 3u);
    for (size_t k = 0; k < ends.size(); ++k) {
        EXPECT_EQ(ends[k].first, 18 - 2.0 * k);
        EXPECT_NEAR(ends[k].second, 44 + 2.0 * k + 0.8 * std::tan(M_PI / 8), 1e-9);
    }
}
