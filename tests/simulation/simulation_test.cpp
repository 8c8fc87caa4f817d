#include "simulation/simulation.h"
#include "tests/simulation/simulation_fixtures.h"

#include <gtest/gtest.h>

using namespace torvex;
using namespace torvex::fixtures;

namespace {

TPctList OutlineOf(const Profile& points) {
    TPctList outline;
    for (const TPoint& p : points)
        outline.AddXY(p.X, p.Y);
    return outline;
}

const Profile SmallTool = {{-2, 5}, {0, 0}, {3, 5}};

TSimulation Split(const Profile& tool) {
    TSimulation simulation(OutlineOf(tool), Profile{}, TPctList{});
    simulation.SplitOutline();
    return simulation;
}

// A simulation of the sample roughing knife on the given stock.
TSimulation Cutting(const Profile& stock) {
    TSimulation simulation(Rough80().Points, stock, TPctList{});
    simulation.SplitOutline();
    return simulation;
}

Profile CutOnce(const Profile& stock, TPoint from, TPoint to) {
    TSimulation simulation = Cutting(stock);
    simulation.Cut(to, from);
    return simulation.Stock;
}

} // namespace

TEST(TSimulationOutline, SplitsAtTheTipIntoTwoFlanksEndingThere) {
    TSimulation simulation = Split(SmallTool);
    EXPECT_EQ(simulation.Knife(ToolSide::Left).LeftFlank, (Profile{{-2, 5}, {0, 0}}));
    EXPECT_EQ(simulation.Knife(ToolSide::Left).RightFlank, (Profile{{3, 5}, {0, 0}}));

    TSimulation knife = Cutting(Bar);
    EXPECT_EQ(knife.Knife(ToolSide::Left).LeftFlank, (Profile{{-4, 12}, {-4, 0.71}, {0, 0}}));
    EXPECT_EQ(knife.Knife(ToolSide::Left).RightFlank, (Profile{{4, 12}, {4, 0.71}, {0, 0}}));
}

TEST(TSimulationOutline, RefusesAnEmptyOutlineOrOneWithoutItsTip) {
    try {
        Split({});
        FAIL() << "an empty outline was accepted";
    } catch (const SimulationError& e) {
        EXPECT_EQ(e.what(), NoToolOutlineText(ToolSide::Left));
    }
    try {
        Split({{-2, 5}, {0, 0.5}, {3, 5}});
        FAIL() << "an outline without its tip was accepted";
    } catch (const SimulationError& e) {
        EXPECT_EQ(e.what(), NoToolTipText(ToolSide::Left));
    }
}

TEST(TSimulationSweep, TheFlankFacingTheMoveLeadsAndThePreviousTipClosesIt) {
    struct Case {
        TPoint Current, Previous;
        Profile Sweep;
        double MinX, MaxX, MinY;
    };
    for (const Case& c :
         {Case{{10, 4}, {12, 4}, {{8, 9}, {10, 4}, {12.01, 4}, {12.01, 9}}, 8, 12.01, 4},
          Case{{12, 4}, {10, 6}, {{15, 9}, {12, 4}, {9.99, 6}, {9.99, 9}}, 9.99, 15, 4}}) {
        TSimulation simulation = Split(SmallTool);
        simulation.BuildSweep(c.Current, c.Previous);
        EXPECT_THAT(simulation.Sweep, IsProfile(c.Sweep));
        EXPECT_EQ(simulation.SweepMinX, c.MinX);
        EXPECT_EQ(simulation.SweepMaxX, c.MaxX);
        EXPECT_EQ(simulation.SweepMinY, c.MinY);
    }
}

TEST(TSimulationSweep, StockPointsInsideAndOutside) {
    TSimulation simulation = Split(SmallTool);
    simulation.BuildSweep({10, 4}, {12, 4});
    EXPECT_TRUE(simulation.IsInsideSweep({11, 6}));    // crossings at 9.2 and 12.01
    EXPECT_FALSE(simulation.IsInsideSweep({11, 4}));   // not above the lower position
    EXPECT_FALSE(simulation.IsInsideSweep({12.5, 6})); // behind the previous position
    EXPECT_FALSE(simulation.IsInsideSweep({9, 6}));    // in front of the flank (crossing 9.2)
    EXPECT_TRUE(simulation.IsInsideSweep({9.5, 6}));
}

TEST(TSimulationSweep, HorizontalSweepEdgeAtThePointsHeightCountsAsNoCrossing) {
    // A flank that starts with a horizontal edge: at exactly that height the point is judged by
    // the flank below it (x = 9) and the trailing side (x = 14.01).
    TSimulation flatTop = Split({{-3, 6}, {-1, 6}, {0, 0}, {3, 6}});
    flatTop.BuildSweep({10, 0}, {14, 0});
    EXPECT_TRUE(flatTop.IsInsideSweep({12, 6}));
    EXPECT_FALSE(flatTop.IsInsideSweep({8, 6}));
    // A step half way up the flank, from x = 9 to 9.5 at y = 2.
    TSimulation stepped = Split({{-3, 6}, {-1, 2}, {-0.5, 2}, {0, 0}, {3, 6}});
    stepped.BuildSweep({10, 0}, {14, 0});
    EXPECT_TRUE(stepped.IsInsideSweep({12, 2}));
    EXPECT_FALSE(stepped.IsInsideSweep({8.5, 2}));
}

TEST(TSimulationSweep, NoChangeOfXSweepsNothing) {
    TSimulation simulation = Split(SmallTool);
    simulation.BuildSweep({10, 4}, {10, 20});
    EXPECT_EQ(simulation.Sweep, (Profile{{8, 9}, {10, 4}, {13, 9}}));
    EXPECT_FALSE(simulation.IsInsideSweep({10, 10}));
    EXPECT_FALSE(simulation.IsInsideSweep({9.5, 8}));
}

TEST(TSimulationPosition, FollowsTheThreePointPath) {
    // Points at times 0, 2 and 6: two moves at 60 mm/min of 2 and 4 mm.
    TSimulation simulation(OutlineOf(SmallTool), Profile{},
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
    TPoint after = simulation.PositionAt(6.001);
    EXPECT_EQ(after.X, -1000000.0);
    EXPECT_TRUE(IsEndMarker(after));
    EXPECT_EQ(simulation.SegIndex, 2);
}

TEST(TSimulationPosition, AnEmptyPathIsOverAtOnceAndANegativeTimeWaitsAtTheStart) {
    TSimulation empty(OutlineOf(SmallTool), Profile{}, TPctList{});
    EXPECT_TRUE(IsEndMarker(empty.PositionAt(0)));
    TSimulation simulation(OutlineOf(SmallTool), Profile{}, PathOf({{3, 1, 60}, {5, 1, 60}}));
    EXPECT_EQ(simulation.PositionAt(-1), (TPoint{3, 1}));
    EXPECT_EQ(simulation.SegIndex, 0);
}

TEST(TSimulationRebuild, DropsTheInsideOfAHorizontalRun) {
    TSimulation simulation = Split(SmallTool);
    simulation.Work = {{0, 0}, {0, 10}, {5, 10}, {9, 10}, {20, 10}, {20, 0}};
    simulation.RebuildStock();
    EXPECT_EQ(simulation.Stock, (Profile{{0, 0}, {0, 10}, {20, 10}, {20, 0}}));
}

TEST(TSimulationRebuild, DropsClustersAndStepsBackButNeverACorner) {
    TSimulation simulation = Split(SmallTool);
    // A cluster narrower than 0.009 mm in the middle of a slope goes, its ends stay.
    simulation.Work = {{0, 0}, {0, 10}, {4, 12}, {4.004, 12.002}, {4.008, 12.004}, {8, 14}, {8, 0}};
    simulation.RebuildStock();
    EXPECT_EQ(simulation.Stock,
              (Profile{{0, 0}, {0, 10}, {4, 12}, {4.008, 12.004}, {8, 14}, {8, 0}}));
    // A step back at the same height goes.
    simulation.Work = {{0, 0}, {0, 8}, {6, 10}, {5, 10}, {5, 7}, {9, 7}, {9, 0}};
    simulation.RebuildStock();
    EXPECT_EQ(simulation.Stock, (Profile{{0, 0}, {0, 8}, {6, 10}, {5, 7}, {9, 7}, {9, 0}}));
    // Close in X but far in Y is not a cluster: the top corner of a face stays.
    simulation.Work = {{0, 0}, {0, 21.5}, {0.005, 22}, {0.008, 22}, {80, 22}, {80, 0}};
    simulation.RebuildStock();
    EXPECT_EQ(simulation.Stock, (Profile{{0, 0}, {0, 21.5}, {0.005, 22}, {80, 22}, {80, 0}}));
}

TEST(TSimulationRebuild, ACornerLandedOnTwiceKeepsOneCopy) {
    TSimulation simulation = Split(SmallTool);
    simulation.Work = {{0, 0}, {0, 22}, {0, 22}, {80, 22}, {80, 0}};
    simulation.RebuildStock();
    EXPECT_EQ(simulation.Stock, Bar);
}

TEST(TSimulationRebuild, KeepsShortProfilesWhole) {
    TSimulation simulation = Split(SmallTool);
    simulation.Work = {{3, 4}};
    simulation.RebuildStock();
    EXPECT_EQ(simulation.Stock, (Profile{{3, 4}}));
    simulation.Work = {{3, 4}, {3, 4}};
    simulation.RebuildStock();
    EXPECT_EQ(simulation.Stock, (Profile{{3, 4}, {3, 4}}));
}

TEST(TSimulationCut, AxialCutLowersTheStockBetweenItsPositionsAndLeavesTheFlank) {
    // Moving right the right flank (4, 0.71), (4, 12) stands where the tool stops.
    EXPECT_THAT(CutOnce(Bar, {-2, 20}, {30, 20}),
                IsProfile({{0, 0}, {0, 20}, {30, 20}, {34, 20.71}, {34, 22}, {80, 22}, {80, 0}}));
    // Moving left the left flank does.
    EXPECT_THAT(CutOnce(Bar, {82, 20}, {50, 20}),
                IsProfile({{0, 0}, {0, 22}, {46, 22}, {46, 20.71}, {50, 20}, {80, 20}, {80, 0}}));
}

TEST(TSimulationCut, APassThroughAnEndFaceLowersEverythingItSweeps) {
    EXPECT_THAT(CutOnce(Bar, {-2, 20}, {82, 20}), IsProfile({{0, 0}, {0, 20}, {80, 20}, {80, 0}}));
    EXPECT_THAT(CutOnce(Bar, {82, 20}, {-2, 20}), IsProfile({{0, 0}, {0, 20}, {80, 20}, {80, 0}}));
}

TEST(TSimulationCut, MovesThatSweepNothingRemoveNothing) {
    EXPECT_EQ(CutOnce(Bar, {30, 30}, {30, 10}), Bar); // no change of X, even into the bar
    EXPECT_EQ(CutOnce(Bar, {-2, 25}, {82, 25}), Bar); // above the bar
    EXPECT_EQ(CutOnce(Bar, {20, 20}, {40, 20}), Bar); // no stock point inside the sweep
}

TEST(TSimulationCut, ProfilesWithoutInteriorPointsStayAsTheyAre) {
    for (const Profile& stock : {Profile{}, Profile{{0, 22}}, Profile{{0, 22}, {80, 22}}}) {
        EXPECT_EQ(CutOnce(stock, {-2, 20}, {40, 20}), stock);
        EXPECT_EQ(CutOnce(stock, {-2, 20}, {82, 20}), stock);
    }
}

TEST(TSimulationCut, BothCrossingsOnOneSweepEdgeKeepTheBarsTopCorner) {
    // The flank's lower edge (0, 0)-(4, 0.71) crosses both the face and the top of the bar.
    Profile stock = CutOnce(Bar, {-10, 21.4}, {-3, 21.4});
    double faceY = 21.4 + 3 * 0.71 / 4;
    double topX = -3 + 0.6 * 4 / 0.71;
    EXPECT_THAT(stock, IsProfile({{0, 0}, {0, faceY}, {topX, 22}, {80, 22}, {80, 0}}));
}

TEST(TSimulationCut, SeveralStockPointsInOneSweepEachTakeTheirOwnCrossings) {
    // Two ridges at x = 11 and x = 21; a pass at 20.5 cuts both tops off.
    Profile ridged = {{0, 0},   {0, 20},  {10, 20}, {11, 21}, {12, 20},
                      {20, 20}, {21, 21}, {22, 20}, {80, 20}, {80, 0}};
    EXPECT_THAT(CutOnce(ridged, {30, 20.5}, {5, 20.5}), IsProfile({{0, 0},
                                                                   {0, 20},
                                                                   {10, 20},
                                                                   {10.5, 20.5},
                                                                   {11.5, 20.5},
                                                                   {12, 20},
                                                                   {20, 20},
                                                                   {20.5, 20.5},
                                                                   {21.5, 20.5},
                                                                   {22, 20},
                                                                   {80, 20},
                                                                   {80, 0}}));
}

TEST(TSimulationCut, SweptPointsJoinedInsideTheSweepGoTogether) {
    // The flank left by the first cut lies wholly inside the second cut's sweep: the sweep's
    // outline runs from the crossing before it, at the first cut's tip, to the crossing after
    // it, on the bar's top, and the new flank stands where the tool stops.
    TSimulation simulation = Cutting(Bar);
    simulation.Cut({30, 20}, {-2, 20});
    simulation.Cut({40, 20}, {30, 20});
    EXPECT_THAT(simulation.Stock,
                IsProfile({{0, 0}, {0, 20}, {40, 20}, {44, 20.71}, {44, 22}, {80, 22}, {80, 0}}));
    // Stepping on in short moves, as the playback does frame by frame, gives the same profile.
    for (int k = 1; k <= 200; ++k)
        simulation.Cut({40 + k * 0.05, 20}, {40 + (k - 1) * 0.05, 20});
    const Profile& stock = simulation.Stock;
    ASSERT_EQ(stock.size(), 7u);
    EXPECT_EQ(stock[1], (TPoint{0, 20}));
    EXPECT_NEAR(stock[2].X, 50, 1e-9);
    EXPECT_NEAR(stock[3].X, 54, 1e-9);
    EXPECT_NEAR(stock[3].Y, 20.71, 1e-9);
    EXPECT_EQ(stock[4].Y, 22);
}

TEST(TSimulationCut, APartThatDoesNotStartAtZeroHasItsEndFacesWhereItsProfileIs) {
    Profile offsetBar = {{5, 0}, {5, 22}, {85, 22}, {85, 0}};
    // Stopping short of the right face at 85 is no pass through it.
    EXPECT_THAT(
        CutOnce(offsetBar, {3, 20}, {80.5, 20}),
        IsProfile({{5, 0}, {5, 20}, {80.5, 20}, {84.5, 20.71}, {84.5, 22}, {85, 22}, {85, 0}}));
    EXPECT_THAT(CutOnce(offsetBar, {3, 20}, {87, 20}),
                IsProfile({{5, 0}, {5, 20}, {85, 20}, {85, 0}}));
}

TEST(TSimulationCut, RoundingNeverFoldsTheProfileBack) {
    // A finishing knife passing along a level that earlier cuts left a few units of rounding
    // above and below its own height.
    const Profile stock = {{0, 0},
                           {0, 10},
                           {8.2211513438883514, 10},
                           {8.2211513438883514, 6.5461673365344932},
                           {11.221151343888351, 4.8161673365344937},
                           {11.221151343888351, 4.8161673365344937},
                           {40.466288597659201, 4.8161673365344946},
                           {50, 2.0807621882698122},
                           {80, 2.0807621882698122},
                           {80, 0}};
    TSimulation simulation(SampleKnife("Finish35").Points, stock, TPctList{});
    simulation.SplitOutline();
    simulation.Cut({30.295093304930489, 4.8161673365344937},
                   {64.654525545710143, 4.8161673365344937});
    for (size_t k = 1; k < simulation.Stock.size(); ++k)
        EXPECT_LE(simulation.Stock[k - 1].X, simulation.Stock[k].X) << "at point " << k;
}

TEST(TSimulationCut, AKnifeWithARoundedCornerLeavesItsRoundInTheStock) {
    std::vector<std::string> file = ReadTextLines(std::string(TORVEX_FIXTURES "/Groove4R1.knf"));
    TKnife knife;
    knife.LoadFromLines(std::vector<std::string>(file.begin() + 10, file.end()));
    TSimulation simulation(knife.Points, Bar, TPctList{});
    simulation.SplitOutline();
    // Moving left, the left flank stands where the tool stops: its corner of radius 1 about
    // (49, 21) joins the flank at x 48 to the cut at height 20.
    simulation.Cut({50, 20}, {82, 20});
    size_t onTheRound = 0;
    for (const TPoint& p : simulation.Stock) {
        if (p.X > 48 && p.X < 49) {
            ++onTheRound;
            EXPECT_NEAR(std::hypot(p.X - 49, p.Y - 21), 1, 1e-6) << p.X << ", " << p.Y;
        }
    }
    EXPECT_GE(onTheRound, 5u);
    EXPECT_THAT(simulation.Stock.back(), IsPoint(TPoint{80, 0}));
}

TEST(TSimulationCut, AKnifeRoundedAtItsTipCutsWithItsNose) {
    // Read with the nose's lowest point as its tip, the rounded 90 degree point moving left, it
    // leaves the nose's left eighth about (50, 21), from the cut at height 20 up to where the flank
    // takes over, 1 / sqrt 2 to the left.
    TSimulation simulation(torvex::testing::RoundedPoint().Points, Bar, TPctList{});
    simulation.SplitOutline();
    simulation.Cut({50, 20}, {82, 20});
    size_t onTheNose = 0;
    for (const TPoint& p : simulation.Stock) {
        if (p.X > 49.3 && p.X < 50) {
            ++onTheNose;
            EXPECT_NEAR(std::hypot(p.X - 50, p.Y - 21), 1, 1e-6) << p.X << ", " << p.Y;
        }
    }
    EXPECT_GE(onTheNose, 5u);
}
