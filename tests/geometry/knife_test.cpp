#include "geometry/knife.h"
#include "geometry/number_text.h"
#include "tests/support/knife_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>

using namespace torvex;

namespace {

using Coordinates = std::vector<std::pair<double, double>>;

Coordinates Of(const TPctList& list) {
    Coordinates result;
    for (const TPunct& p : list)
        result.emplace_back(p.X, p.Y);
    return result;
}

Coordinates EdgeOrdered(const Coordinates& points) {
    TKnife knife;
    for (size_t i = 0; i + 1 < points.size(); ++i)
        knife.AddElementText(
            "line " + FloatToText(points[i].first) + "/" + FloatToText(points[i].second) + "/" +
            FloatToText(points[i + 1].first) + "/" + FloatToText(points[i + 1].second) + "/");
    knife.BuildPoints();
    return Of(knife.Points);
}

} // namespace

TEST(TKnife, EdgeOnTheAxisRunsDownWhenTheOutlineGoesOnBelow) {
    EXPECT_EQ(EdgeOrdered({{0, 0}, {0, 5}, {3, 2}}), (Coordinates{{0, 5}, {0, 0}, {3, 2}}));
    EXPECT_EQ(EdgeOrdered({{0, 0}, {0, 5}, {3, 7}}), (Coordinates{{0, 0}, {0, 5}, {3, 7}}));
    // The next point must lie beyond 0.0001.
    EXPECT_EQ(EdgeOrdered({{0, 0}, {0, 5}, {0.00005, 2}}),
              (Coordinates{{0, 0}, {0, 5}, {0.00005, 2}}));
    // Only the first pair is exchanged.
    EXPECT_EQ(EdgeOrdered({{-1, 9}, {0, 0}, {0, 5}, {3, 2}}),
              (Coordinates{{-1, 9}, {0, 5}, {0, 0}, {3, 2}}));
}

TEST(TKnife, ChainInOrderKeepsItsOrder) {
    TKnife knife;
    knife.LoadFromLines({"line 0/0/4/0.71/", "line 4/0.71/4/12/", "line 4/12/-4/12/",
                         "line -4/12/-4/0.71/", "line -4/0.71/0/0/"});
    ASSERT_EQ(knife.Elements.size(), 5u);
    EXPECT_EQ(knife.Elements[0].P2, (TPoint{4, 0.71}));
    EXPECT_EQ(knife.Elements[4].P1, (TPoint{-4, 0.71}));
    EXPECT_EQ(knife.Points.Count(), 5u);
}

TEST(TKnife, ChainingMovesOnlyElementsTwoPlacesAhead) {
    TKnife knife;
    knife.LoadFromLines({"line 4/0/6/0/", "line 2/0/4/0/", "line 0/0/2/0/"});
    ASSERT_EQ(knife.Elements.size(), 3u);
    EXPECT_EQ(knife.Elements[0].P1, (TPoint{0, 0}));
    EXPECT_EQ(knife.Elements[1].P1, (TPoint{2, 0}));
    EXPECT_EQ(knife.Elements[2].P1, (TPoint{4, 0}));
}

TEST(TKnife, ChainingFollowsALongShuffledChain) {
    TKnife knife;
    knife.LoadFromLines({"line 9/9/9/9/", "line 8/8/8/8/", "line 0/0/1/0/", "line 3/0/4/0/",
                         "line 1/0/2/0/", "line 2/0/3/0/"});
    std::vector<double> starts;
    for (const TObj& e : knife.Elements)
        starts.push_back(e.P1.X);
    EXPECT_EQ(starts, (std::vector<double>{0, 1, 2, 3, 8, 9}));
}

TEST(TKnife, EmptyLinesGiveAnEmptyKnife) {
    TKnife knife;
    knife.LoadFromLines({});
    EXPECT_TRUE(knife.Elements.empty());
    EXPECT_TRUE(knife.Points.Empty());
}

TEST(TKnife, AFilletedKnifeOfTheEditorLoadsWithItsRoundedCorners) {
    // A grooving tip 4 wide with both lower corners rounded to R 1, as the editor writes it.
    TKnife knife;
    knife.LoadFromLines({"line 0/0/1/0/", "line 2/1/2/10/", "line 2/10/-2/10/", "line -2/10/-2/1/",
                         "line -1/0/0/0/", "arc 1/1/1/0/2/1/", "arc -1/1/-2/1/-1/0/"});
    ASSERT_EQ(knife.Elements.size(), 7u);
    EXPECT_EQ(std::count_if(knife.Elements.begin(), knife.Elements.end(),
                            [](const TObj& e) { return e.IsArc(); }),
              2);
    size_t onCorners = 0;
    double previousX = -1e9;
    for (const TPunct& p : knife.Points) {
        EXPECT_GE(p.X, previousX);
        previousX = p.X;
        // Every point of a corner lies on its quarter circle, below and outside its centre.
        if (std::fabs(p.X) > 1 && p.Y < 1) {
            ++onCorners;
            EXPECT_NEAR(std::hypot(std::fabs(p.X) - 1, p.Y - 1), 1, 1e-9) << p.X << ", " << p.Y;
        }
    }
    EXPECT_EQ(onCorners, 38u); // nineteen interior points on each corner
    EXPECT_EQ(knife.Points.Items().front().X, -2);
    EXPECT_EQ(knife.Points.Items().back().X, 2);
}

namespace {

bool HasEndAtTip(const TKnife& knife) {
    return std::any_of(knife.Elements.begin(), knife.Elements.end(), [](const TObj& e) {
        return e.IsArc() && (e.P3 == TPoint{0, 0} || e.P4 == TPoint{0, 0});
    });
}

} // namespace

TEST(KnifeNose, AKnifeRoundedAtItsCornerIsReadWithItsNosesLowestPointAsItsTip) {
    TKnife knife = torvex::testing::RoundedPoint();
    ASSERT_TRUE(knife.Nose);
    EXPECT_NEAR(knife.Nose->Radius, 1, 1e-9);
    EXPECT_NEAR(knife.Nose->Centre.Y, 1, 1e-9);
    // Everything moved down by sqrt(2) - 1; the nose arc cut in two at the tip.
    EXPECT_NEAR(knife.Elements[1].P1.Y, 5 - (std::sqrt(2) - 1), 1e-9);
    EXPECT_EQ(knife.Elements.size(), 7u);
    EXPECT_TRUE(HasEndAtTip(knife));
    EXPECT_EQ(std::count_if(knife.Points.begin(), knife.Points.end(),
                            [](const TPunct& p) { return p.X == 0 && p.Y == 0; }),
              1);
    for (const TPunct& p : knife.Points)
        EXPECT_GE(p.Y, 0) << p.X;
}

TEST(KnifeNose, ATipAlreadyAtTheNosesLowestPointStaysWhereItIs) {
    TKnife knife;
    // The lower half of the circle of radius 1 about (0, 1), from its right end to its left end.
    knife.LoadFromLines(
        {"line 1/1/1/4/", "line 1/4/-1/4/", "line -1/4/-1/1/", "arc -1/0/1/2/1/1/-1/1/"});
    ASSERT_TRUE(knife.Nose);
    EXPECT_EQ(knife.Nose->Radius, 1);
    EXPECT_EQ(knife.Elements[0].P1, (TPoint{1, 1}));
    EXPECT_TRUE(HasEndAtTip(knife));
}

TEST(KnifeNose, ASharpTipOrAFlatBottomHasNone) {
    TKnife sharp;
    sharp.LoadFromLines(
        {"line 0/0/-0.52/10/", "line -0.52/10/-4/10/", "line -4/10/-4/5.12/", "line -4/5.12/0/0/"});
    EXPECT_FALSE(sharp.Nose);
    // A grooving tip's rounded corners stand beside its flat bottom, on which its tip lies.
    TKnife groove;
    groove.LoadFromLines({"line 0/0/1/0/", "line 2/1/2/10/", "line 2/10/-2/10/", "line -2/10/-2/1/",
                          "line -1/0/0/0/", "arc 1/1/1/0/2/1/", "arc -1/1/-2/1/-1/0/"});
    EXPECT_FALSE(groove.Nose);
    EXPECT_EQ(groove.Elements[0].P1, (TPoint{0, 0}));
}
