#include "toolpath/profile_measures.h"

#include "geometry/number_text.h"
#include "platform/errors.h"

#include <algorithm>
#include <cmath>

namespace torvex {

namespace {

constexpr int MaxPasses = 32767;

bool IsProfileElement(const TObj& element) {
    return element.IsLine() || element.IsArc();
}

} // namespace

double MaxEndY(const Tobjects& elements) {
    double highest = -1.0;
    for (const TObj& e : elements) {
        if (e.IsLine())
            highest = std::max({highest, e.P1.Y, e.P2.Y});
        else if (e.IsArc())
            highest = std::max({highest, e.P3.Y, e.P4.Y});
    }
    return highest;
}

double HighestProfileY(const Tobjects& elements) {
    double highest = MaxEndY(elements);
    for (const TObj& e : elements) {
        if (!e.IsArc() || e.P3.X >= e.P4.X)
            continue;
        TPoint centre = e.Centre();
        if (e.P3.X <= centre.X && centre.X <= e.P4.X)
            highest = std::max(highest, centre.Y + e.Radius());
    }
    return highest;
}

int PassCount(double height, double depth) {
    double quotient = SafeDivide(height, depth);
    if (quotient <= 0)
        return 0;
    if (quotient > MaxPasses + 1)
        throw ArithmeticError("Too many passes: the cutting depth is too small for the height");
    double whole = std::trunc(quotient);
    int passes = static_cast<int>(whole);
    if (FormatFloat("0.0", quotient) == FormatFloat("0.0", whole))
        --passes;
    return std::max(passes, 0);
}

std::vector<TPoint> ArcStepPoints(const TObj& arc, uint8_t steps) {
    std::vector<TPoint> points;
    if (arc.P3.X == arc.P4.X)
        return points;
    TPoint centre = arc.Centre();
    double r = arc.Radius();
    double d = std::fabs(arc.P3.X - arc.P4.X);
    double step = SafeDivide(d, steps);
    bool upper = arc.P3.X < arc.P4.X;
    double start = upper ? arc.P3.X : arc.P4.X;
    for (int k = 1; k < steps; ++k) {
        double x = start + step * k;
        double root = std::sqrt(std::fabs(r * r - (x - centre.X) * (x - centre.X)));
        points.push_back({x, upper ? centre.Y + root : centre.Y - root});
    }
    return points;
}

const TObj* FirstProfileElement(const Tobjects& elements) {
    auto found = std::find_if(elements.begin(), elements.end(), IsProfileElement);
    return found == elements.end() ? nullptr : &*found;
}

const TObj* LastProfileElement(const Tobjects& elements) {
    auto found = std::find_if(elements.rbegin(), elements.rend(), IsProfileElement);
    return found == elements.rend() ? nullptr : &*found;
}

} // namespace torvex
