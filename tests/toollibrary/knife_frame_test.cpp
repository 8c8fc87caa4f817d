#include "toollibrary/knife_frame.h"

#include "platform/errors.h"
#include "toollibrary/library_error.h"

#include <gtest/gtest.h>

using namespace torvex;

namespace {
void ExpectFrame(const DrawingFrame& frame, double size, int x0, int y0) {
    EXPECT_EQ(frame.FrameSize, size);
    EXPECT_EQ(frame.FrameX0, x0);
    EXPECT_EQ(frame.FrameY0, y0);
}
} // namespace

TEST(FitStandardFrame, TallKnifeIsFittedByItsHeight) {
    DrawingFrame frame;
    FitStandardFrame(frame, {0, 0, 5, 5, 20});
    ExpectFrame(frame, 20, 70, 10);
}

TEST(FitStandardFrame, KnifesMiddleFallsOnThePicturesMiddle) {
    DrawingFrame frame;
    FitStandardFrame(frame, {0, 0, 3, 7, 2});
    ExpectFrame(frame, 10, 46, 58);
    EXPECT_EQ(CanvasX(frame, (7.0 - 3.0) / 2), 101);
}

TEST(FitStandardFrame, KnifeWithoutSizeIsRefusedAndTheFrameStays) {
    DrawingFrame frame{7, 120, 1, 2};
    EXPECT_THROW(FitStandardFrame(frame, {0, 0, 0, 0, 0}), LibraryError);
    ExpectFrame(frame, 7, 1, 2);
}

TEST(FitProfiledFrame, BoxOfTheLineRecordsFromTheAxes) {
    DrawingFrame frame;
    FitProfiledFrame(frame, {"line 0/0/10/5/", "arc 0/0/50/0/0/50/"});
    ExpectFrame(frame, 10, 10, 40);
}

TEST(FitProfiledFrame, WithoutLineRecordsOrSizeTheFrameStays) {
    DrawingFrame frame{7, 120, 1, 2};
    FitProfiledFrame(frame, {"arc 0/0/5/0/0/5/"});
    ExpectFrame(frame, 7, 1, 2);
    EXPECT_THROW(FitProfiledFrame(frame, {"line 0/0/0/0/"}), ArithmeticError);
    ExpectFrame(frame, 7, 1, 2);
}

TEST(FitKnifeFrame, DispatchesOnTheKindLine) {
    DrawingFrame frame;
    KnifeFileFields knife;
    knife.Kind = "standard";
    knife.ValueTexts = {"0", "0", "5", "5", "20"};
    knife.Contour = {"line 0/0/10/5/"};
    FitKnifeFrame(frame, knife);
    ExpectFrame(frame, 20, 70, 10);
    knife.Kind = "profiled";
    FitKnifeFrame(frame, knife);
    ExpectFrame(frame, 10, 10, 40);
    knife.Kind = "other";
    knife.Contour = {"line 0/0/40/5/"};
    FitKnifeFrame(frame, knife);
    ExpectFrame(frame, 10, 10, 40);
}
