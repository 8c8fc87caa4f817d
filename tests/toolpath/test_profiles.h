#pragma once

#include "geometry/element.h"
#include "geometry/shaft.h"

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

} // namespace torvex::testing
