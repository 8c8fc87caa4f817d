#include "geometry/contour_drawing.h"

#include "geometry/number_text.h"
#include "platform/errors.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace torvex {

namespace {

constexpr const char* LabelFont = "Small Fonts";
constexpr int LabelSize = 6;
constexpr int DimensionGap = 12;
constexpr int StubLength = 3;

int ToPixel(const DrawingFrame& frame, double value) {
    double scaled = std::nearbyint(SafeDivide(value * frame.FramePixels, frame.FrameSize));
    return static_cast<int>(std::clamp(scaled, -32768.0, 32767.0));
}

int Sign(int value) {
    return (value > 0) - (value < 0);
}

// A record as the drawing routines see it: cut to its longest length.
std::string_view Clipped(const std::string& record) {
    return std::string_view(record).substr(0, MaxRecordLength);
}

// An axis-parallel dimension line whose last pixels at each end are drawn thick, inside the span.
void DimensionLine(Canvas& canvas, int x1, int y1, int x2, int y2) {
    int dx = Sign(x2 - x1) * StubLength;
    int dy = Sign(y2 - y1) * StubLength;
    canvas.SetPenWidth(2);
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x1 + dx, y1 + dy);
    canvas.MoveTo(x2, y2);
    canvas.LineTo(x2 - dx, y2 - dy);
    canvas.SetPenWidth(1);
    if (std::abs(x2 - x1) + std::abs(y2 - y1) > 2 * StubLength) {
        canvas.MoveTo(x1 + dx, y1 + dy);
        canvas.LineTo(x2 - dx, y2 - dy);
    }
}

std::string Label(const DrawingState& state, double length) {
    return FormatFloat("0.##", std::fabs(length), state.DecimalSeparator);
}

void TextEndingAt(Canvas& canvas, int right, int y, const std::string& text) {
    canvas.TextOut(right - canvas.TextWidth(text), y, text);
}

void VerticalFigure(DrawingState& state, Canvas& canvas, double x1, double y1, double x2,
                    double y2) {
    const DrawingFrame& frame = state.Frame;
    int x = CanvasX(frame, x1);
    int top = std::min(CanvasY(frame, y1), CanvasY(frame, y2));
    int bottom = std::max(CanvasY(frame, y1), CanvasY(frame, y2));
    int labelY = top + (bottom - top) / 2 - 5;
    std::string label = Label(state, y1 - y2);
    if (x1 > 0) {
        DimensionLine(canvas, x + DimensionGap, top, x + DimensionGap, bottom);
        canvas.TextOut(x + 15, labelY, label);
    } else if (x1 < 0) {
        DimensionLine(canvas, x - DimensionGap, top, x - DimensionGap, bottom);
        TextEndingAt(canvas, x - 15, labelY, label);
    } else if (x2 == 0 && label != "0") {
        TextEndingAt(canvas, x - 15, labelY, label);
    }
}

void HorizontalFigure(DrawingState& state, Canvas& canvas, double x1, double y1, double x2,
                      double y2) {
    const DrawingFrame& frame = state.Frame;
    int left = std::min(CanvasX(frame, x1), CanvasX(frame, x2));
    int right = std::max(CanvasX(frame, x1), CanvasX(frame, x2));
    int row = std::min(CanvasY(frame, y1), CanvasY(frame, y2));
    DimensionLine(canvas, left, row - DimensionGap, right, row - DimensionGap);
    std::string label = Label(state, x1 - x2);
    canvas.TextOut(left + (right - left) / 2 - canvas.TextWidth(label) / 2, row - 23, label);
}

// The angle between a slanted segment and the horizontal, drawn at its upper end on the canvas
// (the tip of a knife's flank): a reference line towards the other end, an arc between the two
// outside the outline, and the whole degrees beside it.
void AngleFigure(DrawingState& state, Canvas& canvas, double x1, double y1, double x2, double y2) {
    const DrawingFrame& frame = state.Frame;
    int ax = CanvasX(frame, x1), ay = CanvasY(frame, y1);
    int bx = CanvasX(frame, x2), by = CanvasY(frame, y2);
    if (by < ay) {
        std::swap(ax, bx);
        std::swap(ay, by);
    }
    int direction = bx >= ax ? 1 : -1;
    canvas.MoveTo(ax, ay);
    canvas.LineTo(ax + 16 * direction, ay);
    constexpr int radius = 10;
    if (direction > 0)
        canvas.Arc(ax - radius, ay - radius, ax + radius, ay + radius, bx, by, ax + radius, ay);
    else
        canvas.Arc(ax - radius, ay - radius, ax + radius, ay + radius, ax - radius, ay, bx, by);
    double degrees = std::atan2(std::fabs(y2 - y1), std::fabs(x2 - x1)) * 180 / std::numbers::pi;
    std::string label = FormatFloat("0.##", std::nearbyint(degrees)) + "\u00b0";
    if (direction > 0)
        canvas.TextOut(ax + radius + 3, ay + 1, label);
    else
        TextEndingAt(canvas, ax - radius - 3, ay + 1, label);
}

enum class Dimensioning : uint8_t { WithoutHorizontal, Every };

struct OutlineBounds {
    int MinX;
    int MaxY;
};

// A line record's four value texts from its sixth character on, and the points they give.
struct LineRecord {
    std::vector<std::string_view> Texts;
    Segment Line;
};

LineRecord ReadLineRecord(std::string_view record) {
    LineRecord line{RecordValueTexts(record, 5, 4), {}};
    line.Line = {{FileTextToFloat(line.Texts[0]), FileTextToFloat(line.Texts[1])},
                 {FileTextToFloat(line.Texts[2]), FileTextToFloat(line.Texts[3])}};
    return line;
}

void DrawLineRecord(DrawingState& state, Canvas& canvas, std::string_view record,
                    Dimensioning dimensioning, OutlineBounds& bounds) {
    LineRecord line = ReadLineRecord(record);
    auto [x1, y1] = line.Line.A;
    auto [x2, y2] = line.Line.B;
    const DrawingFrame& frame = state.Frame;
    int px1 = CanvasX(frame, x1), py1 = CanvasY(frame, y1);
    int px2 = CanvasX(frame, x2), py2 = CanvasY(frame, y2);
    canvas.MoveTo(px1, py1);
    canvas.LineTo(px2, py2);
    bounds.MinX = std::min({bounds.MinX, px1, px2});
    bounds.MaxY = std::max({bounds.MaxY, py1, py2});
    canvas.SetFont(LabelFont, LabelSize, FontWeight::Normal);
    bool sameX = line.Texts[0] == line.Texts[2];
    bool sameY = line.Texts[1] == line.Texts[3];
    if (sameX)
        DimensionVertical(state, canvas, x1, y1, x2, y2);
    if (sameY && dimensioning == Dimensioning::Every)
        DimensionHorizontal(state, canvas, x1, y1, x2, y2);
    if (!sameX && !sameY)
        DimensionOblique(state, canvas, x1, y1, x2, y2);
}

bool IsLineRecord(std::string_view record) {
    return record.find("line") != std::string_view::npos;
}

bool IsArcRecord(std::string_view record) {
    return record.find("arc") != std::string_view::npos;
}

void DrawArcRecord(const DrawingFrame& frame, Canvas& canvas, std::string_view record) {
    auto texts = RecordValueTexts(record, 4, 6);
    double v[6];
    for (int i = 0; i < 6; ++i)
        v[i] = FileTextToFloat(texts[i]);
    DrawArc(frame, canvas, {v[0], v[1]}, {v[2], v[3]}, {v[4], v[5]});
}

size_t DrawnCount(const std::vector<std::string>& lines) {
    return std::min(lines.size(), MaxDrawnRecords);
}

OutlineBounds StartOutline(const DrawingState& state, Canvas& canvas) {
    canvas.SetPenColour(Black);
    canvas.SetPenWidth(1);
    return {CanvasX(state.Frame, 0), CanvasY(state.Frame, 0)};
}

// The angle of p about c in degrees from 0 to 360, counter-clockwise on the canvas (y grows
// downwards).
double CanvasAngle(TPoint c, TPoint p) {
    double degrees = std::atan2(c.Y - p.Y, p.X - c.X) * 180 / std::numbers::pi;
    return degrees < 0 ? degrees + 360 : degrees;
}

} // namespace

int CanvasX(const DrawingFrame& frame, double x) {
    return ToPixel(frame, x) + frame.FrameX0 + 31;
}

int CanvasY(const DrawingFrame& frame, double y) {
    return ToPixel(frame, y) + frame.FrameY0 + 15;
}

std::optional<Segment> ReadDrawingLine(std::string_view record) {
    if (!IsLineRecord(record))
        return std::nullopt;
    return ReadLineRecord(record).Line;
}

void DrawLineContour(DrawingState& state, const std::vector<std::string>& lines, Canvas& canvas) {
    if (lines.empty())
        return;
    state.DimVertical = true;
    state.DimOblique = true;
    OutlineBounds bounds = StartOutline(state, canvas);
    for (size_t i = 0; i < DrawnCount(lines); ++i) {
        std::string_view record = Clipped(lines[i]);
        if (IsLineRecord(record))
            DrawLineRecord(state, canvas, record, Dimensioning::WithoutHorizontal, bounds);
        else if (IsArcRecord(record))
            DrawArcRecord(state.Frame, canvas, record);
    }
    canvas.SetBrush(Silver, BrushStyle::Solid);
    canvas.FloodFill(bounds.MinX + 2, bounds.MaxY - 5, Black);
    canvas.SetBrush(White, BrushStyle::Solid);
}

void DrawLineContourLastDimensioned(DrawingState& state, const std::vector<std::string>& lines,
                                    Canvas& canvas) {
    if (lines.empty())
        return;
    OutlineBounds bounds = StartOutline(state, canvas);
    for (size_t i = 0; i < DrawnCount(lines); ++i) {
        bool last = i + 1 == lines.size();
        state.DimVertical = state.DimHorizontal = state.DimOblique = last;
        std::string_view record = Clipped(lines[i]);
        if (IsLineRecord(record))
            DrawLineRecord(state, canvas, record, Dimensioning::Every, bounds);
    }
}

void DrawContour(DrawingState& state, const std::vector<std::string>& lines, Canvas& canvas) {
    if (lines.empty())
        return;
    state.DimVertical = state.DimHorizontal = state.DimOblique = false;
    OutlineBounds bounds = StartOutline(state, canvas);
    for (size_t i = 0; i < DrawnCount(lines); ++i) {
        std::string_view record = Clipped(lines[i]);
        if (IsLineRecord(record))
            DrawLineRecord(state, canvas, record, Dimensioning::Every, bounds);
        else if (IsArcRecord(record))
            DrawArcRecord(state.Frame, canvas, record);
    }
    if (state.SelectedLine) {
        const Segment& line = *state.SelectedLine;
        canvas.SetPenColour(Red);
        canvas.MoveTo(CanvasX(state.Frame, line.A.X), CanvasY(state.Frame, line.A.Y));
        canvas.LineTo(CanvasX(state.Frame, line.B.X), CanvasY(state.Frame, line.B.Y));
        canvas.SetPenColour(Black);
    }
}

void DrawArc(const DrawingFrame& frame, Canvas& canvas, TPoint centre, TPoint a, TPoint b) {
    double r = std::hypot(a.X - centre.X, a.Y - centre.Y);
    // The short arc: the one that turns counter-clockwise from its first end by half a turn at
    // most, whichever side of the centre its ends lie.
    double sweep = CanvasAngle(centre, b) - CanvasAngle(centre, a);
    bool fromA = sweep >= 0 ? sweep <= 180 : sweep <= -180;
    TPoint first = fromA ? a : b;
    TPoint second = fromA ? b : a;
    canvas.Arc(CanvasX(frame, centre.X - r), CanvasY(frame, centre.Y - r),
               CanvasX(frame, centre.X + r), CanvasY(frame, centre.Y + r), CanvasX(frame, first.X),
               CanvasY(frame, first.Y), CanvasX(frame, second.X), CanvasY(frame, second.Y));
}

void DimensionVertical(DrawingState& state, Canvas& canvas, double x1, double y1, double x2,
                       double y2) {
    if (state.DimVertical)
        VerticalFigure(state, canvas, x1, y1, x2, y2);
}

void DimensionHorizontal(DrawingState& state, Canvas& canvas, double x1, double y1, double x2,
                         double y2) {
    if (state.DimHorizontal)
        HorizontalFigure(state, canvas, x1, y1, x2, y2);
}

void DimensionOblique(DrawingState& state, Canvas& canvas, double x1, double y1, double x2,
                      double y2) {
    if (!state.DimOblique)
        return;
    state.DimVertical = true;
    bool rightOfAxis = x1 >= 0 && x2 >= 0 && !(x1 == 0 && x2 == 0);
    double outerX = rightOfAxis ? std::max(x1, x2) : std::min(x1, x2);
    DimensionVertical(state, canvas, outerX, y1, outerX, y2);
    AngleFigure(state, canvas, x1, y1, x2, y2);
    HorizontalFigure(state, canvas, x1, y1, x2, y2);
}

} // namespace torvex
