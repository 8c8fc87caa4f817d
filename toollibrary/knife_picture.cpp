#include "toollibrary/knife_picture.h"

#include <algorithm>

namespace torvex {

namespace {

constexpr int PointerReach = 4;

bool Holds(int low, int high, int pointer) {
    return pointer + PointerReach >= low && pointer - PointerReach <= high;
}

} // namespace

void ClearKnifePicture(Canvas& canvas) {
    canvas.SetPenColour(White);
    canvas.SetBrush(White, BrushStyle::Solid);
    canvas.Rectangle(-1, -1, KnifePictureWidth + 1, KnifePictureHeight + 1);
    canvas.SetPenColour(Black);
}

void DimensionSegment(DrawingState& state, Canvas& canvas, const Segment& s) {
    canvas.SetFont("Small Fonts", 6, FontWeight::Normal);
    if (s.A.X == s.B.X) {
        state.DimVertical = true;
        DimensionVertical(state, canvas, s.A.X, s.A.Y, s.B.X, s.B.Y);
    }
    if (s.A.Y == s.B.Y) {
        state.DimHorizontal = true;
        DimensionHorizontal(state, canvas, s.A.X, s.A.Y, s.B.X, s.B.Y);
    }
    if (s.A.X != s.B.X && s.A.Y != s.B.Y) {
        state.DimOblique = true;
        DimensionOblique(state, canvas, s.A.X, s.A.Y, s.B.X, s.B.Y);
    }
}

void DrawKnifePicture(DrawingState& state, Canvas& canvas, const std::string& kind,
                      const std::vector<std::string>& contour) {
    ClearKnifePicture(canvas);
    if (kind == "standard")
        DrawLineContour(state, contour, canvas);
    else
        DrawContour(state, contour, canvas);
}

std::optional<Segment> SegmentUnderPointer(const DrawingFrame& frame,
                                           const std::vector<std::string>& contour, int x, int y) {
    std::optional<Segment> found;
    for (const std::string& record : contour) {
        auto line = ReadDrawingLine(record);
        if (!line)
            continue;
        int ax = CanvasX(frame, line->A.X), bx = CanvasX(frame, line->B.X);
        int ay = CanvasY(frame, line->A.Y), by = CanvasY(frame, line->B.Y);
        if (Holds(std::min(ax, bx), std::max(ax, bx), x) &&
            Holds(std::min(ay, by), std::max(ay, by), y))
            found = line;
    }
    return found;
}

bool DrawHoverDimensioning(DrawingState& state, Canvas& canvas, const KnifeFileFields& knife,
                           std::optional<Segment>& hoverSegment, int x, int y) {
    if (knife.Kind != "profiled")
        return false;
    std::optional<Segment> found = SegmentUnderPointer(state.Frame, knife.Contour, x, y);
    if (found)
        hoverSegment = found;
    ClearKnifePicture(canvas);
    DrawContour(state, knife.Contour, canvas);
    if (found)
        DimensionSegment(state, canvas, *found);
    return true;
}

} // namespace torvex
