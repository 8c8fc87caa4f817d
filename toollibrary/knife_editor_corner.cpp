#include "toollibrary/knife_editor_corner.h"

#include "geometry/number_text.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace torvex {

namespace {

constexpr double Degree = std::numbers::pi / 180;
// A cut may reach the far end of its line, within the rounding of the angles it comes from.
constexpr double LengthTolerance = 1e-9;

// y = M x + C, or the vertical line through an end.
struct LineForm {
    bool Vertical = false;
    double M = 0;
    double C = 0;
};

LineForm FormOf(const EditorSegment& line) {
    double dx = line.B.X - line.A.X;
    if (dx == 0)
        return {true, 0, 0};
    double m = (line.B.Y - line.A.Y) / dx;
    return {false, m, line.B.Y - line.B.X * m};
}

TPoint CornerOf(const EditorSegment& first, const EditorSegment& second) {
    LineForm f1 = FormOf(first);
    LineForm f2 = FormOf(second);
    TPoint k;
    if (f1.Vertical && f2.Vertical)
        throw KnifeEditorError(NoCornerText);
    if (f1.Vertical) {
        k.X = first.A.X;
        k.Y = k.X * f2.M + f2.C;
    } else if (f2.Vertical) {
        k.X = second.A.X;
        k.Y = k.X * f1.M + f1.C;
    } else {
        if (f1.M == f2.M)
            throw KnifeEditorError(NoCornerText);
        k.X = (f2.C - f1.C) / (f1.M - f2.M);
        k.Y = k.X * f1.M + f1.C;
    }
    if (!std::isfinite(k.X) || !std::isfinite(k.Y))
        throw KnifeEditorError(NoCornerText);
    return k;
}

double Distance(const TPoint& a, const TPoint& b) {
    return std::hypot(a.X - b.X, a.Y - b.Y);
}

// A line's end at the corner, the nearer one (the second on a tie), and its far end.
struct LineEnds {
    bool CornerIsFirst;
    TPoint Near, Far;
};

LineEnds EndsOf(const EditorSegment& line, const TPoint& k) {
    if (Distance(line.A, k) < Distance(line.B, k))
        return {true, line.A, line.B};
    return {false, line.B, line.A};
}

// The point t from the corner end toward the far end.
TPoint NewEnd(const EditorSegment& line, const LineEnds& ends, const TPoint& k, double t) {
    const TPoint& e = ends.Near;
    const TPoint& f = ends.Far;
    LineForm form = FormOf(line);
    if (form.Vertical)
        return {e.X, e.Y > f.Y ? e.Y - t : e.Y + t};
    double theta = std::fabs(std::atan(form.M));
    return {f.X < k.X ? e.X - t * std::cos(theta) : e.X + t * std::cos(theta),
            f.Y < k.Y ? e.Y - t * std::sin(theta) : e.Y + t * std::sin(theta)};
}

EditorSegment Shortened(const LineEnds& ends, const TPoint& newEnd) {
    return ends.CornerIsFirst ? EditorSegment{newEnd, ends.Far} : EditorSegment{ends.Far, newEnd};
}

TPoint FilletCentre(const TPoint& k, double bisector, double s) {
    if (bisector > 89.9 && bisector < 90.1)
        return {k.X, k.Y - s};
    if (bisector > 269.9 && bisector < 270.1)
        return {k.X, k.Y + s};
    return {k.X + s * std::cos(bisector * Degree), k.Y - s * std::sin(bisector * Degree)};
}

std::string Values(std::initializer_list<TPoint> points) {
    std::string text;
    for (const TPoint& p : points)
        text += FloatToText(p.X) + "/" + FloatToText(p.Y) + "/";
    return text;
}

// Lines that nearly run in parallel meet beyond the range of a double.
void RequireFinite(std::initializer_list<TPoint> points) {
    for (const TPoint& p : points)
        if (!std::isfinite(p.X) || !std::isfinite(p.Y))
            throw KnifeEditorError(NoCornerText);
}

void RequireFits(double t, const LineEnds& ends, CornerKind kind) {
    if (t > Distance(ends.Near, ends.Far) * (1 + LengthTolerance))
        throw KnifeEditorError(kind == CornerKind::Chamfer ? ChamferTooLongText
                                                           : FilletTooLongText);
}

} // namespace

double DirectionAngle(const TPoint& k, const TPoint& f) {
    double base = f.X != k.X ? std::fabs(std::atan((f.Y - k.Y) / (f.X - k.X))) / Degree : 90.0;
    if (f.X < k.X)
        return f.Y > k.Y ? 180 + base : 180 - base;
    return f.Y > k.Y ? 360 - base : base;
}

double BisectorAngle(double a1, double a2) {
    double b = std::min(a1, a2) + std::fabs(a1 - a2) / 2;
    if (std::fabs(a1 - a2) > 180)
        b = b >= 180 ? b - 180 : b + 180;
    return b;
}

std::string LineRecord(const EditorSegment& line) {
    return "line " + Values({line.A, line.B});
}

CornerCut CutCorner(const EditorSegment& first, const EditorSegment& second, CornerKind kind,
                    const CornerSizes& sizes) {
    if (first.A == first.B || second.A == second.B)
        throw KnifeEditorError(NoLengthText);
    if (first == second)
        throw KnifeEditorError(NoCornerText);
    if (kind == CornerKind::Chamfer && !(sizes.D1 > 0 && sizes.D2 > 0))
        throw KnifeEditorError(ChamferSizeText);
    if (kind == CornerKind::Fillet && sizes.R == 0)
        throw KnifeEditorError(FilletSizeText);
    CornerCut cut;
    cut.Corner = CornerOf(first, second);
    const TPoint& k = cut.Corner;
    LineEnds ends1 = EndsOf(first, k);
    LineEnds ends2 = EndsOf(second, k);
    double t1 = sizes.D1;
    double t2 = sizes.D2;
    double s = 0;
    double bisector = 0;
    if (kind == CornerKind::Fillet) {
        double a1 = DirectionAngle(k, ends1.Far);
        double a2 = DirectionAngle(k, ends2.Far);
        double half = std::fabs(a1 - a2) / 2 * Degree;
        t1 = t2 = std::fabs(sizes.R / std::tan(half));
        s = std::fabs(sizes.R / std::sin(half));
        bisector = BisectorAngle(a1, a2);
    }
    RequireFits(t1, ends1, kind);
    RequireFits(t2, ends2, kind);
    cut.FirstNew = NewEnd(first, ends1, k, t1);
    cut.SecondNew = NewEnd(second, ends2, k, t2);
    cut.FirstFar = ends1.Far;
    cut.SecondFar = ends2.Far;
    cut.First = Shortened(ends1, cut.FirstNew);
    cut.Second = Shortened(ends2, cut.SecondNew);
    TPoint centre = FilletCentre(k, bisector, s);
    RequireFinite({cut.FirstNew, cut.SecondNew, centre});
    if (kind == CornerKind::Chamfer)
        cut.Record = "line " + Values({cut.FirstNew, cut.SecondNew});
    else
        cut.Record = "arc " + Values({centre, cut.FirstNew, cut.SecondNew});
    return cut;
}

} // namespace torvex
