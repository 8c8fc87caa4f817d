#pragma once

#include "geometry/element.h"
#include "geometry/shaft.h"
#include "toolpath/toolpath.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace torvex::testing {

// Elements from their text records, as a model file holds them.
inline Tobjects Elements(std::initializer_list<std::string_view> records) {
    Tobjects elements;
    for (std::string_view record : records) {
        elements.emplace_back();
        ParseText(elements.back(), record);
    }
    return elements;
}

// A shaft loaded from the lines of a model file: ordered, discretised, measured, with its side
// outlines built for roughing.
inline TShaft Shaft(std::initializer_list<std::string_view> records) {
    TShaft shaft;
    shaft.LoadFromLines(std::vector<std::string>(records.begin(), records.end()));
    shaft.ComputeMaxRadius();
    return shaft;
}

// A toolpath as the windows fill it: retract level, 2 mm clearance at the ends, rapid moves at
// 6000 mm/min, finishing moves timed at 120 mm/min.
inline TToolpath NewToolpath(double safeX) {
    TToolpath toolpath;
    toolpath.SafeX = safeX;
    toolpath.Offset = 2;
    toolpath.RapidFeed = 6000;
    toolpath.CuttingFeed = 120;
    return toolpath;
}

} // namespace torvex::testing
