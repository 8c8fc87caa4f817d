#include "drawing/profile_finder.h"

#include "geometry/number_text.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <numbers>
#include <optional>

namespace torvex {

namespace {

constexpr double Pi = std::numbers::pi;

// The drawing's pieces in the axis's frame: y measured from the axis, in drawing units.
struct Frame {
    double Tolerance = JoinTolerance;
    double AxisY = 0;
    double Millimetres = 1; // per drawing unit
    // The place in the drawing's own coordinates, as messages name it.
    std::string Place(TPoint p) const { return PlaceText({p.X, p.Y + AxisY}); }
};

// The fractions of an arc's way at which it passes the given angles, strictly inside it, in order.
std::vector<double> FractionsAtAngles(const DrawingPiece& arc, const std::vector<double>& angles) {
    std::vector<double> fractions;
    double sweep = std::fabs(arc.Sweep);
    for (double angle : angles) {
        double turned = arc.Sweep > 0 ? angle - arc.StartAngle : arc.StartAngle - angle;
        turned = std::fmod(std::fmod(turned, 2 * Pi) + 2 * Pi, 2 * Pi);
        double fraction = turned / sweep;
        if (fraction > 1e-12 && fraction < 1 - 1e-12)
            fractions.push_back(fraction);
    }
    std::sort(fractions.begin(), fractions.end());
    return fractions;
}

std::vector<DrawingPiece> SplitAtFractions(const DrawingPiece& piece,
                                           const std::vector<double>& fractions) {
    std::vector<DrawingPiece> parts;
    double from = 0;
    for (double to : fractions) {
        parts.push_back(SubPiece(piece, from, to, PointAlong(piece, from), PointAlong(piece, to)));
        from = to;
    }
    parts.push_back(SubPiece(piece, from, 1, PointAlong(piece, from), piece.End));
    return parts;
}

// An arc cut where it crosses the axis and at its circle's leftmost and rightmost points, so that
// each part keeps to one side of the axis and to one half of its circle.
std::vector<DrawingPiece> SplitArc(const DrawingPiece& arc) {
    std::vector<double> angles{0, Pi};
    double sine = -arc.Centre.Y / arc.Radius;
    if (std::fabs(sine) < 1) {
        angles.push_back(std::asin(sine));
        angles.push_back(Pi - std::asin(sine));
    }
    return SplitAtFractions(arc, FractionsAtAngles(arc, angles));
}

struct AxisCut {
    std::vector<DrawingPiece> Above;
    int OnAxis = 0;
    int Below = 0;
};

// Keeps what lies above the axis: lines on it are centre lines, pieces crossing it are cut there.
AxisCut CutAtAxis(const std::vector<DrawingPiece>& pieces, double tolerance) {
    AxisCut cut;
    auto keep = [&](const DrawingPiece& piece) {
        double highest = std::max({piece.Start.Y, piece.End.Y, PointAlong(piece, 0.5).Y});
        if (highest > tolerance)
            cut.Above.push_back(piece);
        else
            ++cut.Below;
    };
    for (const DrawingPiece& piece : pieces) {
        if (PieceLength(piece) <= 0 || (piece.IsArc() && piece.Radius <= 0))
            continue;
        if (piece.IsArc()) {
            for (const DrawingPiece& part : SplitArc(piece))
                keep(part);
            continue;
        }
        double y0 = piece.Start.Y;
        double y1 = piece.End.Y;
        if (std::fabs(y0) <= tolerance && std::fabs(y1) <= tolerance) {
            ++cut.OnAxis;
        } else if ((y0 < -tolerance && y1 > tolerance) || (y0 > tolerance && y1 < -tolerance)) {
            double fraction = y0 / (y0 - y1);
            TPoint onAxis{piece.Start.X + fraction * (piece.End.X - piece.Start.X), 0};
            keep(y0 > 0 ? SubPiece(piece, 0, fraction, piece.Start, onAxis)
                        : SubPiece(piece, fraction, 1, onAxis, piece.End));
        } else {
            keep(piece);
        }
    }
    return cut;
}

// The joined ends: every end closer than the tolerance to a point already found is that point.
// Points within the tolerance of the axis lie on it exactly.
class JoinedPoints {
public:
    explicit JoinedPoints(double tolerance) : Tolerance(tolerance) {}

    size_t Join(TPoint p) {
        std::optional<size_t> nearest;
        double nearestDistance = Tolerance;
        auto [cx, cy] = Cell(p);
        for (long long dx = -1; dx <= 1; ++dx)
            for (long long dy = -1; dy <= 1; ++dy) {
                auto found = Cells.find({cx + dx, cy + dy});
                if (found == Cells.end())
                    continue;
                for (size_t k : found->second)
                    if (double d = Distance(Points[k], p); d <= nearestDistance) {
                        nearest = k;
                        nearestDistance = d;
                    }
            }
        if (nearest)
            return *nearest;
        if (std::fabs(p.Y) <= Tolerance)
            p.Y = 0;
        Points.push_back(p);
        Cells[Cell(p)].push_back(Points.size() - 1);
        return Points.size() - 1;
    }

    std::vector<TPoint> Points;

private:
    std::pair<long long, long long> Cell(TPoint p) const {
        constexpr double Limit = 1e15;
        return {static_cast<long long>(std::floor(std::clamp(p.X / Tolerance, -Limit, Limit))),
                static_cast<long long>(std::floor(std::clamp(p.Y / Tolerance, -Limit, Limit)))};
    }

    double Tolerance;
    std::map<std::pair<long long, long long>, std::vector<size_t>> Cells;
};

struct Edge {
    DrawingPiece Piece; // runs from node From to node To
    size_t From = 0;
    size_t To = 0;
};

struct PieceGraph {
    std::vector<TPoint> Nodes;
    std::vector<Edge> Edges;
    std::vector<std::vector<size_t>> EdgesAt;

    bool OnAxis(size_t node) const { return Nodes[node].Y == 0; }
    // A node only one piece reaches, away from the axis.
    bool FreeEnd(size_t node) const { return EdgesAt[node].size() == 1 && !OnAxis(node); }
};

// The piece split wherever another piece's end lies on it (a T-junction), so that the ends meet.
std::vector<DrawingPiece> SplitAtJoinedPoints(const DrawingPiece& piece,
                                              const std::vector<TPoint>& points, double tolerance) {
    double left = std::min({piece.Start.X, piece.End.X, PointAlong(piece, 0.5).X}) - tolerance;
    double right = std::max({piece.Start.X, piece.End.X, PointAlong(piece, 0.5).X}) + tolerance;
    double low = std::min({piece.Start.Y, piece.End.Y, PointAlong(piece, 0.5).Y}) - tolerance;
    double high = std::max({piece.Start.Y, piece.End.Y, PointAlong(piece, 0.5).Y}) + tolerance;
    if (piece.IsArc()) { // its box may bulge beyond its ends and middle
        low = std::min(low, piece.Centre.Y - piece.Radius - tolerance);
        high = std::max(high, piece.Centre.Y + piece.Radius + tolerance);
    }
    std::vector<std::pair<double, TPoint>> cuts;
    for (const TPoint& p : points) {
        if (p.X < left || p.X > right || p.Y < low || p.Y > high)
            continue;
        if (Distance(p, piece.Start) <= tolerance || Distance(p, piece.End) <= tolerance)
            continue;
        Projection on = Project(piece, p);
        if (on.Distance <= tolerance && on.Fraction > 0 && on.Fraction < 1)
            cuts.emplace_back(on.Fraction, p);
    }
    if (cuts.empty())
        return {piece};
    std::sort(cuts.begin(), cuts.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<DrawingPiece> parts;
    double from = 0;
    TPoint fromPoint = piece.Start;
    for (const auto& [to, toPoint] : cuts) {
        parts.push_back(SubPiece(piece, from, to, fromPoint, toPoint));
        from = to;
        fromPoint = toPoint;
    }
    parts.push_back(SubPiece(piece, from, 1, fromPoint, piece.End));
    return parts;
}

bool SameEdge(const Edge& a, const Edge& b, double tolerance) {
    bool sameEnds = (a.From == b.From && a.To == b.To) || (a.From == b.To && a.To == b.From);
    if (!sameEnds || a.Piece.Kind != b.Piece.Kind)
        return false;
    if (!a.Piece.IsArc())
        return true;
    return Distance(a.Piece.Centre, b.Piece.Centre) <= tolerance &&
           Distance(PointAlong(a.Piece, 0.5), PointAlong(b.Piece, 0.5)) <= tolerance;
}

// The pieces as a graph of joined ends; pieces whose ends join into one point and repeated pieces
// are dropped.
PieceGraph BuildGraph(const std::vector<DrawingPiece>& pieces, double tolerance) {
    JoinedPoints joined(tolerance);
    for (const DrawingPiece& piece : pieces) {
        joined.Join(piece.Start);
        joined.Join(piece.End);
    }
    PieceGraph graph;
    std::map<std::pair<size_t, size_t>, std::vector<size_t>> between;
    for (const DrawingPiece& piece : pieces) {
        for (DrawingPiece& part : SplitAtJoinedPoints(piece, joined.Points, tolerance)) {
            Edge edge{std::move(part), joined.Join(part.Start), joined.Join(part.End)};
            if (edge.From == edge.To)
                continue;
            std::vector<size_t>& twins =
                between[{std::min(edge.From, edge.To), std::max(edge.From, edge.To)}];
            if (std::any_of(twins.begin(), twins.end(),
                            [&](size_t k) { return SameEdge(graph.Edges[k], edge, tolerance); }))
                continue;
            twins.push_back(graph.Edges.size());
            graph.Edges.push_back(std::move(edge));
        }
    }
    graph.Nodes = joined.Points;
    graph.EdgesAt.resize(graph.Nodes.size());
    for (size_t k = 0; k < graph.Edges.size(); ++k) {
        Edge& edge = graph.Edges[k];
        edge.Piece.Start = graph.Nodes[edge.From];
        edge.Piece.End = graph.Nodes[edge.To];
        graph.EdgesAt[edge.From].push_back(k);
        graph.EdgesAt[edge.To].push_back(k);
    }
    return graph;
}

// The edge's piece run away from `node`.
DrawingPiece LeavingFrom(const Edge& edge, size_t node) {
    return edge.From == node ? edge.Piece : Reversed(edge.Piece);
}

size_t OtherEnd(const Edge& edge, size_t node) {
    return edge.From == node ? edge.To : edge.From;
}

// How far a way out of a node turns to the left of the way in: the angle counter-clockwise from
// the way back to the way out, 0 (straight back) to 2 pi.
double LeftTurn(TPoint wayIn, TPoint wayOut) {
    TPoint back{-wayIn.X, -wayIn.Y};
    double angle =
        std::atan2(back.X * wayOut.Y - back.Y * wayOut.X, back.X * wayOut.X + back.Y * wayOut.Y);
    if (angle < 0)
        angle += 2 * Pi;
    return angle > 2 * Pi - 1e-9 ? 0 : angle;
}

struct Walk {
    std::vector<DrawingPiece> Chain; // run from the start to the axis; empty when none was found
    std::vector<bool> OnChain;       // per edge
    std::vector<bool> Explored;      // per edge: the walk went along it
    std::optional<size_t> DeadEnd;   // the first free end the walk ran into
    std::optional<size_t> Branch;    // the last node before it where the walk had a choice
};

// Follows the outline from `start`, keeping the outside on the left: at every node the way that
// turns most to the left comes first, and a way that ends nowhere is left for the next one.
Walk FollowOutline(const PieceGraph& graph, size_t start) {
    struct Step {
        size_t Node;
        std::vector<size_t> Ways; // edges out, the first to try last
        std::optional<size_t> Arrival;
    };
    Walk walk;
    walk.OnChain.assign(graph.Edges.size(), false);
    walk.Explored.assign(graph.Edges.size(), false);
    std::vector<bool>& used = walk.Explored;
    auto stepAt = [&](size_t node, TPoint wayIn, std::optional<size_t> arrival) {
        std::vector<std::pair<std::pair<double, double>, size_t>> ways;
        for (size_t k : graph.EdgesAt[node]) {
            if (used[k])
                continue;
            DrawingPiece out = LeavingFrom(graph.Edges[k], node);
            ways.push_back({{LeftTurn(wayIn, StartDirection(out)), Curvature(out)}, k});
        }
        std::sort(ways.begin(), ways.end());
        Step step{node, {}, arrival};
        for (const auto& way : ways)
            step.Ways.push_back(way.second);
        return step;
    };
    std::vector<Step> steps{stepAt(start, {1, 0}, std::nullopt)};
    while (!steps.empty()) {
        Step& step = steps.back();
        if (step.Ways.empty()) {
            steps.pop_back();
            continue;
        }
        size_t edge = step.Ways.back();
        step.Ways.pop_back();
        if (used[edge])
            continue;
        used[edge] = true;
        size_t next = OtherEnd(graph.Edges[edge], step.Node);
        if (graph.OnAxis(next) && next != start) {
            for (size_t k = 1; k < steps.size(); ++k)
                walk.Chain.push_back(
                    LeavingFrom(graph.Edges[*steps[k].Arrival], steps[k - 1].Node));
            walk.Chain.push_back(LeavingFrom(graph.Edges[edge], steps.back().Node));
            for (size_t k = 1; k < steps.size(); ++k)
                walk.OnChain[*steps[k].Arrival] = true;
            walk.OnChain[edge] = true;
            return walk;
        }
        Step ahead = stepAt(next, EndDirection(LeavingFrom(graph.Edges[edge], step.Node)), edge);
        if (ahead.Ways.empty()) {
            if (!walk.DeadEnd && graph.FreeEnd(next)) {
                walk.DeadEnd = next;
                for (auto passed = steps.rbegin(); passed != steps.rend(); ++passed)
                    if (!passed->Ways.empty()) {
                        walk.Branch = passed->Node;
                        break;
                    }
            }
            continue;
        }
        steps.push_back(std::move(ahead));
    }
    return walk;
}

// The highest point of the chain above x, or nothing where the chain does not reach.
std::optional<double> ChainTop(const std::vector<DrawingPiece>& chain, double x, double tolerance) {
    std::optional<double> top;
    for (const DrawingPiece& piece : chain) {
        double left = std::min(piece.Start.X, piece.End.X);
        double right = std::max(piece.Start.X, piece.End.X);
        if (x < left - tolerance || x > right + tolerance)
            continue;
        double at = std::clamp(x, left, right);
        double y;
        if (piece.IsArc()) {
            double rise = std::sqrt(std::max(
                0.0, piece.Radius * piece.Radius - (at - piece.Centre.X) * (at - piece.Centre.X)));
            bool upper = PointAlong(piece, 0.5).Y > piece.Centre.Y;
            y = piece.Centre.Y + (upper ? rise : -rise);
        } else if (right - left <= tolerance) {
            y = std::max(piece.Start.Y, piece.End.Y);
        } else {
            y = piece.Start.Y + (at - piece.Start.X) / (piece.End.X - piece.Start.X) *
                                    (piece.End.Y - piece.Start.Y);
        }
        top = std::max(top.value_or(y), y);
    }
    return top;
}

// Which pieces left out of the chain a search for one outside the part looks at, and where.
struct OutsideSearch {
    bool UnexploredOnly = false; // only pieces the walk never went along
    bool BeyondEndsOnly = false; // only beside the chain's ends, not above it
};

// A point of a piece left out of the chain that lies outside the part: beside the chain's ends or
// above it.
std::optional<TPoint> PointOutside(const PieceGraph& graph, const Walk& walk, double tolerance,
                                   OutsideSearch search) {
    for (size_t k = 0; k < graph.Edges.size(); ++k) {
        if (walk.OnChain[k] || (search.UnexploredOnly && walk.Explored[k]))
            continue;
        const DrawingPiece& piece = graph.Edges[k].Piece;
        for (double fraction : {0.0, 0.5, 1.0}) {
            TPoint p = PointAlong(piece, fraction);
            std::optional<double> top = ChainTop(walk.Chain, p.X, tolerance);
            if (!top || (!search.BeyondEndsOnly && p.Y > *top + tolerance))
                return p;
        }
    }
    return std::nullopt;
}

[[noreturn]] void RefuseStop(const PieceGraph& graph, size_t deadEnd, const Frame& frame) {
    std::optional<size_t> nearest;
    for (size_t node = 0; node < graph.Nodes.size(); ++node)
        if (node != deadEnd && graph.FreeEnd(node) &&
            (!nearest || Distance(graph.Nodes[node], graph.Nodes[deadEnd]) <
                             Distance(graph.Nodes[*nearest], graph.Nodes[deadEnd])))
            nearest = node;
    TPoint at = graph.Nodes[deadEnd];
    if (!nearest)
        throw DrawingError("The profile ends at " + frame.Place(at) + " without reaching the axis");
    double gap = Distance(at, graph.Nodes[*nearest]);
    throw DrawingError("Gap in the profile at " + frame.Place(at) + ": the nearest free end, " +
                       frame.Place(graph.Nodes[*nearest]) + ", is " +
                       FormatFloat("0.###", gap * frame.Millimetres) +
                       " mm away (ends closer than " + FormatFloat("0.###", JoinTolerance) +
                       " mm are joined)");
}

void RefuseUndercut(const std::vector<DrawingPiece>& chain, const Frame& frame) {
    for (const DrawingPiece& piece : chain)
        if (piece.End.X < piece.Start.X - frame.Tolerance)
            throw DrawingError("The profile turns back towards the left end at " +
                               frame.Place(piece.Start) + ": an undercut the lathe cannot reach");
}

[[noreturn]] void RefuseNothingAbove(const std::vector<DrawingPiece>& pieces, const Frame& frame) {
    TPoint low{std::numeric_limits<double>::max(), std::numeric_limits<double>::max()};
    TPoint high{-low.X, -low.Y};
    for (const DrawingPiece& piece : pieces)
        for (TPoint p : {piece.Start, piece.End}) {
            low = {std::min(low.X, p.X), std::min(low.Y, p.Y)};
            high = {std::max(high.X, p.X), std::max(high.Y, p.Y)};
        }
    throw DrawingError("No element lies above the axis (y = " + FormatFloat("0.###", frame.AxisY) +
                       "): the drawing spans " + frame.Place(low) + " to " + frame.Place(high));
}

// The start of the outline: the leftmost point on the axis that a piece reaches.
size_t StartNode(const PieceGraph& graph, const Frame& frame) {
    std::optional<size_t> start;
    for (size_t node = 0; node < graph.Nodes.size(); ++node)
        if (graph.OnAxis(node) && !graph.EdgesAt[node].empty() &&
            (!start || graph.Nodes[node].X < graph.Nodes[*start].X))
            start = node;
    if (start)
        return *start;
    size_t leftmost = 0;
    for (size_t node = 1; node < graph.Nodes.size(); ++node) {
        const TPoint& p = graph.Nodes[node];
        const TPoint& best = graph.Nodes[leftmost];
        if (p.X < best.X || (p.X == best.X && p.Y < best.Y))
            leftmost = node;
    }
    throw DrawingError("No element reaches the axis (y = " + FormatFloat("0.###", frame.AxisY) +
                       "): the profile's left end is at " + frame.Place(graph.Nodes[leftmost]));
}

// Inner pieces hang on the chain; a group of them that does not, and stands on the axis, is
// another outline inside this one (a part inside a drawing frame).
void RefuseSecondOutline(const PieceGraph& graph, const Walk& walk, const Frame& frame) {
    std::vector<bool> reached(graph.Nodes.size(), false);
    std::vector<size_t> todo;
    for (size_t k = 0; k < graph.Edges.size(); ++k)
        if (walk.OnChain[k])
            for (size_t node : {graph.Edges[k].From, graph.Edges[k].To})
                if (!reached[node]) {
                    reached[node] = true;
                    todo.push_back(node);
                }
    while (!todo.empty()) {
        size_t node = todo.back();
        todo.pop_back();
        for (size_t k : graph.EdgesAt[node])
            if (size_t other = OtherEnd(graph.Edges[k], node); !reached[other]) {
                reached[other] = true;
                todo.push_back(other);
            }
    }
    for (size_t node = 0; node < graph.Nodes.size(); ++node)
        if (!reached[node] && graph.OnAxis(node) && !graph.EdgesAt[node].empty())
            throw DrawingError("Another outline lies inside the profile found, at " +
                               frame.Place(graph.Nodes[node]) +
                               ": import the layer of the part alone");
}

bool Collinear(const TObj& a, const TObj& b) {
    double ax = a.P2.X - a.P1.X, ay = a.P2.Y - a.P1.Y;
    double bx = b.P2.X - b.P1.X, by = b.P2.Y - b.P1.Y;
    double lengths = std::hypot(ax, ay) * std::hypot(bx, by);
    return std::fabs(ax * by - ay * bx) <= 1e-9 * lengths && ax * bx + ay * by > 0;
}

// Millimetres kept to a millionth: what a conversion from inches or a rotation by a right angle
// leaves beyond that is rounding, not drawing.
double Millionths(double value) {
    double rounded = std::round(value * 1e6) / 1e6;
    return rounded == 0 ? 0 : rounded;
}

// The chain as model elements in millimetres from the left end face, lines that continue one
// another merged.
Tobjects ModelElements(const std::vector<DrawingPiece>& chain, double millimetres) {
    double left = chain.front().Start.X;
    auto model = [&](TPoint p) {
        return TPoint{Millionths((p.X - left) * millimetres), Millionths(p.Y * millimetres)};
    };
    Tobjects elements;
    for (const DrawingPiece& piece : chain) {
        if (piece.IsArc()) {
            bool upper = PointAlong(piece, 0.5).Y > piece.Centre.Y;
            elements.push_back(HalfArcElement(model(piece.Centre),
                                              Millionths(piece.Radius * millimetres), upper,
                                              model(piece.Start), model(piece.End)));
            continue;
        }
        TObj line;
        line.Kind = "line";
        line.P1 = model(piece.Start);
        line.P2 = model(piece.End);
        if (!elements.empty() && elements.back().IsLine() && Collinear(elements.back(), line))
            line.P1 = elements.back().P1, elements.pop_back();
        line.Mid = {(line.P1.X + line.P2.X) / 2, (line.P1.Y + line.P2.Y) / 2};
        elements.push_back(line);
    }
    return elements;
}

std::string JoinedNames(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

} // namespace

DrawingProfile FindProfile(const DrawingContents& drawing, const ProfileOptions& options) {
    Frame frame{JoinTolerance / drawing.MillimetresPerUnit, options.AxisY,
                drawing.MillimetresPerUnit};
    DrawingProfile profile;
    std::vector<DrawingPiece> pieces;
    for (const DrawingPiece& piece : drawing.Pieces) {
        if (!options.Layer.empty() && piece.Layer != options.Layer) {
            ++profile.OtherLayers;
            continue;
        }
        DrawingPiece shifted = piece;
        shifted.Start.Y -= options.AxisY;
        shifted.End.Y -= options.AxisY;
        shifted.Centre.Y -= options.AxisY;
        pieces.push_back(shifted);
    }
    if (pieces.empty()) {
        if (options.Layer.empty())
            throw DrawingError("The drawing holds no lines, arcs or polylines");
        throw DrawingError("No line, arc or polyline lies on the layer '" + options.Layer +
                           "' (the drawing's layers: " + JoinedNames(PieceLayers(drawing)) + ")");
    }
    AxisCut cut = CutAtAxis(pieces, frame.Tolerance);
    profile.OnAxis = cut.OnAxis;
    profile.BelowAxis = cut.Below;
    if (cut.Above.empty())
        RefuseNothingAbove(pieces, frame);

    PieceGraph graph = BuildGraph(cut.Above, frame.Tolerance);
    size_t start = StartNode(graph, frame);
    Walk walk = FollowOutline(graph, start);
    if (walk.Chain.empty()) {
        if (walk.DeadEnd)
            RefuseStop(graph, *walk.DeadEnd, frame);
        throw DrawingError("The profile that starts at " + frame.Place(graph.Nodes[start]) +
                           " never reaches the axis again");
    }
    // A free end the walk ran into is where the profile stops when the chain found then closed too
    // early (part of the drawing lies beyond its ends, or outside it where the walk never went),
    // else the end of a branch sticking out of it.
    bool closedEarly = PointOutside(graph, walk, frame.Tolerance, {true, false}) ||
                       PointOutside(graph, walk, frame.Tolerance, {false, true});
    if (walk.DeadEnd && (closedEarly || !walk.Branch))
        RefuseStop(graph, *walk.DeadEnd, frame);
    if (walk.DeadEnd)
        throw DrawingError("The profile branches at " + frame.Place(graph.Nodes[*walk.Branch]) +
                           ": three or more ends meet there");
    RefuseUndercut(walk.Chain, frame);
    if (std::optional<TPoint> outside = PointOutside(graph, walk, frame.Tolerance, {}))
        throw DrawingError("The element at " + frame.Place(*outside) +
                           " lies outside the profile and is not joined to it");
    RefuseSecondOutline(graph, walk, frame);
    profile.Inner = static_cast<int>(std::count(walk.OnChain.begin(), walk.OnChain.end(), false));
    profile.Elements = ModelElements(walk.Chain, drawing.MillimetresPerUnit);
    return profile;
}

} // namespace torvex
