#include "simulation/playback.h"

#include "bench/sample_jobs.h"
#include "simulation/move_by_move.h"
#include "tests/simulation/simulation_fixtures.h"
#include "toolpath/toolpath.h"

#include <gtest/gtest.h>

#include <random>

using namespace torvex;
using namespace torvex::fixtures;

namespace {

constexpr double RapidFeed = 6000;
constexpr MoveKind Rapid = MoveKind::Rapid;

TToolpath Toolpath(const std::vector<Move>& moves) {
    TToolpath toolpath;
    toolpath.LeftKnife = Rough80();
    toolpath.PathPoints = PathOf(moves);
    return toolpath;
}

// A plunge beside the bar, a pass, a lift, a rapid over the bar and a second, deeper pass back.
const std::vector<Move> TwoPasses = {
    {82, 30, RapidFeed, Rapid}, {82, 20, 100}, {40, 20, 200}, {42, 24, 200},
    {82, 24, RapidFeed, Rapid}, {82, 18, 100}, {56, 18, 200}, {82, 30, RapidFeed, Rapid}};

// A playback initialised on the stock with the toolpath, and its run started.
TPlayback Started(const TToolpath& toolpath, const std::vector<TPoint>& stock) {
    TPlayback playback;
    playback.Initialize(&toolpath, stock);
    playback.Start(&toolpath);
    return playback;
}

std::vector<TPoint> MoveByMove(const TToolpath& toolpath, const std::vector<TPoint>& stock,
                               size_t points) {
    TPctList path;
    path.RejectDuplicates = false;
    for (size_t k = 0; k < points; ++k)
        path.AddMove(toolpath.PathPoints[k]);
    TSimulation simulation(ToolpathKnives(toolpath), TMaterial(stock), path);
    RunMoveByMove(simulation);
    return simulation.Stock();
}

} // namespace

TEST(Playback, AFrameCutsThroughEveryPointPassedSinceThePreviousOne) {
    TToolpath toolpath = Toolpath(TwoPasses);
    TPlayback playback = Started(toolpath, Bar);
    // One frame straight to the end of the second pass: both passes are cut, not a chord from
    // the start to there.
    const TPunct& secondPassEnd = toolpath.PathPoints[6];
    TFrameResult frame = playback.FrameStep(secondPassEnd.TotalTime);
    EXPECT_TRUE(frame.StockChanged);
    EXPECT_EQ(frame.ToolPosition, (TPoint{56, 18}));
    EXPECT_EQ(playback.Stock(), MoveByMove(toolpath, Bar, 7));
    EXPECT_EQ(playback.SimulationStep, 6);
}

TEST(Playback, TheMoveInProgressIsCutUpToTheToolAndLastCutPosFollowsEveryPoint) {
    TToolpath toolpath = Toolpath(TwoPasses);
    TPlayback playback = Started(toolpath, Bar);
    // Halfway along the first pass: the material is cut up to x = 61, not beyond.
    const TPunct& passEnd = toolpath.PathPoints[2];
    TFrameResult frame = playback.FrameStep(passEnd.TotalTime - passEnd.StepTime / 2);
    EXPECT_NEAR(frame.ToolPosition.X, 61, 1e-9);
    EXPECT_EQ(playback.LastCutPos, (TPoint{82, 20}));
    EXPECT_THAT(playback.Stock(),
                IsProfile({{0, 0}, {0, 22}, {57, 22}, {57, 20.71}, {61, 20}, {80, 20}, {80, 0}}));
    // Past the rapid move over the bar: the sweep of the next plunge starts where it ended.
    playback.FrameStep(toolpath.PathPoints[4].TotalTime + 0.001);
    EXPECT_EQ(playback.LastCutPos, (TPoint{82, 24}));
}

TEST(Playback, DoneLeavesWhatTheMoveByMoveRunLeavesWhateverTheFrameTimes) {
    std::mt19937 random(13);
    for (const SampleJob& job : BuildSampleJobs(TORVEX_DATA)) {
        std::vector<TPoint> stock = ProfileChain(job.Space->StockShaft);
        std::vector<TPoint> expected =
            MoveByMove(*job.Toolpath, stock, job.Toolpath->PathPoints.Count());
        double total = job.Toolpath->PathPoints.Last().TotalTime;
        // Frames of random length at a multiplier that shortens the run, and one frame beyond the
        // end at once.
        for (double meanStep : {total / 150, 2 * total}) {
            SCOPED_TRACE(job.Name + " step " + std::to_string(meanStep));
            std::uniform_real_distribution<double> step(0, 2 * meanStep);
            TPlayback playback = Started(*job.Toolpath, stock);
            double time = 0;
            TFrameResult frame;
            for (int frames = 0; !frame.Done && frames < 10000; ++frames) {
                frame = playback.FrameStep(time);
                time += step(random);
            }
            ASSERT_TRUE(frame.Done);
            EXPECT_FALSE(playback.Running());
            EXPECT_EQ(playback.Stock(), expected);
        }
    }
}

TEST(Playback, TheSimulatedTimeNeverGoesBack) {
    TToolpath toolpath = Toolpath(TwoPasses);
    TPlayback playback = Started(toolpath, Bar);
    TFrameResult later = playback.FrameStep(10);
    std::vector<TPoint> stock = playback.Stock();
    TFrameResult earlier = playback.FrameStep(4);
    EXPECT_EQ(earlier.Time, 10);
    EXPECT_EQ(earlier.ToolPosition, later.ToolPosition);
    EXPECT_EQ(playback.Stock(), stock);
}

TEST(Playback, ARunThatCannotStartSaysWhyAndChangesNothing) {
    TToolpath running = Toolpath(TwoPasses);
    TToolpath empty;
    empty.LeftKnife = Rough80();
    TToolpath noKnife = Toolpath(TwoPasses);
    noKnife.LeftKnife = TKnife();
    TToolpath rightCuts =
        Toolpath({{82, 30, RapidFeed, Rapid}, {82, 20, 100, MoveKind::Feed, ToolSide::Right}});
    TPlayback playback = Started(running, Bar);
    playback.FrameStep(5);
    std::vector<TPoint> material = playback.Stock();
    for (const auto& [toolpath, message] : std::vector<std::pair<const TToolpath*, std::string>>{
             {nullptr, NoToolpathSelectedText},
             {&empty, NoToolpathMovesText},
             {&noKnife, NoKnifeOutlineText(ToolSide::Left)},
             {&rightCuts, NoKnifeOutlineText(ToolSide::Right)}}) {
        try {
            playback.Start(toolpath);
            ADD_FAILURE() << "started: " << message;
        } catch (const SimulationError& e) {
            EXPECT_EQ(e.what(), message);
        }
        EXPECT_TRUE(playback.Running());
        EXPECT_EQ(playback.Stock(), material);
        EXPECT_EQ(playback.Saved.Profile(), Bar);
    }
    EXPECT_THROW(playback.Initialize(nullptr, PointChain{}), SimulationError);
    EXPECT_EQ(playback.Stock(), material);
}
