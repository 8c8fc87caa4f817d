#pragma once

#include "geometry/element.h"
#include "geometry/shaft.h"
#include "toolpath/block_writer.h"
#include "toolpath/strategies.h"
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
    shaft.BuildSideOutlines(EntryCorner::Drop, FlatTop::Drop, FlatTop::Drop);
    return shaft;
}

// The parameters the tests run the strategies with: the retract level, 2 mm clearance at the
// ends, layers of `depth`, radial moves at 100 and axial ones at 200 mm/min; finishing at 120
// mm/min entering 1 mm above the outline.
inline RoughingParameters Roughing(double safeX, double depth = 2) {
    RoughingParameters p;
    p.SafeX = safeX;
    p.Offset = 2;
    p.Depth = depth;
    p.RadialFeed = 100;
    p.AxialFeed = 200;
    return p;
}

inline FinishingParameters Finishing(double safeX) {
    FinishingParameters p;
    p.SafeX = safeX;
    p.Offset = 2;
    p.Approach = 1;
    p.Feed = 120;
    return p;
}

// A toolpath made by running strategies through one writer.
template <class Strategies> TToolpath Written(Strategies&& strategies) {
    TToolpath toolpath;
    BlockWriter writer(toolpath);
    strategies(writer);
    return toolpath;
}

inline TToolpath Roughed(const Tobjects& contour, Flank flank, const RoughingParameters& p) {
    return Written([&](BlockWriter& w) { RoughFlank(w, contour, flank, p); });
}

inline TToolpath Finished(const Tobjects& outline, Flank flank, const FinishingParameters& p) {
    return Written([&](BlockWriter& w) { FinishFlank(w, outline, flank, p); });
}

} // namespace torvex::testing
