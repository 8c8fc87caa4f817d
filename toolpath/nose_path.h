#pragma once

#include "geometry/element.h"
#include "geometry/knife.h"
#include "toolpath/flank.h"

#include <cstdint>
#include <stdexcept>

namespace torvex {

// A path a strategy cannot make for its knife. The text is for the user.
class ToolpathError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What the nose does at a concave arc tighter than itself: a finishing pass refuses it (the part
// would come out wrong), the contour pass of a roughing passes over it and leaves more rest there.
enum class TightArc : uint8_t { Refuse, PassOver };

// The path of the tip point of a knife whose nose follows the flank's outline. The outline is
// moved away from the part by the nose radius r (lines stay lines; an arc of radius R keeps its
// centre and becomes R + r when convex, R - r when concave; a convex corner is rounded by an arc of
// radius r about it; at a concave corner the moved neighbours meet where they cross, and an element
// they cross over altogether drops out), then by the vector from the nose's centre to the tip. The
// round nose then touches every line and arc of the outline and enters none. The elements come out
// as a flank's contour holds them: in its order, a line from NearEnd to FarEnd, arcs on one half
// of their circle. Throws ToolpathError naming the arc and both radii for a concave arc tighter
// than the nose that must be refused, ArithmeticError when moved neighbours do not meet.
Tobjects NosePath(const Tobjects& outline, Flank flank, const KnifeNose& nose, TightArc tight);

} // namespace torvex
