#pragma once

#include "geometry/element.h"
#include "geometry/point_list.h"
#include "platform/scene.h"

#include <vector>

namespace torvex {

// Places profile points in the 3D scene: a part of length SceneScale spans -5 to +5 along the
// axis, and radii are scaled by the same factor.
class SceneMapping {
public:
    // Throws ArithmeticError for a zero scale: there is nothing to draw at.
    explicit SceneMapping(double sceneScale);

    double Axial(double x) const;
    double Radial(double y) const;
    // A length scaled like the scene, not shifted.
    double Scaled(double length) const { return Radial(length); }
    // A profile point in the scene's profile plane: axial along X, radial along Z.
    Vec3 ProfilePoint(double x, double y) const { return {Axial(x), 0, Radial(y)}; }

private:
    double Scale;
};

// Replaces the solid's nodes with one per point, in order.
void FillSolid(RevolutionSolid& solid, const TPctList& points, const SceneMapping& mapping);
void FillSolid(RevolutionSolid& solid, const std::vector<TPoint>& points,
               const SceneMapping& mapping);

// A knife outline as the contour of the tool's extrusion: scaled like the scene, about the tip.
std::vector<ContourNode> ToolContour(const std::vector<TPoint>& outline,
                                     const SceneMapping& mapping);

inline constexpr Colour CuttingMoveColour{0.35f, 0.95f, 0.35f, 1};
inline constexpr Colour RapidMoveColour{1.0f, 0.75f, 0.2f, 1};
inline constexpr Colour ThreadRootColour{0.95f, 0.4f, 0.95f, 1};

// Replaces the line's nodes with one per path point, in order; a rapid move is drawn dashed in the
// rapid colour, every other move solid in the cutting colour.
void FillToolpathLine(Polyline& line, const TPctList& pathPoints, const SceneMapping& mapping);

// What the toolpath line's colours and dashes mean, for the view's legend.
std::vector<LegendEntry> ToolpathLegend();

} // namespace torvex
