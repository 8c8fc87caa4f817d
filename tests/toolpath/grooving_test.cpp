#include "geometry/knife.h"
#include "platform/text_file.h"
#include "tests/toolpath/path_checks.h"
#include "tests/toolpath/test_profiles.h"
#include "toolpath/cutting_edge.h"
#include "toolpath/grooves.h"
#include "toolpath/strategies.h"
#include "toolpath/tip_floor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using namespace torvex;
using namespace torvex::testing;

namespace {

// A knife of the sample library, or of the test fixtures, from its file.
TKnife KnifeFile(const std::string& file) {
    std::vector<std::string> lines = ReadTextLines(file);
    TKnife knife;
    knife.LoadFromLines(std::vector<std::string>(lines.begin() + 10, lines.end()));
    return knife;
}

// Groove3's outline: 3 mm wide, square corners, tip at its left corner, 15 mm high.
const std::vector<TPoint> Groove3 = {{0, 0}, {3, 0}, {3, 15}, {0, 15}};

// A shaft of radius 12 from 0 to 50 with a square groove 6 mm wide and 3 deep from 20 to 26, in a
// bar of radius 13 reaching to 55.
Tobjects SquareGroove() {
    return Elements({"line 0/0/0/12/", "line 0/12/20/12/", "line 20/12/20/9/", "line 20/9/26/9/",
                     "line 26/9/26/12/", "line 26/12/50/12/", "line 50/12/50/0/"});
}
Tobjects Bar() {
    return Elements({"line 0/0/0/13/", "line 0/13/55/13/", "line 55/13/55/0/"});
}

GroovingParameters Grooving(double rest, double peck = 0) {
    GroovingParameters p;
    p.SafeX = 15;
    p.Clearance = 2;
    p.Rest = rest;
    p.Step = 2.4;
    p.Peck = peck;
    p.PlungeFeed = 60;
    p.FinishingFeed = 40;
    return p;
}

// A round nose of radius 1 about (0, 1), a point every degree, on a blade 2 wide and 10 high.
std::vector<TPoint> RoundNose() {
    std::vector<TPoint> ring;
    for (int degree = -90; degree <= 0; ++degree)
        ring.push_back({std::cos(degree * M_PI / 180), 1 + std::sin(degree * M_PI / 180)});
    ring.push_back({1, 10});
    ring.push_back({-1, 10});
    for (int degree = 180; degree < 270; ++degree)
        ring.push_back({std::cos(degree * M_PI / 180), 1 + std::sin(degree * M_PI / 180)});
    return ring;
}

GroovingKnife Knife(std::vector<TPoint> outline, CuttingEdge edge) {
    return {std::move(outline), edge};
}

} // namespace

TEST(CuttingEdge, IsTheLowestPartOfTheContourWithItsRoundedCorners) {
    // Groove4R1: a flat from -1 to 1 with corners of radius 1 out to -2 and 2.
    std::optional<CuttingEdge> rounded =
        CuttingEdgeOf(KnifeFile(std::string(TORVEX_FIXTURES) + "/Groove4R1.knf"));
    ASSERT_TRUE(rounded);
    EXPECT_DOUBLE_EQ(rounded->Left, -2);
    EXPECT_DOUBLE_EQ(rounded->Right, 2);
    std::optional<CuttingEdge> square =
        CuttingEdgeOf(KnifeFile(std::string(TORVEX_DATA) + "/Knives/Groove3.knf"));
    ASSERT_TRUE(square);
    EXPECT_DOUBLE_EQ(square->Left, 0);
    EXPECT_DOUBLE_EQ(square->Width(), 3);
    // A pointed tip cuts with its point alone.
    EXPECT_DOUBLE_EQ(
        CuttingEdgeOf(KnifeFile(std::string(TORVEX_DATA) + "/Knives/Finish35.knf"))->Width(), 0);
    EXPECT_FALSE(CuttingEdgeOf(TKnife{}));
}

TEST(Grooves, AreTheStretchesLowerThanTheHighestPointOnEitherSide) {
    TShaft grooved;
    grooved.LoadFromLines(ReadTextLines(std::string(TORVEX_DATA) + "/Models/grooved.mdl"));
    std::vector<Groove> grooves = FindGrooves(grooved.Elements);
    ASSERT_EQ(grooves.size(), 2u);
    EXPECT_DOUBLE_EQ(grooves[0].Left, 34);
    EXPECT_DOUBLE_EQ(grooves[0].Right, 40);
    EXPECT_DOUBLE_EQ(grooves[0].Rim, 13);
    EXPECT_DOUBLE_EQ(grooves[1].Left, 55);
    EXPECT_DOUBLE_EQ(grooves[1].Right, 63);
    // Shoulders falling to the ends, and a hollow fillet rising, make no groove.
    TShaft production;
    production.LoadFromLines(ReadTextLines(std::string(TORVEX_DATA) + "/Models/production.mdl"));
    EXPECT_TRUE(FindGrooves(production.Elements).empty());
}

TEST(TipFloor, TheKnifesTrueShapeLimitsItAtWallsFloorRadiiAndVFloors) {
    struct Case {
        const char* What;
        Tobjects Profile;
        std::vector<TPoint> Knife;
        double Rest, Z, Expected;
    };
    std::vector<Case> cases = {
        // On the floor of the square groove, the rest above it.
        {"floor", SquareGroove(), Groove3, 0.5, 21, 9.5},
        // The knife's left side 0.4 from the wall: the wall's top corner, grown by the rest,
        // holds it up at 12 + sqrt(0.5^2 - 0.4^2).
        {"wall", SquareGroove(), Groove3, 0.5, 20.4, 12.3},
        // Standing on the wall's line the knife is not held up by it.
        {"touching wall", SquareGroove(), Groove3, 0, 20, 9},
        // A hollow floor of radius 5 about (59, 14.5), shrunk by the rest: the corners of the
        // knife 57.5 to 60.5 stand at 14.5 - sqrt(4.5^2 - 1.5^2).
        {"floor radius",
         Elements({"line 50/13/55/13/", "line 55/13/55/11.5/",
                   "arc 54/9.5/64/19.5/63/11.5/55/11.5/", "line 63/11.5/63/13/",
                   "line 63/13/70/13/"}),
         Groove3, 0.5, 57.5, 14.5 - std::sqrt(18.0)},
        // A V of 90 degrees down to (15, 5): the corners at 13.5 and 16.5 meet its sides moved
        // out by the rest, 6.5 + 0.5 * sqrt(2).
        {"V floor",
         Elements(
             {"line 0/10/10/10/", "line 10/10/15/5/", "line 15/5/20/10/", "line 20/10/30/10/"}),
         Groove3, 0.5, 13.5, 6.5 + 0.5 * std::sqrt(2.0)},
        // A round nose of radius 1 on a crown of radius 2 about (10, 10): the circles touch, their
        // centres 3 apart, the nose's 1 above the tip.
        {"crown", Elements({"line 0/10/8/10/", "arc 8/8/12/12/8/10/12/10/", "line 12/10/20/10/"}),
         RoundNose(), 0, 11, 9 + std::sqrt(8.0)},
    };
    for (const Case& c : cases) {
        TipFloor floor(c.Profile, c.Knife, c.Rest);
        std::optional<double> at = floor.At(c.Z);
        ASSERT_TRUE(at) << c.What;
        EXPECT_NEAR(*at, c.Expected, 1e-4) << c.What;
    }
    EXPECT_FALSE(TipFloor(SquareGroove(), Groove3, 0.5).At(100));
}

TEST(CutGrooves, ASquareGrooveSixWideWithAThreeMillimetreKnife) {
    // Plunges from 20.2 (the edge's left end the rest from the wall) to 22.8, 2.6 apart at most
    // 2.4: three, 1.3 apart, each to the floor plus the rest. Then down the left wall and along
    // the floor to the middle, 21.5, and down the right wall (the edge's right end at 26) and
    // back. The bar's top, 13, plus the clearance is the retract level: no level between.
    TToolpath toolpath = Written([](BlockWriter& w) {
        CutGrooves(w, SquareGroove(), FindGrooves(SquareGroove()), Bar(), Knife(Groove3, {0, 3}),
                   Grooving(0.2));
    });
    std::vector<std::string> expected{
        "N0010 G00 X15 Z20",   "N0020 G00 Z20.2",    "N0030 G01 X9.2 F60", "N0040 G00 X15",
        "N0050 G00 Z21.5",     "N0060 G01 X9.2 F60", "N0070 G00 X15",      "N0080 G00 Z22.8",
        "N0090 G01 X9.2 F60",  "N0100 G00 X15",      "N0110 G00 Z20",      "N0120 G01 X9 F40",
        "N0130 G01 Z21.5 F40", "N0140 G00 X15",      "N0150 G00 Z23",      "N0160 G01 X9 F40",
        "N0170 G01 Z21.5 F40", "N0180 G00 X15"};
    EXPECT_EQ(toolpath.NCBlocks(), expected) << Listing(toolpath);
    EXPECT_TRUE(BlocksAreWellFormed(toolpath));
    // A knife as wide as the groove: one plunge stopped by the walls' corners grown by the rest,
    // then one descent down both walls to the floor.
    TToolpath fitting = Written([](BlockWriter& w) {
        CutGrooves(w, SquareGroove(), FindGrooves(SquareGroove()), Bar(),
                   Knife({{0, 0}, {6, 0}, {6, 15}, {0, 15}}, {0, 6}), Grooving(0.2));
    });
    EXPECT_EQ(fitting.NCBlocks(),
              (std::vector<std::string>{"N0010 G00 X15 Z20", "N0020 G01 X12.2 F60", "N0030 G00 X15",
                                        "N0040 G01 X9 F40", "N0050 G00 X15"}));
}

TEST(CutGrooves, PlungesPeckFromTheTopOfTheStockAndARoundedFloorLimitsThem) {
    // From the bar's top at 13 down to 9.2 in pecks of 1: 12, 11 and 10, each retracted 0.5.
    TToolpath pecked = Written([](BlockWriter& w) {
        CutGrooves(w, SquareGroove(), FindGrooves(SquareGroove()), Bar(), Knife(Groove3, {0, 3}),
                   Grooving(0.2, 1));
    });
    std::vector<std::string> blocks = pecked.NCBlocks();
    std::vector<std::string> first(blocks.begin() + 2, blocks.begin() + 9);
    EXPECT_EQ(first,
              (std::vector<std::string>{"N0030 G01 X12 F60", "N0040 G00 X12.5", "N0050 G01 X11 F60",
                                        "N0060 G00 X11.5", "N0070 G01 X10 F60", "N0080 G00 X10.5",
                                        "N0090 G01 X9.2 F60"}));
    // The rounded floor of the sample: plunges at 55.5, 57.5 and 59.5 stop where the knife's
    // corners meet the hollow of radius 5 shrunk by the rest; the finishing pass follows it as
    // one arc on each side down to the middle, where both corners touch it.
    Tobjects profile = Elements({"line 40/0/40/13/", "line 40/13/55/13/", "line 55/13/55/11.5/",
                                 "arc 54/9.5/64/19.5/63/11.5/55/11.5/", "line 63/11.5/63/13/",
                                 "line 63/13/70/13/", "line 70/13/70/0/"});
    TToolpath rounded = Written([&](BlockWriter& w) {
        CutGrooves(w, profile, FindGrooves(profile), Bar(), Knife(Groove3, {0, 3}), Grooving(0.5));
    });
    std::vector<std::string> plunges;
    std::vector<std::string> arcs;
    for (const std::string& block : rounded.NCBlocks()) {
        if (block.find(" F60") != std::string::npos)
            plunges.push_back(block.substr(6));
        if (block.find(" G02 ") != std::string::npos || block.find(" G03 ") != std::string::npos)
            arcs.push_back(block.substr(6));
    }
    EXPECT_EQ(plunges,
              (std::vector<std::string>{"G01 X11.672 F60", "G01 X10.257 F60", "G01 X11.672 F60"}));
    EXPECT_EQ(arcs, (std::vector<std::string>{"G03 X9.73 Z57.5 R5 F40", "G02 X9.73 Z57.5 R5 F40"}));
    EXPECT_TRUE(ArcBlocksMatchPreview(rounded)) << Listing(rounded);
}

TEST(FaceEnd, FacesInLayersFromTheStocksEndDownToThePartsFace) {
    // 5 beyond the part in layers of 2: at 53 and 51, then on the face at 50; each down to the
    // axis, back along it to where the layer began and up along the face.
    Tobjects part = SquareGroove();
    std::optional<EndFace> right = EndFaceOf(part, Bar(), Flank::Right);
    ASSERT_TRUE(right);
    EXPECT_FALSE(EndFaceOf(part, Bar(), Flank::Left));
    TToolpath toolpath =
        Written([&](BlockWriter& w) { FaceEnd(w, *right, Flank::Right, Roughing(15)); });
    std::vector<std::string> expected{
        "N0010 G00 X15 Z53", "N0020 G01 X0 F100", "N0030 G01 Z55 F200", "N0040 G00 X15",
        "N0050 G00 X15 Z51", "N0060 G01 X0 F100", "N0070 G01 Z53 F200", "N0080 G00 X15",
        "N0090 G00 X15 Z50", "N0100 G01 X0 F100", "N0110 G01 Z51 F200", "N0120 G00 X15"};
    EXPECT_EQ(toolpath.NCBlocks(), expected);
}

TEST(PartOff, CutsDownToTheFinalRadiusWithTheEdgeBeyondTheFace) {
    GroovingKnife blade = Knife({{0, 0}, {2, 0}, {2, 20}, {0, 20}}, {0, 2});
    // At the right end the edge stands right of the face: the tip at the face.
    TToolpath right = Written(
        [&](BlockWriter& w) { PartOff(w, 50, Flank::Right, 0, Bar(), blade, Grooving(0, 4)); });
    std::vector<std::string> expected{"N0010 G00 X15 Z50", "N0020 G01 X9 F60", "N0030 G00 X9.5",
                                      "N0040 G01 X5 F60",  "N0050 G00 X5.5",   "N0060 G01 X1 F60",
                                      "N0070 G00 X1.5",    "N0080 G01 X0 F60", "N0090 G00 X15"};
    EXPECT_EQ(right.NCBlocks(), expected);
    // At the left end it stands left of it: the tip 2 left of the face, stopping at radius 3.
    TToolpath left =
        Written([&](BlockWriter& w) { PartOff(w, 0, Flank::Left, 3, Bar(), blade, Grooving(0)); });
    EXPECT_EQ(left.NCBlocks(),
              (std::vector<std::string>{"N0010 G00 X15 Z-2", "N0020 G01 X3 F60", "N0030 G00 X15"}));
}
