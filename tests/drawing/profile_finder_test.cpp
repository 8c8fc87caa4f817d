#include "drawing/profile_finder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace torvex;
using ::testing::HasSubstr;

namespace {

DrawingPiece Line(double x1, double y1, double x2, double y2, const std::string& layer = "0") {
    return LinePiece({x1, y1}, {x2, y2}, layer);
}

DrawingPiece Arc(double cx, double cy, double r, double fromDegrees, double toDegrees) {
    double radians = 3.14159265358979323846 / 180;
    return ArcPiece({cx, cy}, r, fromDegrees * radians, (toDegrees - fromDegrees) * radians, "0");
}

DrawingContents Drawing(std::vector<DrawingPiece> pieces, double millimetres = 1) {
    DrawingContents drawing;
    drawing.Pieces = std::move(pieces);
    drawing.MillimetresPerUnit = millimetres;
    return drawing;
}

// The collared sample shaft's upper half: shoulders at 30 and 50, radii 10, 20 and 12.
std::vector<DrawingPiece> CollaredHalf(double sign = 1) {
    return {Line(0, sign * 10, 30, sign * 10), Line(30, sign * 10, 30, sign * 20),
            Line(30, sign * 20, 50, sign * 20), Line(50, sign * 20, 50, sign * 12),
            Line(50, sign * 12, 80, sign * 12)};
}

std::vector<DrawingPiece> CollaredWithEnds() {
    std::vector<DrawingPiece> pieces = CollaredHalf();
    pieces.push_back(Line(0, 0, 0, 10));
    pieces.push_back(Line(80, 12, 80, 0));
    return pieces;
}

std::vector<std::string> Records(const Tobjects& elements) {
    std::vector<std::string> records;
    for (const TObj& element : elements)
        records.push_back(ElementText(element));
    return records;
}

const std::vector<std::string> CollaredRecords{
    "line 0/0/0/10/",    "line 0/10/30/10/",  "line 30/10/30/20/", "line 30/20/50/20/",
    "line 50/20/50/12/", "line 50/12/80/12/", "line 80/12/80/0/"};

std::string Refusal(const std::vector<DrawingPiece>& pieces, const ProfileOptions& options = {}) {
    try {
        FindProfile(Drawing(pieces), options);
    } catch (const DrawingError& error) {
        return error.what();
    }
    return "no refusal";
}

} // namespace

TEST(ProfileFinder, FullSectionGivesTheUpperHalfInProfileOrder) {
    // Both halves, the end faces across the axis, the centre line, and the side view's edge lines
    // at the shoulders, which overlap the shoulders' own lines; written right to left and shuffled.
    std::vector<DrawingPiece> pieces = CollaredHalf(-1);
    for (const DrawingPiece& piece : CollaredHalf())
        pieces.insert(pieces.begin(), Reversed(piece));
    pieces.push_back(Line(0, -10, 0, 10.004)); // within the join tolerance
    pieces.push_back(Line(80, 12, 80, -12));
    pieces.push_back(Line(-5, 0, 85, 0));
    pieces.push_back(Line(30, -20, 30, 20));
    pieces.push_back(Line(50, 20, 50, -20));
    pieces.push_back(Line(30, 20, 50, 20)); // drawn twice

    DrawingProfile profile = FindProfile(Drawing(pieces), {});

    EXPECT_EQ(Records(profile.Elements), CollaredRecords);
    EXPECT_EQ(profile.OnAxis, 1);
    EXPECT_GT(profile.BelowAxis, 0);
    EXPECT_GT(profile.Inner, 0); // the edge lines below the shoulders
}

TEST(ProfileFinder, ArcsAcrossTheAxisAndGroovesKeepToOneHalfInMillimetres) {
    // In inches, about the axis y = 50: a ball end drawn as one arc across the axis, a
    // semicircular groove (a lower half), the end face across the axis.
    std::vector<DrawingPiece> pieces{Arc(10, 50, 10, 90, 270), Line(10, 60, 30, 60),
                                     Arc(35, 60, 5, 180, 360), Line(40, 60, 60, 60),
                                     Line(60, 40, 60, 60),     Line(10, 40, 60, 40)};
    DrawingProfile profile = FindProfile(Drawing(pieces, 25.4), {50, ""});

    ASSERT_EQ(profile.Elements.size(), 5u);
    const double inch = 25.4;
    auto expectPoint = [](const TPoint& p, double x, double y) {
        EXPECT_NEAR(p.X, x, 1e-9);
        EXPECT_NEAR(p.Y, y, 1e-9);
    };
    const TObj& ball = profile.Elements[0];
    EXPECT_TRUE(ball.IsArc());
    expectPoint(ball.P1, 0, -10 * inch);
    expectPoint(ball.P2, 20 * inch, 10 * inch);
    expectPoint(ball.P3, 0, 0); // upper half: P3 the left end
    expectPoint(ball.P4, 10 * inch, 10 * inch);
    const TObj& groove = profile.Elements[2];
    EXPECT_TRUE(groove.IsArc());
    expectPoint(groove.P3, 40 * inch, 10 * inch); // lower half: P3 the right end
    expectPoint(groove.P4, 30 * inch, 10 * inch);
    expectPoint(profile.Elements[4].P2, 60 * inch, 0);
}

TEST(ProfileFinder, TheLayerAskedForLeavesADrawingFrameOut) {
    std::vector<DrawingPiece> pieces;
    for (DrawingPiece piece : CollaredWithEnds()) {
        piece.Layer = "PART";
        pieces.push_back(piece);
    }
    for (const DrawingPiece& side :
         {Line(-20, -40, 100, -40, "FRAME"), Line(100, -40, 100, 40, "FRAME"),
          Line(100, 40, -20, 40, "FRAME"), Line(-20, 40, -20, -40, "FRAME")})
        pieces.push_back(side);

    EXPECT_THAT(Refusal(pieces), HasSubstr("inside the profile found, at (0, 0)"));
    DrawingProfile profile = FindProfile(Drawing(pieces), {0, "PART"});
    EXPECT_EQ(Records(profile.Elements), CollaredRecords);
    EXPECT_EQ(profile.OtherLayers, 4);
    EXPECT_THAT(Refusal(pieces, {0, "HIDDEN"}), HasSubstr("layers: FRAME, PART"));
}

TEST(ProfileFinder, RefusalsNameThePlace) {
    auto changed = [](size_t index, DrawingPiece replacement) {
        std::vector<DrawingPiece> pieces = CollaredWithEnds();
        pieces[index] = replacement;
        return pieces;
    };
    EXPECT_EQ(Refusal(changed(2, Line(30.5, 20, 50, 20))),
              "Gap in the profile at (30, 20): the nearest free end, (30.5, 20), is 0.5 mm away "
              "(ends closer than 0.01 mm are joined)");
    EXPECT_EQ(Refusal(changed(6, Line(80, 12, 85, 12))),
              "The profile ends at (85, 12) without reaching the axis");
    std::vector<DrawingPiece> undercut = changed(3, Line(50, 20, 45, 12));
    undercut[4] = Line(45, 12, 80, 12);
    EXPECT_EQ(Refusal(undercut),
              "The profile turns back towards the left end at (50, 20): an undercut the lathe "
              "cannot reach");

    std::vector<DrawingPiece> branched = CollaredWithEnds();
    branched.push_back(Line(30, 20, 35, 30));
    EXPECT_EQ(Refusal(branched), "The profile branches at (30, 20): three or more ends meet there");

    std::vector<DrawingPiece> stray = CollaredWithEnds();
    stray.push_back(Line(100, 5, 120, 5));
    EXPECT_EQ(Refusal(stray),
              "The element at (100, 5) lies outside the profile and is not joined to it");

    EXPECT_EQ(Refusal(CollaredHalf(-1)),
              "No element lies above the axis (y = 0): the drawing spans (0, -20) to (80, -10)");
    EXPECT_EQ(Refusal(CollaredWithEnds(), {-5, ""}),
              "No element reaches the axis (y = -5): the profile's left end is at (0, 0)");
}

TEST(ProfileFinder, AnEdgeLineDownToTheAxisDoesNotEndTheProfileEarly) {
    // Side-view edge lines run from the corners to the axis: a walk that stops at a gap or at a
    // missing end face reaches the axis down such an edge, which must not end the part there.
    std::vector<DrawingPiece> pieces = CollaredWithEnds();
    pieces.push_back(Line(30, 20, 30, 0));
    pieces.push_back(Line(50, 20, 50, 0));
    std::vector<DrawingPiece> gap = pieces;
    gap[2] = Line(30.02, 20, 50, 20);
    EXPECT_THAT(Refusal(gap), HasSubstr("Gap in the profile at (30, 20)"));
    std::vector<DrawingPiece> open = pieces;
    open.erase(open.begin() + 6); // the right end face
    EXPECT_EQ(Refusal(open), "The profile ends at (80, 12) without reaching the axis");
}
