#include "simulation/move_by_move.h"

#include "geometry/shaft.h"
#include "platform/message_sink.h"
#include "tests/simulation/simulation_fixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

using namespace torvex;
using namespace torvex::fixtures;

namespace {

constexpr double RapidFeed = 6000;
constexpr MoveKind Rapid = MoveKind::Rapid;
constexpr double Radial = 100;
constexpr double Axial = 200;

TSimulation Simulating(const Profile& stock, const std::vector<Move>& moves) {
    return TSimulation(Rough80().Points, stock, PathOf(moves));
}

Profile SampleStock(const std::string& model) {
    TShaft stock;
    RecordingMessageSink messages;
    EXPECT_TRUE(
        stock.LoadFromFile(TORVEX_DATA "/Models/" + model + ".mdls", messages, ShaftKind::Stock));
    Profile points;
    for (const TPunct& p : stock.Points)
        points.push_back({p.X, p.Y});
    return points;
}

// The moves of a full-length roughing: passes from the left end to beyond the right end at each
// level, lifting off and returning at the rapid feed, then the retract.
std::vector<Move> FullLengthRoughing(double left, double right, std::vector<double> levels,
                                     double safe) {
    std::vector<Move> moves = {{left, safe, RapidFeed, Rapid}};
    for (double y : levels) {
        moves.push_back({left, y, Radial});
        moves.push_back({right, y, Axial});
        moves.push_back({right - 2, y + 2, Axial});
        moves.push_back({left, y + 2, RapidFeed, Rapid});
    }
    moves.pop_back();
    moves.push_back({right, safe, Radial});
    return moves;
}

// Layers cut from beyond the right end in to their stop, lifting off and returning at the rapid
// feed.
std::vector<Move> SideRoughing(double out, std::vector<std::pair<double, double>> layers,
                               double safe) {
    std::vector<Move> moves = {{out, safe, RapidFeed, Rapid}};
    for (auto [y, stop] : layers) {
        moves.push_back({out, y, Radial});
        moves.push_back({stop, y, Axial});
        moves.push_back({stop + 2, y + 2, Axial});
        moves.push_back({out, y + 2, RapidFeed, Rapid});
    }
    moves.push_back({out, safe, RapidFeed, Rapid});
    return moves;
}

void ExpectWellFormed(const Profile& before, const Profile& after) {
    ASSERT_GE(after.size(), 2u);
    EXPECT_EQ(after.front(), before.front());
    EXPECT_EQ(after.back(), before.back());
    for (size_t k = 1; k < after.size(); ++k)
        EXPECT_LE(after[k - 1].X, after[k].X) << "folds back at point " << k;
    for (const TPoint& p : after)
        EXPECT_TRUE(std::isfinite(p.X) && std::isfinite(p.Y));
}

} // namespace

TEST(MoveByMove, RapidMovesRemoveNothing) {
    TSimulation simulation = Simulating(Bar, {{-2, 25, RapidFeed, Rapid},
                                              {40, 10, RapidFeed, Rapid},
                                              {82, 10, RapidFeed, Rapid},
                                              {40, 5, RapidFeed, Rapid},
                                              {-2, 5, RapidFeed, Rapid}});
    RunMoveByMove(simulation);
    EXPECT_EQ(simulation.Stock, Bar);
}

TEST(MoveByMove, TheFirstMoveComesFromTheRunsStartPosition) {
    // A toolpath's first point is its rapid entry: the tool is placed there and the plunge at
    // the right end sweeps nothing on its way down.
    TSimulation fromTheRight =
        Simulating(Bar, {{82, 30, RapidFeed, Rapid}, {82, 20, Radial}, {50, 20, Axial}});
    EXPECT_EQ(RunMoveByMove(fromTheRight), (TPoint{50, 20}));
    EXPECT_THAT(fromTheRight.Stock,
                IsProfile({{0, 0}, {0, 22}, {46, 22}, {46, 20.71}, {50, 20}, {80, 20}, {80, 0}}));
    // A first point reached at a cutting feed is cut from (-10, 37): the right flank comes down
    // over the bar's left corner.
    TSimulation fromTheStart = Simulating(Bar, {{-2, 20, Radial}});
    RunMoveByMove(fromTheStart);
    EXPECT_THAT(fromTheStart.Stock,
                IsProfile({{0, 0}, {0, 20.355}, {2, 20.71}, {2, 22}, {80, 22}, {80, 0}}));
}

TEST(MoveByMove, EachSweepStartsWhereTheToolReallyWas) {
    // A pass to x = 40, a rapid retract and return, a plunge and a shorter pass to x = 30: the
    // plunge does not sweep back from where the first pass ended, so the material between the
    // second pass's flank (x = 34) and x = 40 stays at the first pass's level.
    TSimulation simulation = Simulating(Bar, {{-6, 30, RapidFeed, Rapid},
                                              {-6, 25, RapidFeed, Rapid},
                                              {-6, 20, Radial},
                                              {40, 20, Axial},
                                              {40, 25, RapidFeed, Rapid},
                                              {-6, 25, RapidFeed, Rapid},
                                              {-6, 18, Radial},
                                              {30, 18, Axial},
                                              {30, 25, RapidFeed, Rapid}});
    RunMoveByMove(simulation);
    EXPECT_THAT(simulation.Stock, IsProfile({{0, 0},
                                             {0, 18},
                                             {30, 18},
                                             {34, 18.71},
                                             {34, 20},
                                             {40, 20},
                                             {44, 20.71},
                                             {44, 22},
                                             {80, 22},
                                             {80, 0}}));
}

TEST(MoveByMove, FullLengthRoughingLeavesTheFinalLevelOverTheLength) {
    Profile stock = SampleStock("collared");
    ASSERT_EQ(stock, Bar);
    TSimulation simulation = Simulating(stock, FullLengthRoughing(-2, 82, {21.5, 21, 20.5}, 25));
    RunMoveByMove(simulation);
    EXPECT_THAT(simulation.Stock, IsProfile({{0, 0}, {0, 20.5}, {80, 20.5}, {80, 0}}));
}

TEST(MoveByMove, SideRoughingLeavesAStaircase) {
    // Layers from the right end, each one deeper and shorter: every layer sweeps over the flank
    // the layer above left, and the flank of each layer stays where the tool stopped.
    TSimulation simulation = Simulating(Bar, SideRoughing(82, {{21, 60}, {20, 63}, {19, 66}}, 27));
    RunMoveByMove(simulation);
    EXPECT_THAT(simulation.Stock, IsProfile({{0, 0},
                                             {0, 22},
                                             {56, 22},
                                             {56, 21.71},
                                             {59, 21.1775},
                                             {59, 20.71},
                                             {62, 20.1775},
                                             {62, 19.71},
                                             {66, 19},
                                             {80, 19},
                                             {80, 0}}));
}

TEST(MoveByMove, MoveToolCutsOnlyCuttingMovesThatChangeX) {
    TSimulation simulation = Simulating(Bar, {});
    simulation.SplitOutline();
    TPoint last{-2, 20};
    // A rapid move removes nothing, whatever its feed; a feed move at the rapid's 6000 mm/min cuts.
    EXPECT_FALSE(MoveTool(simulation, {.X = 40, .Y = 20, .Feed = RapidFeed, .Kind = Rapid}, last));
    EXPECT_EQ(last, (TPoint{40, 20}));
    EXPECT_FALSE(MoveTool(simulation, {.X = 40, .Y = 10, .Feed = Radial}, last));
    EXPECT_EQ(last, (TPoint{40, 10}));
    EXPECT_EQ(simulation.Stock, Bar);
    last = {-2, 20};
    EXPECT_TRUE(MoveTool(simulation, {.X = 30, .Y = 20, .Feed = RapidFeed}, last));
    EXPECT_EQ(last, (TPoint{30, 20}));
    EXPECT_EQ(simulation.Stock[1], (TPoint{0, 20}));
}

TEST(MoveByMove, AnUnusableOutlineIsRefusedBeforeTheFirstMove) {
    for (const auto& [outline, message] :
         {std::pair{Profile{}, NoToolOutlineText(ToolSide::Left)},
          std::pair{Profile{{-4, 12}, {-4, 0.71}, {4, 0.71}, {4, 12}},
                    NoToolTipText(ToolSide::Left)}}) {
        TPctList points;
        for (const TPoint& p : outline)
            points.AddXY(p.X, p.Y);
        TSimulation simulation(points, Bar, PathOf({{-2, 25, RapidFeed, Rapid}, {40, 20, Axial}}));
        try {
            RunMoveByMove(simulation);
            ADD_FAILURE() << "the run started";
        } catch (const SimulationError& e) {
            EXPECT_EQ(e.what(), message);
        }
        EXPECT_EQ(simulation.Stock, Bar);
    }
}

TEST(MoveByMove, SampleStocksStayInProfileOrderUnderRoughing) {
    for (const std::string model : {"collared", "chamfered", "arcs", "taper", "production"}) {
        SCOPED_TRACE(model);
        Profile stock = SampleStock(model);
        double length = stock.back().X;
        double radius = stock[1].Y;
        std::vector<double> levels;
        for (double y = radius - 1.5; y > radius / 2; y -= 1.5)
            levels.push_back(y);
        std::vector<std::pair<double, double>> layers;
        for (size_t k = 0; k < levels.size(); ++k)
            layers.push_back({levels[k], length * (0.5 + 0.05 * static_cast<double>(k))});

        for (const auto& moves : {FullLengthRoughing(-2, length + 2, levels, radius + 5),
                                  SideRoughing(length + 2, layers, radius + 5)}) {
            TSimulation simulation = Simulating(stock, moves);
            RunMoveByMove(simulation);
            ExpectWellFormed(stock, simulation.Stock);
        }
    }
}

TEST(MoveByMove, RandomCuttingPathsKeepTheProfileInOrder) {
    // Axial, radial and oblique moves at random over a bar and over a stepped profile, with each
    // of the sample knives.
    const Profile stepped = {{0, 0},   {0, 10},  {20, 10}, {20, 18}, {30, 22},
                             {50, 22}, {50, 14}, {80, 14}, {80, 0}};
    std::mt19937 random(20240517);
    std::uniform_real_distribution<double> x(-10, 90);
    std::uniform_real_distribution<double> y(0, 30);
    for (const std::string name : {"Rough80", "Finish35", "Left45"}) {
        TKnife knife = SampleKnife(name);
        for (int run = 0; run < 100; ++run) {
            const Profile& stock = run % 2 ? stepped : Bar;
            std::vector<Move> moves;
            TPoint at{x(random), y(random)};
            for (int k = 0; k < 30; ++k) {
                if (k % 3 != 1)
                    at.X = x(random);
                if (k % 3 != 0)
                    at.Y = y(random);
                moves.push_back({at.X, at.Y, k % 5 == 4 ? RapidFeed : Axial,
                                 k % 5 == 4 ? Rapid : MoveKind::Feed});
            }
            TSimulation simulation(knife.Points, stock, PathOf(moves));
            RunMoveByMove(simulation);
            SCOPED_TRACE(name + " run " + std::to_string(run));
            ExpectWellFormed(stock, simulation.Stock);
        }
    }
}
