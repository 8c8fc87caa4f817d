#include "checking/collision_check.h"
#include "geometry/knife.h"
#include "geometry/shaft.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace torvex;

namespace {

const std::vector<std::string> CollaredPart = {
    "line 0/0/0/10/",    "line 0/10/30/10/",  "line 30/10/30/20/", "line 30/20/50/20/",
    "line 50/12/50/20/", "line 50/12/80/12/", "line 80/12/80/0/"};
const std::vector<std::string> CollaredStock = {"line 0/0/0/22/", "line 0/22/80/22/",
                                                "line 80/22/80/0/"};

PointChain Profile(const std::vector<std::string>& lines) {
    TShaft shaft;
    shaft.LoadFromLines(lines);
    return ProfileChain(shaft);
}

KnifeShape Knife(const std::string& name, const std::vector<std::string>& lines) {
    TKnife knife;
    knife.LoadFromLines(lines);
    return {name, KnifeOutline(knife, name)};
}

// Right flank rising 20 degrees over 3 mm, then straight up; the left side likewise.
KnifeShape TwentyDegrees() {
    const std::string rise = std::to_string(3 * std::tan(20 * M_PI / 180));
    return Knife("Twenty",
                 {"line 0/0/3/" + rise + "/", "line 3/" + rise + "/3/10/", "line 3/10/-3/10/",
                  "line -3/10/-3/" + rise + "/", "line -3/" + rise + "/0/0/"});
}

// 0.4 mm wide to the right of the tip, rising 70 degrees.
KnifeShape NarrowSteep() {
    return Knife("Narrow", {"line 0/0/0.4/1.1/", "line 0.4/1.1/0.4/10/", "line 0.4/10/-3/10/",
                            "line -3/10/-3/1.09/", "line -3/1.09/0/0/"});
}

CheckedMove Rapid(double x, double y, int32_t block) {
    return {{x, y}, MoveKind::Rapid, ToolSide::Left, block};
}
CheckedMove Feed(double x, double y, int32_t block) {
    return {{x, y}, MoveKind::Feed, ToolSide::Left, block};
}

// A layer at radius 12 from the left end that stops 0.5 mm before the collar's shoulder.
std::vector<CheckedOperation> LayerBeforeTheShoulder() {
    return {{{Rapid(-2, 25, 10), Feed(-2, 12, 20), Feed(29.5, 12, 30)}}};
}

CheckResult Check(const KnifeShape& knife, const std::vector<CheckedOperation>& operations) {
    return CollisionCheck(Profile(CollaredPart), Profile(CollaredStock))
        .Run(operations, knife, knife);
}

} // namespace

TEST(CollisionCheck, FlankThatReachesOverTheShoulderCollides) {
    CheckResult result = Check(TwentyDegrees(), LayerBeforeTheShoulder());
    ASSERT_EQ(result.Operations.size(), 1u);
    const OperationCheck& layer = result.Operations[0];
    ASSERT_TRUE(layer.First);
    EXPECT_EQ(layer.Collisions, 1u);
    // The knife's right side stands 3 mm right of the tip, which stops 0.5 mm before the shoulder:
    // 2.5 mm into the collar, well below its top (the flank there is at 13.09, the top at 20).
    EXPECT_EQ(layer.First->Kind, CollisionKind::IntoPart);
    EXPECT_EQ(layer.First->Block, 30);
    EXPECT_EQ(layer.First->Knife, "Twenty");
    EXPECT_NEAR(layer.First->Depth, 2.5, 1e-4);
    EXPECT_NEAR(layer.First->Where.X, 32.5, 1e-4);
    EXPECT_EQ(layer.Deepest->Block, 30);
}

TEST(CollisionCheck, NarrowSteepKnifeClearsTheShoulder) {
    EXPECT_FALSE(Check(NarrowSteep(), LayerBeforeTheShoulder()).HasCollision());
}

TEST(CollisionCheck, RapidThroughTheStockIsACrash) {
    CheckResult result = Check(TwentyDegrees(), {{{Rapid(-10, 30, 10), Rapid(10, 15, 20)}}});
    ASSERT_TRUE(result.HasCollision());
    Collision crash = *result.FirstCollision();
    EXPECT_EQ(crash.Kind, CollisionKind::RapidThroughMaterial);
    EXPECT_EQ(crash.Block, 20);
    // The tip ends 7 mm below the bar's surface and 10 mm inside its left face.
    EXPECT_NEAR(crash.Depth, 7, 1e-4);
}

TEST(CollisionCheck, RapidThroughWhatWasCutAwayIsNoCrash) {
    // The layer at 12 clears everything above it up to the knife's top; going back above it at 14
    // meets nothing, but the second layer's rapid across the uncut bar does.
    CheckResult result =
        Check(NarrowSteep(), {{{Rapid(-5, 30, 10), Feed(-5, 12, 20), Feed(20, 12, 30),
                                Rapid(18, 14, 40), Rapid(-5, 14, 50)}},
                              {{Rapid(-5, 8, 60), Rapid(25, 8, 70)}}});
    EXPECT_FALSE(result.Operations[0].First);
    ASSERT_TRUE(result.Operations[1].First);
    EXPECT_EQ(result.Operations[1].First->Block, 70);
}

TEST(CollisionCheck, MaterialLeftIsTheThickestStandingOnThePart) {
    std::vector<std::string> cylinder = {"line 0/0/0/10/", "line 0/10/80/10/", "line 80/10/80/0/"};
    std::vector<std::string> bar = {"line 0/0/0/20/", "line 0/20/80/20/", "line 80/20/80/0/"};
    KnifeShape knife = TwentyDegrees();
    CheckResult result =
        CollisionCheck(Profile(cylinder), Profile(bar))
            .Run({{{Rapid(-5, 30, 10), Feed(-5, 10.5, 20), Feed(85, 10.5, 30), Feed(85, 30, 40)}}},
                 knife, knife);
    EXPECT_FALSE(result.HasCollision());
    EXPECT_NEAR(result.MaterialLeft, 0.5, 1e-4);
}
