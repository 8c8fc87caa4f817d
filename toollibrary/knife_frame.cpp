#include "toollibrary/knife_frame.h"

#include "platform/errors.h"

#include <algorithm>
#include <cmath>

namespace torvex {

namespace {

int RoundedPixels(const DrawingFrame& frame, double length, double frameSize) {
    return static_cast<int>(std::nearbyint(SafeDivide(length * frame.FramePixels, frameSize)));
}

// The frame for a box of the given extent whose middle lies at `middleX` (doubled) and whose
// lower edge (on the canvas) lies at `bottom`.
void PlaceFrame(DrawingFrame& frame, double size, double doubledMiddleX, double bottom) {
    int x0 = 70 - RoundedPixels(frame, doubledMiddleX, size) / 2;
    int y0 = (frame.FramePixels - RoundedPixels(frame, bottom, size)) / 2 + 10;
    frame.FrameSize = size;
    frame.FrameX0 = x0;
    frame.FrameY0 = y0;
}

} // namespace

void FitStandardFrame(DrawingFrame& frame, const StandardKnifeValues& values) {
    CheckStandardKnifeSize(values);
    PlaceFrame(frame, StandardKnifeExtent(values), values.RightWidth - values.LeftWidth,
               values.Height);
}

void FitProfiledFrame(DrawingFrame& frame, const std::vector<std::string>& contour) {
    double minX = 1e9, minY = 1e9, maxX = 0, maxY = 0;
    bool any = false;
    for (const std::string& record : contour) {
        auto line = ReadDrawingLine(record);
        if (!line)
            continue;
        any = true;
        minX = std::min({minX, line->A.X, line->B.X});
        maxX = std::max({maxX, line->A.X, line->B.X});
        minY = std::min({minY, line->A.Y, line->B.Y});
        maxY = std::max({maxY, line->A.Y, line->B.Y});
    }
    if (!any)
        return;
    double width = std::fabs(maxX - minX), height = std::fabs(maxY - minY);
    PlaceFrame(frame, height > width ? height : width, maxX + minX, maxY);
}

void FitKnifeFrame(DrawingFrame& frame, const KnifeFileFields& knife) {
    if (knife.Kind == "standard")
        FitStandardFrame(frame, ReadStandardValues(knife));
    else if (knife.Kind == "profiled")
        FitProfiledFrame(frame, knife.Contour);
}

} // namespace torvex
