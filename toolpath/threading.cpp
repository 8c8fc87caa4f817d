#include "toolpath/threading.h"

#include "toolpath/block_writer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace torvex {

namespace {

constexpr double Tolerance = 0.001;

// The radius of an element at x, which lies over it.
double RadiusAt(const TObj& element, double x) {
    if (element.IsLine()) {
        const TPoint& a = element.P1;
        const TPoint& b = element.P2;
        return a.Y + (b.Y - a.Y) * (x - a.X) / (b.X - a.X);
    }
    TPoint centre = element.Centre();
    double r = element.Radius();
    double rise = std::sqrt(std::max(0.0, r * r - (x - centre.X) * (x - centre.X)));
    bool upper = element.P3.X < element.P4.X;
    return upper ? centre.Y + rise : centre.Y - rise;
}

std::pair<double, double> Span(const TObj& element) {
    const TPoint& a = element.IsLine() ? element.P1 : element.P3;
    const TPoint& b = element.IsLine() ? element.P2 : element.P4;
    return std::minmax(a.X, b.X);
}

} // namespace

std::vector<double> ThreadPassDepths(double depth, double firstCut, double minimumCut) {
    std::vector<double> depths;
    for (int n = 1;; ++n) {
        double reach = firstCut * std::sqrt(n);
        if (n > 1)
            reach = std::max(reach, depths.back() + minimumCut);
        if (reach >= depth - 1e-9) {
            depths.push_back(depth);
            return depths;
        }
        depths.push_back(reach);
    }
}

CylinderFit CylinderOver(const Tobjects& profile, double from, double to) {
    double low = std::min(from, to);
    double high = std::max(from, to);
    // The profile's points over the stretch in order from `from`.
    std::vector<TPoint> points;
    for (const TObj& element : profile) {
        if (!element.IsLine() && !element.IsArc())
            continue;
        auto [left, right] = Span(element);
        if (right <= low + Tolerance || left >= high - Tolerance)
            continue;
        double start = std::max(left, low);
        double end = std::min(right, high);
        // A step inside the stretch shows at both its ends; a slope or an arc at its ends or its
        // middle.
        if (element.IsLine() && element.P1.X == element.P2.X)
            points.insert(points.end(), {element.P1, element.P2});
        else
            for (double x : {start, (start + end) / 2, end})
                points.push_back({x, RadiusAt(element, x)});
    }
    if (from > to)
        std::reverse(points.begin(), points.end());
    CylinderFit fit;
    for (const TPoint& p : points) {
        if (!fit.Radius)
            fit.Radius = p.Y;
        if (std::fabs(p.Y - *fit.Radius) > Tolerance)
            return {std::nullopt, p};
    }
    return fit;
}

void CutThread(BlockWriter& w, const ThreadingParameters& p) {
    double towards = p.To > p.From ? 1 : -1;
    double start = p.From - towards * RunInPitches * p.Pitch;
    double alongFlank = std::tan(p.InfeedAngle * std::numbers::pi / 180);
    w.Rapid({start, p.SafeX});
    w.RapidX(p.DriveX);
    std::vector<double> depths = ThreadPassDepths(p.Depth, p.FirstCut, p.MinimumCut);
    depths.insert(depths.end(), static_cast<size_t>(std::max(0, p.SpringPasses)), p.Depth);
    w.BeginCycle({p.DriveX, p.To, p.Pitch, p.Crest, p.FirstCut, p.Depth, p.MinimumCut,
                  p.SpringPasses, p.InfeedAngle});
    for (double depth : depths) {
        w.Rapid({start + towards * depth * alongFlank, p.Crest - depth});
        w.ThreadZ(p.To, p.Pitch, p.Feed);
        w.RapidX(p.DriveX);
        w.RapidZ(start);
    }
    w.EndCycle();
    // Both words: a control's own cycle may leave the tool at To.
    w.Rapid({start, p.SafeX});
}

} // namespace torvex
