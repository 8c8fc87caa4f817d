#include "bench/sample_jobs.h"
#include "checking/toolpath_check.h"
#include "checking/verdict.h"
#include "geometry/shaft.h"
#include "operations/toolpath_building.h"
#include "platform/text_file.h"
#include "simulation/move_by_move.h"
#include "tests/support/profile_distance.h"
#include "toolpath/block_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace torvex;
using torvex::fixtures::ProfileDistance;

namespace {

// The knives of the sample library, by the names their index lists.
std::vector<std::string> SampleKnives() {
    std::vector<std::string> knives;
    for (const std::string& line : ReadTextLines(std::string(TORVEX_DATA) + "/knives.dat"))
        knives.push_back(line.substr(0, line.rfind(".knf")));
    return knives;
}

CheckResult Check(const SampleJob& job) {
    return CheckToolpath(*job.Toolpath, job.Space->Shaft, job.Space->StockShaft);
}

} // namespace

TEST(ToolpathCheck, SampleLibraryFitsEverySamplePart) {
    ASSERT_EQ(SampleModels(TORVEX_DATA).size(), 7u);
    for (const std::string& model : SampleModels(TORVEX_DATA)) {
        // The right end face first: a stock longer than the part is faced before the passes run
        // out over it; it is no operation where the stock ends with the part.
        SampleJob rough = BuildSampleJob(TORVEX_DATA, model, SampleJobKind::Roughing, {6, 0, 2, 4},
                                         "ShoulderL", "ShoulderR");
        CheckResult roughing = Check(rough);
        bool faced = model == "grooved" || model == "threaded";
        EXPECT_EQ(roughing.Operations.size(), faced ? 4u : 3u) << rough.Name;
        EXPECT_FALSE(roughing.HasCollision()) << rough.Name << ": " << VerdictText(roughing);
        // Finishing on what the roughing leaves.
        SampleJob finish = BuildSampleJob(TORVEX_DATA, model, SampleJobKind::Finishing, {1, 3},
                                          "FinishL", "FinishR");
        const TToolpath* job[] = {rough.Toolpath, finish.Toolpath};
        CheckResult finishing =
            CheckToolpaths(job, finish.Space->Shaft, finish.Space->StockShaft).back();
        EXPECT_FALSE(finishing.HasCollision()) << finish.Name << ": " << VerdictText(finishing);
    }
}

TEST(ToolpathCheck, NoseKnivesFinishEverySampleRoughedPartWithoutACollision) {
    // Roughed with the shoulder knives and finished with 0.4 mm noses: their paths keep the noses
    // on the part. What a round nose cannot take from a square inner corner stays there, a fillet
    // of its radius standing 0.4 (1 - 1 / sqrt 2) mm out of the corner; the arcs sample has no
    // such corner, and nothing is left on it.
    const double cornerFillet = 0.4 * (1 - 1 / std::sqrt(2));
    for (const std::string& model : SampleModels(TORVEX_DATA)) {
        // The grooves are the grooving knife's, the threaded bar's long end the end face's.
        if (model == "grooved" || model == "threaded")
            continue;
        SampleJob job = BuildSampleJob(TORVEX_DATA, model, SampleJobKind::Roughing, {0, 2, 4},
                                       "ShoulderL", "ShoulderR");
        TToolpath& finish = AddToolpath(
            *job.Space,
            SampleFinishing({FinishingOperation::LeftWithTop, FinishingOperation::RightWithoutTop},
                            SampleTool(TORVEX_DATA, "FinishL04", 3),
                            SampleTool(TORVEX_DATA, "FinishR04", 4)),
            "finish");
        ASSERT_TRUE(finish.LeftKnife.Nose);
        const TToolpath* toolpaths[] = {job.Toolpath, &finish};
        std::vector<CheckResult> results =
            CheckToolpaths(toolpaths, job.Space->Shaft, job.Space->StockShaft);
        for (const CheckResult& result : results)
            EXPECT_FALSE(result.HasCollision()) << model << ": " << VerdictText(result);
        if (model == "arcs")
            EXPECT_LT(results.back().MaterialLeft, 0.001);
        else
            EXPECT_NEAR(results.back().MaterialLeft, cornerFillet, 0.001) << model;
    }
}

TEST(ToolpathCheck, FullLengthRoughingOfEverySamplePartWithEverySampleKnifeIsFree) {
    ASSERT_GE(SampleKnives().size(), 7u);
    for (const std::string& model : SampleModels(TORVEX_DATA))
        for (const std::string& knife : SampleKnives()) {
            SampleJob job =
                BuildSampleJob(TORVEX_DATA, model, SampleJobKind::Roughing, {0}, knife, knife);
            CheckResult result = Check(job);
            EXPECT_FALSE(result.HasCollision())
                << model << " with " << knife << ": " << VerdictText(result);
        }
}

TEST(ToolpathCheck, FlanksReachingOverTheCollarAreCaught) {
    SampleJob job = BuildSampleJob(TORVEX_DATA, "collared", SampleJobKind::Roughing, {0, 2, 4},
                                   "Rough80", "Left45");
    CheckResult result = Check(job);
    ASSERT_EQ(result.Operations.size(), 3u);
    EXPECT_FALSE(result.Operations[0].First);
    ASSERT_TRUE(result.Operations[1].First);
    ASSERT_TRUE(result.Operations[2].First);
    // The left side's first layer, at radius 18, stops at 29.5 (N0100). Rough80's flank rises
    // 10 degrees (0.71 over 4 mm) to its side, 4 mm right of the tip: the point of it deepest in
    // the collar is where x - 30 = 20 - (18 + (x - 29.5) * 0.1775), x = 31.623, 1.623 mm. From the
    // layer at 14 (N0180) on, the side stands 3.5 mm deep in the collar.
    EXPECT_EQ(
        VerdictText(result).rfind(
            "Checked against the knives: first collision N0100 (Rough80, 1.623 mm into the "
            "part at Z31.623, radius 18.377), deepest N0180 (Rough80, 3.5 mm into the part at "
            "Z33.5",
            0),
        0u);
    // Left45 on the right side: 2 mm wide to the left of its tip, it stands 1.5 mm in the collar.
    EXPECT_EQ(result.Operations[2].First->Knife, "Left45");
    EXPECT_NEAR(result.Operations[2].Deepest->Depth, 1.5, 1e-3);
}

TEST(ToolpathCheck, OperationsFollowTheStrategiesAndTheirTools) {
    SampleJob job = BuildSampleJob(TORVEX_DATA, "production", SampleJobKind::Roughing, {0, 2, 4},
                                   "ShoulderL", "ShoulderR");
    std::vector<CheckedOperation> operations = ToolpathOperations(*job.Toolpath);
    ASSERT_EQ(operations.size(), 3u);
    size_t moves = 0;
    for (size_t i = 0; i < operations.size(); ++i) {
        ToolSide tool = i < 2 ? ToolSide::Left : ToolSide::Right;
        EXPECT_EQ(operations[i].Moves.front().Kind, MoveKind::Rapid);
        for (const CheckedMove& move : operations[i].Moves)
            EXPECT_EQ(move.Tool, tool);
        moves += operations[i].Moves.size();
    }
    EXPECT_EQ(moves, job.Toolpath->PathPoints.Count());
}

TEST(ToolpathCheck, ToolWithoutKnifeLeavesTheToolpathUnchecked) {
    SampleJob job =
        BuildSampleJob(TORVEX_DATA, "collared", SampleJobKind::Roughing, {0, 4}, "ShoulderL", "");
    const TToolpath* toolpaths[] = {job.Toolpath};
    ToolpathVerdict verdict = VerdictOfToolpath(toolpaths, job.Space->Shaft, job.Space->StockShaft);
    EXPECT_FALSE(verdict.Checked);
    EXPECT_EQ(verdict.Text, "Not checked against the knives: The right tool has no knife outline.");
}

TEST(ToolpathCheck, RapidThroughTheBarIsACrash) {
    SampleJob job =
        BuildSampleJob(TORVEX_DATA, "collared", SampleJobKind::Roughing, {0}, "ShoulderL", "");
    // A hand-made toolpath: from above the bar straight down into it at the rapid traverse.
    TToolpath toolpath;
    toolpath.LeftKnife = job.Toolpath->LeftKnife;
    RoughingJob named;
    named.Left.Names.TipName = "ShoulderL";
    toolpath.Job = named;
    BlockWriter w(toolpath);
    w.Rapid({10, 30});
    w.Rapid({10, 15});
    CheckResult result = CheckToolpath(toolpath, job.Space->Shaft, job.Space->StockShaft);
    ASSERT_TRUE(result.HasCollision());
    Collision crash = *result.FirstCollision();
    EXPECT_EQ(crash.Kind, CollisionKind::RapidThroughMaterial);
    EXPECT_EQ(crash.Block, 20);
    EXPECT_EQ(crash.Knife, "ShoulderL");
    // The tip ends 7 mm below the bar's surface at radius 22.
    EXPECT_NEAR(crash.Depth, 7, 1e-4);
}

TEST(ToolpathCheck, EverySampleGroovingJobIsFree) {
    for (const std::string& model : SampleModels(TORVEX_DATA))
        for (const char* knife : {"Groove3", "Part2"}) {
            bool grooved = model == "grooved";
            SampleJob job = BuildSampleJob(TORVEX_DATA, model, SampleJobKind::Grooving,
                                           grooved ? std::initializer_list<uint8_t>{1, 2}
                                                   : std::initializer_list<uint8_t>{2},
                                           knife, "");
            CheckResult result = Check(job);
            EXPECT_FALSE(result.HasCollision())
                << job.Name << " with " << knife << ": " << VerdictText(result);
        }
}

// The simulation of a toolpath will leave what the check's exact sweeps leave; until it sweeps
// each move exactly, the check's material left stands for it here.
TEST(ToolpathCheck, GroovingClearsTheGroovesToTheRestAndFinishesThemToTheProfile) {
    // On a bar that is the grooved part with its grooves filled, the grooves alone are left:
    // the plunges take them down to the rest and the finishing pass to the profile, except in
    // the middle of the rounded floor of radius 5, where the square corners of the 3 mm knife
    // stop 5 - sqrt(5^2 - 1.5^2) above its bottom.
    SampleJob job =
        BuildSampleJob(TORVEX_DATA, "grooved", SampleJobKind::Grooving, {1}, "Groove3", "");
    TShaft filled;
    filled.LoadFromLines({"line 0/0/0/9/", "line 0/9/1/10/", "line 1/10/24/10/",
                          "line 24/10/24/13/", "line 24/13/78/13/", "line 78/13/78/11/",
                          "line 78/11/89/11/", "line 89/11/90/10/", "line 90/10/90/0/"});
    CheckResult grooves = CheckToolpath(*job.Toolpath, job.Space->Shaft, filled);
    EXPECT_FALSE(grooves.HasCollision()) << VerdictText(grooves);
    EXPECT_NEAR(grooves.MaterialLeft, 5 - std::sqrt(25 - 2.25), 2e-3);
    EXPECT_NEAR(grooves.MaterialLeftAt.X, 59, 0.01);

    // The whole sample job: the right end faced and the flanks roughed, the grooves cut, the
    // flanks finished: nothing collides and the stock matches the part within the rest.
    SampleJob rough = BuildSampleJob(TORVEX_DATA, "grooved", SampleJobKind::Roughing, {6, 0, 2, 4},
                                     "ShoulderL", "ShoulderR");
    SampleJob finish = BuildSampleJob(TORVEX_DATA, "grooved", SampleJobKind::Finishing, {2, 4},
                                      "FinishL", "FinishR");
    const TToolpath* roughed[] = {rough.Toolpath};
    EXPECT_GT(CheckToolpaths(roughed, job.Space->Shaft, job.Space->StockShaft).back().MaterialLeft,
              3.9);
    const TToolpath* whole[] = {rough.Toolpath, job.Toolpath, finish.Toolpath};
    std::vector<CheckResult> results =
        CheckToolpaths(whole, job.Space->Shaft, job.Space->StockShaft);
    for (const CheckResult& result : results)
        EXPECT_FALSE(result.HasCollision()) << VerdictText(result);
    EXPECT_LE(results.back().MaterialLeft, 0.5 + 1e-6) << MaterialLeftText(results.back());
}

TEST(ToolpathCheck, TheThreadKeepsItsCrestsAndNoPassGoesBelowItsRootOrBesideIt) {
    // The threaded sample faced, roughed and finished on its right flank, then threaded: nothing
    // collides, and the crests stand at radius 12 where the simulation shows the material.
    SampleJob rough = BuildSampleJob(TORVEX_DATA, "threaded", SampleJobKind::Roughing, {6, 0, 4},
                                     "ShoulderL", "ShoulderR");
    SampleJob finish = BuildSampleJob(TORVEX_DATA, "threaded", SampleJobKind::Finishing, {4},
                                      "FinishL", "FinishR");
    SampleJob thread =
        BuildSampleJob(TORVEX_DATA, "threaded", SampleJobKind::Threading, {}, "Thread60", "");
    const TShaft& part = thread.Space->Shaft;
    const TShaft& stock = thread.Space->StockShaft;
    const TToolpath* job[] = {rough.Toolpath, finish.Toolpath, thread.Toolpath};
    std::vector<CheckResult> results = CheckToolpaths(job, part, stock);
    for (const CheckResult& result : results)
        EXPECT_FALSE(result.HasCollision()) << VerdictText(result);
    EXPECT_LT(ProfileDistance(results[2].Material, results[1].Material), 1e-3)
        << "the passes take nothing of the finished cylinder";
    EXPECT_LT(ProfileDistance(MachinedStock(job, TMaterial(ProfileChain(stock))).Profile(),
                              results[2].Material),
              0.01);
    // Passes recorded as cutting a shallower thread reach 0.05 below its root.
    TToolpath shallow = *thread.Toolpath;
    shallow.Operations[0].Thread->Root += 0.05;
    const TToolpath* tooDeep[] = {rough.Toolpath, finish.Toolpath, &shallow};
    CheckResult deep = CheckToolpaths(tooDeep, part, stock).back();
    ASSERT_TRUE(deep.HasCollision());
    EXPECT_EQ(deep.DeepestCollision()->Kind, CollisionKind::IntoPart);
    EXPECT_NEAR(deep.DeepestCollision()->Depth, 0.05, 1e-3);
    // Ending 1 mm from the shoulder, the knife's side, 1.155 left of its tip, meets it.
    ThreadingJob close = SampleThreading(SampleTool(TORVEX_DATA, "Thread60", 7));
    close.To = 41;
    const TToolpath* shoulder[] = {rough.Toolpath, finish.Toolpath,
                                   &AddToolpath(*thread.Space, close, "close")};
    CheckResult hit = CheckToolpaths(shoulder, part, stock).back();
    ASSERT_TRUE(hit.HasCollision());
    EXPECT_NEAR(hit.DeepestCollision()->Where.X, 41 - 1.155, 1e-3);
    EXPECT_NEAR(hit.DeepestCollision()->Depth, 0.155, 1e-3);
    // Threaded on the bar as it came, 4 mm over the crests: every pass meets that stock.
    const TToolpath* unturned[] = {thread.Toolpath};
    CheckResult bar = CheckToolpaths(unturned, part, stock).back();
    ASSERT_TRUE(bar.HasCollision());
    EXPECT_EQ(bar.FirstCollision()->Kind, CollisionKind::ThreadThroughMaterial);
    EXPECT_GT(bar.DeepestCollision()->Depth, 1);
}
