#include "tests/toolpath/path_checks.h"

#include "toolpath/profile_measures.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>
#include <sstream>

namespace torvex::testing {

namespace {

// A number written "0.###" is within half a thousandth of the value it stands for.
constexpr double Written = 0.0005 + 1e-9;

double Distance(const TPoint& a, const TPoint& b) {
    return std::hypot(a.X - b.X, a.Y - b.Y);
}

double DistanceToSegment(const TPoint& a, const TPoint& b, const TPoint& p) {
    double dx = b.X - a.X, dy = b.Y - a.Y;
    double lengthSquared = dx * dx + dy * dy;
    if (lengthSquared == 0)
        return Distance(a, p);
    double t = std::clamp(((p.X - a.X) * dx + (p.Y - a.Y) * dy) / lengthSquared, 0.0, 1.0);
    return Distance({a.X + t * dx, a.Y + t * dy}, p);
}

// An arc is the part of its half circle between the x of its ends; the nearest point is where the
// radius through p meets it, or else one of its ends.
double DistanceToArc(const TObj& arc, const TPoint& p) {
    double nearest = std::min(Distance(arc.P3, p), Distance(arc.P4, p));
    TPoint c = arc.Centre();
    double r = arc.Radius();
    double fromCentre = Distance(c, p);
    if (arc.P3.X == arc.P4.X || fromCentre == 0)
        return nearest;
    TPoint onCircle{c.X + (p.X - c.X) * r / fromCentre, c.Y + (p.Y - c.Y) * r / fromCentre};
    bool onHalf = IsUpperHalf(arc) ? onCircle.Y >= c.Y : onCircle.Y <= c.Y;
    bool withinEnds =
        onCircle.X >= std::min(arc.P3.X, arc.P4.X) && onCircle.X <= std::max(arc.P3.X, arc.P4.X);
    if (onHalf && withinEnds)
        nearest = std::min(nearest, std::fabs(fromCentre - r));
    return nearest;
}

std::string Describe(const TPoint& p) {
    std::ostringstream text;
    text << "(" << p.X << ", " << p.Y << ")";
    return text.str();
}

const std::set<std::string> StrategyShapes = {
    "G00 X Z",       "G00 Z",       "G00 X",       "G00 X F",   "G01 X F",   "G01 Z F", "G01 X Z F",
    "G01 X G01 Z F", "G02 X Z R F", "G03 X Z R F", "G02 X Z R", "G03 X Z R", "M06 T"};

} // namespace

bool IsInsidePart(const TPctList& partPoints, const TPoint& p, double tolerance) {
    size_t n = partPoints.Count();
    bool inside = false;
    for (size_t i = 0; i < n; ++i) {
        TPoint a{partPoints[i].X, partPoints[i].Y};
        TPoint b{partPoints[(i + 1) % n].X, partPoints[(i + 1) % n].Y};
        if (DistanceToSegment(a, b, p) <= tolerance)
            return false;
        if ((a.Y > p.Y) != (b.Y > p.Y) && p.X < a.X + (p.Y - a.Y) * (b.X - a.X) / (b.Y - a.Y))
            inside = !inside;
    }
    return inside;
}

double DistanceToProfile(const Tobjects& elements, const TPoint& p) {
    double nearest = std::numeric_limits<double>::infinity();
    for (const TObj& e : elements) {
        if (e.IsLine())
            nearest = std::min(nearest, DistanceToSegment(e.P1, e.P2, p));
        else if (e.IsArc())
            nearest = std::min(nearest, DistanceToArc(e, p));
    }
    return nearest;
}

std::vector<TPoint> PointsAlong(const Tobjects& contour) {
    std::vector<TPoint> points;
    for (const TObj& e : contour) {
        if (e.IsLine()) {
            for (int k = 0; k <= 10; ++k)
                points.push_back(
                    {e.P1.X + (e.P2.X - e.P1.X) * k / 10, e.P1.Y + (e.P2.Y - e.P1.Y) * k / 10});
        } else if (e.IsArc()) {
            points.push_back(e.P3);
            points.push_back(e.P4);
            for (const TPoint& p : ArcInteriorPoints(e, 20, RootOffCircle::Absolute))
                points.push_back(p);
        }
    }
    return points;
}

::testing::AssertionResult BlocksAreWellFormed(const TToolpath& toolpath) {
    long lastNumber = 0;
    for (const std::string& text : toolpath.NCBlocks()) {
        auto fail = [&text]() { return ::testing::AssertionFailure() << "'" << text << "': "; };
        std::string lower = text;
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (lower.find("nan") != std::string::npos || lower.find("inf") != std::string::npos ||
            text.find(',') != std::string::npos)
            return fail() << "carries nan, inf or a comma";
        NcBlock block;
        try {
            block = ParseNcBlock(text);
        } catch (const std::exception& error) {
            return fail() << error.what();
        }
        if (!StrategyShapes.contains(block.Shape()))
            return fail() << "shape " << block.Shape() << " is none the strategies write";
        if (block.Number <= lastNumber)
            return fail() << "block number does not rise";
        lastNumber = block.Number;
        for (const NcWord& word : block.Words)
            if (word.Letter != 'G' && word.Letter != 'M' && !IsThreeDecimalText(word.Text))
                return fail() << word.Text << " is not written 0.###";
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult ArcBlocksMatchPreview(const TToolpath& toolpath) {
    const TPctList& moves = toolpath.PathPoints;
    size_t cursor = 0;
    for (const torvex::NcBlock& arc : toolpath.Blocks) {
        if (arc.Kind != BlockKind::Arc)
            continue;
        while (cursor < moves.Count() && moves[cursor].Block != arc.Number)
            ++cursor;
        std::string text = GenericText(arc);
        auto fail = [&text]() { return ::testing::AssertionFailure() << "'" << text << "': "; };
        size_t before = cursor;
        size_t end = before;
        while (end + 1 < moves.Count() && moves[end + 1].Block == arc.Number)
            ++end;
        if (before == 0 || before >= moves.Count())
            return fail() << "an arc cannot start the path";
        TPoint s{moves[before - 1].X, moves[before - 1].Y};
        TPoint e{moves[end].X, moves[end].Y};
        double r = *ParseNcBlock(text).Value('R');
        double chord = Distance(s, e);
        if (chord == 0 || chord > 2 * r + 2 * Written)
            return fail() << "no circle of radius " << r << " joins " << Describe(s) << " and "
                          << Describe(e);
        // G02 turns clockwise: its centre lies right of the chord, its arc left of it.
        bool clockwise = arc.Turn == ArcTurn::Clockwise;
        double h = std::sqrt(std::max(0.0, r * r - chord * chord / 4));
        double nx = (e.Y - s.Y) / chord, ny = -(e.X - s.X) / chord;
        double side = clockwise ? 1 : -1;
        TPoint c{(s.X + e.X) / 2 + side * h * nx, (s.Y + e.Y) / 2 + side * h * ny};
        // The centre the block carries lies at R from both ends and from every preview point.
        TPoint centre{arc.CentreZ, arc.CentreX};
        for (size_t i = before - 1; i <= end; ++i)
            if (std::fabs(Distance(centre, {moves[i].X, moves[i].Y}) - arc.R) > 1e-7)
                return fail() << "its centre " << Describe(centre) << " is not at R from "
                              << Describe({moves[i].X, moves[i].Y});
        // R carries half a thousandth of rounding, which moves the centre most on a half circle.
        double slack =
            2 * Written + std::min(r * Written / std::max(h, 1e-12), std::sqrt(2 * r * Written));
        for (size_t i = before; i < end; ++i) {
            TPoint p{moves[i].X, moves[i].Y};
            if (std::fabs(Distance(c, p) - r) > slack)
                return fail() << "preview point " << Describe(p) << " lies " << Distance(c, p)
                              << " from the centre " << Describe(c);
            double cross = (e.X - s.X) * (p.Y - s.Y) - (e.Y - s.Y) * (p.X - s.X);
            if (clockwise ? cross <= 0 : cross >= 0)
                return fail() << "preview point " << Describe(p) << " lies on the other side";
        }
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult TimesAreConsistent(const TPctList& path) {
    for (size_t i = 1; i < path.Count(); ++i) {
        const TPunct& p = path[i - 1];
        const TPunct& q = path[i];
        double step = std::hypot(q.X - p.X, q.Y - p.Y) / q.Feed * 60;
        if (q.TotalTime < p.TotalTime || std::fabs(q.StepTime - step) > 1e-9 ||
            std::fabs(q.TotalTime - (p.TotalTime + step)) > 1e-9 * (1 + q.TotalTime))
            return ::testing::AssertionFailure() << "move " << i << " is timed wrongly";
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult StaysOutsidePart(const TPctList& path, const TPctList& partPoints) {
    constexpr int Samples = 16;
    for (size_t i = 0; i < path.Count(); ++i) {
        TPoint to{path[i].X, path[i].Y};
        TPoint from = i == 0 ? to : TPoint{path[i - 1].X, path[i - 1].Y};
        for (int k = 1; k <= Samples; ++k) {
            double t = static_cast<double>(k) / Samples;
            TPoint p{from.X + (to.X - from.X) * t, from.Y + (to.Y - from.Y) * t};
            if (IsInsidePart(partPoints, p))
                return ::testing::AssertionFailure()
                       << "the move from " << Describe(from) << " to " << Describe(to) << " passes "
                       << Describe(p) << " inside the part";
        }
    }
    return ::testing::AssertionSuccess();
}

std::string Listing(const TToolpath& toolpath) {
    std::string listing;
    for (const std::string& block : toolpath.NCBlocks())
        listing += block + "\n";
    return listing;
}

} // namespace torvex::testing
