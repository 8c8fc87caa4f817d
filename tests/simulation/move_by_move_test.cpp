#include "simulation/move_by_move.h"

#include "geometry/shaft.h"
#include "platform/message_sink.h"
#include "tests/simulation/simulation_fixtures.h"

#include <gtest/gtest.h>

#include <string>

using namespace torvex;
using namespace torvex::fixtures;

namespace {

constexpr double RapidFeed = 6000;
constexpr MoveKind Rapid = MoveKind::Rapid;
constexpr double Radial = 100;
constexpr double Axial = 200;

TSimulation Simulating(const Profile& stock, const std::vector<Move>& moves) {
    return TSimulation(BothTools("Rough80"), TMaterial(stock), PathOf(moves));
}

Profile SampleStock(const std::string& model) {
    TShaft stock;
    RecordingMessageSink messages;
    EXPECT_TRUE(stock.LoadFromFile(TORVEX_DATA "/Models/" + model + ".mdls", messages));
    return ProfileChain(stock);
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

} // namespace

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
    EXPECT_THAT(simulation.Stock(), IsProfile({{0, 0},
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
    EXPECT_THAT(simulation.Stock(), IsProfile({{0, 0}, {0, 20.5}, {80, 20.5}, {80, 0}}));
}

TEST(MoveByMove, SideRoughingLeavesAStaircase) {
    // Layers from the right end, each one deeper and shorter: every layer sweeps over the flank
    // the layer above left, and the flank of each layer stays where the tool stopped.
    TSimulation simulation = Simulating(Bar, SideRoughing(82, {{21, 60}, {20, 63}, {19, 66}}, 27));
    RunMoveByMove(simulation);
    EXPECT_THAT(simulation.Stock(), IsProfile({{0, 0},
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
