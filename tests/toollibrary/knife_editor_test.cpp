#include "toollibrary/knife_editor.h"

#include "platform/errors.h"
#include "platform/text_file.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace torvex;

namespace {

using Lines = std::vector<std::string>;

// Ten pixels to the millimetre, Y down, the origin at (100, 100).
PixelPoint Pixel(const TPoint& p) {
    return {static_cast<int>(std::lround(p.X * 10)) + 100,
            100 - static_cast<int>(std::lround(p.Y * 10))};
}

struct Editor {
    KnifeEditor Knife;
    Lines Code;
    LineFields Fields;
    CornerSizes Sizes;

    EditorResult Add(const char* x1, const char* y1, const char* x2, const char* y2) {
        Fields = {x1, y1, x2, y2};
        return Knife.Apply(Code, Fields);
    }
    // The pointer over a line with the dimensions button down, then a left click there.
    void Click(const EditorSegment& line) {
        PointerEvent pointer;
        pointer.UnderPointer = line;
        Knife.PointerMoved(Code, pointer, Pixel);
        Knife.LeftPressed(Code, Fields, Sizes, Pixel, 0, 0);
    }
    void ClickAt(const TPoint& p) {
        PixelPoint pixel = Pixel(p);
        Knife.LeftPressed(Code, Fields, Sizes, Pixel, pixel.X + 3, pixel.Y - 2);
    }
};

const EditorSegment Bottom{{0, 0}, {10, 0}};
const EditorSegment Side{{0, 0}, {0, 10}};

} // namespace

TEST(KnifeEditorAdd, FitsTheFrameAndKeepsTheValuesAsTyped) {
    Editor editor;
    editor.Knife.PickFromClicked(true);
    EditorResult result = editor.Add("0", "0", "10", "0");
    ASSERT_TRUE(result.Frame);
    EXPECT_EQ(result.Frame->FrameSize, 10);
    EXPECT_EQ(result.Frame->FrameX0, 10);
    EXPECT_EQ(result.Frame->FrameY0, 70);
    EXPECT_EQ(result.Redraw, EditorRedraw::LastDimensioned);
    EXPECT_EQ(editor.Code, Lines{"line 0/0/10/0/"});
    EXPECT_EQ(editor.Knife.PointList, (Lines{"0/0/", "10/0/"}));
    EXPECT_EQ(editor.Knife.State.Pick, PickMode::None);
    // The box holds the origin and is centred by its taller extent.
    result = editor.Add("-5.0", "0", "-5.0", "20");
    EXPECT_EQ(editor.Code.back(), "line -5.0/0/-5.0/20/");
    EXPECT_EQ(result.Frame->FrameSize, 20);
    EXPECT_EQ(result.Frame->FrameX0, 55);
    EXPECT_EQ(result.Frame->FrameY0, 10);
}

TEST(KnifeEditorAdd, AFieldThatIsNotANumberOrALineWithoutLengthChangesNothing) {
    Editor editor;
    editor.Add("0", "0", "10", "0");
    EXPECT_THROW(editor.Add("0", "0", "x", "0"), ConversionError);
    EXPECT_THROW(editor.Add("3", "4", "3", "4.0"), KnifeEditorError);
    EXPECT_EQ(editor.Code, Lines{"line 0/0/10/0/"});
    EXPECT_EQ(editor.Knife.PointList, (Lines{"0/0/", "10/0/"}));
    // The next line is added as if nothing had happened.
    editor.Add("10", "0", "10", "5");
    EXPECT_EQ(editor.Code.size(), 2u);
}

TEST(KnifeEditorChange, TheClickedLineFillsTheFieldsAndIsReplacedInItsPlace) {
    Editor editor;
    editor.Add("0", "0", "10", "0");
    editor.Add("10.0", "0", "10", "5");
    editor.Add("10", "5", "0", "5");
    editor.Knife.OperationClicked(EditorOperation::Change, true);
    EXPECT_STREQ(ApplyCaption(editor.Knife.State.Operation), "Change");
    // The record typed as "10.0" is found by its value.
    editor.Click({{10, 0}, {10, 5}});
    EXPECT_EQ(editor.Fields.FromX, "10");
    EXPECT_EQ(editor.Fields.ToY, "5");
    editor.Fields.ToX = "12.5";
    EditorResult result = editor.Knife.Apply(editor.Code, editor.Fields);
    EXPECT_FALSE(result.Frame);
    EXPECT_EQ(editor.Code, (Lines{"line 0/0/10/0/", "line 10/0/12.5/5/", "line 10/5/0/5/"}));
    // The first entries of the old ends' values go, however they were typed.
    EXPECT_EQ(editor.Knife.PointList,
              (Lines{"0/0/", "10.0/0/", "10/5/", "0/5/", "10/0/", "12.5/5/"}));
    EXPECT_EQ(editor.Knife.State.SelectionState, 0);
    // With the selection gone, "Change" has nothing to change.
    EXPECT_THROW(editor.Knife.Apply(editor.Code, editor.Fields), KnifeEditorError);
}

TEST(KnifeEditorDelete, RemovesTheClickedLineOrSaysItIsNotThere) {
    Editor editor;
    editor.Add("0", "0", "10", "0");
    editor.Add("10", "0", "10", "5");
    editor.Knife.OperationClicked(EditorOperation::Delete, true);
    editor.Click(Bottom);
    editor.Knife.Apply(editor.Code, editor.Fields);
    EXPECT_EQ(editor.Code, Lines{"line 10/0/10/5/"});
    EXPECT_EQ(editor.Knife.PointList, (Lines{"10/0/", "10/5/"}));
    // A line no longer in the contour: everything stays, and the message says which.
    editor.Click(Bottom);
    try {
        editor.Knife.Apply(editor.Code, editor.Fields);
        FAIL() << "a missing line was deleted";
    } catch (const KnifeEditorError& e) {
        EXPECT_NE(std::string(e.what()).find("(0; 0) to (10; 0)"), std::string::npos);
    }
    EXPECT_EQ(editor.Code, Lines{"line 10/0/10/5/"});
    EXPECT_EQ(editor.Knife.PointList, (Lines{"10/0/", "10/5/"}));
}

TEST(KnifeEditorCorner, TheFirstSelectionStaysWhenTheCornerIsRefused) {
    Editor editor;
    editor.Add("0", "0", "10", "0");
    editor.Add("0", "3", "10", "3");
    editor.Add("0", "0", "0", "10");
    editor.Knife.OperationClicked(EditorOperation::Chamfer, true);
    editor.Sizes = {2, 2, 5};
    editor.Click(Bottom);
    EXPECT_THROW(editor.Click({{0, 3}, {10, 3}}), KnifeEditorError);
    EXPECT_THROW(editor.Click(Bottom), KnifeEditorError);
    EXPECT_EQ(editor.Knife.State.SelectionState, 1);
    EXPECT_EQ(editor.Code.size(), 3u);
    editor.Click(Side);
    EXPECT_EQ(editor.Code,
              (Lines{"line 2/0/10/0/", "line 0/3/10/3/", "line 0/2/0/10/", "line 2/0/0/2/"}));
    EXPECT_EQ(editor.Knife.PointList, (Lines{"0/3/", "10/3/", "2/0/", "10/0/", "0/2/", "0/10/"}));
    EXPECT_EQ(editor.Knife.State.SelectionState, 0);
    EXPECT_EQ(editor.Knife.State.SecondLine, Side);
}

TEST(KnifeEditorCorner, AGroovingTipWithRoundedCornersIsTheKnifeThatCuts) {
    Editor editor;
    editor.Add("0", "0", "2", "0");
    editor.Add("2", "0", "2", "10");
    editor.Add("2", "10", "-2", "10");
    editor.Add("-2", "10", "-2", "0");
    editor.Add("-2", "0", "0", "0");
    editor.Knife.OperationClicked(EditorOperation::Fillet, true);
    editor.Sizes.R = 1;
    editor.Click({{0, 0}, {2, 0}});
    editor.Click({{2, 0}, {2, 10}});
    editor.Click({{-2, 10}, {-2, 0}});
    editor.Click({{-2, 0}, {0, 0}});
    Lines file = ReadTextLines(std::string(TORVEX_FIXTURES) + "/Groove4R1.knf");
    EXPECT_EQ(editor.Code, Lines(file.begin() + 10, file.end()));
}

TEST(KnifeEditorPick, TheEndWithinReachIsMarkedAndPickedUntilARightClick) {
    Editor editor;
    editor.Add("0", "0", "10", "0");
    editor.Add("10", "0", "10", "2.5");
    editor.Knife.PickToClicked(true);
    PixelPoint corner = Pixel({10, 2.5});
    PointerEvent pointer{corner.X - 4, corner.Y + 4, true, true, Bottom};
    PointerView view = editor.Knife.PointerMoved(editor.Code, pointer, Pixel);
    ASSERT_TRUE(view.Marker);
    EXPECT_EQ(view.Marker->XLabel, "X 10");
    EXPECT_EQ(view.Marker->YLabel, "Y 2.5");
    EXPECT_FALSE(view.Dimensioned); // picking redraws the plain contour
    pointer.X -= 1;
    EXPECT_FALSE(editor.Knife.PointerMoved(editor.Code, pointer, Pixel).Marker);
    editor.Fields = {};
    editor.ClickAt({10, 0});
    EXPECT_EQ(editor.Fields.ToX, "10");
    EXPECT_EQ(editor.Fields.ToY, "0");
    EXPECT_EQ(editor.Knife.State.Pick, PickMode::To);
    EXPECT_EQ(editor.Knife.RightPressed().Redraw, EditorRedraw::Contour);
    editor.Fields = {};
    editor.ClickAt({10, 0});
    EXPECT_EQ(editor.Fields.ToX, "");
}

TEST(KnifeEditorPointer, OnlyALineFoundWithTheDimensionsButtonDownIsTaken) {
    Editor editor;
    editor.Add("0", "0", "10", "0");
    editor.Add("0", "0", "0", "10");
    editor.Knife.OperationClicked(EditorOperation::Chamfer, true);
    editor.Click(Bottom);
    // Over the selected line: dimensioned, not highlighted; over another: both.
    PointerEvent pointer{0, 0, true, true, Bottom};
    PointerView view = editor.Knife.PointerMoved(editor.Code, pointer, Pixel);
    EXPECT_EQ(view.Dimensioned, Bottom);
    EXPECT_FALSE(view.Highlighted);
    EXPECT_EQ(editor.Knife.RedLine(), Bottom);
    pointer.UnderPointer = Side;
    EXPECT_TRUE(editor.Knife.PointerMoved(editor.Code, pointer, Pixel).Highlighted);
    // With the dimensions button up the line under the pointer is not taken.
    pointer.DimensionsDown = false;
    pointer.UnderPointer = Bottom;
    view = editor.Knife.PointerMoved(editor.Code, pointer, Pixel);
    EXPECT_TRUE(view.Redraw);
    EXPECT_FALSE(view.Dimensioned);
    EXPECT_EQ(editor.Knife.State.HoverSegment, Side);
    // Releasing the chamfer button: a click selects nothing.
    editor.Knife.RightPressed();
    editor.Knife.OperationClicked(EditorOperation::Chamfer, false);
    EXPECT_STREQ(ApplyCaption(editor.Knife.State.Operation), "Apply");
    editor.Click(Side);
    EXPECT_EQ(editor.Knife.State.SelectionState, 0);
    EXPECT_FALSE(editor.Knife.RedLine());
}
