#include "checking/part_region.h"

namespace torvex::checking {

using material::IntPoint;

namespace {

// Profile points of a piece: few enough that a sweep meets one or two pieces, enough that the
// pieces stay few.
constexpr size_t PiecePoints = 16;

} // namespace

PartRegion::PartRegion(const PointChain& profile) {
    Path ring = material::ToPath(ClosedToAxis(profile));
    // The region is kept counter-clockwise; the pieces turn the way it turned before that.
    bool reversed = !ClipperLib::Orientation(ring);
    Region = {material::Positive(std::move(ring))};
    WholeBox = material::BoundsOf(Region);
    Path points = material::ToPath(profile);
    std::vector<Box> boxes;
    for (size_t first = 0; first + 1 < points.size(); first += PiecePoints) {
        size_t last = std::min(first + PiecePoints, points.size() - 1);
        Path piece(points.begin() + static_cast<std::ptrdiff_t>(first),
                   points.begin() + static_cast<std::ptrdiff_t>(last) + 1);
        piece.push_back({points[last].X, 0});
        piece.push_back({points[first].X, 0});
        if (reversed)
            ClipperLib::ReversePath(piece);
        boxes.push_back(material::BoundsOf({piece}));
        Pieces.push_back(std::move(piece));
    }
    Tree = material::BoxTree(std::move(boxes));
}

std::vector<size_t> PartRegion::PiecesNear(const Box& bounds) const {
    std::vector<size_t> near;
    Tree.ForEachMeeting(bounds, [&near](size_t k) { near.push_back(k); });
    return near;
}

bool PartRegion::MayReach(const Paths& region, const Box& bounds,
                          const std::vector<size_t>& near) const {
    for (size_t k : near) {
        const Path& piece = Pieces[k];
        for (size_t i = 0; i < piece.size(); ++i) {
            const IntPoint& a = piece[i];
            const IntPoint& b = piece[(i + 1) % piece.size()];
            Box edge;
            edge.Add(a);
            edge.Add(b);
            if (edge.Meets(bounds) && material::SegmentMeetsRegion(a, b, region))
                return true;
        }
    }
    // No edge of a piece near it reaches into the region: it lies wholly inside the part or
    // wholly outside it, as its first point does.
    if (region.empty() || region.front().empty())
        return false;
    int winding = 0;
    for (size_t k : near)
        winding += material::Winding(region.front().front(), Pieces[k]);
    return winding != 0;
}

Paths PartRegion::Overlap(const Paths& region, const Box& bounds) const {
    if (!bounds.Meets(WholeBox))
        return {};
    std::vector<size_t> near = PiecesNear(bounds);
    if (near.empty() || !MayReach(region, bounds, near))
        return {};
    Paths pieces;
    for (size_t k : near)
        pieces.push_back(Pieces[k]);
    // A knife running along the surface touches the part without entering it: nothing overlaps,
    // whether the pieces are joined or not.
    if (material::Clip(ClipperLib::ctIntersection, region, pieces).empty())
        return {};
    // Joined, the pieces' shared edges down to the axis cancel out, and the overlap has the
    // corners clipping by the whole part gives it.
    return material::Clip(ClipperLib::ctIntersection, region,
                          material::Clip(ClipperLib::ctUnion, pieces, {}));
}

} // namespace torvex::checking
