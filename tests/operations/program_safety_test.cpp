#include "bench/sample_jobs.h"
#include "operations/nc_program.h"
#include "tests/support/nc_block_parser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>

using namespace torvex;

namespace {

// The radius below which a point at z lies inside the part: the profile over z, the lower side
// at a wall (a point on the wall is on the part's surface); nothing beyond the part's ends.
std::optional<double> PartRadiusAt(const Tobjects& elements, double z) {
    std::optional<double> radius;
    auto meet = [&](double y) { radius = std::min(radius.value_or(y), y); };
    for (const TObj& e : elements) {
        if (e.IsLine()) {
            double x1 = std::min(e.P1.X, e.P2.X), x2 = std::max(e.P1.X, e.P2.X);
            if (z < x1 || z > x2 || x1 == x2)
                continue;
            meet(e.P1.Y + (e.P2.Y - e.P1.Y) * (z - e.P1.X) / (e.P2.X - e.P1.X));
        } else if (e.IsArc()) {
            if (z < std::min(e.P3.X, e.P4.X) || z > std::max(e.P3.X, e.P4.X))
                continue;
            TPoint c = e.Centre();
            double dy = std::sqrt(std::max(0.0, e.Radius() * e.Radius() - (z - c.X) * (z - c.X)));
            meet(e.P3.X < e.P4.X ? c.Y + dy : c.Y - dy);
        }
    }
    return radius;
}

} // namespace

TEST(ProgramSafety, NoSampleProgramFeedsBackwardsStopsTheSpindleOrEntersThePart) {
    // Rounding to three decimals may put a point on the profile 0.0005 below it.
    constexpr double Rounding = 0.001;
    for (const SampleJob& job : BuildSampleJobs(TORVEX_DATA)) {
        SCOPED_TRACE(job.Name);
        for (bool anticlockwise : {false, true}) {
            double x = 0, z = 0;
            for (const std::string& text : GenerateNcProgram(
                     *job.Toolpath,
                     {.Coolant = true, .AntiClockwise = anticlockwise, .OpenDoor = true})) {
                torvex::testing::NcBlock block = torvex::testing::ParseNcBlock(text);
                if (auto feed = block.Value('F')) {
                    EXPECT_GT(*feed, 0) << text;
                }
                if (auto speed = block.Value('S')) {
                    EXPECT_GT(*speed, 0) << text;
                }
                std::optional<double> newX = block.Value('X'), newZ = block.Value('Z');
                if (!newX && !newZ)
                    continue;
                x = newX.value_or(x);
                z = newZ.value_or(z);
                if (auto radius = PartRadiusAt(job.Space->Shaft.Elements, z)) {
                    EXPECT_GE(x, *radius - Rounding) << text;
                }
            }
        }
    }
}
