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

ArcStepper::ArcStepper(const TObj& arc, uint8_t steps)
    : Centre(arc.Centre()), RadiusSquared(arc.Radius() * arc.Radius()),
      Start(std::min(arc.P3.X, arc.P4.X)), Step(SafeDivide(std::fabs(arc.P3.X - arc.P4.X), steps)),
      Upper(arc.P3.X < arc.P4.X), Points(arc.P3.X == arc.P4.X ? 0 : steps - 1) {}

TPoint ArcStepper::At(int k) const {
    double x = Start + Step * k;
    double root = std::sqrt(std::fabs(RadiusSquared - (x - Centre.X) * (x - Centre.X)));
    return {x, Upper ? Centre.Y + root : Centre.Y - root};
}

std::vector<TPoint> ArcStepPoints(const TObj& arc, uint8_t steps) {
    ArcStepper stepper(arc, steps);
    std::vector<TPoint> points;
    for (int k = 1; k <= stepper.Count(); ++k)
        points.push_back(stepper.At(k));
    return points;
}

double ProfileSpan(const Tobjects& elements, uint8_t arcSteps) {
    RadialSpan span;
    ForEachProfilePoint(elements, arcSteps, [&span](double, double y) { span.Meet(y); });
    return span.Height();
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
