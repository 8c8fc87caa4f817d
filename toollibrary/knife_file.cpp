#include "toollibrary/knife_file.h"

#include "geometry/knife.h"
#include "geometry/number_text.h"
#include "platform/errors.h"
#include "toollibrary/knife_editor_corner.h"
#include "toollibrary/library_error.h"

#include <cmath>
#include <exception>
#include <numbers>
#include <tuple>
#include <utility>

namespace torvex {

namespace {

std::string Formatted(double value) {
    return FormatFloat("0.##", value);
}

std::string LineRecord(const std::string& x1, const std::string& y1, const std::string& x2,
                       const std::string& y2) {
    return "line " + x1 + "/" + y1 + "/" + x2 + "/" + y2 + "/";
}

double Radians(double degrees) {
    return degrees * std::numbers::pi / 180;
}

std::string Line(const std::vector<std::string>& lines, size_t index) {
    return index < lines.size() ? lines[index] : std::string();
}

// The tip corner between the right flank (the first record) and the left flank (the last) rounded
// to the radius: the flanks shortened and the arc record after them.
void RoundTip(std::vector<std::string>& records, double radius) {
    CornerCut cut;
    try {
        cut = CutCorner(*ReadDrawingLine(records.front()), *ReadDrawingLine(records.back()),
                        CornerKind::Fillet, {0, 0, radius});
    } catch (const KnifeEditorError& error) {
        throw LibraryError("The tip cannot be rounded to a nose radius of " +
                           FormatFloat("0.###", radius) + ": " + error.what());
    }
    records.front() = LineRecord(cut.First);
    records.back() = LineRecord(cut.Second);
    records.push_back(cut.Record);
}

} // namespace

const char* KindText(KnifeKind kind) {
    return kind == KnifeKind::Standard ? "standard" : "profiled";
}

double StandardKnifeExtent(const StandardKnifeValues& values) {
    double widths = values.LeftWidth + values.RightWidth;
    return widths > values.Height ? widths : values.Height;
}

void CheckStandardKnifeSize(const StandardKnifeValues& values) {
    if (!(StandardKnifeExtent(values) > 0))
        throw LibraryError("The knife has no size: give its widths or its height a value above 0.");
}

void CheckStandardKnifeAngles(const StandardKnifeValues& values) {
    for (auto [name, angle] : {std::pair{"K1 (the left attack angle)", values.K1},
                               std::pair{"K2 (the right attack angle)", values.K2}})
        if (!(angle >= 0 && angle <= LargestAttackAngle))
            throw LibraryError(std::string(name) + " must lie between 0 and " +
                               Formatted(LargestAttackAngle) + " degrees, not " + Formatted(angle) +
                               ".");
}

// Each width and the height lie between 0 and 10 m, and each flank rises no higher than the
// knife: above it the contour would cross itself.
void CheckStandardKnifeBounds(const StandardKnifeValues& values) {
    for (auto [name, length] :
         {std::pair{"The left width", values.LeftWidth},
          std::pair{"The right width", values.RightWidth}, std::pair{"The height", values.Height}})
        if (!(length >= 0 && length <= LengthLimit))
            throw LibraryError(std::string(name) + " must lie between 0 and " +
                               Formatted(LengthLimit) + " mm, not " + Formatted(length) + ".");
    for (auto [name, width, angle] : {std::tuple{"left", values.LeftWidth, values.K1},
                                      std::tuple{"right", values.RightWidth, values.K2}}) {
        double rise = width * std::tan(Radians(angle));
        if (rise > values.Height + 1e-9)
            throw LibraryError(std::string("The ") + name + " flank rises to " + Formatted(rise) +
                               " mm, above the knife's height of " + Formatted(values.Height) +
                               " mm: give a smaller angle or width, or a greater height.");
    }
}

std::vector<std::string> GenerateStandardProfile(const StandardKnifeValues& values) {
    CheckStandardKnifeSize(values);
    CheckStandardKnifeAngles(values);
    CheckStandardKnifeBounds(values);
    std::string wr = Formatted(values.RightWidth);
    std::string rightFlank = Formatted(values.RightWidth * std::tan(Radians(values.K2)));
    std::string wl = Formatted(-values.LeftWidth);
    std::string leftFlank = Formatted(values.LeftWidth * std::tan(Radians(values.K1)));
    std::string h = Formatted(values.Height);
    std::vector<std::string> records{LineRecord("0", "0", wr, rightFlank),
                                     LineRecord(wr, rightFlank, wr, h), LineRecord(wr, h, wl, h),
                                     LineRecord(wl, h, wl, leftFlank),
                                     LineRecord(wl, leftFlank, "0", "0")};
    if (values.NoseRadius > 0)
        RoundTip(records, values.NoseRadius);
    return records;
}

std::optional<double> NoseRadiusOf(const std::vector<std::string>& contour) {
    TKnife knife;
    try {
        knife.LoadFromLines(contour);
    } catch (const std::exception&) {
        return std::nullopt;
    }
    if (!knife.Nose)
        return std::nullopt;
    return knife.Nose->Radius;
}

std::string NoseRadiusText(const std::vector<std::string>& contour) {
    std::optional<double> radius = NoseRadiusOf(contour);
    return radius ? FormatFloat("0.###", *radius) : std::string();
}

KnifeDefinition StandardKnife(std::string name, std::string comments,
                              const StandardKnifeValues& values, KnifeDirections directions) {
    return {std::move(name), std::move(comments), KnifeKind::Standard,
            values,          directions,          GenerateStandardProfile(values)};
}

KnifeDefinition ProfiledKnife(std::string name, std::string comments, KnifeDirections directions,
                              std::vector<std::string> contour) {
    return {std::move(name), std::move(comments), KnifeKind::Profiled, {},
            directions,      std::move(contour)};
}

std::vector<std::string> KnifeFileLines(const KnifeDefinition& knife) {
    std::vector<std::string> lines{knife.Name, knife.Comments, KindText(knife.Kind)};
    const StandardKnifeValues& v = knife.Values;
    for (double value : {v.K1, v.K2, v.LeftWidth, v.RightWidth, v.Height})
        lines.push_back(knife.Kind == KnifeKind::Standard ? FloatToText(value) : "0");
    lines.push_back(knife.Directions.CutsLeft ? "1" : "0");
    lines.push_back(knife.Directions.CutsRight ? "1" : "0");
    lines.insert(lines.end(), knife.Contour.begin(), knife.Contour.end());
    return lines;
}

KnifeFileFields ReadKnifeFields(const std::vector<std::string>& lines) {
    KnifeFileFields fields;
    fields.Name = Line(lines, 0);
    fields.Comments = Line(lines, 1);
    fields.Kind = Line(lines, 2);
    for (size_t i = 0; i < fields.ValueTexts.size(); ++i)
        fields.ValueTexts[i] = Line(lines, 3 + i);
    fields.Directions = {Line(lines, 8) == "1", Line(lines, 9) == "1"};
    if (lines.size() > KnifeHeaderLines)
        fields.Contour.assign(lines.begin() + KnifeHeaderLines, lines.end());
    return fields;
}

StandardKnifeValues ReadStandardValues(const KnifeFileFields& fields) {
    const auto& t = fields.ValueTexts;
    return {FileTextToFloat(t[0]), FileTextToFloat(t[1]), FileTextToFloat(t[2]),
            FileTextToFloat(t[3]), FileTextToFloat(t[4])};
}

} // namespace torvex
