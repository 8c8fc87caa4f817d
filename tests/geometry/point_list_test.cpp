#include "geometry/point_list.h"
#include "platform/errors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <utility>
#include <vector>

using namespace torvex;

namespace {

std::vector<std::pair<double, double>> Coordinates(const TPctList& list) {
    std::vector<std::pair<double, double>> result;
    for (const TPunct& p : list)
        result.emplace_back(p.X, p.Y);
    return result;
}

// The plain algorithms the fast paths must agree with: a scan of the whole list for duplicates,
// bubble passes for the sort, single tie passes.
struct PlainList {
    std::vector<std::pair<double, double>> Points;
    void AddXY(double x, double y) {
        for (auto& p : Points)
            if (p.first == x && p.second == y)
                return;
        Points.emplace_back(x, y);
    }
    void SortByX(bool ascendingTies, bool descendingTies) {
        bool exchanged = true;
        while (exchanged) {
            exchanged = false;
            for (size_t i = 0; i + 1 < Points.size(); ++i)
                if (Points[i].first > Points[i + 1].first) {
                    std::swap(Points[i], Points[i + 1]);
                    exchanged = true;
                }
        }
        if (descendingTies)
            for (size_t i = 0; i + 1 < Points.size(); ++i)
                if (Points[i].first == Points[i + 1].first &&
                    Points[i].second < Points[i + 1].second)
                    std::swap(Points[i].second, Points[i + 1].second);
        if (ascendingTies)
            for (size_t i = 0; i + 1 < Points.size(); ++i)
                if (Points[i].first == Points[i + 1].first &&
                    Points[i].second > Points[i + 1].second)
                    std::swap(Points[i].second, Points[i + 1].second);
    }
};

} // namespace

TEST(TPctList, AddPointTimesEachStepFromThePreviousPoint) {
    TPctList list;
    list.AddPoint(0, 0, 1200);
    EXPECT_EQ(list[0].Dist, 0);
    EXPECT_EQ(list[0].TotalTime, 0);
    EXPECT_EQ(list[0].Feed, 1200);
    list.AddPoint(3, 4, 600); // 5 mm at 600 mm/min: 0.5 s
    EXPECT_EQ(list[1].Dist, 5);
    EXPECT_DOUBLE_EQ(list[1].StepTime, 0.5);
    EXPECT_DOUBLE_EQ(list[1].TotalTime, 0.5);
    list.AddPoint(3, 10, 6000);
    EXPECT_DOUBLE_EQ(list[2].TotalTime, 0.56);
}

TEST(TPctList, ZeroFeedIsAnErrorOnlyAfterTheFirstPoint) {
    TPctList list;
    EXPECT_NO_THROW(list.AddPoint(0, 0, 0));
    EXPECT_THROW(list.AddPoint(1, 0, 0), ArithmeticError);
    EXPECT_EQ(list.Count(), 1u);
}

TEST(TPctList, RejectsExactDuplicatesOnlyWhileAsked) {
    TPctList list;
    list.AddXY(1, 2);
    list.AddXY(3, 4);
    list.AddXY(1, 2);
    list.AddXY(-0.0, 0);
    list.AddXY(0, -0.0);
    EXPECT_EQ(list.Count(), 3u);
    list.RejectDuplicates = false;
    list.AddPoint(1, 2, 100);
    EXPECT_EQ(list.Count(), 4u);
    list.RejectDuplicates = true;
    list.AddXY(1, 2);
    EXPECT_EQ(list.Count(), 4u);
    list.Clear();
    list.AddXY(1, 2);
    EXPECT_EQ(list.Count(), 1u);
}

TEST(TPctList, SortKeepsEqualXInOrderAndAppliesEachTiePassOnce) {
    TPctList list;
    for (auto [x, y] : std::vector<std::pair<double, double>>{{5, 3}, {1, 0}, {5, 1}})
        list.AddXY(x, y);
    TPctList ascending = list;
    ascending.SortByX(true, false);
    EXPECT_EQ(Coordinates(ascending),
              (std::vector<std::pair<double, double>>{{1, 0}, {5, 1}, {5, 3}}));
    TPctList plain = list;
    plain.SortByX(false, false);
    EXPECT_EQ(Coordinates(plain), (std::vector<std::pair<double, double>>{{1, 0}, {5, 3}, {5, 1}}));

    // A single pass does not fully order three points at one x.
    TPctList three;
    for (double y : {1.0, 2.0, 3.0})
        three.AddXY(0, y);
    three.SortByX(false, true);
    EXPECT_EQ(Coordinates(three), (std::vector<std::pair<double, double>>{{0, 2}, {0, 3}, {0, 1}}));
    three.SortTiesFully(true);
    EXPECT_EQ(Coordinates(three), (std::vector<std::pair<double, double>>{{0, 3}, {0, 2}, {0, 1}}));
}

TEST(TPctList, SortMovesOnlyCoordinates) {
    TPctList list;
    list.RejectDuplicates = false;
    list.AddPoint(10, 0, 100);
    list.AddPoint(0, 0, 200);
    list.SortByX(false, false);
    EXPECT_EQ(list[0].X, 0);
    EXPECT_EQ(list[0].Feed, 100);
    EXPECT_EQ(list[1].X, 10);
    EXPECT_EQ(list[1].Feed, 200);
}

TEST(TPctList, ExchangeYKeepsTheDuplicateIndexRight) {
    TPctList list;
    list.AddXY(0, 0);
    list.AddXY(0, 5);
    list.ExchangeY(0, 1);
    EXPECT_EQ(list[0].Y, 5);
    list.AddXY(0, 5);
    list.AddXY(0, 0);
    EXPECT_EQ(list.Count(), 2u);
}

TEST(TPctList, PointsAppendedWithoutTheDuplicateTestStillCountAsPresent) {
    TPctList list;
    list.RejectDuplicates = false;
    list.AddPoint(0, 0, 100);
    list.AddPoint(0, 5, 100);
    list.AddPoint(0, 5, 100);
    list.ExchangeY(0, 1);
    EXPECT_TRUE(list.Contains(0, 0));
    TPctList sorted = list;
    sorted.AddPoint(-1, 2, 100);
    sorted.SortByX(true, false);
    sorted.RejectDuplicates = true;
    for (auto [x, y] : std::vector<std::pair<double, double>>{{0, 0}, {0, 5}, {-1, 2}})
        sorted.AddXY(x, y);
    EXPECT_EQ(sorted.Count(), 4u);
    sorted.AddXY(0, 1);
    EXPECT_EQ(sorted.Count(), 5u);
}

TEST(TPctList, FastPathsAgreeWithThePlainAlgorithms) {
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> coarse(0, 12); // few values: many ties and duplicates
    std::uniform_int_distribution<int> flags(0, 3);
    for (int round = 0; round < 300; ++round) {
        TPctList fast;
        PlainList plain;
        int n = round % 60;
        for (int i = 0; i < n; ++i) {
            double x = coarse(random) * 0.5;
            double y = coarse(random) * 0.25;
            fast.AddXY(x, y);
            plain.AddXY(x, y);
        }
        int f = flags(random);
        fast.SortByX(f & 1, f & 2);
        plain.SortByX(f & 1, f & 2);
        ASSERT_EQ(Coordinates(fast), plain.Points) << "round " << round;
    }
}

TEST(TPctList, AddingManyPointsSortedKeepsTheFirstOfEqualPointsInOrder) {
    std::mt19937 random(54321);
    for (int round = 0; round < 200; ++round) {
        // Few X values make long runs of equal X (the long ones told apart by sorting), -0 among
        // them.
        std::uniform_int_distribution<int> xs(0, round % 2 ? 3 : 40);
        std::uniform_int_distribution<int> ys(-6, 6);
        std::vector<TPoint> points;
        PlainList plain;
        for (int i = 0; i < round % 90; ++i) {
            TPoint p{xs(random) * 0.5, ys(random) * 0.25};
            if (p.Y == 0 && i % 2)
                p.Y = -0.0;
            points.push_back(p);
            plain.AddXY(p.X, p.Y);
        }
        plain.SortByX(false, false);
        TPctList fast;
        fast.AddEachXYSortedByX(points);
        ASSERT_EQ(Coordinates(fast), plain.Points) << "round " << round;
        for (size_t i = 0; i < fast.Count(); ++i)
            ASSERT_EQ(std::signbit(fast[i].Y), std::signbit(plain.Points[i].second)) << round;
        TPctList more = fast;
        more.AddEachXYSortedByX(points); // into a list already holding them: nothing new
        ASSERT_EQ(Coordinates(more), plain.Points) << "round " << round;
    }
}
