#include "toollibrary/knife_editor_corner.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace torvex;

namespace {

const EditorSegment AlongX{{0, 0}, {10, 0}};
const EditorSegment AlongY{{0, 0}, {0, 10}};

double Distance(const TPoint& a, const TPoint& b) {
    return std::hypot(a.X - b.X, a.Y - b.Y);
}

TPoint CentreOf(const std::string& editorArc) {
    return ParseEditorArc(editorArc).at(0).Centre();
}

} // namespace

TEST(DirectionAngle, RunsFromPlusXTowardsMinusYInEveryQuadrant) {
    TPoint k{1, 1};
    EXPECT_DOUBLE_EQ(DirectionAngle(k, {2, 0}), 45);   // right and down
    EXPECT_DOUBLE_EQ(DirectionAngle(k, {0, 0}), 135);  // left and down
    EXPECT_DOUBLE_EQ(DirectionAngle(k, {0, 2}), 225);  // left and up
    EXPECT_DOUBLE_EQ(DirectionAngle(k, {2, 2}), 315);  // right and up
    EXPECT_DOUBLE_EQ(DirectionAngle(k, {1, 5}), 270);  // straight up
    EXPECT_DOUBLE_EQ(DirectionAngle(k, {1, -5}), 90);  // straight down
    EXPECT_DOUBLE_EQ(DirectionAngle(k, {-4, 1}), 180); // along -X
    EXPECT_DOUBLE_EQ(DirectionAngle(k, {6, 1}), 0);    // along +X
}

TEST(BisectorAngle, TurnsByHalfATurnWhenTheLinesAreMoreThan180DegreesApart) {
    EXPECT_DOUBLE_EQ(BisectorAngle(0, 270), 315);
    EXPECT_DOUBLE_EQ(BisectorAngle(270, 0), 315);
    EXPECT_DOUBLE_EQ(BisectorAngle(180, 270), 225);
    EXPECT_DOUBLE_EQ(BisectorAngle(10, 60), 35);
    EXPECT_DOUBLE_EQ(BisectorAngle(300, 90), 15);
}

TEST(CutCorner, ChamferShortensBothLinesAndJoinsTheirNewEnds) {
    CornerCut cut = CutCorner(AlongX, AlongY, CornerKind::Chamfer, {2, 2, 5});
    EXPECT_EQ(LineRecord(cut.First), "line 2/0/10/0/");
    EXPECT_EQ(LineRecord(cut.Second), "line 0/2/0/10/");
    EXPECT_EQ(cut.Record, "line 2/0/0/2/");
    // A line drawn towards the corner keeps its direction.
    CornerCut reversed = CutCorner({{10, 0}, {0, 0}}, AlongY, CornerKind::Chamfer, {3, 1, 5});
    EXPECT_EQ(LineRecord(reversed.First), "line 10/0/3/0/");
    EXPECT_EQ(LineRecord(reversed.Second), "line 0/1/0/10/");
}

TEST(CutCorner, FilletRoundsTheCornerWithAnArcAboutTheBisector) {
    CornerCut cut = CutCorner(AlongX, AlongY, CornerKind::Fillet, {5, 5, 2});
    EXPECT_EQ(LineRecord(cut.First), "line 2/0/10/0/");
    EXPECT_EQ(LineRecord(cut.Second), "line 0/2/0/10/");
    EXPECT_EQ(cut.Record, "arc 2/2/2/0/0/2/");
}

TEST(CutCorner, TheFilletArcTouchesBothLinesAtItsEnds) {
    struct Case {
        EditorSegment First, Second;
    };
    // Corners opening to every side, vertical lines among them, and tips pointing along X.
    for (const Case& c :
         {Case{{{5, 5}, {0, 0}}, {{5, 5}, {0, 10}}}, Case{{{-5, 5}, {0, 0}}, {{0, 10}, {-5, 5}}},
          Case{{{3, 0}, {3, 8}}, {{3, 0}, {-4, 2}}}, Case{{{0, 0}, {6, 1}}, {{6, 1}, {6, 9}}},
          Case{{{0, 0}, {4, -3}}, {{4, -3}, {9, 0}}}, Case{{{0, 5}, {-5, 0}}, {{0, 5}, {5, 0}}},
          Case{{{0, 0}, {-5, 5}}, {{0, 0}, {5, 5}}}}) {
        double r = 0.75;
        CornerCut cut = CutCorner(c.First, c.Second, CornerKind::Fillet, {5, 5, r});
        TPoint centre = CentreOf(cut.Record);
        EXPECT_NEAR(Distance(centre, cut.FirstNew), r, 1e-9) << cut.Record;
        EXPECT_NEAR(Distance(centre, cut.SecondNew), r, 1e-9) << cut.Record;
        // Tangent: the radius to each end stands square on its line.
        for (const auto& [newEnd, farEnd] :
             {std::pair{cut.FirstNew, cut.FirstFar}, std::pair{cut.SecondNew, cut.SecondFar}}) {
            double dot = (centre.X - newEnd.X) * (farEnd.X - newEnd.X) +
                         (centre.Y - newEnd.Y) * (farEnd.Y - newEnd.Y);
            EXPECT_NEAR(dot, 0, 1e-9) << cut.Record;
        }
    }
}

TEST(CutCorner, RefusesWhatMakesNoCorner) {
    auto refusal = [](const EditorSegment& a, const EditorSegment& b, CornerKind kind,
                      const CornerSizes& sizes) -> std::string {
        try {
            CutCorner(a, b, kind, sizes);
        } catch (const KnifeEditorError& e) {
            return e.what();
        }
        return "accepted";
    };
    using enum CornerKind;
    EXPECT_EQ(refusal(AlongX, {{0, 3}, {10, 3}}, Fillet, {}), NoCornerText);
    EXPECT_EQ(refusal(AlongY, {{4, 0}, {4, 10}}, Chamfer, {}), NoCornerText);
    EXPECT_EQ(refusal(AlongX, AlongX, Fillet, {}), NoCornerText);
    EXPECT_EQ(refusal(AlongX, {{0, 0}, {0, 0}}, Fillet, {}), NoLengthText);
    EXPECT_EQ(refusal(AlongX, AlongY, Fillet, {5, 5, 0}), FilletSizeText);
    EXPECT_EQ(refusal(AlongX, AlongY, Chamfer, {0, 2, 5}), ChamferSizeText);
    EXPECT_EQ(refusal(AlongX, AlongY, Chamfer, {2, -1, 5}), ChamferSizeText);
    EXPECT_EQ(refusal(AlongX, AlongY, Chamfer, {11, 2, 5}), ChamferTooLongText);
    EXPECT_EQ(refusal(AlongX, AlongY, Fillet, {5, 5, 12}), FilletTooLongText);
    // A chamfer may take a whole line, and a negative radius rounds as its size.
    EXPECT_EQ(refusal(AlongX, AlongY, Chamfer, {10, 10, 5}), "accepted");
    EXPECT_EQ(CutCorner(AlongX, AlongY, Fillet, {5, 5, -2}).Record, "arc 2/2/2/0/0/2/");
}
