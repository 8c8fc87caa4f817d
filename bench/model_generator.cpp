#include "bench/model_generator.h"

#include "geometry/number_text.h"
#include "platform/text_file.h"

#include <algorithm>
#include <random>

namespace torvex {

namespace {

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

std::vector<std::string> GeneratedShaftLines(size_t elements, unsigned seed) {
    std::vector<std::string> lines;
    const size_t steps = std::max<size_t>(1, (elements - 2) / 4);
    const double stepLength = 2.0;
    const double rise = 0.5;
    double x = 0;
    double y = 5;
    lines.push_back(Line(0, 0, 0, y));
    for (size_t i = 0; i < steps; ++i) {
        bool rounded = i % 10 == 9;
        double top = y + rise;
        lines.push_back(Line(x, y, x + stepLength, y));
        x += stepLength;
        if (rounded) {
            lines.push_back(Line(x, y, x, top - 0.2));
            lines.push_back(Rounding(x, top, 0.2));
            x += 0.2;
        } else {
            lines.push_back(Line(x, y, x, top));
        }
        y = top;
    }
    for (size_t i = 0; lines.size() + 2 < elements && i < steps; ++i) {
        double bottom = y - rise;
        lines.push_back(Line(x, y, x + stepLength, y));
        x += stepLength;
        lines.push_back(Line(x, y, x, bottom));
        y = bottom;
    }
    lines.push_back(Line(x, y, x + stepLength, y));
    lines.push_back(Line(x + stepLength, y, x + stepLength, 0));
    std::shuffle(lines.begin(), lines.end(), std::mt19937(seed));
    return lines;
}

void WriteModelFile(const std::filesystem::path& fileName, const std::vector<std::string>& lines) {
    WriteTextLinesAtomically(fileName, lines);
}

} // namespace torvex
