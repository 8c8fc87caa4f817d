#include "toolpath/nose_path.h"

#include "geometry/number_text.h"
#include "platform/errors.h"
#include "toolpath/profile_measures.h"

#include <cmath>
#include <optional>
#include <vector>

namespace torvex {

namespace {

// Lines shorter than this have no direction worth the name.
constexpr double ZeroLength = 1e-9;
// Directions whose angle has a smaller sine are one direction.
constexpr double SameDirection = 1e-9;

TPoint Plus(const TPoint& a, const TPoint& b) {
    return {a.X + b.X, a.Y + b.Y};
}
TPoint Minus(const TPoint& a, const TPoint& b) {
    return {a.X - b.X, a.Y - b.Y};
}
TPoint Times(double k, const TPoint& a) {
    return {k * a.X, k * a.Y};
}
double Dot(const TPoint& a, const TPoint& b) {
    return a.X * b.X + a.Y * b.Y;
}
double Cross(const TPoint& a, const TPoint& b) {
    return a.X * b.Y - a.Y * b.X;
}
TPoint Unit(const TPoint& a) {
    double length = std::hypot(a.X, a.Y);
    return length > 0 ? Times(1 / length, a) : TPoint{0, 0};
}

// One line or arc of the outline in the direction the tool follows it, or its moved copy.
struct Piece {
    bool IsArc = false;
    TPoint From, To;
    TPoint Direction; // a line's, of length 1
    TPoint Centre;    // an arc's
    double Radius = 0;
    bool Clockwise = false;
    bool Convex = false; // an arc with the part inside its circle: on the upper half
    TPoint Corner;       // where the outline's piece ends, before any move
};

std::vector<Piece> PiecesOf(const Tobjects& outline, Flank flank) {
    std::vector<Piece> pieces;
    for (const TObj& e : outline) {
        Piece p;
        if (e.IsLine()) {
            p.From = NearEnd(e, flank);
            p.To = FarEnd(e, flank);
            if (std::hypot(p.To.X - p.From.X, p.To.Y - p.From.Y) < ZeroLength)
                continue;
            p.Direction = Unit(Minus(p.To, p.From));
        } else if (e.IsArc() && e.P3.X != e.P4.X && e.Radius() >= SmallestArcRadius) {
            p.IsArc = true;
            p.From = ArcStart(e, flank);
            p.To = ArcEnd(e, flank);
            p.Centre = e.Centre();
            p.Radius = e.Radius();
            p.Convex = IsUpperHalf(e);
            // Towards larger x over the top of a circle (left flank) is clockwise.
            p.Clockwise = p.Convex == (flank == Flank::Left);
        } else {
            continue;
        }
        p.Corner = p.To;
        pieces.push_back(p);
    }
    return pieces;
}

TPoint TangentAt(const Piece& p, const TPoint& at) {
    if (!p.IsArc)
        return p.Direction;
    TPoint u = Unit(Minus(at, p.Centre));
    return p.Clockwise ? TPoint{u.Y, -u.X} : TPoint{-u.Y, u.X};
}

// Away from the part: the part lies right of the tool's way on the left flank, left of it on the
// right flank.
TPoint Outward(const TPoint& tangent, Flank flank) {
    return flank == Flank::Left ? TPoint{-tangent.Y, tangent.X} : TPoint{tangent.Y, -tangent.X};
}

std::string Place(const TPoint& p) {
    return "Z" + FormatFloat("0.###", p.X) + ", radius " + FormatFloat("0.###", p.Y);
}

// The piece moved away from the part by r; nothing for a concave arc that shrinks to its centre.
std::optional<Piece> Moved(const Piece& p, double r, Flank flank, TightArc tight) {
    Piece m = p;
    if (!p.IsArc) {
        TPoint by = Times(r, Outward(p.Direction, flank));
        m.From = Plus(p.From, by);
        m.To = Plus(p.To, by);
        return m;
    }
    m.Radius = p.Convex ? p.Radius + r : p.Radius - r;
    if (m.Radius < SmallestArcRadius) {
        if (tight == TightArc::Refuse && p.Radius < r - SmallestArcRadius)
            throw ToolpathError("The concave arc of radius " + FormatFloat("0.###", p.Radius) +
                                " mm from " + Place(p.From) + " to " + Place(p.To) +
                                " is tighter than the knife's nose, of radius " +
                                FormatFloat("0.###", r) +
                                " mm: the nose cannot follow it. Choose a knife with a smaller "
                                "nose.");
        return std::nullopt;
    }
    m.From = Plus(p.Centre, Times(m.Radius, Unit(Minus(p.From, p.Centre))));
    m.To = Plus(p.Centre, Times(m.Radius, Unit(Minus(p.To, p.Centre))));
    return m;
}

// The points where a line (through `on`, direction of length 1) meets a circle.
std::vector<TPoint> LineMeetsCircle(const TPoint& on, const TPoint& direction, const TPoint& c,
                                    double radius) {
    TPoint f = Minus(on, c);
    double b = Dot(f, direction);
    double discriminant = b * b - (Dot(f, f) - radius * radius);
    // A line that touches the circle meets it once, whatever the rounding says.
    if (discriminant < -ZeroLength)
        return {};
    double root = std::sqrt(std::max(0.0, discriminant));
    return {Plus(on, Times(-b - root, direction)), Plus(on, Times(-b + root, direction))};
}

std::vector<TPoint> CirclesMeet(const TPoint& c1, double r1, const TPoint& c2, double r2) {
    TPoint between = Minus(c2, c1);
    double d = std::hypot(between.X, between.Y);
    if (d < ZeroLength)
        return {};
    double along = (r1 * r1 - r2 * r2 + d * d) / (2 * d);
    double squared = r1 * r1 - along * along;
    if (squared < -ZeroLength)
        return {};
    TPoint u = Times(1 / d, between);
    TPoint foot = Plus(c1, Times(along, u));
    double h = std::sqrt(std::max(0.0, squared));
    return {Plus(foot, Times(h, {-u.Y, u.X})), Plus(foot, Times(-h, {-u.Y, u.X}))};
}

// Where two moved pieces cross, nearest `near`.
TPoint Crossing(const Piece& a, const Piece& b, const TPoint& near) {
    std::vector<TPoint> found;
    if (!a.IsArc && !b.IsArc) {
        double d = Cross(a.Direction, b.Direction);
        if (std::fabs(d) >= SameDirection)
            found.push_back(
                Plus(a.From, Times(Cross(Minus(b.From, a.From), b.Direction) / d, a.Direction)));
    } else if (a.IsArc && b.IsArc) {
        found = CirclesMeet(a.Centre, a.Radius, b.Centre, b.Radius);
    } else {
        const Piece& line = a.IsArc ? b : a;
        const Piece& arc = a.IsArc ? a : b;
        found = LineMeetsCircle(line.From, line.Direction, arc.Centre, arc.Radius);
    }
    if (found.empty())
        throw ArithmeticError("The nose cannot follow the outline at " + Place(a.Corner) +
                              ": its moved elements do not meet.");
    auto gap = [&near](const TPoint& p) { return std::hypot(p.X - near.X, p.Y - near.Y); };
    return gap(found.front()) <= gap(found.back()) ? found.front() : found.back();
}

// The angle a piece turns through from its start to its end, in its own sense of turning.
double Turn(const Piece& p) {
    TPoint from = Minus(p.From, p.Centre), to = Minus(p.To, p.Centre);
    double angle = std::atan2(Cross(from, to), Dot(from, to));
    return p.Clockwise ? -angle : angle;
}

// Whether the crossings at its ends have left nothing of a moved piece, or turned it round.
bool CrossedOut(const Piece& trimmed) {
    if (trimmed.IsArc)
        return Turn(trimmed) <= SameDirection;
    return Dot(Minus(trimmed.To, trimmed.From), trimmed.Direction) <= ZeroLength;
}

// The moved pieces joined in order, with the arc about the outline's corner that rounds each convex
// corner. A joint marked in `crossAt` (its piece before was dropped) is closed where its neighbours
// cross, as a concave corner is.
struct Joined {
    std::vector<Piece> Pieces;
    std::vector<std::optional<TPoint>> RoundedCorner; // the corner rounded before each piece
};

Joined Join(std::vector<Piece> pieces, const std::vector<bool>& crossAt, Flank flank) {
    Joined joined{std::move(pieces), {}};
    std::vector<Piece>& p = joined.Pieces;
    joined.RoundedCorner.resize(p.size());
    for (size_t i = 1; i < p.size(); ++i) {
        Piece& a = p[i - 1];
        Piece& b = p[i];
        TPoint along = TangentAt(a, a.To);
        TPoint before = Outward(along, flank);
        TPoint after = Outward(TangentAt(b, b.From), flank);
        if (!crossAt[i] && std::fabs(Cross(before, after)) < SameDirection &&
            Dot(before, after) > 0) {
            b.From = a.To;
        } else if (!crossAt[i] && Dot(along, after) > 0) {
            joined.RoundedCorner[i] = a.Corner;
        } else {
            TPoint x = Crossing(a, b, Times(0.5, Plus(a.To, b.From)));
            a.To = x;
            b.From = x;
        }
    }
    return joined;
}

TObj Line(const TPoint& from, const TPoint& to, Flank flank) {
    TObj line;
    line.Kind = "line";
    NearEnd(line, flank) = from;
    FarEnd(line, flank) = to;
    line.Mid = Times(0.5, Plus(from, to));
    return line;
}

void Shift(TObj& e, const TPoint& by) {
    for (TPoint* p : {&e.P1, &e.P2, &e.Mid})
        *p = Plus(*p, by);
    if (e.IsArc()) {
        e.P3 = Plus(e.P3, by);
        e.P4 = Plus(e.P4, by);
    }
}

} // namespace

Tobjects NosePath(const Tobjects& outline, Flank flank, const KnifeNose& nose, TightArc tight) {
    double r = nose.Radius;
    std::vector<Piece> moved;
    std::vector<bool> crossAt;
    bool dropped = false;
    for (const Piece& piece : PiecesOf(outline, flank)) {
        std::optional<Piece> m = Moved(piece, r, flank, tight);
        if (!m) {
            dropped = true;
            continue;
        }
        moved.push_back(*m);
        crossAt.push_back(dropped && moved.size() > 1);
        dropped = false;
    }
    Joined joined = Join(moved, crossAt, flank);
    // A piece between two concave corners that the nose cannot reach drops out; its neighbours
    // are joined again where they cross.
    for (size_t k = 0; k < joined.Pieces.size();) {
        if (!CrossedOut(joined.Pieces[k])) {
            ++k;
            continue;
        }
        moved.erase(moved.begin() + static_cast<std::ptrdiff_t>(k));
        crossAt.erase(crossAt.begin() + static_cast<std::ptrdiff_t>(k));
        if (k < crossAt.size())
            crossAt[k] = k > 0;
        joined = Join(moved, crossAt, flank);
        k = 0;
    }
    Tobjects path;
    for (size_t i = 0; i < joined.Pieces.size(); ++i) {
        const Piece& p = joined.Pieces[i];
        if (const std::optional<TPoint>& corner = joined.RoundedCorner[i])
            for (const TObj& arc : ShortArcElements(*corner, joined.Pieces[i - 1].To, p.From))
                path.push_back(arc);
        if (p.IsArc)
            path.push_back(HalfArcElement(p.Centre, p.Radius, p.Convex, p.From, p.To));
        else
            path.push_back(Line(p.From, p.To, flank));
    }
    TPoint toTip = Times(-1, nose.Centre);
    for (TObj& e : path)
        Shift(e, toTip);
    return path;
}

} // namespace torvex
