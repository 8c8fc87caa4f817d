#include "simulation/simulation.h"
#include "tests/simulation/simulation_fixtures.h"

#include <gtest/gtest.h>

using namespace torvex;
using namespace torvex::fixtures;

namespace {

TSimulation Cutting(const Profile& stock, const std::string& knife = "Rough80") {
    return TSimulation(BothTools(knife), TMaterial(stock), TPctList{});
}

Profile CutOnce(const Profile& stock, TPoint from, TPoint to) {
    TSimulation simulation = Cutting(stock);
    simulation.Cut(from, to, ToolSide::Left);
    return simulation.Stock();
}

} // namespace

TEST(TSimulationPosition, FollowsTheThreePointPath) {
    // Points at times 0, 2 and 6: two moves at 60 mm/min of 2 and 4 mm.
    TSimulation simulation(BothTools("Rough80"), TMaterial(Bar),
                           PathOf({{0, 0, 60}, {2, 0, 60}, {2, 4, 60}}));
    ASSERT_EQ(simulation.Path[2].TotalTime, 6);
    EXPECT_EQ(simulation.PositionAt(4), (TPoint{2, 2}));
    EXPECT_EQ(simulation.SegIndex, 2);
    EXPECT_EQ(simulation.PositionAt(1), (TPoint{1, 0}));
    EXPECT_EQ(simulation.SegIndex, 1);
    // At a point's time, that point exactly.
    EXPECT_EQ(simulation.PositionAt(0), (TPoint{0, 0}));
    EXPECT_EQ(simulation.SegIndex, 0);
    EXPECT_EQ(simulation.PositionAt(2), (TPoint{2, 0}));
    EXPECT_EQ(simulation.SegIndex, 1);
    EXPECT_EQ(simulation.PositionAt(6), (TPoint{2, 4}));
    EXPECT_EQ(simulation.SegIndex, 2);
    // After the end, the end marker; SegIndex keeps its value.
    EXPECT_TRUE(IsEndMarker(simulation.PositionAt(6.001)));
    EXPECT_EQ(simulation.SegIndex, 2);
    // Before the start the tool waits at the first point.
    EXPECT_EQ(simulation.PositionAt(-1), (TPoint{0, 0}));
    EXPECT_TRUE(IsEndMarker(Cutting(Bar).PositionAt(0)));
}

TEST(TSimulationCut, AnAxialCutLowersTheStockBetweenItsPositionsAndLeavesTheFlank) {
    // Moving right the right flank (4, 0.71), (4, 12) stands where the tool stops.
    EXPECT_THAT(CutOnce(Bar, {-2, 20}, {30, 20}),
                IsProfile({{0, 0}, {0, 20}, {30, 20}, {34, 20.71}, {34, 22}, {80, 22}, {80, 0}}));
    // Moving left the left flank does.
    EXPECT_THAT(CutOnce(Bar, {82, 20}, {50, 20}),
                IsProfile({{0, 0}, {0, 22}, {46, 22}, {46, 20.71}, {50, 20}, {80, 20}, {80, 0}}));
    // Through both end faces the whole length comes down.
    EXPECT_THAT(CutOnce(Bar, {82, 20}, {-2, 20}), IsProfile({{0, 0}, {0, 20}, {80, 20}, {80, 0}}));
}

TEST(TSimulationCut, AKnifeWithARoundedCornerLeavesItsRoundInTheStock) {
    std::vector<std::string> file = ReadTextLines(std::string(TORVEX_FIXTURES "/Groove4R1.knf"));
    TKnife knife;
    knife.LoadFromLines(std::vector<std::string>(file.begin() + 10, file.end()));
    KnifeShape shape{"Groove4R1", KnifeOutline(knife, "Groove4R1")};
    TSimulation simulation({shape, shape}, TMaterial(Bar), TPctList{});
    // Moving left, the left flank stands where the tool stops: its corner of radius 1 about
    // (49, 21) joins the flank at x 48 to the cut at height 20, to within the profile's tolerance.
    simulation.Cut({82, 20}, {50, 20}, ToolSide::Left);
    size_t onTheRound = 0;
    for (const TPoint& p : simulation.Stock()) {
        if (p.X > 48 && p.X < 49) {
            ++onTheRound;
            EXPECT_NEAR(std::hypot(p.X - 49, p.Y - 21), 1, ProfileTolerance) << p.X << ", " << p.Y;
        }
    }
    EXPECT_GE(onTheRound, 5u);
}

TEST(TSimulationCut, RapidMovesTakeAwayWhatTheirKnifeMeetsAndMissesChangeNothing) {
    TSimulation simulation = Cutting(Bar);
    EXPECT_FALSE(simulation.Cut({-2, 25}, {82, 25}, ToolSide::Left)); // above the bar
    EXPECT_EQ(simulation.Stock(), Bar);
    TSimulation crash(BothTools("Rough80"), TMaterial(Bar),
                      PathOf({{40, 30, 6000, MoveKind::Rapid}, {40, 15, 6000, MoveKind::Rapid}}));
    EXPECT_TRUE(crash.Cut({40, 30}, {40, 15}, ToolSide::Left));
    EXPECT_THAT(crash.Stock(), IsProfile({{0, 0},
                                          {0, 22},
                                          {36, 22},
                                          {36, 15.71},
                                          {40, 15},
                                          {44, 15.71},
                                          {44, 22},
                                          {80, 22},
                                          {80, 0}}));
}

TEST(TSimulationCut, AToolThatMovesWithoutAKnifeIsRefused) {
    KnifeShape none{"right tool", {}};
    KnifeShape rough{"Rough80", KnifeOutline(Rough80(), "Rough80")};
    TPctList path =
        PathOf({{82, 30, 6000, MoveKind::Rapid}, {82, 20, 100, MoveKind::Feed, ToolSide::Right}});
    try {
        TSimulation simulation({rough, none}, TMaterial(Bar), path);
        ADD_FAILURE() << "a tool without a knife was accepted";
    } catch (const SimulationError& e) {
        EXPECT_EQ(e.what(), NoKnifeOutlineText(ToolSide::Right));
    }
    TSimulation leftOnly({rough, none}, TMaterial(Bar), TPctList{});
    EXPECT_THROW(leftOnly.Cut({82, 20}, {50, 20}, ToolSide::Right), SimulationError);
}

TEST(TSimulationCut, AKnifeRoundedAtItsTipCutsWithItsNose) {
    // Read with the nose's lowest point as its tip, the rounded 90 degree point moving left, it
    // leaves the nose's left eighth about (50, 21), from the cut at height 20 up to where the flank
    // takes over, 1 / sqrt 2 to the left.
    KnifeShape nose{"RoundedPoint", KnifeOutline(torvex::testing::RoundedPoint(), "RoundedPoint")};
    TSimulation simulation({nose, nose}, TMaterial(Bar), TPctList{});
    simulation.Cut({50, 20}, {82, 20}, ToolSide::Left);
    size_t onTheNose = 0;
    for (const TPoint& p : simulation.Stock()) {
        if (p.X > 49.3 && p.X < 50) {
            ++onTheNose;
            EXPECT_NEAR(std::hypot(p.X - 50, p.Y - 21), 1, ProfileTolerance) << p.X << ", " << p.Y;
        }
    }
    EXPECT_GE(onTheNose, 5u);
}
