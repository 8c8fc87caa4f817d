#pragma once

#include "geometry/knife.h"
#include "platform/text_file.h"

#include <string>
#include <vector>

namespace torvex::testing {

// The knife of a knife file: its element records start on line 11.
inline TKnife KnifeOfFile(const std::string& path) {
    std::vector<std::string> lines = ReadTextLines(path);
    TKnife knife;
    knife.LoadFromLines(std::vector<std::string>(lines.begin() + 10, lines.end()));
    return knife;
}

// A 90 degree point with its tip corner rounded to R 1 by the knife editor: the arc touches both
// flanks 1 from the corner, its centre sqrt 2 above it, its lowest point sqrt 2 - 1 above it.
inline TKnife RoundedPoint() {
    return KnifeOfFile(TORVEX_FIXTURES "/Point90R1.knf");
}

} // namespace torvex::testing
