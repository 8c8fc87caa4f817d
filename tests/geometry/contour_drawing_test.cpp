#include "geometry/contour_drawing.h"

#include "platform/errors.h"
#include "tests/support/recording_canvas.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace torvex;
using ::testing::ElementsAre;

namespace {

// One pixel per millimetre: x maps to x + 31, y to y + 15.
DrawingState UnitState() {
    DrawingState state;
    state.Frame = {120, 120, 0, 0};
    return state;
}

const std::vector<std::string> StandardKnife = {
    "line 0/0/5/0/", "line 5/0/5/10/", "line 5/10/-5/10/", "line -5/10/-5/0/", "line -5/0/0/0/"};

} // namespace

TEST(PixelMapping, ScalesOffsetsAndRoundsHalvesToEven) {
    DrawingFrame frame{120, 120, 0, 0};
    EXPECT_EQ(CanvasX(frame, 10), 41);
    EXPECT_EQ(CanvasY(frame, 20), 35);
    EXPECT_EQ(CanvasX(frame, 0.5), 31);
    EXPECT_EQ(CanvasX(frame, 1.5), 33);
    EXPECT_EQ(CanvasY(frame, -2.5), 13);
    frame = {20, 120, 70, 10};
    EXPECT_EQ(CanvasX(frame, 5), 131);
    frame.FrameSize = 0;
    EXPECT_THROW(CanvasX(frame, 1), ArithmeticError);
}

TEST(DimensionVertical, LabelStandsRightLeftOrOnTheAxisLeftWithoutLine) {
    DrawingState state = UnitState();
    RecordingCanvas right, left, axis;
    DrawLineContour(state, {"line 5/0/5/12.5/"}, right);
    DrawLineContour(state, {"line -5/0/-5/12.5/"}, left);
    DrawLineContour(state, {"line 0/0/0/12.5/"}, axis);
    // 12.5 rounds to pixel 12 (27 on the canvas): the label's row is 15 + 12 / 2 - 5.
    EXPECT_THAT(right.Texts,
                ElementsAre(RecordingCanvas::Text{36 + 15, 16, "12.5", "Small Fonts", 6}));
    EXPECT_EQ(left.Texts.at(0).X, 26 - 15 - 4 * RecordingCanvas::CharWidth);
    EXPECT_EQ(axis.Texts.at(0).X, 31 - 15 - 4 * RecordingCanvas::CharWidth);
    // The outline and a dimension line of thick stubs 12 pixels beside it, inside the span.
    EXPECT_THAT(right.Segments, ElementsAre(RecordingCanvas::Segment{36, 15, 36, 27, Black, 1},
                                            RecordingCanvas::Segment{48, 15, 48, 18, Black, 2},
                                            RecordingCanvas::Segment{48, 27, 48, 24, Black, 2},
                                            RecordingCanvas::Segment{48, 18, 48, 24, Black, 1}));
    EXPECT_EQ(left.Segments.at(1).X1, 26 - 12);
    EXPECT_EQ(axis.Segments.size(), 1u);
}

TEST(DimensionLabels, RoundToTwoDecimalsWithTheSeparatorOfTheState) {
    DrawingState state = UnitState();
    RecordingCanvas canvas;
    DrawLineContour(state, {"line 5/0/5/3.14159/", "line 5/0/5/2/"}, canvas);
    state.DecimalSeparator = ',';
    DrawLineContour(state, {"line 5/0/5/2.5/"}, canvas);
    EXPECT_THAT(canvas.Labels(), ElementsAre("3.14", "2", "2,5"));
}

TEST(DrawLineContourLastDimensioned, OnlyTheLastRecordGetsItsLabel) {
    DrawingState state = UnitState();
    RecordingCanvas last, notLast;
    DrawLineContourLastDimensioned(state, {"line 5/0/5/10/", "line 0/20/7/20/"}, last);
    DrawLineContourLastDimensioned(state, {"line 0/20/7/20/", "line 5/0/5/10/"}, notLast);
    ASSERT_EQ(last.Texts.size(), 1u);
    EXPECT_EQ(last.Texts[0].Value, "7");
    EXPECT_EQ(last.Texts[0].Y, 35 - 23);
    EXPECT_THAT(notLast.Labels(), ElementsAre("10"));
    EXPECT_TRUE(last.Fills.empty());
}

TEST(DrawLineContour, DimensionsVerticalsOnlyAndFillsInsideInSilver) {
    DrawingState state = UnitState();
    RecordingCanvas canvas;
    DrawLineContour(state, StandardKnife, canvas);
    EXPECT_THAT(canvas.Labels(), ElementsAre("10", "10"));
    // Smallest x pixel 26, largest y pixel 25.
    EXPECT_THAT(canvas.Fills, ElementsAre(RecordingCanvas::Fill{28, 20, Silver, Black}));
    EXPECT_EQ(canvas.BrushColour, White);
    EXPECT_FALSE(state.DimHorizontal);
}

TEST(DimensionOblique, HeightAngleAndWidthOfASlantedFlank) {
    DrawingState state = UnitState();
    state.DimOblique = true;
    RecordingCanvas canvas;
    DimensionOblique(state, canvas, 0, 0, 3, 1.73);
    EXPECT_THAT(canvas.Labels(), ElementsAre("1.73", "30\u00b0", "3"));
    EXPECT_TRUE(state.DimVertical);
    // The height stands beside the outer end, on the right of the axis.
    EXPECT_EQ(canvas.Texts[0].X, 34 + 15);
    ASSERT_EQ(canvas.Arcs.size(), 1u);

    RecordingCanvas left;
    DimensionOblique(state, left, -3, 1.73, 0, 0);
    EXPECT_LT(left.Texts[0].X, 28);
    state.DimOblique = false;
    RecordingCanvas off;
    DimensionOblique(state, off, 0, 0, 3, 1.73);
    EXPECT_TRUE(off.Untouched());
}

TEST(DrawArc, DrawsTheShortArcCounterClockwise) {
    DrawingFrame frame{120, 120, 0, 0};
    RecordingCanvas canvas;
    DrawArc(frame, canvas, {0, 0}, {10, 0}, {0, -10});
    // Across the rightmost direction the short way: from below right up to above right.
    DrawArc(frame, canvas, {0, 0}, {10, -5}, {10, 5});
    // A knife's rounded tip: from just below the right across the top to upper left, never the
    // long way round through the knife.
    DrawArc(frame, canvas, {0, 0}, {10, 1}, {-6, -8});
    EXPECT_THAT(canvas.Arcs, ElementsAre(RecordingCanvas::ArcCall{21, 5, 41, 25, 41, 15, 31, 5},
                                         RecordingCanvas::ArcCall{20, 4, 42, 26, 41, 20, 41, 10},
                                         RecordingCanvas::ArcCall{21, 5, 41, 25, 41, 16, 25, 7}));
}

TEST(DrawContour, DrawsArcsWithoutDimensionsThenTheSelectedLineInRed) {
    DrawingState state = UnitState();
    state.DimVertical = true;
    state.SelectedLine = Segment{{0, 0}, {5, 0}};
    RecordingCanvas canvas;
    DrawContour(state, {"line 5/0/5/10/", "arc 0/0/10/0/0/-10/", "comment"}, canvas);
    EXPECT_TRUE(canvas.Texts.empty());
    EXPECT_EQ(canvas.Arcs.size(), 1u);
    EXPECT_THAT(canvas.Segments, ElementsAre(RecordingCanvas::Segment{36, 15, 36, 25, Black, 1},
                                             RecordingCanvas::Segment{31, 15, 36, 15, Red, 1}));
    EXPECT_EQ(canvas.PenColour, Black);
}

TEST(ContourDrawing, EmptyListLeavesTheCanvasUntouched) {
    DrawingState state = UnitState();
    state.SelectedLine = Segment{{0, 0}, {5, 0}};
    RecordingCanvas canvas;
    DrawLineContour(state, {}, canvas);
    DrawLineContourLastDimensioned(state, {}, canvas);
    DrawContour(state, {}, canvas);
    EXPECT_TRUE(canvas.Untouched());
}

TEST(ContourDrawing, DrawsAtMost255Records) {
    DrawingState state = UnitState();
    RecordingCanvas canvas;
    DrawContour(state, std::vector<std::string>(300, "line 0/0/1/1/"), canvas);
    EXPECT_EQ(canvas.Segments.size(), MaxDrawnRecords);
}

TEST(ContourDrawing, BadValueIsAConversionErrorAndKeepsWhatWasDrawn) {
    DrawingState state = UnitState();
    RecordingCanvas canvas;
    EXPECT_THROW(DrawContour(state, {"line 0/0/1/1/", "line 0/x/1/1/"}, canvas), ConversionError);
    EXPECT_EQ(canvas.Segments.size(), 1u);
    EXPECT_EQ(ReadDrawingLine("comment"), std::nullopt);
    EXPECT_EQ(ReadDrawingLine("line 1/2,5/3/4/"), (Segment{{1, 2.5}, {3, 4}}));
}
