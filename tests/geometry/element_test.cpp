#include "geometry/element.h"
#include "platform/errors.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace torvex;

namespace {
TObj Parsed(const char* text) {
    TObj e;
    ParseText(e, text);
    return e;
}
} // namespace

TEST(ParseText, LineRecord) {
    TObj e = Parsed("line 0/0/0/10/");
    EXPECT_EQ(e.Kind, "line");
    EXPECT_EQ(e.P1, (TPoint{0, 0}));
    EXPECT_EQ(e.P2, (TPoint{0, 10}));
    EXPECT_EQ(e.Mid, (TPoint{0, 5}));
    EXPECT_EQ(e.P3, (TPoint{0, 0}));
    EXPECT_EQ(e.P4, (TPoint{0, 0}));
}

TEST(ParseText, ArcRecordGivesCentreRadiusAndChordMidpoint) {
    TObj e = Parsed("arc 0/10/20/-10/0/0/20/0/");
    EXPECT_EQ(e.Kind, "arc");
    EXPECT_EQ(e.Centre(), (TPoint{10, 0}));
    EXPECT_EQ(e.Radius(), 10);
    EXPECT_EQ(e.P3, (TPoint{0, 0}));
    EXPECT_EQ(e.P4, (TPoint{20, 0}));
    EXPECT_EQ(e.Mid, (TPoint{10, 0}));
}

TEST(ParseText, KeywordIsAPrefixAndTheSeparatorIsNotLookedAt) {
    TObj e = Parsed("linex1/2/3/4/");
    EXPECT_EQ(e.Kind, "line");
    EXPECT_EQ(e.P1, (TPoint{1, 2}));
    EXPECT_EQ(Parsed("arc_1/1/3/3/1/2/3/2/").P4, (TPoint{3, 2}));
}

TEST(ParseText, UnknownRecordsLeaveTheElementUntouched) {
    TObj e;
    e.P1 = {7, 7};
    ParseText(e, "Line 1/2/3/4/");
    EXPECT_EQ(e.Kind, "");
    EXPECT_EQ(e.P1, (TPoint{7, 7}));
    ParseText(e, "");
    ParseText(e, "li");
    EXPECT_EQ(e.Kind, "");
}

TEST(ParseText, TextAfterTheLastSlashIsIgnoredAndCommasAreDecimals) {
    TObj e = Parsed("line 1,5/2/3/4.25/ a trailing comment");
    EXPECT_EQ(e.P1.X, 1.5);
    EXPECT_EQ(e.P2.Y, 4.25);
}

TEST(ParseText, FailureMidRecordKeepsTheFieldsAlreadySet) {
    TObj e;
    EXPECT_THROW(ParseText(e, "line 5//3/4/"), ConversionError);
    EXPECT_EQ(e.Kind, "line");
    EXPECT_EQ(e.P1.X, 5);
    EXPECT_EQ(e.Mid, (TPoint{0, 0})); // not recomputed
    TObj f;
    EXPECT_THROW(ParseText(f, "line 1/2/x/4/"), ConversionError);
    EXPECT_EQ(f.P1, (TPoint{1, 2}));
}

TEST(ParseText, MissingClosingSlashIsAConversionFailure) {
    TObj e;
    EXPECT_THROW(ParseText(e, "line 1/2/3/4"), ConversionError);
    EXPECT_EQ(e.P2.X, 3);
    EXPECT_THROW(ParseText(e, "line"), ConversionError);
    EXPECT_THROW(ParseText(e, "line 1/2/"), ConversionError);
    // The editor's six-value arc lacks the last two values.
    TObj arc;
    EXPECT_THROW(ParseText(arc, "arc 0/0/5/0/0/5/"), ConversionError);
}

TEST(AssignTo, CopyEqualsAFreshParse) {
    const char* text = "arc 0/4/8/12/0/8/4/12/";
    TObj source = Parsed(text);
    TObj target = Parsed("line 9/9/9/9/");
    AssignTo(source, target);
    TObj fresh = Parsed(text);
    EXPECT_EQ(target.Kind, fresh.Kind);
    EXPECT_EQ(target.P1, fresh.P1);
    EXPECT_EQ(target.P2, fresh.P2);
    EXPECT_EQ(target.P3, fresh.P3);
    EXPECT_EQ(target.P4, fresh.P4);
    EXPECT_EQ(target.Mid, fresh.Mid);
}

TEST(ElementText, WritesRecordsThatParseBack) {
    TObj line = Parsed("line 0.5/10/-3/1e-5/");
    EXPECT_EQ(ElementText(line), "line 0.5/10/-3/1E-5/");
    TObj arc = Parsed("arc 0/4/8/12/0/8/4/12/");
    EXPECT_EQ(ElementText(arc), "arc 0/4/8/12/0/8/4/12/");
    EXPECT_EQ(Parsed(ElementText(line).c_str()).P2.Y, 1e-5);
}

namespace {

// The ends of an arc in the order it runs, and whether it runs on the upper half.
using ArcRun = std::tuple<TPoint, TPoint, bool>;

std::vector<ArcRun> Runs(const std::vector<TObj>& arcs) {
    std::vector<ArcRun> runs;
    for (const TObj& arc : arcs)
        runs.emplace_back(arc.P3, arc.P4, arc.P3.X < arc.P4.X);
    return runs;
}

} // namespace

TEST(ShortArcElements, TakesTheHalfOfTheShortArcOnEitherSideOfTheCentre) {
    std::vector<TObj> above = ShortArcElements({0, 0}, {10, 0}, {0, 10});
    EXPECT_EQ(Runs(above), (std::vector<ArcRun>{{{0, 10}, {10, 0}, true}}));
    EXPECT_EQ(above[0].P1, (TPoint{-10, -10}));
    EXPECT_EQ(above[0].P2, (TPoint{10, 10}));
    // The fillet of a corner at the origin lies below its centre, whichever end comes first.
    EXPECT_EQ(Runs(ShortArcElements({2, 2}, {2, 0}, {0, 2})),
              (std::vector<ArcRun>{{{2, 0}, {0, 2}, false}}));
    EXPECT_EQ(Runs(ShortArcElements({2, 2}, {0, 2}, {2, 0})),
              (std::vector<ArcRun>{{{2, 0}, {0, 2}, false}}));
}

TEST(ShortArcElements, SplitsAnArcAcrossTheLeftmostOrRightmostPoint) {
    EXPECT_EQ(Runs(ShortArcElements({0, 0}, {3, 4}, {3, -4})),
              (std::vector<ArcRun>{{{3, 4}, {5, 0}, true}, {{5, 0}, {3, -4}, false}}));
    EXPECT_EQ(Runs(ShortArcElements({0, 0}, {-3, -4}, {-3, 4})),
              (std::vector<ArcRun>{{{-3, -4}, {-5, 0}, false}, {{-5, 0}, {-3, 4}, true}}));
}

TEST(ParseEditorArc, ReadsSixValuesAndTellsThemFromTheEightValueArc) {
    EXPECT_TRUE(IsEditorArcRecord("arc 2/2/2/0/0/2/"));
    EXPECT_FALSE(IsEditorArcRecord("arc 0/10/20/-10/0/0/20/0/"));
    EXPECT_EQ(ParseEditorArc("arc 2/2/2/0/0/2/").at(0).Centre(), (TPoint{2, 2}));
    EXPECT_THROW(ParseEditorArc("arc 2/2/x/0/0/2/"), ConversionError);
}
