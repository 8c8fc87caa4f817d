#include "drawing/drawing_piece.h"

#include "geometry/number_text.h"

#include <cmath>
#include <numbers>
#include <utility>

namespace torvex {

namespace {

constexpr double FullTurn = 2 * std::numbers::pi;

TPoint OnCircle(TPoint centre, double radius, double angle) {
    return {centre.X + radius * std::cos(angle), centre.Y + radius * std::sin(angle)};
}

TPoint Unit(double dx, double dy) {
    double length = std::hypot(dx, dy);
    if (length == 0)
        return {0, 0};
    return {dx / length, dy / length};
}

// The direction of travel on an arc at `angle`.
TPoint ArcDirection(const DrawingPiece& arc, double angle) {
    return arc.Sweep >= 0 ? TPoint{-std::sin(angle), std::cos(angle)}
                          : TPoint{std::sin(angle), -std::cos(angle)};
}

} // namespace

double Distance(TPoint a, TPoint b) {
    return std::hypot(b.X - a.X, b.Y - a.Y);
}

std::string PlaceText(TPoint p) {
    std::string text = "(";
    text += FormatFloat("0.###", p.X) + ", " + FormatFloat("0.###", p.Y) + ")";
    return text;
}

DrawingPiece LinePiece(TPoint start, TPoint end, std::string layer) {
    DrawingPiece line;
    line.Start = start;
    line.End = end;
    line.Layer = std::move(layer);
    return line;
}

DrawingPiece ArcPiece(TPoint centre, double radius, double startAngle, double sweep,
                      std::string layer) {
    DrawingPiece arc;
    arc.Kind = PieceKind::Arc;
    arc.Centre = centre;
    arc.Radius = radius;
    arc.StartAngle = startAngle;
    arc.Sweep = sweep;
    arc.Start = OnCircle(centre, radius, startAngle);
    arc.End = OnCircle(centre, radius, startAngle + sweep);
    arc.Layer = std::move(layer);
    return arc;
}

DrawingPiece BulgeArcPiece(TPoint start, TPoint end, double bulge, std::string layer) {
    double dx = end.X - start.X;
    double dy = end.Y - start.Y;
    double chord = std::hypot(dx, dy);
    // The centre lies on the chord's perpendicular bisector, (1 - b^2) / 4b chords from its middle
    // (to the left of the chord for a counter-clockwise arc).
    double offset = (1 - bulge * bulge) / (4 * bulge);
    TPoint centre{(start.X + end.X) / 2 - dy * offset, (start.Y + end.Y) / 2 + dx * offset};
    double radius = chord * (1 + bulge * bulge) / (4 * std::fabs(bulge));
    DrawingPiece arc = ArcPiece(centre, radius, std::atan2(start.Y - centre.Y, start.X - centre.X),
                                4 * std::atan(bulge), std::move(layer));
    arc.Start = start;
    arc.End = end;
    return arc;
}

DrawingPiece Reversed(const DrawingPiece& piece) {
    DrawingPiece reversed = piece;
    std::swap(reversed.Start, reversed.End);
    if (piece.IsArc()) {
        reversed.StartAngle = piece.StartAngle + piece.Sweep;
        reversed.Sweep = -piece.Sweep;
    }
    return reversed;
}

TPoint PointAlong(const DrawingPiece& piece, double fraction) {
    if (fraction <= 0)
        return piece.Start;
    if (fraction >= 1)
        return piece.End;
    if (piece.IsArc())
        return OnCircle(piece.Centre, piece.Radius, piece.StartAngle + fraction * piece.Sweep);
    return {piece.Start.X + fraction * (piece.End.X - piece.Start.X),
            piece.Start.Y + fraction * (piece.End.Y - piece.Start.Y)};
}

double PieceLength(const DrawingPiece& piece) {
    if (piece.IsArc())
        return std::fabs(piece.Sweep) * piece.Radius;
    return Distance(piece.Start, piece.End);
}

TPoint StartDirection(const DrawingPiece& piece) {
    if (piece.IsArc())
        return ArcDirection(piece, piece.StartAngle);
    return Unit(piece.End.X - piece.Start.X, piece.End.Y - piece.Start.Y);
}

TPoint EndDirection(const DrawingPiece& piece) {
    if (piece.IsArc())
        return ArcDirection(piece, piece.StartAngle + piece.Sweep);
    return StartDirection(piece);
}

double Curvature(const DrawingPiece& piece) {
    if (!piece.IsArc() || piece.Radius == 0)
        return 0;
    return (piece.Sweep >= 0 ? 1 : -1) / piece.Radius;
}

Projection Project(const DrawingPiece& piece, TPoint p) {
    if (piece.IsArc()) {
        double turned = std::atan2(p.Y - piece.Centre.Y, p.X - piece.Centre.X) - piece.StartAngle;
        if (piece.Sweep < 0)
            turned = -turned;
        turned = std::fmod(std::fmod(turned, FullTurn) + FullTurn, FullTurn);
        double sweep = std::fabs(piece.Sweep);
        if (sweep > 0 && turned <= sweep)
            return {std::fabs(Distance(p, piece.Centre) - piece.Radius), turned / sweep};
    } else {
        double dx = piece.End.X - piece.Start.X;
        double dy = piece.End.Y - piece.Start.Y;
        double lengthSquared = dx * dx + dy * dy;
        if (lengthSquared > 0) {
            double fraction =
                ((p.X - piece.Start.X) * dx + (p.Y - piece.Start.Y) * dy) / lengthSquared;
            if (fraction >= 0 && fraction <= 1)
                return {Distance(p, PointAlong(piece, fraction)), fraction};
        }
    }
    double toStart = Distance(p, piece.Start);
    double toEnd = Distance(p, piece.End);
    return toStart <= toEnd ? Projection{toStart, 0} : Projection{toEnd, 1};
}

DrawingPiece SubPiece(const DrawingPiece& piece, double fromFraction, double toFraction,
                      TPoint from, TPoint to) {
    DrawingPiece part = piece;
    part.Start = from;
    part.End = to;
    if (piece.IsArc()) {
        part.StartAngle = piece.StartAngle + fromFraction * piece.Sweep;
        part.Sweep = (toFraction - fromFraction) * piece.Sweep;
    }
    return part;
}

} // namespace torvex
