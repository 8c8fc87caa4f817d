#include "checking/regions.h"
#include "geometry/knife.h"
#include "geometry/shaft.h"

#include <gtest/gtest.h>

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
        (Polyline{{0, 0}, {0, 10}, {30, 10}, {30, 20}, {50, 20}, {50, 12}, {80, 12}, {80, 0}}));
}

TEST(Regions, ProfileIsClosedDownToTheAxisBetweenItsEnds) {
    TShaft raised = Shaft({"line 0/5/0/10/", "line 0/10/20/10/", "line 20/10/20/5/"});
    EXPECT_EQ(ClosedToAxis(ProfileChain(raised)),
              (Polyline{{0, 5}, {0, 10}, {20, 10}, {20, 5}, {20, 0}, {0, 0}}));
    EXPECT_THROW(ClosedToAxis({}), CheckError);
}

TEST(Regions, KnifeOutlineFollowsElementsWrittenEitherWay) {
    TKnife knife;
    knife.LoadFromLines({"line 0/0/4/1/", "line 4/10/4/1/", "line 4/10/-4/10/", "line -4/10/0/0/"});
    EXPECT_EQ(KnifeOutline(knife, "K"), (Polyline{{0, 0}, {4, 1}, {4, 10}, {-4, 10}}));
}

TEST(Regions, KnifeOutlineThatDoesNotCloseIsRefused) {
    TKnife knife;
    knife.LoadFromLines({"line 0/0/4/1/", "line 4/1/4/10/", "line 4/10/-4/10/"});
    EXPECT_THROW(KnifeOutline(knife, "K"), CheckError);
}
