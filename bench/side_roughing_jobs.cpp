#include "bench/side_roughing_jobs.h"

#include "geometry/number_text.h"
#include "geometry/shaft.h"
#include "platform/errors.h"
#include "toolpath/block_writer.h"
#include "toolpath/nc_block.h"
#include "toolpath/profile_measures.h"
#include "toolpath/strategies.h"
#include "toolpath/toolpath.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <iterator>
#include <numbers>
#include <optional>
#include <random>
#include <sstream>

namespace torvex {

namespace {

double Uniform(std::mt19937& rng, double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(rng);
}

bool Chance(std::mt19937& rng, double p) {
    return Uniform(rng, 0, 1) < p;
}

// Round jobs keep every length on a grid, so that corners, levels and rests meet exactly.
double Grid(double value, bool round, double step = 0.5) {
    return round ? std::max(step, std::round(value / step) * step) : value;
}

constexpr double KeptLength = 2.1;

enum class Stretch { Cylinder, Taper, Shoulder };

// The corners of a flank climbing towards larger x from (0, y0): a cylinder, then cylinders,
// tapers and shoulders (never two cylinders or two shoulders in a row, no two tapers of nearly one
// slope), ending in a shoulder or a taper.
std::vector<TPoint> ClimbingCorners(std::mt19937& rng, bool round, double y0) {
    std::vector<TPoint> corners{{0, y0}, {Grid(Uniform(rng, 3, 8), round), y0}};
    Stretch last = Stretch::Cylinder;
    double lastSlope = 0;
    int stretches = std::uniform_int_distribution<int>(1, 5)(rng);
    for (int i = 0; i < stretches || last == Stretch::Cylinder; ++i) {
        TPoint at = corners.back();
        double pick = Uniform(rng, 0, 1);
        if (last != Stretch::Cylinder && pick < 0.35 && i < stretches) {
            corners.push_back({at.X + Grid(Uniform(rng, 3, 8), round), at.Y});
            last = Stretch::Cylinder;
        } else if (last != Stretch::Shoulder && pick < 0.7) {
            corners.push_back({at.X, at.Y + Grid(Uniform(rng, 2.5, 5), round)});
            last = Stretch::Shoulder;
        } else {
            double run = Grid(Uniform(rng, 1.5, 6), round);
            double rise = Grid(Uniform(rng, 1.5, 6), round);
            if (last == Stretch::Taper && std::fabs(rise / run - lastSlope) < 0.2)
                rise += 1.5;
            corners.push_back({at.X + run, at.Y + rise});
            last = Stretch::Taper;
            lastSlope = rise / run;
        }
    }
    return corners;
}

std::string Record(const char* kind, std::initializer_list<double> values) {
    std::string text = kind;
    text += ' ';
    for (double v : values)
        text += FloatToText(v) + "/";
    return text;
}

std::string LineRecord(const TPoint& a, const TPoint& b) {
    return Record("line", {a.X, a.Y, b.X, b.Y});
}

TPoint Direction(const TPoint& from, const TPoint& to) {
    double dx = to.X - from.X, dy = to.Y - from.Y;
    // Shoulders and cylinders keep exact unit directions.
    if (dx == 0)
        return {0, dy > 0 ? 1.0 : -1.0};
    if (dy == 0)
        return {1, 0};
    double length = std::hypot(dx, dy);
    return {dx / length, dy / length};
}

// The profile between the end faces as records, left to right: the corners joined by lines, some
// corners replaced by a tangent arc (a rounding where the profile turns clockwise, a fillet where
// it turns anticlockwise).
std::vector<std::string> RoundedProfile(std::mt19937& rng, bool round,
                                        const std::vector<TPoint>& corners) {
    std::vector<std::string> records;
    std::vector<double> used(corners.size(), 0); // tangent length taken from each stretch's start
    TPoint from = corners.front();
    for (size_t i = 1; i + 1 < corners.size(); ++i) {
        const TPoint& corner = corners[i];
        TPoint u = Direction(corners[i - 1], corner);
        TPoint v = Direction(corner, corners[i + 1]);
        double cross = u.X * v.Y - u.Y * v.X;
        double inLength = std::hypot(corner.X - corners[i - 1].X, corner.Y - corners[i - 1].Y);
        double outLength = std::hypot(corners[i + 1].X - corner.X, corners[i + 1].Y - corner.Y);
        auto sharp = [&] {
            records.push_back(LineRecord(from, corner));
            from = corner;
        };
        if (i == 1 || !Chance(rng, 0.45) || std::fabs(cross) < 1e-6) {
            sharp();
            continue;
        }
        bool rightAngle = (u.X == 0 || u.Y == 0) && (v.X == 0 || v.Y == 0);
        double halfTurn = std::acos(std::clamp(u.X * v.X + u.Y * v.Y, -1.0, 1.0)) / 2;
        double perRadius = rightAngle ? 1.0 : std::tan(halfTurn);
        // Each line keeps more than twice the largest rest between its arcs: offsetting its
        // corners never uses it up (a line used up would turn back on itself in the contour).
        double room = std::min(inLength - used[i - 1] - KeptLength, (outLength - KeptLength) / 2);
        double r = Grid(Uniform(rng, 0.15, 3), round, 0.25);
        if (r * perRadius > room)
            r = round ? std::floor(room / perRadius / 0.25) * 0.25 : room / perRadius;
        if (r < 0.1) {
            sharp();
            continue;
        }
        double t = r * perRadius;
        used[i] = t;
        TPoint t1{corner.X - t * u.X, corner.Y - t * u.Y};
        TPoint t2{corner.X + t * v.X, corner.Y + t * v.Y};
        bool fillet = cross > 0;
        TPoint normal = fillet ? TPoint{-u.Y, u.X} : TPoint{u.Y, -u.X};
        TPoint c{t1.X + r * normal.X, t1.Y + r * normal.Y};
        records.push_back(LineRecord(from, t1));
        const TPoint& p3 = fillet ? t2 : t1;
        const TPoint& p4 = fillet ? t1 : t2;
        records.push_back(
            Record("arc", {c.X - r, c.Y - r, c.X + r, c.Y + r, p3.X, p3.Y, p4.X, p4.Y}));
        from = t2;
    }
    records.push_back(LineRecord(from, corners.back()));
    return records;
}

TPoint Minus(const TPoint& a, const TPoint& b) {
    return {a.X - b.X, a.Y - b.Y};
}

// The arc's point at `angle` around its centre.
TPoint OnCircle(const TObj& arc, double angle) {
    TPoint c = arc.Centre();
    return {c.X + arc.Radius() * std::cos(angle), c.Y + arc.Radius() * std::sin(angle)};
}

// The angle of a point of an arc, on the arc's half: from -90 to 270 degrees on the upper half,
// from 90 to 450 on the lower, so that the half's ends never wrap.
double AngleOnHalf(const TObj& arc, const TPoint& p) {
    TPoint d = Minus(p, arc.Centre());
    double angle = std::atan2(d.Y, d.X);
    double from = IsUpperHalf(arc) ? -std::numbers::pi / 2 : std::numbers::pi / 2;
    while (angle < from)
        angle += 2 * std::numbers::pi;
    while (angle >= from + 2 * std::numbers::pi)
        angle -= 2 * std::numbers::pi;
    return angle;
}

// Where the contour, followed from the side's end, first rises above the level y: each element is
// sampled along its own length (an arc by its angle), the first sample above the level found, and
// the level bisected between it and the sample before.
std::optional<TPoint> FirstRise(const Tobjects& contour, Flank side, double y) {
    constexpr int Samples = 256;
    constexpr double OnLevel = 1e-9;
    for (const TObj& e : contour) {
        std::function<TPoint(double)> at;
        if (e.IsLine()) {
            TPoint a = NearEnd(e, side), b = FarEnd(e, side);
            at = [a, b](double t) { return TPoint{a.X + t * (b.X - a.X), a.Y + t * (b.Y - a.Y)}; };
        } else if (e.IsArc() && e.P3.X != e.P4.X) {
            double a0 = AngleOnHalf(e, ArcStart(e, side)), a1 = AngleOnHalf(e, ArcEnd(e, side));
            at = [&e, a0, a1](double t) { return OnCircle(e, a0 + t * (a1 - a0)); };
        } else {
            continue;
        }
        for (int i = 0; i <= Samples; ++i) {
            double t = static_cast<double>(i) / Samples;
            if (at(t).Y <= y + OnLevel)
                continue;
            if (i == 0)
                return at(0);
            double low = static_cast<double>(i - 1) / Samples, high = t;
            if (at(low).Y >= y - OnLevel)
                return at(low);
            for (int k = 0; k < 100; ++k) {
                double middle = (low + high) / 2;
                (at(middle).Y < y ? low : high) = middle;
            }
            return at(high);
        }
    }
    return std::nullopt;
}

std::string Describe(const TPoint& p) {
    std::ostringstream text;
    text.precision(17);
    text << "(" << p.X << ", " << p.Y << ")";
    return text.str();
}

std::string CheckStraightness(const Tobjects& contour) {
    constexpr double Micrometre = 1e-6;
    for (const TObj& e : contour) {
        if (!e.IsLine())
            continue;
        double dx = std::fabs(e.P2.X - e.P1.X), dy = std::fabs(e.P2.Y - e.P1.Y);
        if ((dx != 0 && dx < Micrometre) || (dy != 0 && dy < Micrometre))
            return "offset line " + Describe(e.P1) + "-" + Describe(e.P2) +
                   " is off vertical or level";
    }
    return {};
}

} // namespace

SideRoughingJob RandomSideRoughingJob(unsigned seed) {
    std::mt19937 rng(seed);
    SideRoughingJob job;
    job.Seed = seed;
    bool round = Chance(rng, 0.5);
    std::vector<TPoint> left = ClimbingCorners(rng, round, Grid(Uniform(rng, 2, 7), round));
    std::vector<TPoint> right = ClimbingCorners(rng, round, Grid(Uniform(rng, 2, 7), round));
    double top = std::max(left.back().Y, right.back().Y) + Grid(Uniform(rng, 2.5, 4), round);
    for (std::vector<TPoint>* flank : {&left, &right}) {
        TPoint& last = flank->back();
        TPoint& before = (*flank)[flank->size() - 2];
        if (last.X == before.X)
            last.Y = top;
        else
            flank->push_back({last.X, top});
    }
    double topLength = Grid(Uniform(rng, 3, 10), round);
    double length = left.back().X + topLength + right.back().X;
    std::vector<TPoint> corners = left;
    for (auto p = right.rbegin(); p != right.rend(); ++p)
        corners.push_back({length - p->X, p->Y});

    job.PartLines.push_back(LineRecord({0, 0}, corners.front()));
    for (std::string& record : RoundedProfile(rng, round, corners))
        job.PartLines.push_back(std::move(record));
    job.PartLines.push_back(LineRecord(corners.back(), {length, 0}));
    job.StockRadius = top + Grid(Uniform(rng, 0.5, 4), round);
    job.Side = Chance(rng, 0.5) ? Flank::Left : Flank::Right;
    job.Close = Chance(rng, 0.5);
    job.Rest = round ? std::uniform_int_distribution<int>(1, 10)(rng) / 10.0 : Uniform(rng, 0.1, 1);
    job.Depth =
        round ? std::uniform_int_distribution<int>(3, 30)(rng) / 10.0 : Uniform(rng, 0.3, 3);
    return job;
}

std::string CheckSideRoughingJob(const SideRoughingJob& job, size_t& layers) {
    layers = 0;
    TShaft part;
    part.LoadFromLines(job.PartLines);
    SideOutlines outlines = part.SideOutlinesFor(EntryCorner::Drop, FlatTop::Drop, FlatTop::Drop);
    const Tobjects& outline =
        job.Side == Flank::Left ? outlines.Left.Elements : outlines.Right.Elements;
    std::optional<double> climb =
        job.Close ? std::optional<double>(job.StockRadius - part.MaxRadius) : std::nullopt;
    Tobjects contour;
    try {
        contour = BuildOffsetContour(outline, job.Side, job.Rest, climb);
    } catch (const std::exception& error) {
        return std::string("the offset contour failed: ") + error.what();
    }
    if (contour.empty())
        return "the offset contour is empty";
    if (std::string fault = CheckStraightness(contour); !fault.empty())
        return fault;

    TToolpath toolpath;
    BlockWriter writer(toolpath);
    RoughingParameters p;
    p.SafeX = job.StockRadius + 2;
    p.Offset = 2;
    p.Depth = job.Depth;
    p.RadialFeed = 100;
    p.AxialFeed = 200;
    RoughFlank(writer, contour, job.Side, p);
    // Each layer's axial cut is the only axial feed block; its move ends the layer.
    const TPctList& path = toolpath.PathPoints;
    for (const NcBlock& block : toolpath.Blocks) {
        if (block.Kind != BlockKind::FeedZ)
            continue;
        auto move = std::find_if(path.begin(), path.end(),
                                 [&block](const TPunct& p) { return p.Block == block.Number; });
        std::string layer = "layer " + std::to_string(++layers);
        if (move == path.end() || move == path.begin())
            return layer + " has no move";
        layer += " at " + Describe({move->X, move->Y});
        if (move->Y != std::prev(move)->Y)
            return layer + " is not level";
        std::optional<TPoint> rise = FirstRise(contour, job.Side, move->Y);
        if (!rise)
            return layer + ": the contour never rises above the level";
        if (std::hypot(move->X - rise->X, move->Y - rise->Y) > 0.001)
            return layer + " should end where the contour first rises above it, " + Describe(*rise);
    }
    return {};
}

std::string DescribeSideRoughingJob(const SideRoughingJob& job) {
    std::ostringstream text;
    text.precision(17);
    text << "seed " << job.Seed << ", " << (job.Side == Flank::Left ? "left" : "right")
         << (job.Close ? " from the stock" : " below the part") << ", rest " << job.Rest
         << ", depth " << job.Depth << ", stock radius " << job.StockRadius << "\n";
    for (const std::string& line : job.PartLines)
        text << line << "\n";
    return text.str();
}

} // namespace torvex
