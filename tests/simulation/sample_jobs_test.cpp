#include "bench/sample_jobs.h"
#include "checking/toolpath_check.h"
#include "geometry/model_files.h"
#include "platform/message_sink.h"
#include "simulation/move_by_move.h"
#include "tests/simulation/simulation_fixtures.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace torvex;
using namespace torvex::fixtures;

namespace {

PointChain Simulated(const SampleJob& job) {
    TSimulation simulation(*job.Toolpath, TMaterial(ProfileChain(job.Space->StockShaft)));
    RunMoveByMove(simulation);
    return simulation.Stock();
}

double Cross(const TPoint& o, const TPoint& a, const TPoint& b) {
    return (a.X - o.X) * (b.Y - o.Y) - (a.Y - o.Y) * (b.X - o.X);
}

bool Inside(const TPoint& p, const PointChain& ring) {
    bool inside = false;
    for (size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++)
        if ((ring[i].Y > p.Y) != (ring[j].Y > p.Y) &&
            p.X < ring[j].X + (ring[i].X - ring[j].X) * (p.Y - ring[j].Y) / (ring[i].Y - ring[j].Y))
            inside = !inside;
    return inside;
}

bool SegmentsMeet(const TPoint& a, const TPoint& b, const TPoint& c, const TPoint& d) {
    double d1 = Cross(c, d, a);
    double d2 = Cross(c, d, b);
    double d3 = Cross(a, b, c);
    double d4 = Cross(a, b, d);
    return ((d1 > 0) != (d2 > 0)) && ((d3 > 0) != (d4 > 0));
}

// An exact judge of what the knives leave, without the polygon library: a point is material when
// it lies in the stock's region and no knife covered it on any move. The knife covers p while its
// tip goes from a to b when the segment from p - a to p - b meets the knife's outline.
class SweepJudge {
public:
    SweepJudge(const SampleJob& job)
        : Stock(ClosedToAxis(ProfileChain(job.Space->StockShaft))),
          Knives(ToolpathKnives(*job.Toolpath)) {
        const TPctList& path = job.Toolpath->PathPoints;
        for (size_t k = 0; k < path.Count(); ++k) {
            const TPunct& to = path[k];
            const TPunct& from = path[k == 0 ? 0 : k - 1];
            Move move{{from.X, from.Y}, {to.X, to.Y}, &Knives[static_cast<size_t>(to.Tool)]};
            for (const TPoint& q : move.Knife->Outline)
                for (const TPoint& at : {move.From, move.To}) {
                    move.Low = {std::min(move.Low.X, at.X + q.X), std::min(move.Low.Y, at.Y + q.Y)};
                    move.High = {std::max(move.High.X, at.X + q.X),
                                 std::max(move.High.Y, at.Y + q.Y)};
                }
            Moves.push_back(move);
        }
    }

    bool IsMaterial(const TPoint& p) const {
        if (!Inside(p, Stock))
            return false;
        for (const Move& m : Moves) {
            if (p.X < m.Low.X || p.X > m.High.X || p.Y < m.Low.Y || p.Y > m.High.Y)
                continue;
            const PointChain& ring = m.Knife->Outline;
            TPoint a{p.X - m.From.X, p.Y - m.From.Y};
            TPoint b{p.X - m.To.X, p.Y - m.To.Y};
            if (Inside(a, ring) || Inside(b, ring))
                return false;
            for (size_t i = 0; i < ring.size(); ++i)
                if (SegmentsMeet(a, b, ring[i], ring[(i + 1) % ring.size()]))
                    return false;
        }
        return true;
    }

private:
    struct Move {
        TPoint From, To;
        const KnifeShape* Knife;
        TPoint Low{1e9, 1e9}, High{-1e9, -1e9};
    };
    PointChain Stock;
    std::array<KnifeShape, 2> Knives;
    std::vector<Move> Moves;
};

// The profile runs over the material with the material on its right: along every edge, away from
// its corners, the judge finds material a hundredth to the right and none a hundredth to the
// left. Returns how many places disagree.
int Disagreements(const PointChain& profile, const SweepJudge& judge, const std::string& name) {
    constexpr double Offset = 0.01;
    int wrong = 0;
    for (size_t k = 1; k < profile.size(); ++k) {
        const TPoint& a = profile[k - 1];
        const TPoint& b = profile[k];
        double length = std::hypot(b.X - a.X, b.Y - a.Y);
        if (length < 6 * Offset)
            continue;
        TPoint right{(b.Y - a.Y) / length * Offset, -(b.X - a.X) / length * Offset};
        int steps = static_cast<int>(std::ceil(length / 0.5));
        for (int i = 0; i <= steps; ++i) {
            double along = 3 * Offset + (length - 6 * Offset) * i / steps;
            TPoint p{a.X + (b.X - a.X) * along / length, a.Y + (b.Y - a.Y) * along / length};
            bool onAxis = a.Y == 0 && b.Y == 0;
            if (!onAxis && !judge.IsMaterial({p.X + right.X, p.Y + right.Y})) {
                ADD_FAILURE() << name << ": no material right of (" << p.X << ", " << p.Y << ")";
                ++wrong;
            }
            if (judge.IsMaterial({p.X - right.X, p.Y - right.Y})) {
                ADD_FAILURE() << name << ": material left of (" << p.X << ", " << p.Y << ")";
                ++wrong;
            }
            if (wrong > 5)
                return wrong;
        }
    }
    return wrong;
}

} // namespace

TEST(SampleJobs, EveryRoughingWithEveryPairOfSampleKnivesLeavesWhatTheExactSweepLeaves) {
    std::vector<std::pair<std::string, std::string>> pairs;
    std::vector<std::string> sharp;
    // The turning knives: the grooving, parting and threading ones do not turn along a flank. The
    // sharp ones pair every way; the nose knives' many small moves pair as they are meant to.
    for (const auto& entry : std::filesystem::directory_iterator(TORVEX_DATA "/Knives"))
        if (std::string name = entry.path().stem().string();
            !name.starts_with("Groove") && !name.starts_with("Part") &&
            !name.starts_with("Thread") && !name.ends_with("04"))
            sharp.push_back(name);
    ASSERT_EQ(sharp.size(), 7u);
    for (const std::string& left : sharp)
        for (const std::string& right : sharp)
            pairs.emplace_back(left, right);
    pairs.emplace_back("FinishL04", "FinishR04");
    for (const std::string& model : SampleModels(TORVEX_DATA))
        for (const auto& [left, right] : pairs) {
            SampleJob job =
                BuildSampleJob(TORVEX_DATA, model, SampleJobKind::Roughing, {0, 2, 4}, left, right);
            std::string name = job.Name + " " + left + "/" + right;
            PointChain simulated = Simulated(job);
            ASSERT_EQ(Disagreements(simulated, SweepJudge(job), name), 0);
            // The check takes away the same material.
            CheckResult check =
                CheckToolpath(*job.Toolpath, job.Space->Shaft, job.Space->StockShaft);
            ASSERT_LT(ProfileDistance(check.Material, simulated), 0.01) << name;
        }
}

TEST(SampleJobs, TheMachinedStockSavedAsAStockFileLoadsBackAsItWas) {
    std::filesystem::path file = std::filesystem::temp_directory_path() / "torvex-machined.mdls";
    std::vector<SampleJob> jobs = BuildSampleJobs(TORVEX_DATA);
    // The shoulder knives leave undercuts: profiles that turn back in X.
    for (const std::string& model : SampleModels(TORVEX_DATA))
        jobs.push_back(BuildSampleJob(TORVEX_DATA, model, SampleJobKind::Roughing, {0, 2, 4},
                                      "ShoulderL", "ShoulderR"));
    for (const SampleJob& job : jobs) {
        std::vector<TPoint> machined = Simulated(job);
        SaveStockFile(file, machined);
        TShaft stock;
        RecordingMessageSink messages;
        ASSERT_TRUE(stock.LoadFromFile(file, messages)) << job.Name;
        // Pieces of one straight line load as one line: the profile is the same.
        std::vector<TPoint> loaded = ProfileChain(stock);
        EXPECT_LT(ProfileDistance(loaded, machined), 1e-9) << job.Name;
        EXPECT_EQ(loaded.front(), machined.front());
        EXPECT_EQ(loaded.back(), machined.back());
    }
    std::filesystem::remove(file);
}

TEST(SampleJobs, FullLengthRoughingLeavesTheFinalLevelOverThePart) {
    // The production part's full-length roughing: radius 26 down to the highest point 24 plus the
    // rest.
    SampleJob job = BuildSampleJob(TORVEX_DATA, "production", SampleJobKind::Roughing, {0},
                                   "ShoulderL", "ShoulderR");
    EXPECT_THAT(Simulated(job), IsProfile({{0, 0}, {0, 24.5}, {180, 24.5}, {180, 0}}));
}
