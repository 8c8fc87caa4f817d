#include "platform/qt/painter_canvas.h"

#include "platform/errors.h"

#include <gtest/gtest.h>

using namespace torvex;

namespace {
QImage WhiteImage() {
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}
} // namespace

TEST(PainterCanvas, FloodFillStopsAtTheBorder) {
    QImage image = WhiteImage();
    {
        PainterCanvas canvas(image);
        canvas.SetBrush(White, BrushStyle::Clear);
        canvas.Rectangle(5, 5, 15, 15);
        canvas.SetBrush(Silver, BrushStyle::Solid);
        canvas.FloodFill(10, 10, Black);
        canvas.MoveTo(20, 30);
        canvas.LineTo(30, 30);
    }
    EXPECT_EQ(image.pixelColor(5, 5), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(14, 14), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(15, 15), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(10, 10), QColor(192, 192, 192));
    EXPECT_EQ(image.pixelColor(2, 2), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(25, 30), QColor(Qt::black));
}

TEST(PainterCanvas, ArcRunsCounterClockwiseAndMissingPictureIsAFileError) {
    QImage image = WhiteImage();
    {
        PainterCanvas canvas(image);
        // From the right (20 + 10, 20) counter-clockwise to the top (20, 10): the upper right.
        canvas.Arc(10, 10, 31, 31, 40, 20, 20, 0);
        EXPECT_THROW(canvas.DrawPicture(0, 0, "no-such-picture.bmp"), FileError);
    }
    auto darkIn = [&image](int x0, int y0, int x1, int y1) {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (image.pixelColor(x, y) != QColor(Qt::white))
                    return true;
        return false;
    };
    EXPECT_TRUE(darkIn(22, 8, 33, 19));
    EXPECT_FALSE(darkIn(8, 8, 19, 19));
    EXPECT_FALSE(darkIn(8, 22, 33, 33));
}
