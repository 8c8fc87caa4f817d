#pragma once

#include "geometry/element.h"
#include "platform/canvas.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace torvex {

// Maps knife millimetres to the pixels of the library's pictures: FrameSize millimetres span
// FramePixels pixels, and the origin lies FrameX0 + 31, FrameY0 + 15 pixels from the corner.
struct DrawingFrame {
    double FrameSize = 120;
    int FramePixels = 120;
    int FrameX0 = 0;
    int FrameY0 = 0;
};

struct Segment {
    TPoint A, B;
    friend bool operator==(const Segment&, const Segment&) = default;
};

// What the drawing routines read besides the list and the canvas. The dimension switches decide
// whether DimensionVertical, DimensionHorizontal and DimensionOblique draw anything; the outline
// routines set them as they go. SelectedLine is the knife editor's selection, drawn in red.
struct DrawingState {
    DrawingFrame Frame;
    bool DimVertical = false;
    bool DimHorizontal = false;
    bool DimOblique = false;
    std::optional<Segment> SelectedLine;
    char DecimalSeparator = '.';
};

// A drawing handles this many records of a list, each cut to this many characters.
inline constexpr size_t MaxDrawnRecords = 255;
inline constexpr size_t MaxRecordLength = 255;

// Pixel of a coordinate: rounded to the nearest pixel, halves to even, and kept within 16 bits.
// Throws ArithmeticError when FrameSize is zero.
int CanvasX(const DrawingFrame& frame, double x);
int CanvasY(const DrawingFrame& frame, double y);

// The ends of a drawing's line record: a record that holds "line" anywhere, with four values
// from its sixth character on. Nothing for another record; ConversionError for a bad value.
std::optional<Segment> ReadDrawingLine(std::string_view record);

// Outline of the line records, the vertical and slanted ones dimensioned, and the six-value arc
// records (a standard knife's rounded tip), filled in silver.
void DrawLineContour(DrawingState& state, const std::vector<std::string>& lines, Canvas& canvas);
// Outline of the line records with the dimensions of the last record only. No fill.
void DrawLineContourLastDimensioned(DrawingState& state, const std::vector<std::string>& lines,
                                    Canvas& canvas);
// Outline of the line records and the editor's six-value arc records ("arc cx/cy/ax/ay/bx/by/"),
// without dimensions, then the selected line in red.
void DrawContour(DrawingState& state, const std::vector<std::string>& lines, Canvas& canvas);

// The short arc about `centre` through `a` and `b` (the knife editor's arc), from a to b or from b
// to a, whichever of them runs counter-clockwise on the canvas.
void DrawArc(const DrawingFrame& frame, Canvas& canvas, TPoint centre, TPoint a, TPoint b);

// The dimension figures of the segment (x1, y1)-(x2, y2); each draws only while its switch is on.
void DimensionVertical(DrawingState& state, Canvas& canvas, double x1, double y1, double x2,
                       double y2);
void DimensionHorizontal(DrawingState& state, Canvas& canvas, double x1, double y1, double x2,
                         double y2);
// The height beside the outer end (this switches DimVertical on), the angle to the horizontal at
// the upper end on the canvas, and the width above.
void DimensionOblique(DrawingState& state, Canvas& canvas, double x1, double y1, double x2,
                      double y2);

} // namespace torvex
