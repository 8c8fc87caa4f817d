#pragma once

#include "geometry/element.h"
#include "geometry/knife.h"
#include "geometry/point_list.h"
#include "platform/text_file.h"
#include "tests/support/knife_files.h"

#include <gmock/gmock.h>

#include <algorithm>
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

// How far apart two profiles lie: the largest distance from a point of either one to the other,
// taken at their points and every 0.1 mm along their edges.
inline double ProfileDistance(const Profile& a, const Profile& b) {
    auto toSegment = [](const TPoint& p, const TPoint& s, const TPoint& e) {
        double dx = e.X - s.X;
        double dy = e.Y - s.Y;
        double squared = dx * dx + dy * dy;
        double t = squared == 0 ? 0 : ((p.X - s.X) * dx + (p.Y - s.Y) * dy) / squared;
        t = std::clamp(t, 0.0, 1.0);
        return std::hypot(p.X - s.X - t * dx, p.Y - s.Y - t * dy);
    };
    auto toProfile = [&](const TPoint& p, const Profile& profile) {
        double nearest =
            profile.size() == 1 ? std::hypot(p.X - profile[0].X, p.Y - profile[0].Y) : INFINITY;
        for (size_t k = 1; k < profile.size(); ++k)
            nearest = std::min(nearest, toSegment(p, profile[k - 1], profile[k]));
        return nearest;
    };
    auto oneWay = [&](const Profile& from, const Profile& to) {
        double farthest = 0;
        for (size_t k = 0; k < from.size(); ++k) {
            farthest = std::max(farthest, toProfile(from[k], to));
            if (k + 1 == from.size())
                break;
            const TPoint& s = from[k];
            const TPoint& e = from[k + 1];
            int steps = static_cast<int>(std::hypot(e.X - s.X, e.Y - s.Y) / 0.1);
            for (int i = 1; i < steps; ++i) {
                double t = static_cast<double>(i) / steps;
                farthest = std::max(farthest,
                                    toProfile({s.X + t * (e.X - s.X), s.Y + t * (e.Y - s.Y)}, to));
            }
        }
        return farthest;
    };
    if (a.empty() || b.empty())
        return a.empty() && b.empty() ? 0 : INFINITY;
    return std::max(oneWay(a, b), oneWay(b, a));
}

} // namespace torvex::fixtures

namespace torvex {
inline void PrintTo(const TPoint& p, std::ostream* os) {
    *os << "(" << p.X << ", " << p.Y << ")";
}
} // namespace torvex
