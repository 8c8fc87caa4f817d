#include "bench/model_generator.h"

#include "geometry/model_files.h"
#include "geometry/number_text.h"
#include "platform/text_file.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace torvex {

namespace {

constexpr double StepLength = 0.5;
constexpr double Rise = 0.05;
constexpr double RoundingRadius = 0.02;
constexpr double EndRadius = 5;

std::string Line(double x1, double y1, double x2, double y2) {
    return "line " + FloatToText(x1) + "/" + FloatToText(y1) + "/" + FloatToText(x2) + "/" +
           FloatToText(y2) + "/";
}

// A rounding of radius r on the corner between a shoulder rising at x and the cylinder at y.
std::string Rounding(double x, double y, double r) {
    return "arc " + FloatToText(x) + "/" + FloatToText(y - 2 * r) + "/" + FloatToText(x + 2 * r) +
           "/" + FloatToText(y) + "/" + FloatToText(x) + "/" + FloatToText(y - r) + "/" +
           FloatToText(x + r) + "/" + FloatToText(y) + "/";
}

} // namespace

GeneratedModel GeneratedSteppedModel(size_t elements, unsigned seed) {
    // Each step up takes two elements (three with a rounding), each step down two; the end faces
    // and the last cylinder three more.
    const size_t steps = std::max<size_t>(1, static_cast<size_t>((elements - 3) / 4.1));
    GeneratedModel model;
    std::vector<std::string>& lines = model.Part;
    double x = 0;
    double y = EndRadius;
    lines.push_back(Line(0, 0, 0, y));
    for (size_t i = 0; i < steps; ++i) {
        double top = y + Rise;
        lines.push_back(Line(x, y, x + StepLength, y));
        x += StepLength;
        if (i % 10 == 9) {
            lines.push_back(Line(x, y, x, top - RoundingRadius));
            lines.push_back(Rounding(x, top, RoundingRadius));
            x += RoundingRadius;
        } else {
            lines.push_back(Line(x, y, x, top));
        }
        y = top;
    }
    for (size_t i = 0; i < steps; ++i) {
        double bottom = y - Rise;
        lines.push_back(Line(x, y, x + StepLength, y));
        x += StepLength;
        lines.push_back(Line(x, y, x, bottom));
        y = bottom;
    }
    lines.push_back(Line(x, y, x + StepLength, y));
    x += StepLength;
    lines.push_back(Line(x, y, x, 0));
    std::shuffle(lines.begin(), lines.end(), std::mt19937(seed));
    double bar = std::ceil(EndRadius + steps * Rise + 1);
    model.Stock = {Line(0, 0, 0, bar), Line(0, bar, x, bar), Line(x, bar, x, 0)};
    return model;
}

void WriteGeneratedModel(const std::filesystem::path& modelFile, const GeneratedModel& model) {
    WriteTextLinesAtomically(modelFile, model.Part);
    WriteTextLinesAtomically(StockCompanionPath(modelFile), model.Stock);
}

} // namespace torvex
