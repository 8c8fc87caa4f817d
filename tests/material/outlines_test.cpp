#include "geometry/knife.h"
#include "geometry/shaft.h"
#include "material/outlines.h"
#include "tests/support/knife_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace torvex;

namespace {

TShaft Shaft(const std::vector<std::string>& lines) {
    TShaft shaft;
    shaft.LoadFromLines(lines);
    return shaft;
}

} // namespace

TEST(Regions, ProfileWalksDownFallingShoulders) {
    // The falling shoulder is written bottom to top; the walk takes it top to bottom.
    TShaft collared =
        Shaft({"line 0/0/0/10/", "line 0/10/30/10/", "line 30/10/30/20/", "line 30/20/50/20/",
               "line 50/12/50/20/", "line 50/12/80/12/", "line 80/12/80/0/"});
    EXPECT_EQ(
        ClosedToAxis(ProfileChain(collared)),
        (PointChain{{0, 0}, {0, 10}, {30, 10}, {30, 20}, {50, 20}, {50, 12}, {80, 12}, {80, 0}}));
}

TEST(Regions, ProfileIsClosedDownToTheAxisBetweenItsEnds) {
    TShaft raised = Shaft({"line 0/5/0/10/", "line 0/10/20/10/", "line 20/10/20/5/"});
    EXPECT_EQ(ClosedToAxis(ProfileChain(raised)),
              (PointChain{{0, 5}, {0, 10}, {20, 10}, {20, 5}, {20, 0}, {0, 0}}));
    EXPECT_THROW(ClosedToAxis({}), OutlineError);
}

TEST(Regions, KnifeOutlineFollowsElementsWrittenEitherWay) {
    TKnife knife;
    knife.LoadFromLines({"line 0/0/4/1/", "line 4/10/4/1/", "line 4/10/-4/10/", "line -4/10/0/0/"});
    EXPECT_EQ(KnifeOutline(knife, "K"), (PointChain{{0, 0}, {4, 1}, {4, 10}, {-4, 10}}));
}

TEST(Regions, KnifeOutlineThatDoesNotCloseIsRefused) {
    TKnife knife;
    knife.LoadFromLines({"line 0/0/4/1/", "line 4/1/4/10/", "line 4/10/-4/10/"});
    EXPECT_THROW(KnifeOutline(knife, "K"), OutlineError);
}

TEST(Regions, KnifeNoseArcKeepsItsTrueShape) {
    // A nose of radius 1 under the tip's line: the lower half of the circle round (0, 1), run from
    // right to left.
    TKnife knife;
    knife.LoadFromLines({"line 0/0/1/1/", "line 1/1/1/5/", "line 1/5/-1/5/", "line -1/5/-1/1/",
                         "arc -1/0/1/2/0/0/-1/1/"});
    PointChain ring = KnifeOutline(knife, "K");
    double lowest = 1;
    for (const TPoint& p : ring) {
        if (p.X >= 0 || p.Y >= 1)
            continue;
        EXPECT_NEAR(std::hypot(p.X, p.Y - 1), 1, 1e-12);
        lowest = std::min(lowest, p.Y);
    }
    // A point every degree: the one next to the tip stands a degree up the circle.
    EXPECT_NEAR(lowest, 1 - std::cos(M_PI / 180), 1e-9);
}

TEST(Regions, AKnifeWhoseTipCornerIsRoundedHasItsOutlineThroughTheNosesLowestPoint) {
    // The rounded 90 degree point: the arc, not the corner, now meets the part.
    PointChain ring = KnifeOutline(torvex::testing::RoundedPoint(), "K");
    EXPECT_EQ(ring.front(), (TPoint{0, 0}));
    size_t onNose = 0;
    for (const TPoint& p : ring) {
        EXPECT_GE(p.Y, 0);
        if (p.Y < 0.29)
            onNose += std::fabs(std::hypot(p.X, p.Y - 1) - 1) < 1e-9;
    }
    // A point every degree over the 90 degrees of the nose, the tip among them.
    EXPECT_EQ(onNose, 89u);
}
