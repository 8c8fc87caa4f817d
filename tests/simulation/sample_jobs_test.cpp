#include "bench/sample_jobs.h"
#include "geometry/model_files.h"
#include "platform/message_sink.h"
#include "simulation/move_by_move.h"
#include "tests/simulation/simulation_fixtures.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace torvex;

namespace {

std::vector<TPoint> Simulated(const SampleJob& job) {
    TSimulation simulation(job.Toolpath->LeftKnife.Points, job.Toolpath->RightKnife.Points,
                           job.Space->StockShaft.Points, job.Toolpath->PathPoints);
    RunMoveByMove(simulation);
    return simulation.Stock;
}

} // namespace

TEST(SampleJobs, StockNeverFoldsBackAndKeepsItsEnds) {
    std::vector<SampleJob> jobs = BuildSampleJobs(TORVEX_DATA);
    ASSERT_EQ(jobs.size(), 24u);
    for (const SampleJob& job : jobs) {
        std::vector<TPoint> stock = Simulated(job);
        const TPctList& bar = job.Space->StockShaft.Points;
        ASSERT_GE(stock.size(), 2u) << job.Name;
        EXPECT_EQ(stock.front(), (TPoint{bar[0].X, bar[0].Y})) << job.Name;
        EXPECT_EQ(stock.back(), (TPoint{bar.Last().X, bar.Last().Y})) << job.Name;
        EXPECT_LT(stock.size(), 2000u) << job.Name;
        for (size_t i = 1; i < stock.size(); ++i)
            ASSERT_GE(stock[i].X, stock[i - 1].X) << job.Name << " at point " << i;
        // Roughing removes material; nothing rises above the bar.
        for (const TPoint& p : stock)
            ASSERT_LE(p.Y, job.Space->StockShaft.MaxRadius) << job.Name;
    }
}

TEST(SampleJobs, TheMachinedStockSavedAsAStockFileLoadsBackAsItWas) {
    std::filesystem::path file = std::filesystem::temp_directory_path() / "torvex-machined.mdls";
    for (const SampleJob& job : BuildSampleJobs(TORVEX_DATA)) {
        std::vector<TPoint> machined = Simulated(job);
        SaveStockFile(file, machined);
        TShaft stock;
        RecordingMessageSink messages;
        ASSERT_TRUE(stock.LoadFromFile(file, messages, ShaftKind::Stock)) << job.Name;
        // Pieces of one straight line load as one line: the profile is the same.
        std::vector<TPoint> loaded = XYOf(stock.Points);
        EXPECT_LT(fixtures::ProfileDistance(loaded, machined), 1e-9) << job.Name;
        EXPECT_EQ(loaded.front(), machined.front());
        EXPECT_EQ(loaded.back(), machined.back());
    }
    std::filesystem::remove(file);
}

TEST(SampleJobs, FullLengthRoughingLeavesTheFinalLevelOverThePart) {
    // The production part's full-length roughing: radius 26 down to the highest point 24 plus the
    // rest.
    SampleJob job = BuildSampleJob(TORVEX_DATA, "production", SampleJobKind::Roughing, {0},
                                   "Rough80", "Left45");
    EXPECT_EQ(Simulated(job), (std::vector<TPoint>{{0, 0}, {0, 24.5}, {180, 24.5}, {180, 0}}));
}
