#pragma once

#include "geometry/element.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace torvex::fixtures {

// How far apart two profiles lie: the largest distance from a point of either one to the other,
// taken at their points and every 0.1 mm along their edges.
inline double ProfileDistance(const std::vector<TPoint>& a, const std::vector<TPoint>& b) {
    auto toSegment = [](const TPoint& p, const TPoint& s, const TPoint& e) {
        double dx = e.X - s.X;
        double dy = e.Y - s.Y;
        double squared = dx * dx + dy * dy;
        double t = squared == 0 ? 0 : ((p.X - s.X) * dx + (p.Y - s.Y) * dy) / squared;
        t = std::clamp(t, 0.0, 1.0);
        return std::hypot(p.X - s.X - t * dx, p.Y - s.Y - t * dy);
    };
    auto toProfile = [&](const TPoint& p, const std::vector<TPoint>& profile) {
        double nearest =
            profile.size() == 1 ? std::hypot(p.X - profile[0].X, p.Y - profile[0].Y) : INFINITY;
        for (size_t k = 1; k < profile.size(); ++k)
            nearest = std::min(nearest, toSegment(p, profile[k - 1], profile[k]));
        return nearest;
    };
    auto oneWay = [&](const std::vector<TPoint>& from, const std::vector<TPoint>& to) {
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
