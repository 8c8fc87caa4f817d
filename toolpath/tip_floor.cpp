#include "toolpath/tip_floor.h"

#include <algorithm>
#include <cmath>

namespace torvex {

namespace {

// Spans narrower than this are touches: rounding noise where a side stands on a wall.
constexpr double TouchWidth = 1e-9;

// The angle of p on the lower half of the circle about c, from -pi (left) to 0 (right).
double LowerAngle(const TPoint& c, const TPoint& p) {
    double a = std::atan2(p.Y - c.Y, p.X - c.X);
    if (a > 0)
        a = p.X < c.X ? -M_PI : 0;
    return a;
}

} // namespace

double TipFloor::Piece::Y(double x) const {
    if (Kind == Line)
        return Y0 + M * (x - Lo);
    double dx = x - Centre.X;
    double h = std::sqrt(std::max(0.0, Radius * Radius - dx * dx));
    return Kind == UpperHalf ? Centre.Y + h : Centre.Y - h;
}

TipFloor::TipFloor(const Tobjects& profile, const std::vector<TPoint>& knifeOutline, double rest) {
    for (const TObj& e : profile)
        AddElement(e, rest);
    std::sort(Pieces.begin(), Pieces.end(),
              [](const Piece& a, const Piece& b) { return a.Lo < b.Lo; });
    for (const Piece& p : Pieces)
        WidestPiece = std::max(WidestPiece, p.Hi - p.Lo);

    for (size_t i = 0; i < knifeOutline.size(); ++i) {
        TPoint a = knifeOutline[i];
        TPoint b = knifeOutline[(i + 1) % knifeOutline.size()];
        KnifeMinX = std::min(KnifeMinX, a.X);
        KnifeMaxX = std::max(KnifeMaxX, a.X);
        // A vertical edge holds the knife up no more than its lower end, which the edges beside
        // it hold.
        if (a.X == b.X)
            continue;
        if (a.X > b.X)
            std::swap(a, b);
        Edges.push_back({a.X, a.Y, b.X, b.Y});
        WidestEdge = std::max(WidestEdge, b.X - a.X);
    }
    std::sort(Edges.begin(), Edges.end(), [](const Edge& a, const Edge& b) { return a.Ax < b.Ax; });
}

void TipFloor::AddDisc(const TPoint& centre, double rest) {
    // Without a rest a disc is a point, held by the lines and arcs that end there.
    if (rest > 0)
        Pieces.push_back({Piece::UpperHalf, centre.X - rest, centre.X + rest, 0, 0, centre, rest});
}

void TipFloor::AddElement(const TObj& e, double rest) {
    if (e.IsLine()) {
        AddDisc(e.P1, rest);
        AddDisc(e.P2, rest);
        TPoint a = e.P1.X <= e.P2.X ? e.P1 : e.P2;
        TPoint b = e.P1.X <= e.P2.X ? e.P2 : e.P1;
        double length = std::hypot(b.X - a.X, b.Y - a.Y);
        // A wall's sweep is capped by the discs at its ends.
        if (a.X == b.X || length == 0)
            return;
        double nx = -(b.Y - a.Y) / length; // the normal away from the part, upwards
        double ny = (b.X - a.X) / length;
        Pieces.push_back({Piece::Line,
                          a.X + rest * nx,
                          b.X + rest * nx,
                          a.Y + rest * ny,
                          (b.Y - a.Y) / (b.X - a.X),
                          {},
                          0});
        return;
    }
    if (!e.IsArc())
        return;
    AddDisc(e.P3, rest);
    AddDisc(e.P4, rest);
    TPoint c = e.Centre();
    double r = e.Radius();
    double lo = std::min(e.P3.X, e.P4.X);
    double hi = std::max(e.P3.X, e.P4.X);
    if (r <= 0 || lo == hi)
        return;
    bool upper = e.P3.X < e.P4.X;
    if (upper || r > rest) {
        // A crown grows by the rest; a hollow whose radius exceeds the rest shrinks by it.
        double grown = upper ? r + rest : r - rest;
        double scale = grown / r;
        Pieces.push_back({upper ? Piece::UpperHalf : Piece::LowerHalf, c.X + scale * (lo - c.X),
                          c.X + scale * (hi - c.X), 0, 0, c, grown});
        return;
    }
    // A hollow tighter than the rest is filled by the discs about its points, a degree apart.
    double from = LowerAngle(c, lo == e.P3.X ? e.P3 : e.P4);
    double to = LowerAngle(c, hi == e.P3.X ? e.P3 : e.P4);
    int steps = std::max(1, static_cast<int>(std::ceil((to - from) / (M_PI / 180))));
    for (int k = 1; k < steps; ++k) {
        double a = from + (to - from) * k / steps;
        AddDisc({c.X + r * std::cos(a), c.Y + r * std::sin(a)}, rest);
    }
}

std::optional<double> TipFloor::Rise(const Piece& piece, const Edge& edge, double z) const {
    double lo = std::max(piece.Lo, z + edge.Ax);
    double hi = std::min(piece.Hi, z + edge.Bx);
    if (hi - lo <= TouchWidth)
        return std::nullopt;
    double slope = (edge.By - edge.Ay) / (edge.Bx - edge.Ax);
    auto rise = [&](double x) { return piece.Y(x) - (edge.Ay + slope * (x - z - edge.Ax)); };
    double most = std::max(rise(lo), rise(hi));
    // A crown rises most above a sloping edge where its tangent runs parallel to it.
    if (piece.Kind == Piece::UpperHalf) {
        double x = piece.Centre.X - slope * piece.Radius / std::sqrt(1 + slope * slope);
        if (lo < x && x < hi)
            most = std::max(most, rise(x));
    }
    return most;
}

std::optional<double> TipFloor::At(double z) const {
    std::optional<double> floor;
    double from = z + KnifeMinX - WidestPiece;
    auto first = std::lower_bound(Pieces.begin(), Pieces.end(), from,
                                  [](const Piece& p, double x) { return p.Lo < x; });
    for (auto piece = first; piece != Pieces.end() && piece->Lo < z + KnifeMaxX; ++piece) {
        if (piece->Hi <= z + KnifeMinX)
            continue;
        double edgesFrom = piece->Lo - z - WidestEdge;
        auto edge = std::lower_bound(Edges.begin(), Edges.end(), edgesFrom,
                                     [](const Edge& e, double x) { return e.Ax < x; });
        for (; edge != Edges.end() && edge->Ax < piece->Hi - z; ++edge)
            if (std::optional<double> rise = Rise(*piece, *edge, z))
                floor = std::max(floor.value_or(*rise), *rise);
    }
    return floor;
}

} // namespace torvex
