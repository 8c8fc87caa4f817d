#include "toolpath/block_writer.h"
#include "toolpath/threading.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace torvex;

namespace {

TObj Line(double x1, double y1, double x2, double y2) {
    TObj line;
    line.Kind = "line";
    line.P1 = {x1, y1};
    line.P2 = {x2, y2};
    return line;
}

// The threaded sample's profile: a body of radius 15 to Z40, then the cylinder of radius 12 for
// M24 to the free end at Z60.
const Tobjects Threaded = {Line(0, 0, 0, 15), Line(0, 15, 40, 15), Line(40, 15, 40, 12),
                           Line(40, 12, 60, 12), Line(60, 12, 60, 0)};

} // namespace

TEST(ThreadPasses, DegressAtConstantAreaAndEndAtTheFullDepth) {
    // M24x1.5, 0.92 deep, first cut 0.3: 0.3 sqrt(n) until 0.9487 would pass the depth; every step
    // is at least 0.05 (the last, 0.02, excepted).
    std::vector<double> m24 = ThreadPassDepths(0.92, 0.3, 0.05);
    std::vector<double> expected = {0.3, 0.424, 0.520, 0.6, 0.671, 0.735, 0.794, 0.849, 0.9, 0.92};
    ASSERT_EQ(m24.size(), expected.size());
    for (size_t k = 0; k < expected.size(); ++k)
        EXPECT_NEAR(m24[k], expected[k], 5e-4) << "pass " << k + 1;
    // A minimum cut of 0.2 takes over from the second pass: 0.566 and 0.693 are too little.
    std::vector<double> clamped = ThreadPassDepths(1, 0.4, 0.2);
    ASSERT_EQ(clamped.size(), 4u);
    EXPECT_NEAR(clamped[1], 0.6, 1e-12);
    EXPECT_NEAR(clamped[2], 0.8, 1e-12);
    EXPECT_EQ(clamped[3], 1);
    EXPECT_EQ(ThreadPassDepths(0.5, 0.5, 0.05), std::vector<double>{0.5});
}

TEST(ThreadPasses, AreCutOnlyAlongACylinder) {
    CylinderFit m24 = CylinderOver(Threaded, 42, 60);
    ASSERT_TRUE(m24.Radius);
    EXPECT_EQ(*m24.Radius, 12);
    // The stretch may end at the end face and at the shoulder, but not cross it.
    EXPECT_EQ(CylinderOver(Threaded, 40, 60).Radius, 12);
    CylinderFit step = CylinderOver(Threaded, 60, 35);
    ASSERT_FALSE(step.Radius);
    EXPECT_EQ(step.Off.X, 40);
    EXPECT_EQ(step.Off.Y, 15) << "off the radius at the thread's start";
    Tobjects tapered = {Line(0, 10, 20, 10), Line(20, 10, 40, 10.01)};
    CylinderFit slope = CylinderOver(tapered, 10, 40);
    ASSERT_FALSE(slope.Radius);
    EXPECT_GT(slope.Off.X, 20);
    Tobjects nearlyLevel = {Line(0, 10, 20, 10), Line(20, 10, 40, 10.0008)};
    EXPECT_TRUE(CylinderOver(nearlyLevel, 10, 40).Radius) << "0.0008 off is a cylinder still";
}

TEST(ThreadPasses, FollowTheFlankInStepWithTheSpindleAndRetractAtTo) {
    TToolpath toolpath;
    BlockWriter w(toolpath);
    ThreadingParameters p;
    p.From = 60;
    p.To = 42;
    p.Pitch = 1.5;
    p.Crest = 12;
    p.Depth = 0.92;
    p.FirstCut = 0.3;
    p.MinimumCut = 0.05;
    p.SpringPasses = 1;
    p.InfeedAngle = 30;
    p.DriveX = 13;
    p.SafeX = 18;
    p.Feed = 1200;
    CutThread(w, p);
    // Two rapids to the start, four moves for each of the ten passes and the spring pass, one up.
    ASSERT_EQ(toolpath.PathPoints.Count(), 2u + 4 * 11 + 1);
    double start = 60 + 3 * 1.5;
    EXPECT_EQ(toolpath.PathPoints[1].X, start);
    EXPECT_EQ(toolpath.PathPoints[1].Y, 13);
    const NcBlock& first = toolpath.Blocks[2];
    ASSERT_TRUE(first.Cycle);
    EXPECT_EQ(first.Cycle->EndZ, 42);
    double flank = std::tan(std::numbers::pi / 6);
    for (size_t pass = 0; pass < 11; ++pass) {
        const TPunct& entry = toolpath.PathPoints[2 + 4 * pass];
        const TPunct& cut = toolpath.PathPoints[3 + 4 * pass];
        const TPunct& out = toolpath.PathPoints[4 + 4 * pass];
        double depth = 12 - entry.Y;
        EXPECT_NEAR(entry.X, start - depth * flank, 1e-12) << "pass " << pass + 1;
        EXPECT_TRUE(entry.IsRapid());
        EXPECT_FALSE(cut.IsRapid());
        EXPECT_EQ(cut.X, 42);
        EXPECT_EQ(cut.Y, entry.Y);
        EXPECT_EQ(cut.Feed, 1200);
        EXPECT_EQ(out.X, 42);
        EXPECT_EQ(out.Y, 13);
        EXPECT_TRUE(toolpath.Blocks[3 + 4 * pass].InCycle);
    }
    EXPECT_EQ(toolpath.PathPoints[2 + 4 * 9].Y, 12 - 0.92);
    EXPECT_EQ(toolpath.PathPoints[2 + 4 * 10].Y, 12 - 0.92);
    EXPECT_NEAR(toolpath.PathPoints[2].Y, 11.7, 1e-12);
    // Up over the cycle's start, both axes written: out of the cycle.
    const NcBlock& last = toolpath.Blocks.back();
    EXPECT_EQ(last.Kind, BlockKind::RapidXZ);
    EXPECT_FALSE(last.InCycle);
    EXPECT_EQ(last.Z, start);
    EXPECT_EQ(last.X, 18);
}
