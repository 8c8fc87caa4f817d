#include "app/scene_mapping.h"
#include "platform/errors.h"

#include <gtest/gtest.h>

using namespace torvex;

TEST(SceneMapping, APartOfLengthHundredSpansMinusFiveToFive) {
    SceneMapping mapping(100);
    EXPECT_DOUBLE_EQ(mapping.Axial(0), -5);
    EXPECT_DOUBLE_EQ(mapping.Axial(50), 0);
    EXPECT_DOUBLE_EQ(mapping.Axial(100), 5);
    EXPECT_DOUBLE_EQ(mapping.Radial(20), 2);
    EXPECT_DOUBLE_EQ(mapping.Radial(0), 0);
}

TEST(SceneMapping, RadiiScaleByTheSameFactorAsTheAxis) {
    SceneMapping mapping(180);
    EXPECT_DOUBLE_EQ(mapping.Axial(90), 0);
    EXPECT_DOUBLE_EQ(mapping.Axial(180) - mapping.Axial(0), 10);
    EXPECT_DOUBLE_EQ(mapping.Radial(18), 1);
    EXPECT_DOUBLE_EQ(mapping.Axial(-18), -6);
}

TEST(SceneMapping, ProfilePointsLieInTheXZPlane) {
    Vec3 p = SceneMapping(100).ProfilePoint(50, 20);
    EXPECT_DOUBLE_EQ(p.X, 0);
    EXPECT_DOUBLE_EQ(p.Y, 0);
    EXPECT_DOUBLE_EQ(p.Z, 2);
}

TEST(SceneMapping, ZeroScaleIsADivisionByZero) {
    try {
        SceneMapping mapping(0);
        FAIL() << "no error";
    } catch (const ArithmeticError& error) {
        EXPECT_STREQ(error.what(), "Floating point division by zero");
    }
}

TEST(FillSolid, ReplacesTheNodesWithOneMappedNodePerPointInOrder) {
    TPctList points;
    points.AddXY(0, 0);
    points.AddXY(0, 10);
    points.AddXY(100, 10);
    RevolutionSolid solid;
    solid.Nodes = {{9, 9}};
    FillSolid(solid, points, SceneMapping(100));
    EXPECT_EQ(solid.Nodes, (std::vector<SolidNode>{{0, -5}, {1, -5}, {1, 5}}));
}

TEST(FillToolpathLine, RapidMovesAndCuttingMovesTakeTheirColoursAndDashesByTheirKind) {
    // A cutting move typed at the rapid traverse's 6000 mm/min is still a cutting move.
    TPctList path;
    path.AddMove({.X = 100, .Y = 30, .Feed = 6000, .Kind = MoveKind::Rapid});
    path.AddMove({.X = 100, .Y = 20, .Feed = 6000, .Kind = MoveKind::Rapid});
    path.AddMove({.X = 50, .Y = 20, .Feed = 6000, .Kind = MoveKind::Feed});
    Polyline line;
    line.Nodes.resize(7);
    FillToolpathLine(line, path, SceneMapping(100));
    ASSERT_EQ(line.Nodes.size(), 3u);
    EXPECT_EQ(line.Nodes[0].Position, (Vec3{5, 0, 3}));
    EXPECT_EQ(line.Nodes[2].Position, (Vec3{0, 0, 2}));
    EXPECT_EQ(line.Nodes[1].NodeColour, RapidMoveColour);
    EXPECT_EQ(line.Nodes[1].Style, LineStyle::Dashed);
    EXPECT_EQ(line.Nodes[2].NodeColour, CuttingMoveColour);
    EXPECT_EQ(line.Nodes[2].Style, LineStyle::Solid);
}
