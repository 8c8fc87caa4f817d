#include "toollibrary/knife_picture.h"

#include "tests/support/recording_canvas.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace torvex;

namespace {

// One pixel per millimetre: x maps to x + 31, y to y + 15.
DrawingState UnitState() {
    DrawingState state;
    state.Frame = {120, 120, 0, 0};
    return state;
}

KnifeFileFields Profiled(std::vector<std::string> contour) {
    KnifeFileFields knife;
    knife.Kind = "profiled";
    knife.Contour = std::move(contour);
    return knife;
}

} // namespace

TEST(DrawKnifePicture, StandardKnifeIsFilledAndOthersAreOutlines) {
    DrawingState state = UnitState();
    RecordingCanvas standard, profiled;
    DrawKnifePicture(state, standard, "standard", {"line 5/0/5/10/"});
    DrawKnifePicture(state, profiled, "profiled", {"line 5/0/5/10/"});
    EXPECT_EQ(standard.Rectangles.front(), (std::vector<int>{-1, -1, 205, 151}));
    EXPECT_EQ(standard.Fills.size(), 1u);
    EXPECT_TRUE(profiled.Fills.empty());
    EXPECT_TRUE(profiled.Texts.empty());
}

TEST(HoverDimensioning, StandardKnifeIsLeftAlone) {
    DrawingState state = UnitState();
    KnifeFileFields knife = Profiled({"line 10/0/10/50/"});
    knife.Kind = "standard";
    std::optional<Segment> hover;
    RecordingCanvas canvas;
    EXPECT_FALSE(DrawHoverDimensioning(state, canvas, knife, hover, 41, 40));
    EXPECT_TRUE(canvas.Untouched());
    EXPECT_FALSE(hover);
}

TEST(HoverDimensioning, ReachesFourPixelsBesideALine) {
    DrawingState state = UnitState();
    KnifeFileFields knife = Profiled({"line 10/0/10/50/"});
    std::optional<Segment> hover;
    RecordingCanvas near, far;
    EXPECT_TRUE(DrawHoverDimensioning(state, near, knife, hover, 44, 40));
    EXPECT_THAT(near.Labels(), ::testing::ElementsAre("50"));
    ASSERT_TRUE(hover);
    EXPECT_TRUE(DrawHoverDimensioning(state, far, knife, hover, 46, 40));
    EXPECT_TRUE(far.Texts.empty());
    EXPECT_EQ(hover, (Segment{{10, 0}, {10, 50}}));
}

TEST(HoverDimensioning, LaterOfTwoOverlappingLinesWins) {
    DrawingState state = UnitState();
    KnifeFileFields knife = Profiled({"line 0/20/30/20/", "line 10/0/10/50/"});
    std::optional<Segment> hover;
    RecordingCanvas canvas;
    DrawHoverDimensioning(state, canvas, knife, hover, 41, 35);
    EXPECT_EQ(hover, (Segment{{10, 0}, {10, 50}}));
    EXPECT_THAT(canvas.Labels(), ::testing::ElementsAre("50"));
}
