#pragma once

#include "material/clipper_paths.h"
#include "material/outlines.h"

#include <optional>
#include <span>
#include <vector>

namespace torvex {

// How far the profile the material shows may lie from the material itself: points closer than
// this to the line through their neighbours are left out of it.
inline constexpr double ProfileTolerance = 0.001;

// What is left of a stock as knives cut it, in the profile plane: the stock's profile closed down
// to the axis, less every region a knife swept, kept exactly in the knife check's integer units.
// It is shown, saved and drawn as a profile: a polyline from one end of the bar to the other,
// closed down to the axis, which may turn back in X where a knife leaves an undercut.
//
// The material is kept in strips side by side along the axis, each of a few dozen points at most,
// so that a cut changes only the strips it reaches, however long the part.
class TMaterial {
public:
    TMaterial() = default;
    // The stock the profile closes round; no material for an empty profile. Throws OutlineError
    // for a single point.
    explicit TMaterial(const PointChain& stockProfile);

    // Takes away the part of the material inside the region; true when any material went.
    bool Remove(const material::Paths& region);
    // Takes away the regions one after the other, a few neighbours joined at a time (the sweeps
    // of a toolpath's moves overlap their neighbours). True when any material went.
    bool RemoveAll(std::span<const material::Paths> regions);
    // Whether any material lies inside the region.
    bool HasMaterialIn(const material::Paths& region) const;

    // The material as a profile from the stock's first end to its last: the outline of what rests
    // on the axis, walked over the top, joined along the axis where a cut reached it, and thinned
    // by ProfileTolerance. What the profile cannot show (a pocket closed all round, a ring cut free
    // of the axis) is left out. Until something is cut, the stock's own profile.
    const PointChain& Profile() const;
    // The material as one region: outer rings counter-clockwise, pockets clockwise.
    const material::Paths& Region() const;

private:
    // The material between two lines across the axis, x = Left and x = Right.
    struct Strip {
        ClipperLib::cInt Left = 0, Right = 0;
        material::Paths Area;
        material::Box Bounds;
        size_t Points = 0;
    };
    static Strip MakeStrip(ClipperLib::cInt left, ClipperLib::cInt right, material::Paths area);
    // The strip as two, cut across the axis at x = `cut`.
    static std::pair<Strip, Strip> Split(const Strip& strip, ClipperLib::cInt cut);
    // Where the strips that may reach from x = `from` to x = `to` begin and end.
    std::pair<size_t, size_t> StripsAcross(ClipperLib::cInt from, ClipperLib::cInt to) const;
    void Changed();
    // Splits the strips grown too large and joins neighbours left small, among those from `first`
    // up to `end`.
    void Rebalance(size_t first, size_t end);

    std::vector<Strip> Strips; // in order along the axis, each ending where the next begins
    material::Box Bounds;      // the stock's
    TPoint First;
    TPoint Last;
    mutable std::optional<material::Paths> Whole = material::Paths{};
    mutable std::optional<PointChain> Shown = PointChain{};
};

// The polyline with every point left out that lies within `tolerance` of the line that replaces
// it (Douglas and Peucker's way, each span split at a point of the farthest ones), its ends kept:
// no point of the original lies farther than that from the result, nor of the result from the
// original.
PointChain Thinned(const PointChain& line, double tolerance);

} // namespace torvex
