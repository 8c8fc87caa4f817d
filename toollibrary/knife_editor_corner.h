#pragma once

#include "geometry/contour_drawing.h"
#include "geometry/element.h"

#include <cstdint>
#include <stdexcept>
#include <string>

namespace torvex {

// The knife editor refuses an action: the message says why, and nothing was changed.
class KnifeEditorError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A line of the editor by its two ends, in the order they were drawn: the line record the
// drawings read.
using EditorSegment = Segment;

enum class CornerKind : uint8_t { Chamfer, Fillet };

// The chamfer lengths on the first and the second line, and the fillet radius.
struct CornerSizes {
    double D1 = 5;
    double D2 = 5;
    double R = 5;
};

inline constexpr const char* NoCornerText =
    "The two lines are parallel or the same line: they make no corner.";
inline constexpr const char* NoLengthText = "A line whose two ends are the same has no direction.";
inline constexpr const char* ChamferSizeText =
    "The chamfer lengths D1 and D2 must be greater than 0.";
inline constexpr const char* FilletSizeText = "The fillet radius R must not be 0.";
inline constexpr const char* ChamferTooLongText =
    "The chamfer is longer than the line it is cut from.";
inline constexpr const char* FilletTooLongText = "The fillet is too large for the lines it joins.";

// Direction of the line from the corner k toward the far end f, in degrees measured from +X
// towards -Y: 0 along +X, 90 along -Y, 180 along -X, 270 along +Y.
double DirectionAngle(const TPoint& k, const TPoint& f);

// The direction halfway between the lines' direction angles, on the inside of the corner.
double BisectorAngle(double a1, double a2);

// A corner bevelled or rounded: each line shortened to run from its new end to its far end (its
// ends kept in the order drawn), and the record of the chamfer line or the fillet arc ("arc"
// with the centre, the new end of the first line and the new end of the second) between them.
struct CornerCut {
    TPoint Corner;
    EditorSegment First, Second;
    TPoint FirstNew, FirstFar, SecondNew, SecondFar;
    std::string Record;
};

// The corner where the two lines meet, bevelled by D1 and D2 or rounded by R. Throws
// KnifeEditorError for parallel lines, one line twice, a line without length, a zero or negative
// chamfer length, a zero radius, or a cut longer than a line.
CornerCut CutCorner(const EditorSegment& first, const EditorSegment& second, CornerKind kind,
                    const CornerSizes& sizes);

// "line x1/y1/x2/y2/" in the general number form with the decimal point.
std::string LineRecord(const EditorSegment& line);

} // namespace torvex
