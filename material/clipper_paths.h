#pragma once

// The polygon library's types and the conversions from the profile plane, for the material and
// the knife check: the simulation and the check cut and measure in the same integer units.

#include "geometry/element.h"

#include <clipper.hpp>

#include <cmath>
#include <vector>

namespace torvex::material {

using ClipperLib::IntPoint;
using ClipperLib::Path;
using ClipperLib::Paths;

// Integer units per millimetre: 10 nm, far below the 1 um the check tells apart, and coordinates
// up to 10 m stay in the library's fast range.
inline constexpr double UnitsPerMm = 1e5;

inline IntPoint ToInt(const TPoint& p) {
    return {static_cast<ClipperLib::cInt>(std::llround(p.X * UnitsPerMm)),
            static_cast<ClipperLib::cInt>(std::llround(p.Y * UnitsPerMm))};
}

inline TPoint ToMm(const IntPoint& p) {
    return {static_cast<double>(p.X) / UnitsPerMm, static_cast<double>(p.Y) / UnitsPerMm};
}

inline Path ToPath(const std::vector<TPoint>& ring) {
    Path path;
    path.reserve(ring.size());
    for (const TPoint& p : ring)
        path.push_back(ToInt(p));
    return path;
}

// Counter-clockwise, as every region is kept, so that unions of them never cancel out.
inline Path Positive(Path path) {
    if (!ClipperLib::Orientation(path))
        ClipperLib::ReversePath(path);
    return path;
}

// An axis-aligned box in integer units.
struct Box {
    ClipperLib::cInt MinX = 0, MinY = 0, MaxX = -1, MaxY = -1;

    bool Empty() const { return MaxX < MinX; }
    void Add(const IntPoint& p) {
        if (Empty()) {
            MinX = MaxX = p.X;
            MinY = MaxY = p.Y;
            return;
        }
        MinX = std::min(MinX, p.X);
        MaxX = std::max(MaxX, p.X);
        MinY = std::min(MinY, p.Y);
        MaxY = std::max(MaxY, p.Y);
    }
    bool Meets(const Box& other) const {
        return !Empty() && !other.Empty() && MinX <= other.MaxX && other.MinX <= MaxX &&
               MinY <= other.MaxY && other.MinY <= MaxY;
    }
    Box Grown(ClipperLib::cInt by) const { return {MinX - by, MinY - by, MaxX + by, MaxY + by}; }
};

inline Box BoundsOf(const Paths& paths) {
    Box box;
    for (const Path& path : paths)
        for (const IntPoint& p : path)
            box.Add(p);
    return box;
}

// Lengths are refused beyond 10 m, so a point lies within some 40 m of the origin: 4e9 units,
// differences up to 8e9 and products up to 6.4e19, beyond 64 bits. Cross products are taken in
// 128 bits, which hold any product of two 64-bit numbers.
__extension__ typedef __int128 WideInt;

// Twice the signed area of the triangle o, a, b: positive when b lies left of the line o -> a.
inline WideInt IntCross(const IntPoint& o, const IntPoint& a, const IntPoint& b) {
    return static_cast<WideInt>(a.X - o.X) * (b.Y - o.Y) -
           static_cast<WideInt>(a.Y - o.Y) * (b.X - o.X);
}

// Whether the closed segments a-b and c-d have a point in common, touching included.
bool SegmentsMeet(const IntPoint& a, const IntPoint& b, const IntPoint& c, const IntPoint& d);

// How many times the ring winds round p, anticlockwise counting up; p on no edge of it.
int Winding(const IntPoint& p, const Path& ring);

// Whether the closed segment a-b has a point inside the region or on its outline.
bool SegmentMeetsRegion(const IntPoint& a, const IntPoint& b, const Paths& region);

// The part of `subject` inside (ctIntersection) or outside (ctDifference) the union of `clip`.
inline Paths Clip(ClipperLib::ClipType type, const Paths& subject, const Paths& clip) {
    ClipperLib::Clipper clipper;
    clipper.AddPaths(subject, ClipperLib::ptSubject, true);
    clipper.AddPaths(clip, ClipperLib::ptClip, true);
    Paths result;
    clipper.Execute(type, result, ClipperLib::pftNonZero, ClipperLib::pftNonZero);
    return result;
}

// The same as Clip for regions long along the axis (the material, the part): the polygon library
// sweeps a line across its y, and joining the pieces it finds along a long staircase walks the
// whole result each time. Handed over with x and y exchanged, the regions are swept along the
// axis instead, where few edges cross any one line.
Paths ClipAlongAxis(ClipperLib::ClipType type, const Paths& subject, const Paths& clip);

} // namespace torvex::material
