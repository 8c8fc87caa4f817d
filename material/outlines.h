#pragma once

#include "geometry/element.h"
#include "geometry/point_list.h"

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace torvex {

class TKnife;
class TShaft;
class TToolpath;

// A profile or a knife that gives no region to work with: a profile of fewer than two points, a
// knife outline that does not close through its tip, a tool without a knife.
class OutlineError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Points in the profile plane, in order: a profile, the ring round a region, a knife outline.
using PointChain = std::vector<TPoint>;

// How the profile's arcs are read. The toolpaths' moves follow an arc's preview points, the lathe
// the arc itself; where the two differ the check gives the knife the benefit of the difference. A
// knife must not enter the part read with each arc on its side nearer the material's inside (a
// convex arc by its chords, a concave arc by its true circle), and material is left where it stands
// beyond the part read with each arc on its other side.
enum class ArcReading : uint8_t {
    Chords, // the preview points, as a sharp tip follows them
    Inner,
    Outer,
};

// The profile of a part or stock, walked from its first element to its last: line ends and arc
// ends with the arc's points in between (its preview points, or its true circle by TrueArcStep),
// repeated points left out. Unlike the shaft's points, which are sorted by X, it follows a profile
// that turns back under an overhang.
PointChain ProfileChain(const TShaft& shaft, ArcReading reading = ArcReading::Chords);

// The region of a part or stock in the profile plane: its profile closed down to the axis between
// its end faces. Throws OutlineError when the profile has fewer than two points.
PointChain ClosedToAxis(const PointChain& profile);

// The knife's outline as one closed ring at its tip (the origin), following its elements from end
// to end; arcs by a point every degree, so that the ring is the knife's true shape to within a
// few hundred-thousandths of its nose radius. Throws OutlineError, naming the knife, when they do
// not close into a ring through the tip.
PointChain KnifeOutline(const TKnife& knife, const std::string& name);

struct KnifeShape {
    std::string Name;
    PointChain Outline; // a closed ring at the tip, as KnifeOutline gives it; empty for no knife
};

// "The left tool has no knife outline." (or the right one's).
std::string NoKnifeOutlineText(ToolSide tool);

// The knives of a toolpath's two tools, left then right, named by their tips ("left tool" or
// "right tool" without a name). A tool that makes no move needs no knife and gets an empty
// outline; one that moves without a knife, or with one whose outline does not close, is refused
// with OutlineError.
std::array<KnifeShape, 2> ToolpathKnives(const TToolpath& toolpath);

} // namespace torvex
