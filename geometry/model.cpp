#include "geometry/model.h"

#include "geometry/number_text.h"
#include "platform/errors.h"
#include "platform/message_sink.h"
#include "platform/text_file.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <utility>

namespace torvex {

bool IsBlankLine(std::string_view line) {
    return std::all_of(line.begin(), line.end(),
                       [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; });
}

void TModel::Clear() {
    Elements.clear();
    Points.Clear();
}

void TModel::AddElement(const TObj& element) {
    Elements.emplace_back();
    AssignTo(element, Elements.back());
}

void TModel::AddElementText(std::string_view text) {
    Elements.emplace_back();
    ParseText(Elements.back(), text);
}

void TModel::AddRecord(std::string_view text) {
    AddElementText(text);
}

void TModel::AddRecordInRange(std::string_view line, size_t lineNumber) {
    size_t before = Elements.size();
    AddRecord(line);
    for (size_t k = before; k < Elements.size(); ++k) {
        const TObj& e = Elements[k];
        for (const TPoint* p : {&e.P1, &e.P2, &e.P3, &e.P4})
            for (double v : {p->X, p->Y})
                if (std::fabs(v) > LengthLimit)
                    throw RangeError("line " + std::to_string(lineNumber) + ": the coordinate " +
                                     FloatToText(v) + " lies farther than " +
                                     FloatToText(LengthLimit) + " mm from the origin");
    }
}

void TModel::LoadFromLines(const std::vector<std::string>& lines) {
    Clear();
    Elements.reserve(lines.size());
    for (size_t k = 0; k < lines.size(); ++k)
        if (!IsBlankLine(lines[k]))
            AddRecordInRange(lines[k], k + 1);
}

bool TModel::LoadFromFile(const std::filesystem::path& fileName, MessageSink& messages) {
    Clear();
    try {
        TextLineReader file(fileName);
        Elements.reserve(file.EstimatedLineCount());
        std::string_view line;
        for (size_t number = 1; file.Next(line); ++number)
            if (!IsBlankLine(line))
                AddRecordInRange(line, number);
    } catch (const RangeError& error) {
        messages.ShowMessage(fileName.filename().string() + ", " + error.what() + ".");
        return false;
    } catch (const std::exception&) {
        messages.ShowMessage(FileHandlingErrorText);
        return false;
    }
    return true;
}

std::vector<TPoint> ArcInteriorPoints(const TObj& arc, unsigned steps, RootOffCircle root) {
    std::vector<TPoint> points;
    if (steps == 0 || arc.P3.X == arc.P4.X)
        return points;
    TPoint centre = arc.Centre();
    double r = arc.Radius();
    double d = std::fabs(arc.P3.X - arc.P4.X);
    bool upper = arc.P3.X < arc.P4.X;
    double start = upper ? arc.P3.X : arc.P4.X;
    points.reserve(steps - 1);
    for (unsigned k = 1; k < steps; ++k) {
        double x = start + k * d / steps;
        double argument = r * r - (x - centre.X) * (x - centre.X);
        double height = std::sqrt(root == RootOffCircle::Absolute ? std::fabs(argument)
                                                                  : std::max(0.0, argument));
        points.push_back({x, upper ? centre.Y + height : centre.Y - height});
    }
    return points;
}

std::vector<TPoint> ArcPointsAtEqualAngles(const TObj& arc, double maxStep) {
    std::vector<TPoint> points;
    if (arc.P3.X == arc.P4.X || !(maxStep > 0))
        return points;
    bool upper = arc.P3.X < arc.P4.X;
    const TPoint& from = upper ? arc.P3 : arc.P4;
    const TPoint& to = upper ? arc.P4 : arc.P3;
    TPoint c = arc.Centre();
    // The angle of an end on the arc's half: above the centre from pi down to 0 (upper), below it
    // from -pi up to 0 (lower).
    auto angle = [&](const TPoint& p) {
        double a = std::atan2(p.Y - c.Y, p.X - c.X);
        if (upper && a < 0)
            a = p.X < c.X ? M_PI : 0;
        if (!upper && (a > 0 || a == M_PI))
            a = p.X < c.X ? -M_PI : 0;
        return a;
    };
    double start = angle(from);
    double sweep = angle(to) - start;
    int steps = std::max(1, static_cast<int>(std::ceil(std::fabs(sweep) / maxStep - 1e-9)));
    points.reserve(static_cast<size_t>(steps - 1));
    for (int k = 1; k < steps; ++k) {
        double a = start + sweep * k / steps;
        points.push_back({c.X + arc.Radius() * std::cos(a), c.Y + arc.Radius() * std::sin(a)});
    }
    return points;
}

double TrueArcStep(double radius) {
    constexpr double degree = M_PI / 180;
    if (!(radius > TrueArcDeviation))
        return degree;
    return std::min(degree, 2 * std::acos(1 - TrueArcDeviation / radius));
}

void TModel::BuildPoints() {
    std::vector<TPoint> points;
    points.reserve(2 * Elements.size());
    for (const TObj& element : Elements) {
        // An element mostly begins where the one before it ended: that point is not repeated.
        auto add = [&points](const TPoint& p) {
            if (points.empty() || !(points.back() == p))
                points.push_back(p);
        };
        if (element.IsLine()) {
            add(element.P1);
            add(element.P2);
        } else if (element.IsArc()) {
            add(element.P3);
            add(element.P4);
            for (const TPoint& p : ArcInteriorPoints(element, ArcSteps))
                add(p);
        }
    }
    Points.AddEachXYSortedByX(std::move(points));
}

} // namespace torvex
