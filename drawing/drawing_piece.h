#pragma once

#include "geometry/element.h"

#include <stdexcept>
#include <string>

namespace torvex {

// A drawing the import cannot take; the message says why and, where there is one, names the place
// (x, y) in the drawing's own coordinates.
class DrawingError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class PieceKind { Line, Arc };

// One line or circular arc of a drawing, in the drawing's coordinates. An arc runs from Start to
// End about Centre: it starts at StartAngle (radians) and turns by Sweep, counter-clockwise when
// Sweep is positive. Start and End are kept beside the angles so that joined ends stay exact.
struct DrawingPiece {
    PieceKind Kind = PieceKind::Line;
    TPoint Start, End;
    TPoint Centre;
    double Radius = 0;
    double StartAngle = 0;
    double Sweep = 0;
    std::string Layer;

    bool IsArc() const { return Kind == PieceKind::Arc; }
};

DrawingPiece LinePiece(TPoint start, TPoint end, std::string layer);
// The arc about `centre` from `startAngle` by `sweep` (radians, counter-clockwise when positive).
DrawingPiece ArcPiece(TPoint centre, double radius, double startAngle, double sweep,
                      std::string layer);
// The arc of a polyline segment from `start` to `end` whose bulge (the tangent of a quarter of
// its angle, positive counter-clockwise) is not zero.
DrawingPiece BulgeArcPiece(TPoint start, TPoint end, double bulge, std::string layer);

// The same piece run the other way.
DrawingPiece Reversed(const DrawingPiece& piece);
// The point at `fraction` (0 to 1) of the way from Start to End.
TPoint PointAlong(const DrawingPiece& piece, double fraction);
double PieceLength(const DrawingPiece& piece);
// The direction of travel at Start, of length 1.
TPoint StartDirection(const DrawingPiece& piece);
// The direction of travel at End, of length 1.
TPoint EndDirection(const DrawingPiece& piece);
// How the piece turns: 1 / radius for an arc turning left (counter-clockwise), minus that for one
// turning right, 0 for a line.
double Curvature(const DrawingPiece& piece);

// The distance from p to the piece, and where along it (0 to 1) the nearest point lies.
struct Projection {
    double Distance = 0;
    double Fraction = 0;
};
Projection Project(const DrawingPiece& piece, TPoint p);

// The part of the piece between two fractions of its way, its ends exactly `from` and `to`.
DrawingPiece SubPiece(const DrawingPiece& piece, double fromFraction, double toFraction,
                      TPoint from, TPoint to);

double Distance(TPoint a, TPoint b);

// A place as messages name it: "(x, y)", to three decimals with a decimal point.
std::string PlaceText(TPoint p);

} // namespace torvex
