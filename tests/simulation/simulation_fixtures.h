#pragma once

#include "geometry/element.h"
#include "geometry/knife.h"
#include "geometry/point_list.h"
#include "material/outlines.h"
#include "platform/text_file.h"
#include "tests/support/knife_files.h"
#include "tests/support/profile_distance.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <ostream>
#include <string>
#include <vector>

namespace torvex::fixtures {

using Profile = std::vector<TPoint>;

// A knife of the sample library: its element records start on line 11 of the file.
inline TKnife SampleKnife(const std::string& name) {
    return testing::KnifeOfFile(std::string(TORVEX_DATA "/Knives/") + name + ".knf");
}

inline TKnife Rough80() {
    return SampleKnife("Rough80");
}

// The sample knife as both tools of a simulation.
inline std::array<KnifeShape, 2> BothTools(const std::string& name) {
    KnifeShape shape{name, KnifeOutline(SampleKnife(name), name)};
    return {shape, shape};
}

// A bar of radius 22 from x = 0 to x = 80, as the sample stock files describe it.
inline const Profile Bar = {{0, 0}, {0, 22}, {80, 22}, {80, 0}};

struct Move {
    double X, Y, Feed;
    MoveKind Kind = MoveKind::Feed;
    ToolSide Tool = ToolSide::Left;
};

inline TPctList PathOf(const std::vector<Move>& moves) {
    TPctList path;
    path.RejectDuplicates = false;
    for (const Move& m : moves)
        path.AddMove({.X = m.X, .Y = m.Y, .Feed = m.Feed, .Kind = m.Kind, .Tool = m.Tool});
    path.RejectDuplicates = true;
    return path;
}

MATCHER_P(IsPoint, expected, "") {
    return std::abs(arg.X - expected.X) < 1e-9 && std::abs(arg.Y - expected.Y) < 1e-9;
}

// Matches a profile point by point, to within rounding.
inline auto IsProfile(const Profile& expected) {
    std::vector<::testing::Matcher<TPoint>> matchers;
    for (const TPoint& p : expected)
        matchers.push_back(IsPoint(p));
    return ::testing::ElementsAreArray(matchers);
}

} // namespace torvex::fixtures

namespace torvex {
inline void PrintTo(const TPoint& p, std::ostream* os) {
    *os << "(" << p.X << ", " << p.Y << ")";
}
} // namespace torvex
