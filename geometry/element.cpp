#include "geometry/element.h"

#include "geometry/number_text.h"
#include "platform/errors.h"

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

void AssignTo(const TObj& source, TObj& target) {
    target = source;
}

std::string ElementText(const TObj& element) {
    std::string text = element.Kind + " ";
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
