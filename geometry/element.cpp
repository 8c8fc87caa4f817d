#include "geometry/element.h"

#include "geometry/number_text.h"
#include "platform/errors.h"

#include <algorithm>
#include <cmath>

namespace torvex {

namespace {

// The text of the value at `position`, up to its closing '/'; `position` moves past the '/'.
std::string_view TakeValue(std::string_view text, size_t& position) {
    size_t slash = position < text.size() ? text.find('/', position) : std::string_view::npos;
    if (slash == std::string_view::npos)
        throw ConversionError(std::string(position < text.size() ? text.substr(position) : ""));
    std::string_view value = text.substr(position, slash - position);
    position = slash + 1;
    return value;
}

// Reads the values of a record from `position` on, each closed by '/', into `targets` in order.
void ReadValues(std::string_view text, size_t position, std::initializer_list<double*> targets) {
    for (double* target : targets)
        *target = FileTextToFloat(TakeValue(text, position));
}

TPoint Midpoint(const TPoint& a, const TPoint& b) {
    return {(a.X + b.X) / 2, (a.Y + b.Y) / 2};
}

// The direction from the centre to p, of length 1 (none for the centre itself).
TPoint UnitFrom(const TPoint& centre, const TPoint& p) {
    double length = std::hypot(p.X - centre.X, p.Y - centre.Y);
    if (length == 0)
        return {0, 0};
    return {(p.X - centre.X) / length, (p.Y - centre.Y) / length};
}

} // namespace

std::vector<std::string_view> RecordValueTexts(std::string_view text, size_t position,
                                               size_t count) {
    std::vector<std::string_view> values;
    values.reserve(count);
    while (values.size() < count)
        values.push_back(TakeValue(text, position));
    return values;
}

TPoint TObj::Centre() const {
    return Midpoint(P1, P2);
}

double TObj::Radius() const {
    return std::fabs(P1.X - P2.X) / 2;
}

void ParseText(TObj& element, std::string_view text) {
    if (text.substr(0, 4) == "line") {
        element.Kind = "line";
        ReadValues(text, 5, {&element.P1.X, &element.P1.Y, &element.P2.X, &element.P2.Y});
        element.Mid = Midpoint(element.P1, element.P2);
    } else if (text.substr(0, 3) == "arc") {
        element.Kind = "arc";
        ReadValues(text, 4,
                   {&element.P1.X, &element.P1.Y, &element.P2.X, &element.P2.Y, &element.P3.X,
                    &element.P3.Y, &element.P4.X, &element.P4.Y});
        element.Mid = Midpoint(element.P3, element.P4);
    }
}

bool IsEditorArcRecord(std::string_view text) {
    if (text.substr(0, 3) != "arc")
        return false;
    std::string_view values = text.substr(std::min<size_t>(4, text.size()));
    return std::count(values.begin(), values.end(), '/') == 6;
}

std::vector<TObj> ShortArcElements(const TPoint& centre, const TPoint& first,
                                   const TPoint& second) {
    double radius = std::hypot(first.X - centre.X, first.Y - centre.Y);
    TPoint toFirst = UnitFrom(centre, first);
    TPoint toSecond = UnitFrom(centre, second);
    // The short arc's middle lies in the direction of the sum of the directions to its ends.
    TPoint middle{toFirst.X + toSecond.X, toFirst.Y + toSecond.Y};
    double firstAbove = first.Y - centre.Y;
    double secondAbove = second.Y - centre.Y;
    if ((firstAbove > 0 && secondAbove < 0) || (firstAbove < 0 && secondAbove > 0)) {
        TPoint side{middle.X < 0 ? centre.X - radius : centre.X + radius, centre.Y};
        return {HalfArcElement(centre, radius, firstAbove > 0, first, side),
                HalfArcElement(centre, radius, secondAbove > 0, side, second)};
    }
    return {HalfArcElement(centre, radius, middle.Y >= 0, first, second)};
}

TObj HalfArcElement(const TPoint& centre, double radius, bool upperHalf, const TPoint& a,
                    const TPoint& b) {
    // The upper half runs from its left end to its right end, the lower half from its right end
    // to its left end.
    TObj arc;
    arc.Kind = "arc";
    arc.P1 = {centre.X - radius, centre.Y - radius};
    arc.P2 = {centre.X + radius, centre.Y + radius};
    bool aFirst = upperHalf ? a.X <= b.X : a.X >= b.X;
    arc.P3 = aFirst ? a : b;
    arc.P4 = aFirst ? b : a;
    arc.Mid = Midpoint(arc.P3, arc.P4);
    return arc;
}

std::vector<TObj> ParseEditorArc(std::string_view text) {
    TPoint centre, first, second;
    ReadValues(text, 4, {&centre.X, &centre.Y, &first.X, &first.Y, &second.X, &second.Y});
    return ShortArcElements(centre, first, second);
}

void AssignTo(const TObj& source, TObj& target) {
    target = source;
}

std::string ElementText(const TObj& element) {
    std::string text(element.Kind.Text());
    text += " ";
    auto add = [&text](const TPoint& p) {
        text += FloatToText(p.X) + "/" + FloatToText(p.Y) + "/";
    };
    add(element.P1);
    add(element.P2);
    if (element.IsArc()) {
        add(element.P3);
        add(element.P4);
    }
    return text;
}

} // namespace torvex
