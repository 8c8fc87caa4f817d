#include "platform/scene.h"
#include "tests/support/vec3_expect.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

using namespace torvex;
using torvex::testing::ExpectNear;

namespace {

Camera At(const Vec3& offset, const Vec3& target = {}) {
    Camera camera;
    camera.Offset = offset;
    camera.Target = target;
    return camera;
}

} // namespace

TEST(Camera, PositionIsTheTargetPlusTheOffsetAndFollowsTheTarget) {
    Camera camera = At({6, 6, 10}, {1, 2, 3});
    ExpectNear(camera.Position(), {7, 8, 13});
    camera.Target = {0, 0, 2};
    ExpectNear(camera.Position(), {6, 6, 12});
    EXPECT_DOUBLE_EQ(camera.DistanceToTarget(), std::sqrt(172.0));
}

TEST(Camera, AFiftyMillimetreLensSeesAboutFortySevenDegrees) {
    Camera camera;
    EXPECT_NEAR(camera.FieldOfView(), 46.79, 0.01);
    camera.FocalLength = 100;
    EXPECT_LT(camera.FieldOfView(), 46.79 / 1.8);
}

TEST(Camera, TurningAQuarterAboutTheVerticalMovesTheCameraFromFrontToSide) {
    Camera camera = At({0, 0, 10});
    camera.MoveAroundTarget(0, 90);
    ExpectNear(camera.Offset, {10, 0, 0});
    camera.MoveAroundTarget(0, -180);
    ExpectNear(camera.Offset, {-10, 0, 0});
}

TEST(Camera, PitchingRaisesOrLowersTheCameraButNeverOverThePole) {
    Camera camera = At({0, 0, 10});
    camera.MoveAroundTarget(-30, 0);
    ExpectNear(camera.Offset, {0, 5, 10 * std::cos(std::numbers::pi / 6)});
    camera.MoveAroundTarget(-500, 0);
    EXPECT_GT(camera.Offset.Y, 9.999);
    EXPECT_GT(camera.Offset.Z, 0); // still in front: it stopped short of the pole
    camera.MoveAroundTarget(500, 0);
    EXPECT_LT(camera.Offset.Y, -9.999);
}

TEST(Camera, OrbitingKeepsTheDistanceAndTheTarget) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> angle(-400, 400);
    Camera camera = At({6, 6, 10}, {1, -2, 0.5});
    double distance = camera.DistanceToTarget();
    for (int i = 0; i < 200; ++i) {
        camera.MoveAroundTarget(angle(random), angle(random));
        ASSERT_NEAR(camera.DistanceToTarget(), distance, 1e-9);
        ASSERT_TRUE(std::isfinite(camera.Offset.X) && std::isfinite(camera.Offset.Y));
    }
    ExpectNear(camera.Target, {1, -2, 0.5});
}

TEST(Camera, ACameraOnItsTargetDoesNotOrbitIntoNaN) {
    Camera camera = At({0, 0, 0});
    camera.MoveAroundTarget(10, 10);
    ExpectNear(camera.Offset, {0, 0, 0});
}

TEST(Camera, AdjustingTheDistanceScalesTheOffset) {
    Camera camera = At({6, 6, 10});
    camera.AdjustDistanceToTarget(1.1);
    ExpectNear(camera.Offset, {6.6, 6.6, 11});
}

TEST(Camera, ScreenDirectionsAreUnitAndSquareToTheLineOfSight) {
    for (Vec3 offset : {Vec3{6, 6, 10}, Vec3{0, 10, 0.01}, Vec3{-10, 0, 0.01}, Vec3{0, 10, 0}}) {
        Camera camera = At(offset);
        Vec3 right = camera.ScreenRight();
        Vec3 up = camera.ScreenUp();
        EXPECT_NEAR(Length(right), 1, 1e-12);
        EXPECT_NEAR(Length(up), 1, 1e-12);
        EXPECT_NEAR(Dot(right, offset), 0, 1e-9);
        EXPECT_NEAR(Dot(up, offset), 0, 1e-9);
        EXPECT_NEAR(Dot(right, up), 0, 1e-12);
    }
}

TEST(Camera, FromTheFrontRightIsXAndUpIsY) {
    Camera camera = At({0, 0, 10});
    ExpectNear(camera.ScreenRight(), {1, 0, 0});
    ExpectNear(camera.ScreenUp(), {0, 1, 0});
}

TEST(Camera, PanningMovesTheTargetInTheScreenPlaneAndTheCameraWithIt) {
    Camera camera = At({0, 0, 10});
    camera.Pan(3, -2, 0.5);
    ExpectNear(camera.Target, {1.5, -1, 0});
    ExpectNear(camera.Offset, {0, 0, 10});
    ExpectNear(camera.Position(), {1.5, -1, 10});
}

TEST(Vec3, NormalisingTheZeroVectorGivesZeroNotNaN) {
    ExpectNear(Normalised({0, 0, 0}), {0, 0, 0});
    ExpectNear(Normalised({3, 0, 4}), {0.6, 0, 0.8});
}
