#pragma once

#include "geometry/element.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace torvex {

class TKnife;
class TShaft;

// A toolpath that cannot be checked: a knife without a closed outline, a part without a profile.
class CheckError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

using Polyline = std::vector<TPoint>;

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
// repeated points left out.
Polyline ProfileChain(const TShaft& shaft, ArcReading reading = ArcReading::Chords);

// The region of a part or stock in the profile plane: its profile closed down to the axis between
// its end faces. Throws CheckError when the profile has fewer than two points.
Polyline ClosedToAxis(const Polyline& profile);

// The knife's outline as one closed ring at its tip (the origin), following its elements from end
// to end; arcs by a point every degree, so that the ring is the knife's true shape to within a
// few hundred-thousandths of its nose radius. Throws CheckError, naming the knife, when they do not
// close into a ring through the tip.
Polyline KnifeOutline(const TKnife& knife, const std::string& name);

} // namespace torvex
