#include "app/main_scene.h"
#include "checking/collision_check.h"
#include "tests/support/vec3_expect.h"
#include "toolpath/toolpath.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace torvex;
using torvex::testing::ExpectNear;

namespace {

TShaft Loaded(const std::vector<std::string>& lines) {
    TShaft shaft;
    shaft.LoadFromLines(lines);
    return shaft;
}

} // namespace

TEST(MainScene, StartsAsTheViewIsSetUp) {
    MainScene scene;
    EXPECT_EQ(scene.PartSolid.Slices, 32);
    EXPECT_TRUE(scene.PartSolid.NormalsInward);
    EXPECT_FALSE(scene.PartSolid.Transparent);
    EXPECT_EQ(scene.StockSolid.Slices, 32);
    EXPECT_TRUE(scene.StockSolid.Transparent);
    EXPECT_EQ(scene.StockSolid.Material, (Colour{0.8f, 0.8f, 0.8f, 0.5f}));
    EXPECT_TRUE(scene.SimulationSolid.Transparent);
    EXPECT_FALSE(scene.SimulationSolid.Visible);
    EXPECT_EQ(scene.SimulationSolid.Slices, 32);
    EXPECT_DOUBLE_EQ(scene.ToolSolid.Height, 0.5);
    EXPECT_DOUBLE_EQ(scene.ToolpathLine.NodeSize, 0.02);
    EXPECT_TRUE(scene.ToolpathLine.Antialiased);
    EXPECT_EQ(scene.View().Offset, (Vec3{6, 6, 10}));
    EXPECT_EQ(scene.View().Target, (Vec3{0, 0, 0}));
    EXPECT_DOUBLE_EQ(scene.View().FocalLength, 50);
    EXPECT_DOUBLE_EQ(scene.View().DepthOfView, 100);
    EXPECT_EQ(scene.Contents.Light.Position, (Vec3{6, 6, 10}));
    EXPECT_EQ(scene.Contents.Solids.size(), 4u);
    EXPECT_FALSE(scene.ChuckSolid.Visible);
}

TEST(MainScene, RecentringMovesOnlyTheTarget) {
    MainScene scene;
    scene.Pan(40, -25);
    ASSERT_NE(scene.View().Target, (Vec3{0, 0, 0}));
    scene.Recentre();
    EXPECT_EQ(scene.View().Target, (Vec3{0, 0, 0}));
    EXPECT_EQ(scene.View().Offset, (Vec3{6, 6, 10}));
    EXPECT_EQ(scene.Contents.Light.Position, (Vec3{6, 6, 10}));
}

TEST(MainScene, OneWheelNotchAwayFromTheUserMovesTheCameraFarther) {
    MainScene scene;
    double distance = scene.View().DistanceToTarget();
    scene.Wheel(120);
    EXPECT_NEAR(scene.View().DistanceToTarget(), distance * 1.1, 1e-12);
    scene.Wheel(-240);
    EXPECT_NEAR(scene.View().DistanceToTarget(), distance / 1.1, 1e-12);
}

TEST(MainScene, PanningMovesTheTargetByTheRatioOfTheDistanceToTheFocalLength) {
    MainScene scene;
    scene.SetView(Vec3{0, 0, 10});
    scene.Pan(-10, 5); // dragged 10 pixels right and 5 down
    double ratio = 0.12 * 10 / 50;
    ExpectNear(scene.View().Target, {-10 * ratio, -5 * ratio, 0});
    ExpectNear(scene.Contents.Light.Position, scene.View().Position());
}

TEST(MainScene, OrbitingKeepsTheTargetAndTakesTheLight) {
    MainScene scene;
    double distance = scene.View().DistanceToTarget();
    scene.Orbit(30, -12);
    EXPECT_NE(scene.View().Offset, (Vec3{6, 6, 10}));
    EXPECT_NEAR(scene.View().DistanceToTarget(), distance, 1e-9);
    EXPECT_EQ(scene.View().Target, (Vec3{0, 0, 0}));
    ExpectNear(scene.Contents.Light.Position, scene.View().Position());
}

TEST(MainScene, ResettingTheViewpointLooksDownAtTheToolpathRegion) {
    MainScene scene;
    scene.ResetViewpoint();
    EXPECT_EQ(scene.View().Offset, (Vec3{0, 10, 0.01}));
    EXPECT_EQ(scene.View().Target, (Vec3{0, 0, 2}));
    ExpectNear(scene.Contents.Light.Position, {0, 10, 2.01});
}

TEST(MainScene, ShowingAModelFillsBothSolidsAtThePartsScaleAndResetsTheView) {
    TShaft part = Loaded({"line 0/0/0/10/", "line 0/10/100/10/", "line 100/10/100/0/"});
    TShaft stock = Loaded({"line -2/0/-2/12/", "line -2/12/102/12/", "line 102/12/102/0/"});
    MainScene scene;
    scene.SimulationSolid.Visible = true;
    scene.StockSolid.Visible = false;
    scene.ToolpathLine.Nodes.resize(4);
    scene.Zoom(3);
    scene.ShowModel(part, stock, part.Length);
    EXPECT_EQ(scene.PartSolid.Nodes, (std::vector<SolidNode>{{0, -5}, {1, -5}, {1, 5}, {0, 5}}));
    ASSERT_EQ(scene.StockSolid.Nodes.size(), 4u);
    EXPECT_DOUBLE_EQ(scene.StockSolid.Nodes[0].Axial, -5.2);
    EXPECT_DOUBLE_EQ(scene.StockSolid.Nodes[1].Radial, 1.2);
    EXPECT_TRUE(scene.PartSolid.Visible);
    EXPECT_TRUE(scene.StockSolid.Visible);
    EXPECT_FALSE(scene.SimulationSolid.Visible);
    EXPECT_TRUE(scene.ToolpathLine.Nodes.empty());
    EXPECT_EQ(scene.View().Offset, (Vec3{6, 6, 10}));
    EXPECT_EQ(scene.Contents.Light.Position, (Vec3{6, 6, 10}));
}

TEST(MainScene, APartWithoutLengthLeavesBothSolidsEmpty) {
    TShaft stock = Loaded({"line 0/0/0/12/", "line 0/12/50/12/"});
    MainScene scene;
    scene.PartSolid.Nodes = {{1, 1}};
    scene.ShowModel(TShaft(), stock, 0);
    EXPECT_TRUE(scene.PartSolid.Nodes.empty());
    EXPECT_TRUE(scene.StockSolid.Nodes.empty());
}

TEST(MainScene, ShowingAToolpathReplacesTheLineAndShowsItsLegendUntilItGoes) {
    TToolpath toolpath;
    toolpath.PathPoints.AddPoint(100, 30, 6000);
    toolpath.PathPoints.AddPoint(0, 30, 100);
    MainScene scene;
    scene.ToolpathLine.Nodes.resize(5);
    scene.ShowToolpath(toolpath, 100);
    ASSERT_EQ(scene.ToolpathLine.Nodes.size(), 2u);
    EXPECT_EQ(scene.ToolpathLine.Nodes[1].Position, (Vec3{-5, 0, 3}));
    EXPECT_EQ(scene.Contents.Legend, ToolpathLegend());
    scene.ClearToolpathLine();
    EXPECT_TRUE(scene.Contents.Legend.empty());
}

TEST(MainScene, CollisionsAreMarkedOnTheirMovesAndPlacesUntilTheLineGoes) {
    TToolpath toolpath;
    for (auto [x, block] : {std::pair{0.0, 10}, {10.0, 20}, {20.0, 30}}) {
        TPunct move;
        move.X = x;
        move.Y = 10;
        move.Block = block;
        move.Feed = 100;
        toolpath.PathPoints.AddMove(move);
    }
    CheckResult result;
    OperationCheck& operation = result.Operations.emplace_back();
    operation.First = Collision{CollisionKind::IntoPart, 20, "Left45", {10, 9}, 0.5};
    operation.Deepest = operation.First;
    operation.CollidingBlocks = {20};
    MainScene scene;
    scene.ShowCollisions(toolpath, result, 100);
    EXPECT_NE(scene.ToolpathLine.Nodes[0].NodeColour, CollisionColour);
    EXPECT_EQ(scene.ToolpathLine.Nodes[1].NodeColour, CollisionColour);
    ASSERT_EQ(scene.Markers.size(), 1u);
    EXPECT_TRUE(scene.Markers[0]->Visible);
    // A diamond round the place, x 10 and radius 9, 1.5 mm across.
    ASSERT_EQ(scene.Markers[0]->Nodes.size(), 5u);
    EXPECT_EQ(scene.Markers[0]->Nodes[0].Position, SceneMapping(100).ProfilePoint(9.25, 9));
    EXPECT_EQ(scene.Markers[0]->Nodes[2].Position, SceneMapping(100).ProfilePoint(10.75, 9));
    EXPECT_EQ(scene.Contents.Legend.back().Text, "Collision");
    scene.ClearToolpathLine();
    EXPECT_FALSE(scene.Markers[0]->Visible);
}
