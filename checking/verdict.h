#pragma once

#include "checking/collision_check.h"

#include <string>
#include <vector>

namespace torvex {

inline constexpr const char* NoCollisionText = "Checked against the knives: no collision";

// How the program names places: its Z words measured from the profile x `ZeroAt`, its X words as a
// radius or, in diameter mode, a diameter.
struct PlaceTerms {
    double ZeroAt = 0;
    bool Diameter = false;
};

// One line for the user: NoCollisionText, or the first and the deepest collision with their NC
// blocks, knives, depths and places.
std::string VerdictText(const CheckResult& result, const PlaceTerms& terms = {});

// "Material left on the part: at most 0.5 mm (at Z10, radius 12)", or "none".
std::string MaterialLeftText(const CheckResult& result, const PlaceTerms& terms = {});

// The verdict line, then a line for each operation and one for the material left on the part.
std::vector<std::string> VerdictReport(const CheckResult& result, const PlaceTerms& terms = {});

} // namespace torvex
