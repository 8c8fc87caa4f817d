#include "material/clipper_paths.h"

namespace torvex::material {

namespace {

int Sign(WideInt value) {
    return (value > 0) - (value < 0);
}

// For c on the line through a and b: whether it lies between them.
bool Within(const IntPoint& a, const IntPoint& b, const IntPoint& c) {
    return std::min(a.X, b.X) <= c.X && c.X <= std::max(a.X, b.X) && std::min(a.Y, b.Y) <= c.Y &&
           c.Y <= std::max(a.Y, b.Y);
}

} // namespace

bool SegmentsMeet(const IntPoint& a, const IntPoint& b, const IntPoint& c, const IntPoint& d) {
    int abc = Sign(IntCross(a, b, c));
    int abd = Sign(IntCross(a, b, d));
    int cda = Sign(IntCross(c, d, a));
    int cdb = Sign(IntCross(c, d, b));
    if (abc * abd < 0 && cda * cdb < 0)
        return true;
    return (abc == 0 && Within(a, b, c)) || (abd == 0 && Within(a, b, d)) ||
           (cda == 0 && Within(c, d, a)) || (cdb == 0 && Within(c, d, b));
}

int Winding(const IntPoint& p, const Path& ring) {
    int winding = 0;
    for (size_t i = 0; i < ring.size(); ++i) {
        const IntPoint& a = ring[i];
        const IntPoint& b = ring[(i + 1) % ring.size()];
        if (a.Y <= p.Y) {
            if (b.Y > p.Y && IntCross(a, b, p) > 0)
                ++winding;
        } else if (b.Y <= p.Y && IntCross(a, b, p) < 0) {
            --winding;
        }
    }
    return winding;
}

bool SegmentMeetsRegion(const IntPoint& a, const IntPoint& b, const Paths& region) {
    for (const Path& ring : region) {
        for (size_t i = 0; i < ring.size(); ++i)
            if (SegmentsMeet(a, b, ring[i], ring[(i + 1) % ring.size()]))
                return true;
    }
    // Crossing no outline, the segment lies wholly inside the region or wholly outside it.
    int winding = 0;
    for (const Path& ring : region)
        winding += Winding(a, ring);
    return winding != 0;
}

namespace {

Paths Exchanged(Paths paths) {
    for (Path& path : paths)
        for (IntPoint& p : path)
            std::swap(p.X, p.Y);
    return paths;
}

} // namespace

Paths ClipAlongAxis(ClipperLib::ClipType type, const Paths& subject, const Paths& clip) {
    ClipperLib::Clipper clipper;
    // Exchanging x and y mirrors every ring: outer rings come back counter-clockwise when the
    // library writes them clockwise.
    clipper.ReverseSolution(true);
    clipper.AddPaths(Exchanged(subject), ClipperLib::ptSubject, true);
    clipper.AddPaths(Exchanged(clip), ClipperLib::ptClip, true);
    Paths result;
    clipper.Execute(type, result, ClipperLib::pftNonZero, ClipperLib::pftNonZero);
    return Exchanged(std::move(result));
}

} // namespace torvex::material
