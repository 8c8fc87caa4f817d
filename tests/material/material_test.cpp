#include "geometry/knife.h"
#include "material/knife_sweep.h"
#include "material/material.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace torvex;
using material::KnifeSweep;

namespace {

const PointChain Bar = {{0, 0}, {0, 22}, {80, 22}, {80, 0}};

KnifeSweep Sweep(const std::vector<std::string>& records) {
    TKnife knife;
    knife.LoadFromLines(records);
    return KnifeSweep(KnifeOutline(knife, "K"));
}

// The sample library's ShoulderL: its body stands wholly left of the tip, its cutting edge leans
// back 0.35 mm over its 10 mm height.
KnifeSweep ShoulderL() {
    return Sweep(
        {"line 0/0/-0.35/10/", "line -0.35/10/-6/10/", "line -6/10/-6/3.46/", "line -6/3.46/0/0/"});
}

// Rough80: 4 mm either side of the tip, flanks rising 0.71 mm to its sides.
KnifeSweep Rough80() {
    return Sweep({"line 0/0/4/0.71/", "line 4/0.71/4/12/", "line 4/12/-4/12/",
                  "line -4/12/-4/0.71/", "line -4/0.71/0/0/"});
}

MATCHER_P(IsNear, expected, "") {
    if (arg.size() != expected.size())
        return false;
    for (size_t k = 0; k < arg.size(); ++k)
        if (std::hypot(arg[k].X - expected[k].X, arg[k].Y - expected[k].Y) > 1e-5)
            return false;
    return true;
}

double DistanceToPolyline(const TPoint& p, const PointChain& line) {
    double nearest = INFINITY;
    for (size_t k = 1; k < line.size(); ++k) {
        const TPoint& a = line[k - 1];
        const TPoint& b = line[k];
        double dx = b.X - a.X;
        double dy = b.Y - a.Y;
        double t =
            std::clamp(((p.X - a.X) * dx + (p.Y - a.Y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
        nearest = std::min(nearest, std::hypot(p.X - a.X - t * dx, p.Y - a.Y - t * dy));
    }
    return nearest;
}

} // namespace

TEST(Material, AKnifeOnOneSideOfItsTipCutsAndLeavesItsLeaningEdgeAsAnUndercut) {
    // A pass to the right at radius 20 from x = -2 to 30: the edge stands from (30, 20) up to the
    // bar's top at 30 - 0.35 * 2 / 10, so the profile turns back in X there.
    TMaterial material(Bar);
    EXPECT_TRUE(material.Remove(ShoulderL().Along({-2, 20}, {30, 20})));
    EXPECT_THAT(material.Profile(),
                IsNear(PointChain{{0, 0}, {0, 20}, {30, 20}, {29.93, 22}, {80, 22}, {80, 0}}));
}

TEST(Material, APlungeToTheAxisJoinsTheTwoPiecesAlongIt) {
    TMaterial material(Bar);
    material.Remove(Rough80().Along({40, 30}, {40, -1}));
    EXPECT_THAT(material.Profile(),
                IsNear(PointChain{
                    {0, 0}, {0, 22}, {36, 22}, {36, 0}, {44, 0}, {44, 22}, {80, 22}, {80, 0}}));
}

TEST(Material, WhatTheProfileCannotShowIsLeftOutAndWhatMissesChangesNothing) {
    TMaterial material(Bar);
    EXPECT_FALSE(material.Remove(Rough80().Along({40, 40}, {90, 40})));
    EXPECT_EQ(material.Profile(), Bar);
    // The knife's footprint 5 mm above the axis, inside the bar: a pocket closed all round.
    EXPECT_TRUE(material.Remove(Rough80().Along({40, 5}, {40, 5})));
    EXPECT_EQ(material.Region().size(), 2u);
    EXPECT_THAT(material.Profile(), IsNear(Bar));
}

TEST(Material, ThinningMovesNoPointFartherThanItsTolerance) {
    // A wavy line with noise of about the tolerance: many points go, none far.
    std::mt19937 random(7);
    std::uniform_real_distribution<double> noise(-0.0008, 0.0008);
    PointChain wavy;
    for (int k = 0; k <= 2000; ++k) {
        double x = k * 0.01;
        wavy.push_back({x, std::sin(x) + noise(random)});
    }
    PointChain thinned = Thinned(wavy, ProfileTolerance);
    EXPECT_LT(thinned.size(), wavy.size() / 4);
    EXPECT_EQ(thinned.front(), wavy.front());
    EXPECT_EQ(thinned.back(), wavy.back());
    for (const TPoint& p : wavy)
        ASSERT_LE(DistanceToPolyline(p, thinned), ProfileTolerance + 1e-12);
    // A step of a hundredth stays.
    PointChain step{{0, 0}, {10, 0}, {10, 0.01}, {20, 0.01}};
    EXPECT_EQ(Thinned(step, ProfileTolerance), step);
}
