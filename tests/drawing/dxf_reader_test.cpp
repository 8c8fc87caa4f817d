#include "drawing/dxf_reader.h"

#include "platform/errors.h"
#include "tests/support/dxf_text.h"
#include "tests/support/temp_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

using namespace torvex;
using ::testing::HasSubstr;
using torvex::testing::DxfText;

namespace {

void ExpectPoint(const TPoint& p, double x, double y) {
    EXPECT_NEAR(p.X, x, 1e-9);
    EXPECT_NEAR(p.Y, y, 1e-9);
}

class DxfReader : public ::testing::Test {
protected:
    DrawingContents Read(const DxfText& text) {
        text.Save(Folder.Path / "drawing.dxf");
        return ReadDxfFile(Folder.Path / "drawing.dxf");
    }
    std::string Refusal(const DxfText& text) {
        try {
            Read(text);
        } catch (const DrawingError& error) {
            return error.what();
        }
        return "no refusal";
    }
    TempFolder Folder{"dxf-reader"};
};

} // namespace

TEST_F(DxfReader, R12LinesArcsAndPolylinesWithBulges) {
    DxfText text;
    text.Line(0, 0, 0, 10, "OUTLINE")
        .Arc(5, 5, 2, 90, 180)
        .Polyline({{0, 10, 0}, {10, 10, 1}, {20, 10, 0}}, false)
        .Circle(0, 0, 3)
        .TextEntity(0, 20, "shaft")
        .Arc(5, 0, 1, 0, 90, "0", true); // seen from below: mirrored in X
    DrawingContents drawing = Read(text);

    ASSERT_EQ(drawing.Pieces.size(), 5u);
    EXPECT_EQ(drawing.Pieces[0].Layer, "OUTLINE");
    ExpectPoint(drawing.Pieces[1].Start, 5, 7);
    ExpectPoint(drawing.Pieces[1].End, 3, 5);
    // Bulge 1 from (10, 10) to (20, 10): a half circle about (15, 10) turning left, under the
    // chord.
    const DrawingPiece& bulged = drawing.Pieces[3];
    EXPECT_TRUE(bulged.IsArc());
    ExpectPoint(bulged.Centre, 15, 10);
    EXPECT_NEAR(bulged.Radius, 5, 1e-12);
    ExpectPoint(PointAlong(bulged, 0.5), 15, 5);
    ExpectPoint(drawing.Pieces[4].Start, -6, 0);
    ExpectPoint(drawing.Pieces[4].End, -5, 1);
    EXPECT_EQ(drawing.Ignored, (std::map<std::string, int>{{"CIRCLE", 1}, {"TEXT", 1}}));
    EXPECT_EQ(drawing.MillimetresPerUnit, 1);
}

TEST_F(DxfReader, NewerVersionsClosedPolylinesAndPlacedBlocks) {
    DxfText text("AC1015");
    text.BeginBlock("STEP", 1, 1)
        .Line(1, 1, 3, 1)
        .Arc(1, 1, 2, 0, 90, "CUT")
        .EndBlock()
        .Insert("STEP", 10, 20, 2, 2, 90, "PART")
        .Insert("STEP", 0, 0, -1, 1, 0)
        .Polyline({{0, 0, 0}, {4, 0, 0}, {4, 2, -1}}, true);
    DrawingContents drawing = Read(text);

    ASSERT_EQ(drawing.Pieces.size(), 7u);
    // The closed polyline's last segment bulges back to the start, turning right.
    EXPECT_TRUE(drawing.Pieces[2].IsArc());
    EXPECT_LT(drawing.Pieces[2].Sweep, 0);
    ExpectPoint(drawing.Pieces[2].End, 0, 0);
    // Doubled and turned a quarter left about the base point, which lands on (10, 20).
    ExpectPoint(drawing.Pieces[3].Start, 10, 20);
    ExpectPoint(drawing.Pieces[3].End, 10, 24);
    EXPECT_EQ(drawing.Pieces[3].Layer, "PART"); // layer 0 takes the insert's layer
    EXPECT_EQ(drawing.Pieces[4].Layer, "CUT");
    EXPECT_NEAR(drawing.Pieces[4].Radius, 4, 1e-12);
    ExpectPoint(drawing.Pieces[4].End, 6, 20);
    // Mirrored: the arc turns the other way.
    ExpectPoint(drawing.Pieces[6].Start, -2, 0);
    ExpectPoint(drawing.Pieces[6].End, 0, 2);
    EXPECT_LT(drawing.Pieces[6].Sweep, 0);
}

TEST_F(DxfReader, UnitsAndUnreadableDrawings) {
    EXPECT_EQ(Read(DxfText("AC1015").Units(1).Line(0, 0, 1, 0)).MillimetresPerUnit, 25.4);
    EXPECT_EQ(Read(DxfText("AC1015").Units(4).Line(0, 0, 1, 0)).MillimetresPerUnit, 1);
    EXPECT_THAT(Refusal(DxfText("AC1015").Units(6).Line(0, 0, 1, 0)),
                HasSubstr("The drawing's unit is metres ($INSUNITS)"));
    EXPECT_THAT(Refusal(DxfText()
                            .BeginBlock("B", 0, 0)
                            .Arc(0, 0, 1, 0, 90)
                            .EndBlock()
                            .Insert("B", 5, 6, 1, 2, 0)),
                HasSubstr("The block inserted at (5, 6) is scaled unequally"));
    EXPECT_THROW(ReadDxfFile(Folder.Path / "missing.dxf"), FileError);
}
