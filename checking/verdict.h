#pragma once

#include "checking/collision_check.h"

#include <string>
#include <vector>

namespace torvex {

inline constexpr const char* NoCollisionText = "Checked against the knives: no collision";

// One line for the user: NoCollisionText, or the first and the deepest collision with their NC
// blocks, knives, depths and places.
std::string VerdictText(const CheckResult& result);

// "Material left on the part: at most 0.5 mm (at Z10, radius 12)".
std::string MaterialLeftText(const CheckResult& result);

// The verdict line, then a line for each operation and one for the material left on the part.
std::vector<std::string> VerdictReport(const CheckResult& result);

} // namespace torvex
