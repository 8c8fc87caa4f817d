#include "simulation/simulation.h"

#include "platform/errors.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace torvex {

namespace {

constexpr double SweepLimitSeed = 100000000.0;
// The swept region ends this far behind the tip's previous position.
constexpr double TrailingClearance = 0.01;
constexpr double NoCrossingX = 1000000.0;
// Points closer than this to both neighbours are too close to draw apart.
constexpr double ClusterDistance = 0.009;
constexpr double BoxMargin = 1e-9;

// The line through two points: y = Slope * x + Intercept, the intercept taken at the anchor, or
// the vertical x = X. Two vertical lines are parallel.
struct Line {
    bool Vertical = false;
    double Slope = 0;
    double Intercept = 0;
    double X = 0;
};

Line LineThrough(const TPoint& anchor, const TPoint& other) {
    if (other.X - anchor.X == 0)
        return {true, 0, 0, anchor.X};
    double slope = (other.Y - anchor.Y) / (other.X - anchor.X);
    return {false, slope, anchor.Y - slope * anchor.X, anchor.X};
}

std::optional<TPoint> Intersection(const Line& stock, const Line& sweep) {
    TPoint p;
    if (stock.Vertical && sweep.Vertical)
        return std::nullopt;
    if (stock.Vertical) {
        p = {stock.X, stock.X * sweep.Slope + sweep.Intercept};
    } else if (sweep.Vertical) {
        p = {sweep.X, sweep.X * stock.Slope + stock.Intercept};
    } else {
        if (stock.Slope == sweep.Slope)
            return std::nullopt;
        p.X = (sweep.Intercept - stock.Intercept) / (stock.Slope - sweep.Slope);
        p.Y = p.X * stock.Slope + stock.Intercept;
    }
    // Nearly parallel steep lines can meet beyond the range of a double.
    if (!std::isfinite(p.X) || !std::isfinite(p.Y))
        return std::nullopt;
    return p;
}

// Whether p lies in the closed box of the segment ab. Ends are included with a margin far below
// any machining size, so that a crossing rounded just past the end of an edge still counts.
bool WithinBox(const TPoint& p, const TPoint& a, const TPoint& b) {
    return std::min(a.X, b.X) - BoxMargin <= p.X && p.X <= std::max(a.X, b.X) + BoxMargin &&
           std::min(a.Y, b.Y) - BoxMargin <= p.Y && p.Y <= std::max(a.Y, b.Y) + BoxMargin;
}

// p moved into the box of ab. A crossing found within the margin is moved onto the sweep edge
// and then onto the stock edge that hold it, so that rounding never puts it beyond their ends
// and the profile keeps its order.
TPoint ClampedToBox(const TPoint& p, const TPoint& a, const TPoint& b) {
    return {std::clamp(p.X, std::min(a.X, b.X), std::max(a.X, b.X)),
            std::clamp(p.Y, std::min(a.Y, b.Y), std::max(a.Y, b.Y))};
}

bool Near(const TPoint& a, const TPoint& b) {
    return std::hypot(a.X - b.X, a.Y - b.Y) < ClusterDistance;
}

std::vector<TPoint> MovedBy(const std::vector<TPoint>& points, const TPoint& offset) {
    std::vector<TPoint> moved;
    moved.reserve(points.size() + 2);
    for (const TPoint& p : points)
        moved.push_back({p.X + offset.X, p.Y + offset.Y});
    return moved;
}

} // namespace

std::string NoToolOutlineText(ToolSide tool) {
    return std::string(tool == ToolSide::Left ? "The left" : "The right") +
           " tool has no knife outline to simulate with.";
}

std::string NoToolTipText(ToolSide tool) {
    return std::string(tool == ToolSide::Left ? "The left" : "The right") +
           " tool's knife outline has no point at its tip (0, 0).";
}

TSimulation::TSimulation(const TPctList& leftOutline, const TPctList& rightOutline,
                         const std::vector<TPoint>& stock, const TPctList& path)
    : Stock(stock), Path(path.Items()) {
    Knife(ToolSide::Left).Outline = XYOf(leftOutline);
    Knife(ToolSide::Right).Outline = XYOf(rightOutline);
}

TSimulation::TSimulation(const TPctList& leftOutline, const TPctList& rightOutline,
                         const TPctList& stock, const TPctList& path)
    : TSimulation(leftOutline, rightOutline, XYOf(stock), path) {}

TSimulation::TSimulation(const TPctList& toolOutline, const std::vector<TPoint>& stock,
                         const TPctList& path)
    : TSimulation(toolOutline, TPctList{}, stock, path) {}

TSimulation::TSimulation(const TPctList& toolOutline, const TPctList& stock, const TPctList& path)
    : TSimulation(toolOutline, TPctList{}, XYOf(stock), path) {}

void TSimulation::SplitOutline(ToolSide tool) {
    TKnifeShape& knife = Knife(tool);
    if (knife.Outline.empty())
        throw SimulationError(NoToolOutlineText(tool));
    auto tip = std::find(knife.Outline.begin(), knife.Outline.end(), TPoint{0, 0});
    if (tip == knife.Outline.end())
        throw SimulationError(NoToolTipText(tool));
    knife.LeftFlank.assign(knife.Outline.begin(), tip + 1);
    knife.RightFlank.assign(knife.Outline.rbegin(), std::make_reverse_iterator(tip));
}

void TSimulation::SplitOutlinesOfPath() {
    for (ToolSide tool : {ToolSide::Left, ToolSide::Right}) {
        bool cuts = std::any_of(Path.begin(), Path.end(),
                                [tool](const TPunct& p) { return p.Tool == tool && !p.IsRapid(); });
        if (cuts)
            SplitOutline(tool);
    }
}

TPoint TSimulation::PositionAt(double t) {
    if (Path.empty() || Path.back().TotalTime < t)
        return {EndMarkerX, 0};
    // TotalTime never decreases along the path.
    auto it = std::partition_point(Path.begin(), Path.end(),
                                   [t](const TPunct& p) { return p.TotalTime < t; });
    size_t i = static_cast<size_t>(it - Path.begin());
    SegIndex = static_cast<int32_t>(i);
    const TPunct& end = Path[i];
    // Before the start (a negative time) the tool waits at the first point.
    if (end.TotalTime == t || i == 0)
        return {end.X, end.Y};
    const TPunct& start = Path[i - 1];
    double remaining = SafeDivide(end.TotalTime - t, end.StepTime);
    return {end.X - (end.X - start.X) * remaining, end.Y - (end.Y - start.Y) * remaining};
}

void TSimulation::BuildSweep(const TPoint& current, const TPoint& previous, ToolSide tool) {
    const TKnifeShape& knife = Knife(tool);
    if (knife.LeftFlank.empty())
        SplitOutline(tool);
    SweepMinX = SweepLimitSeed;
    SweepMaxX = -SweepLimitSeed;
    // The leading flank at the new position, closed behind by the tip's previous position and a
    // vertical line from there up to the height where the flank starts.
    auto closeBehind = [&](double trailingX) {
        double top = Sweep.front().Y;
        Sweep.push_back({trailingX, previous.Y});
        Sweep.push_back({trailingX, top});
    };
    if (current.X < previous.X) {
        Sweep = MovedBy(knife.LeftFlank, current);
        for (const TPoint& p : Sweep)
            SweepMinX = std::min(SweepMinX, p.X);
        SweepMaxX = previous.X + TrailingClearance;
        closeBehind(SweepMaxX);
    } else if (current.X > previous.X) {
        Sweep = MovedBy(knife.RightFlank, current);
        for (const TPoint& p : Sweep)
            SweepMaxX = std::max(SweepMaxX, p.X);
        SweepMinX = previous.X - TrailingClearance;
        closeBehind(SweepMinX);
    } else {
        // No change of X sweeps nothing: the limits keep every stock point outside.
        Sweep = MovedBy(knife.Outline, current);
    }
    SweepMinY = std::min(current.Y, previous.Y);
}

bool TSimulation::IsInsideSweep(const TPoint& s) const {
    if (s.X <= SweepMinX || s.X >= SweepMaxX || s.Y <= SweepMinY)
        return false;
    bool firstFound = false;
    double x1 = NoCrossingX;
    double x2 = NoCrossingX;
    for (size_t j = 0; j + 1 < Sweep.size(); ++j) {
        const TPoint& a = Sweep[j];
        const TPoint& b = Sweep[j + 1];
        // A horizontal edge at exactly this height has no single crossing: it counts as none.
        if (a.Y == b.Y)
            continue;
        if (!((a.Y <= s.Y && s.Y <= b.Y) || (a.Y >= s.Y && s.Y >= b.Y)))
            continue;
        double xc = a.X + (b.X - a.X) * (a.Y - s.Y) / (a.Y - b.Y);
        if (!firstFound) {
            x1 = xc;
            firstFound = true;
        } else {
            x2 = xc;
        }
    }
    return std::min(x1, x2) < s.X && s.X < std::max(x1, x2);
}

void TSimulation::Cut(const TPoint& current, const TPoint& previous, ToolSide tool) {
    BuildSweep(current, previous, tool);
    if (CrossesEndFace(current, previous))
        LowerSweptPoints(current.Y);
    else
        ReplaceSweptPoints();
    RebuildStock();
}

bool TSimulation::CrossesEndFace(const TPoint& current, const TPoint& previous) const {
    if (Stock.empty())
        return false;
    auto [left, right] = std::minmax_element(
        Stock.begin(), Stock.end(), [](const TPoint& a, const TPoint& b) { return a.X < b.X; });
    bool outRight = current.X > previous.X && current.X > right->X && previous.X < right->X;
    bool outLeft = current.X < previous.X && current.X < left->X && previous.X > left->X;
    return outRight || outLeft;
}

void TSimulation::LowerSweptPoints(double y) {
    Work = Stock;
    for (size_t i = 1; i + 1 < Stock.size(); ++i)
        if (IsInsideSweep(Stock[i]))
            Work[i].Y = y;
}

void TSimulation::ReplaceSweptPoints() {
    // Work is built in stock order, so each replacement lands where its stock points stood
    // whatever earlier replacements of this cut have added or removed.
    Work.clear();
    if (Stock.empty())
        return;
    Work.reserve(Stock.size() + Sweep.size());
    Work.push_back(Stock.front());
    for (size_t i = 1; i < Stock.size(); ++i) {
        if (i + 1 == Stock.size() || !IsInsideSweep(Stock[i])) {
            Work.push_back(Stock[i]);
            continue;
        }
        // Swept points joined by edges that stay inside the sweep are cut away together: the
        // sweep's outline runs from the crossing before the first to the crossing after the last.
        std::optional<Crossing> left = CrossSweep(Stock[i - 1], Stock[i]);
        std::optional<Crossing> right = CrossSweep(Stock[i], Stock[i + 1]);
        while (!right && i + 2 < Stock.size() && IsInsideSweep(Stock[i + 1])) {
            ++i;
            right = CrossSweep(Stock[i], Stock[i + 1]);
        }
        AppendReplacement(left, right);
    }
}

std::optional<TSimulation::Crossing> TSimulation::CrossSweep(const TPoint& anchor,
                                                             const TPoint& other) const {
    Line stockLine = LineThrough(anchor, other);
    std::optional<Crossing> found;
    for (size_t j = 0; j + 1 < Sweep.size(); ++j) {
        const TPoint& a = Sweep[j];
        const TPoint& b = Sweep[j + 1];
        std::optional<TPoint> p = Intersection(stockLine, LineThrough(b, a));
        if (p && WithinBox(*p, anchor, other) && WithinBox(*p, a, b))
            found = Crossing{ClampedToBox(ClampedToBox(*p, a, b), anchor, other), j};
    }
    return found;
}

void TSimulation::AppendReplacement(const std::optional<Crossing>& left,
                                    const std::optional<Crossing>& right) {
    if (left)
        Work.push_back(left->Point);
    if (left && right) {
        // The sweep's corners from the left crossing to the right one, in the order the sweep
        // runs between them, so that the profile goes on forward.
        for (size_t j = left->Edge + 1; j <= right->Edge; ++j)
            Work.push_back(Sweep[j]);
        for (size_t j = left->Edge; j > right->Edge; --j)
            Work.push_back(Sweep[j]);
    }
    if (right)
        Work.push_back(right->Point);
}

void TSimulation::RebuildStock() {
    Stock.clear();
    if (Work.size() < 2) {
        Stock = Work;
        return;
    }
    Stock.push_back(Work.front());
    for (size_t k = 1; k + 1 < Work.size(); ++k) {
        const TPoint& c = Work[k];
        // Judged against the last point kept, so a run of dropped points never takes its end.
        const TPoint& p = Stock.back();
        const TPoint& n = Work[k + 1];
        bool inHorizontalRun = c.Y == p.Y && c.Y == n.Y;
        bool inCluster = Near(c, p) && Near(c, n);
        bool stepBack = c.Y == p.Y && c.X < p.X;
        if (!inHorizontalRun && !inCluster && !stepBack)
            Stock.push_back(c);
    }
    Stock.push_back(Work.back());
}

} // namespace torvex
