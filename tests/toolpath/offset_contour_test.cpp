#include "geometry/model_files.h"
#include "geometry/number_text.h"
#include "platform/errors.h"
#include "platform/message_sink.h"
#include "tests/toolpath/path_checks.h"
#include "tests/toolpath/test_profiles.h"
#include "toolpath/strategies.h"

#include <optional>

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using namespace torvex;
using namespace torvex::testing;

namespace {

// Element records with every value rounded to a thousandth, for comparing computed contours.
std::vector<std::string> Records(const Tobjects& contour) {
    std::vector<std::string> records;
    auto value = [](double v) { return FormatFloat("0.###", v); };
    for (const TObj& e : contour) {
        std::string record(e.Kind.Text());
        for (const TPoint* p : {&e.P1, &e.P2, &e.P3, &e.P4}) {
            if (e.IsLine() && p == &e.P3)
                break;
            record += " " + value(p->X) + "/" + value(p->Y);
        }
        records.push_back(record);
    }
    return records;
}

// The right outline of a cylinder meeting a shoulder, listed from the right end.
Tobjects ShoulderRightOutline() {
    return Elements({"line 50/12/80/12/", "line 50/20/50/12/"});
}

// The sample part with arcs on both flanks, and its side outlines for roughing.
TShaft ArcsPart() {
    TShaft part, stock;
    RecordingMessageSink messages;
    LoadPartAndStock(std::string(TORVEX_DATA) + "/Models/arcs.mdl", part, stock, messages);
    part.BuildSideOutlines(EntryCorner::Drop, FlatTop::Drop, FlatTop::Drop);
    return part;
}

// The offset contours of both flanks, each built as the roughing builds it: closed by a climb of
// `extra` or left open.
struct Contours {
    Tobjects LeftOffsetContour;
    Tobjects RightOffsetContour;
    void BuildLeftOffsetContour(const Tobjects& outline, bool close, double rest, double extra) {
        LeftOffsetContour = Offset(outline, Flank::Left, close, rest, extra);
    }
    void BuildRightOffsetContour(const Tobjects& outline, bool close, double rest, double extra) {
        RightOffsetContour = Offset(outline, Flank::Right, close, rest, extra);
    }
    static Tobjects Offset(const Tobjects& outline, Flank flank, bool close, double rest,
                           double extra) {
        return BuildOffsetContour(outline, flank, rest,
                                  close ? std::optional<double>(extra) : std::nullopt);
    }
};

} // namespace

TEST(OffsetContour, MovesAShoulderOutAndJoinsItsCorner) {
    Contours toolpath;
    toolpath.BuildRightOffsetContour(ShoulderRightOutline(), false, 0.5, 0);
    EXPECT_EQ(Records(toolpath.RightOffsetContour),
              (std::vector<std::string>{"line 50.5/12.5 80/12.5", "line 50.5/20 50.5/12.5"}));

    // Joining moves the points the rules name, whichever way the wall is stored.
    toolpath.BuildRightOffsetContour(Elements({"line 50/12/80/12/", "line 50/12/50/20/"}), false,
                                     0.5, 0);
    EXPECT_EQ(Records(toolpath.RightOffsetContour),
              (std::vector<std::string>{"line 50.5/12.5 80/12.5", "line 50.5/12 50.5/12.5"}));
}

TEST(OffsetContour, ClosingRaisesAFinalWallToTheStock) {
    Contours toolpath;
    toolpath.BuildRightOffsetContour(ShoulderRightOutline(), true, 0.5, 10);
    EXPECT_EQ(Records(toolpath.RightOffsetContour),
              (std::vector<std::string>{"line 50.5/12.5 80/12.5", "line 50.5/30 50.5/12.5"}));
    EXPECT_TRUE(toolpath.LeftOffsetContour.empty());
}

TEST(OffsetContour, ASlopeIsCutOffAtTheTopAndClosedByAClimb) {
    // Left outline: cylinder, then a taper rising 5 over 10. The offset taper's far end is held
    // down to the top, 15, along its own slope; the climb stands on it.
    Contours toolpath;
    toolpath.BuildLeftOffsetContour(Elements({"line 0/10/20/10/", "line 20/10/30/15/"}), true, 0.5,
                                    5);
    double b = std::sqrt(5.0) / 4; // the offset taper is y = x / 2 + b
    const Tobjects& contour = toolpath.LeftOffsetContour;
    ASSERT_EQ(contour.size(), 3u);
    EXPECT_DOUBLE_EQ(contour[0].P2.X, 21 - 2 * b);
    EXPECT_DOUBLE_EQ(contour[0].P2.Y, 10.5);
    EXPECT_EQ(contour[1].P1, contour[0].P2);
    EXPECT_NEAR(contour[1].P2.X, 30 - 2 * b, 1e-12);
    EXPECT_EQ(contour[1].P2.Y, 15);
    EXPECT_EQ(contour[2].P1, contour[1].P2);
    EXPECT_NEAR(contour[2].P2.X, 30 - 2 * b, 1e-12);
    EXPECT_EQ(contour[2].P2.Y, 20);
}

TEST(OffsetContour, OneElementAndNoElement) {
    Contours toolpath;
    toolpath.BuildLeftOffsetContour(Elements({"line 0/10/30/10/"}), false, 0.5, 0);
    EXPECT_EQ(Records(toolpath.LeftOffsetContour),
              (std::vector<std::string>{"line 0/10.5 30/10.5"}));
    toolpath.BuildLeftOffsetContour({}, true, 0.5, 10);
    EXPECT_TRUE(toolpath.LeftOffsetContour.empty()) << "an empty outline replaces the contour";
}

TEST(OffsetContour, ArcsMoveRadiallyAwayFromThePartOnTheRight) {
    TShaft part = ArcsPart();
    Contours toolpath;
    toolpath.BuildRightOffsetContour(part.RightOutline.Elements, false, 0.5, 0);
    // The concave fillet around (62, 14) shrinks to 1.5, the convex rounding around (57, 17)
    // grows to 3.5 and is cut off at the top, 20, on its right half.
    EXPECT_EQ(Records(toolpath.RightOffsetContour),
              (std::vector<std::string>{
                  "line 62/12.5 100/12.5", "arc 60.5/12.5 63.5/15.5 62/12.5 60.5/14",
                  "line 60.5/17 60.5/14", "arc 53.5/13.5 60.5/20.5 58.803/20 60.5/17"}));

    // Closed, the contour climbs straight up from where the tool leaves the arc.
    toolpath.BuildRightOffsetContour(part.RightOutline.Elements, true, 0.5, 2);
    EXPECT_EQ(Records(toolpath.RightOffsetContour).back(), "line 58.803/22 58.803/20");
    toolpath.BuildLeftOffsetContour(part.LeftOutline.Elements, true, 0.5, 2);
    EXPECT_EQ(Records(toolpath.LeftOffsetContour).back(), "line 23.5/20 23.5/22");
}

TEST(OffsetContour, ArcsMoveRadiallyAwayFromThePartOnTheLeft) {
    TShaft part = ArcsPart();
    Contours toolpath;
    toolpath.BuildLeftOffsetContour(part.LeftOutline.Elements, false, 0.5, 0);
    EXPECT_EQ(Records(toolpath.LeftOffsetContour),
              (std::vector<std::string>{
                  "line 0/12.5 20/12.5", "arc 17.5/12.5 22.5/17.5 22.5/15 20/12.5",
                  "line 22.5/15 22.5/18", "arc 22.5/15.5 27.5/20.5 22.5/18 23.5/20"}));
}

TEST(OffsetContour, AConcaveArcNoLargerThanTheRestVanishes) {
    TShaft part = ArcsPart();
    Contours toolpath;
    for (double rest : {2.0, 3.0}) {
        toolpath.BuildRightOffsetContour(part.RightOutline.Elements, false, rest, 0);
        const Tobjects& contour = toolpath.RightOffsetContour;
        ASSERT_EQ(contour.size(), 3u) << rest;
        EXPECT_TRUE(contour[0].IsLine() && contour[1].IsLine() && contour[2].IsArc());
        // The cylinder and the wall meet directly.
        EXPECT_EQ(contour[0].P1, (TPoint{60 + rest, 12 + rest}));
        EXPECT_EQ(contour[1].P2, contour[0].P1);
    }
}

TEST(OffsetContour, PiecesOfOneStraightLineNeedNoJoin) {
    Contours toolpath;
    toolpath.BuildRightOffsetContour(
        Elements({"line 60/10/80/10/", "line 50/15/60/10/", "line 40/20/50/15/"}), false, 0.5, 0);
    const Tobjects& contour = toolpath.RightOffsetContour;
    ASSERT_EQ(contour.size(), 3u);
    EXPECT_EQ(contour[1].P1, contour[2].P2);
    EXPECT_EQ(contour[2].P1.Y, 20);
}

TEST(OffsetContour, ParallelLinesThatDoNotMeetAreAnError) {
    Contours toolpath;
    toolpath.BuildRightOffsetContour(ShoulderRightOutline(), false, 0.5, 0);
    EXPECT_THROW(toolpath.BuildRightOffsetContour(
                     Elements({"line 60/10/80/10/", "line 40/12/60/12/"}), false, 0.5, 0),
                 ArithmeticError);
}

TEST(OffsetContour, ATaperRisingExactlyTheRestIsDropped) {
    Contours toolpath;
    toolpath.BuildRightOffsetContour(Elements({"line 60/10/80/10/", "line 50/10.5/60/10/"}), false,
                                     0.5, 0);
    ASSERT_EQ(toolpath.RightOffsetContour.size(), 1u);
    EXPECT_EQ(toolpath.RightOffsetContour[0].P1.Y, 10.5);
    EXPECT_NEAR(toolpath.RightOffsetContour[0].P1.X, 60.0125, 1e-4);
}

TEST(OffsetContour, AnOpenContourEndingInAnArcGetsNoClimb) {
    TShaft part = ArcsPart();
    Contours toolpath;
    toolpath.BuildLeftOffsetContour(part.LeftOutline.Elements, false, 0.5, 10);
    EXPECT_TRUE(toolpath.LeftOffsetContour.back().IsArc());
}

TEST(OffsetContour, WallsStayVerticalFlatsLevelAndTangentArcsMeetTheirLines) {
    auto exact = [](const Tobjects& contour) {
        for (const TObj& e : contour) {
            if (!e.IsLine())
                continue;
            double dx = std::fabs(e.P1.X - e.P2.X), dy = std::fabs(e.P1.Y - e.P2.Y);
            EXPECT_FALSE(dx > 0 && dx < 1e-6) << "a wall off vertical at x " << e.P1.X;
            EXPECT_FALSE(dy > 0 && dy < 1e-6) << "a flat off level at y " << e.P1.Y;
        }
    };
    Contours toolpath;
    // A taper between two flats, then a shoulder: corners computed from the taper's slope.
    Tobjects taper =
        Elements({"line 0/4/4/4/", "line 4/4/7/9/", "line 7/9/22/9/", "line 22/9/22/12/"});
    toolpath.BuildLeftOffsetContour(taper, false, 0.2, 0);
    exact(toolpath.LeftOffsetContour);
    EXPECT_EQ(toolpath.LeftOffsetContour.back().P1.X, 22 - 0.2);

    // Fillets and roundings at shoulders on both flanks: the arcs' ends lie on the walls.
    TShaft part = ArcsPart();
    toolpath.BuildLeftOffsetContour(part.LeftOutline.Elements, true, 0.3, 3);
    toolpath.BuildRightOffsetContour(part.RightOutline.Elements, true, 0.3, 3);
    for (const Tobjects* contour : {&toolpath.LeftOffsetContour, &toolpath.RightOffsetContour}) {
        exact(*contour);
        for (size_t i = 0; i + 1 < contour->size(); ++i) {
            const TObj& a = (*contour)[i];
            const TObj& b = (*contour)[i + 1];
            if (a.IsArc() && b.IsLine() && b.P1.X == b.P2.X) {
                EXPECT_TRUE(a.P3.X == b.P1.X || a.P4.X == b.P1.X) << "arc " << i;
            }
            if (a.IsLine() && b.IsArc() && a.P1.X == a.P2.X) {
                EXPECT_TRUE(b.P3.X == a.P1.X || b.P4.X == a.P1.X) << "arc " << i + 1;
            }
        }
    }

    // The climb that closes a contour ending in a slope rises straight up.
    toolpath.BuildLeftOffsetContour(Elements({"line 0/10/20/10/", "line 20/10/30/15/"}), true, 0.3,
                                    5);
    const TObj& climb = toolpath.LeftOffsetContour.back();
    EXPECT_EQ(climb.P1.X, climb.P2.X);
}
