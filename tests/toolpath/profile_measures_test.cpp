#include "platform/errors.h"
#include "tests/toolpath/test_profiles.h"
#include "toolpath/profile_measures.h"

#include <gtest/gtest.h>

#include <optional>

using namespace torvex;
using torvex::testing::Elements;

TEST(MaxEndY, TakesOnlyTheEndsOfLinesAndArcs) {
    // An arc from (0, 10) to (10, 10) whose circle rises to 15.
    Tobjects crown = Elements({"arc 0/5/10/15/0/10/10/10/"});
    EXPECT_EQ(MaxEndY(crown), 10);
    EXPECT_EQ(MaxEndY(Elements({"line 0/0/0/12/", "line 0/12/30/8/"})), 12);
    EXPECT_EQ(MaxEndY(Elements({"circle 1/2/"})), std::nullopt);
    EXPECT_EQ(MaxEndY({}), std::nullopt);
}

TEST(HighestProfileY, IncludesTheCrownOfAnUpperHalfArc) {
    EXPECT_EQ(HighestProfileY(Elements({"arc 0/5/10/15/0/10/10/10/"})), 15);
    // Radius 10 around (30, 4): its ends (22, 10) and (38, 10), its crown 14.
    Tobjects profile =
        Elements({"line 0/10/22/10/", "arc 20/-6/40/14/22/10/38/10/", "line 38/10/60/10/"});
    EXPECT_EQ(HighestProfileY(profile), 14);
    // The same arc on the lower half, and a quarter whose circle's top lies beyond its ends,
    // rise no higher than their ends.
    EXPECT_EQ(HighestProfileY(Elements({"arc 20/-6/40/14/38/10/22/10/"})), 10);
    EXPECT_EQ(HighestProfileY(Elements({"arc 0/0/20/20/0/10/5/18.66/"})), 18.66);
}

TEST(PassCount, LeavesTheLastStepToTheFinalPass) {
    EXPECT_EQ(PassCount(10, 2), 4);
    EXPECT_EQ(PassCount(10.05, 2), 4) << "5.025 reads 5.0 at one decimal";
    EXPECT_EQ(PassCount(11, 2), 5);
    EXPECT_EQ(PassCount(9.5, 2), 4);
    EXPECT_EQ(PassCount(9.9, 2), 4);
    EXPECT_EQ(PassCount(1, 2), 0);
    EXPECT_EQ(PassCount(0, 2), 0);
    EXPECT_EQ(PassCount(-4, 2), 0);
    EXPECT_EQ(PassCount(10, -2), 0);
}

TEST(PassCount, ADepthOfZeroOrNearlyZeroIsAnError) {
    EXPECT_THROW(PassCount(10, 0), ArithmeticError);
    EXPECT_THROW(PassCount(10, 1e-300), ArithmeticError);
    EXPECT_THROW(PassCount(40000, 1), ArithmeticError);
    EXPECT_EQ(PassCount(32767.5, 1), 32767);
}
