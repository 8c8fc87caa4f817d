#include "geometry/model.h"
#include "tests/toolpath/test_profiles.h"
#include "toolpath/nose_path.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace torvex;
using namespace torvex::testing;

namespace {

KnifeNose Nose(double radius) {
    return {radius, {0, radius}};
}

double DistanceToSegment(const TPoint& p, const TPoint& a, const TPoint& b) {
    double dx = b.X - a.X, dy = b.Y - a.Y;
    double t = std::clamp(((p.X - a.X) * dx + (p.Y - a.Y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    return std::hypot(p.X - a.X - t * dx, p.Y - a.Y - t * dy);
}

// The distance from a point to the outline's lines and to its arcs as true circles.
double DistanceToOutline(const TPoint& p, const Tobjects& outline) {
    double nearest = 1e9;
    for (const TObj& e : outline) {
        if (e.IsLine()) {
            nearest = std::min(nearest, DistanceToSegment(p, e.P1, e.P2));
            continue;
        }
        TPoint c = e.Centre();
        double angle = std::atan2(p.Y - c.Y, p.X - c.X);
        bool upper = e.P3.X < e.P4.X;
        bool within = std::min(e.P3.X, e.P4.X) <= c.X + e.Radius() * std::cos(angle) &&
                      c.X + e.Radius() * std::cos(angle) <= std::max(e.P3.X, e.P4.X) &&
                      (upper ? angle >= 0 : angle <= 0);
        double toEnds = std::min(std::hypot(p.X - e.P3.X, p.Y - e.P3.Y),
                                 std::hypot(p.X - e.P4.X, p.Y - e.P4.Y));
        nearest = std::min(
            nearest, within ? std::fabs(std::hypot(p.X - c.X, p.Y - c.Y) - e.Radius()) : toEnds);
    }
    return nearest;
}

// The nose, its centre `radius` above every point along the path (every 0.01 mm, arcs by their
// circles), lies that far from the outline: it touches the outline and never enters it.
void ExpectNoseTouches(const Tobjects& path, const Tobjects& outline, double radius) {
    std::vector<TPoint> along;
    for (const TObj& e : path) {
        std::vector<TPoint> points;
        if (e.IsLine()) {
            int steps = static_cast<int>(std::hypot(e.P2.X - e.P1.X, e.P2.Y - e.P1.Y) / 0.01) + 1;
            for (int k = 0; k <= steps; ++k)
                along.push_back({e.P1.X + (e.P2.X - e.P1.X) * k / steps,
                                 e.P1.Y + (e.P2.Y - e.P1.Y) * k / steps});
        } else {
            along.push_back(e.P3);
            for (const TPoint& p : ArcPointsAtEqualAngles(e, 0.001))
                along.push_back(p);
            along.push_back(e.P4);
        }
    }
    for (const TPoint& tip : along)
        ASSERT_NEAR(DistanceToOutline({tip.X, tip.Y + radius}, outline), radius, 0.0005)
            << "tip at " << tip.X << ", " << tip.Y;
}

void ExpectPoint(const TPoint& actual, double x, double y) {
    EXPECT_NEAR(actual.X, x, 1e-9);
    EXPECT_NEAR(actual.Y, y, 1e-9);
}

} // namespace

TEST(NosePath, OnAChamferTheTipStandsOffByTheNoseAndTurnsAboutTheConvexCorner) {
    // A flat at 10, a 45 degree chamfer up to 15 and a flat at 15, followed from the left with a
    // nose of 0.8. At the foot of the chamfer the moved flat (y 10.8) and the moved chamfer meet
    // 0.8 tan 22.5 = 0.331 before x 10; the chamfer's moved end lies 0.8 / sqrt 2 = 0.566 back and
    // up from (15, 15), from where the nose turns about that corner onto the flat.
    Tobjects outline = Elements({"line 0/10/10/10/", "line 10/10/15/15/", "line 15/15/30/15/"});
    Tobjects path = NosePath(outline, Flank::Left, Nose(0.8), TightArc::Refuse);
    ASSERT_EQ(path.size(), 4u);
    double foot = 10 - 0.8 * std::tan(M_PI / 8);
    double back = 0.8 / std::sqrt(2);
    ExpectPoint(path[0].P1, 0, 10);
    ExpectPoint(path[0].P2, foot, 10);
    ExpectPoint(path[1].P2, 15 - back, 15 + back - 0.8);
    ASSERT_TRUE(path[2].IsArc());
    ExpectPoint(path[2].Centre(), 15, 14.2);
    EXPECT_NEAR(path[2].Radius(), 0.8, 1e-9);
    ExpectPoint(path[3].P1, 15, 15);
    ExpectPoint(path[3].P2, 30, 15);
    ExpectNoseTouches(path, outline, 0.8);

    // The same flank mirrored, followed from the right.
    Tobjects mirrored =
        Elements({"line -10/10/0/10/", "line -15/15/-10/10/", "line -30/15/-15/15/"});
    ExpectNoseTouches(NosePath(mirrored, Flank::Right, Nose(0.8), TightArc::Refuse), mirrored, 0.8);
}

TEST(NosePath, ArcsKeepTheirCentresConvexOnesGrowAndConcaveOnesShrink) {
    // The start of the arcs sample's left flank: a convex quarter R 4 about (4, 8), a flat at 12,
    // a concave quarter R 3 about (20, 15) and a wall at 23. With a nose of 0.4 the convex arc
    // becomes R 4.4, the concave one R 2.6, both moved down by 0.4 with their centres.
    Tobjects outline = Elements({"arc 0/4/8/12/0/8/4/12/", "line 4/12/20/12/",
                                 "arc 17/12/23/18/23/15/20/12/", "line 23/15/23/18/"});
    Tobjects path = NosePath(outline, Flank::Left, Nose(0.4), TightArc::Refuse);
    ASSERT_EQ(path.size(), 4u);
    ASSERT_TRUE(path[0].IsArc());
    ExpectPoint(path[0].Centre(), 4, 7.6);
    EXPECT_NEAR(path[0].Radius(), 4.4, 1e-9);
    ExpectPoint(path[0].P3, -0.4, 7.6);
    ExpectPoint(path[0].P4, 4, 12);
    ExpectPoint(path[1].P2, 20, 12);
    ASSERT_TRUE(path[2].IsArc());
    ExpectPoint(path[2].Centre(), 20, 14.6);
    EXPECT_NEAR(path[2].Radius(), 2.6, 1e-9);
    ExpectPoint(path[3].P1, 22.6, 14.6);
    ExpectPoint(path[3].P2, 22.6, 17.6);
    ExpectNoseTouches(path, outline, 0.4);
}

TEST(NosePath, AConcaveArcTighterThanTheNoseIsRefusedInFinishingAndPassedOverInRoughing) {
    // A fillet of R 0.5 between a flat and a wall, under a nose of 0.8.
    Tobjects outline =
        Elements({"line 0/10/9.5/10/", "arc 9/10/10/11/10/10.5/9.5/10/", "line 10/10.5/10/15/"});
    try {
        NosePath(outline, Flank::Left, Nose(0.8), TightArc::Refuse);
        FAIL() << "the fillet was not refused";
    } catch (const ToolpathError& error) {
        EXPECT_STREQ(error.what(), "The concave arc of radius 0.5 mm from Z9.5, radius 10 to Z10, "
                                   "radius 10.5 is tighter than the knife's nose, of radius 0.8 "
                                   "mm: the nose cannot follow it. Choose a knife with a smaller "
                                   "nose.");
    }
    // Passed over, the nose stands in the corner on the flat and the wall, clear of the fillet.
    Tobjects path = NosePath(outline, Flank::Left, Nose(0.8), TightArc::PassOver);
    ASSERT_EQ(path.size(), 2u);
    ExpectPoint(path[0].P2, 9.2, 10);
    ExpectPoint(path[1].P1, 9.2, 10);
    for (const TObj& e : path)
        for (const TPoint& tip : {e.P1, e.P2})
            EXPECT_GE(DistanceToOutline({tip.X, tip.Y + 0.8}, outline), 0.8 - 1e-9);
}

TEST(NosePath, AnElementTheNoseCannotReachDropsOut) {
    // A chamfer 0.2 high between a flat and a wall, two concave corners closer than the nose of
    // 0.8 can reach into: the moved flat and wall meet over it, at x 10 - 0.8.
    Tobjects outline =
        Elements({"line 0/10/10/10/", "line 10/10/10.2/10.2/", "line 10.2/10.2/10.2/15/"});
    Tobjects path = NosePath(outline, Flank::Left, Nose(0.8), TightArc::Refuse);
    ASSERT_EQ(path.size(), 2u);
    ExpectPoint(path[0].P2, 9.4, 10);
    ExpectPoint(path[1].P2, 9.4, 14.2);
}
