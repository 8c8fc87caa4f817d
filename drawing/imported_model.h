#pragma once

#include "geometry/element.h"

#include <filesystem>
#include <string>
#include <vector>

namespace torvex {

// What the stock bar adds to the part: on its radius and at its right end face.
struct StockAllowances {
    double Radial = 1;
    double Facing = 2;
};

// The right end of a profile that starts at X 0, and its largest radius (an arc's top counts).
double ProfileLength(const Tobjects& profile);
double ProfileMaxRadius(const Tobjects& profile);

// The stock bar's top edge for a profile: from the left end face (X 0) to the right end plus the
// facing allowance, at the largest radius plus the radial allowance rounded up to the next 0.5
// mm. Throws DrawingError for a negative allowance.
std::vector<TPoint> StockBar(const Tobjects& profile, const StockAllowances& allowances);

// The element records of a model file, numbers with a decimal point.
std::vector<std::string> ModelFileLines(const Tobjects& profile);

// Writes the model file and its stock companion (the bar closed down to the axis), each whole or
// not at all. Throws FileError naming the file.
void WriteModelFiles(const std::filesystem::path& modelFile, const Tobjects& profile,
                     const std::vector<TPoint>& stockBar);

} // namespace torvex
