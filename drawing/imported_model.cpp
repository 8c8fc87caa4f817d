#include "drawing/imported_model.h"

#include "drawing/drawing_piece.h"
#include "geometry/model_files.h"
#include "geometry/number_text.h"
#include "platform/errors.h"
#include "platform/text_file.h"

#include <algorithm>
#include <cmath>

namespace torvex {

namespace {

constexpr double StockStep = 0.5;

void RefuseNegative(double value, const char* what) {
    if (value < 0 || !std::isfinite(value))
        throw DrawingError(std::string("The ") + what + " must not be negative (" +
                           FormatFloat("0.###", std::isfinite(value) ? value : -1) + ")");
    if (value > LengthLimit)
        throw DrawingError(std::string("The ") + what + " must not exceed " +
                           FormatFloat("0.###", LengthLimit) + " mm");
}

} // namespace

double ProfileLength(const Tobjects& profile) {
    double right = 0;
    for (const TObj& element : profile)
        right = std::max({right, element.IsArc() ? element.P3.X : element.P1.X,
                          element.IsArc() ? element.P4.X : element.P2.X});
    return right;
}

double ProfileMaxRadius(const Tobjects& profile) {
    double largest = 0;
    for (const TObj& element : profile) {
        if (!element.IsArc()) {
            largest = std::max({largest, element.P1.Y, element.P2.Y});
            continue;
        }
        largest = std::max({largest, element.P3.Y, element.P4.Y});
        // An arc on the upper half of its circle reaches its top between its ends.
        TPoint centre = element.Centre();
        if (element.P3.X < element.P4.X && element.P3.X <= centre.X && centre.X <= element.P4.X)
            largest = std::max(largest, centre.Y + element.Radius());
    }
    return largest;
}

std::vector<TPoint> StockBar(const Tobjects& profile, const StockAllowances& allowances) {
    RefuseNegative(allowances.Radial, "stock allowance");
    RefuseNegative(allowances.Facing, "facing allowance");
    double wanted = ProfileMaxRadius(profile) + allowances.Radial;
    // A radius that is a whole number of steps but for rounding stays as it is.
    double radius = std::ceil(wanted / StockStep - 1e-9) * StockStep;
    double length = ProfileLength(profile) + allowances.Facing;
    // No lathe reaches farther, and the knife check's integer geometry is exact up to there.
    if (radius > LengthLimit || length > LengthLimit)
        throw DrawingError("The stock bar, " + FormatFloat("0.###", length) + " mm long and " +
                           FormatFloat("0.###", radius) + " mm in radius, reaches farther than " +
                           FormatFloat("0.###", LengthLimit) + " mm from the origin");
    return {{0, radius}, {length, radius}};
}

std::vector<std::string> ModelFileLines(const Tobjects& profile) {
    std::vector<std::string> lines;
    for (const TObj& element : profile)
        lines.push_back(ElementText(element));
    return lines;
}

void WriteModelFiles(const std::filesystem::path& modelFile, const Tobjects& profile,
                     const std::vector<TPoint>& stockBar) {
    WriteTextLinesAtomically(modelFile, ModelFileLines(profile));
    SaveStockFile(StockCompanionPath(modelFile), stockBar);
}

} // namespace torvex
