#include "app/scene_mapping.h"

#include "platform/errors.h"

namespace torvex {

SceneMapping::SceneMapping(double sceneScale) : Scale(sceneScale) {
    if (sceneScale == 0)
        throw ArithmeticError(DivisionByZeroText);
}

double SceneMapping::Axial(double x) const {
    return SafeDivide(x * 10, Scale) - 5;
}

double SceneMapping::Radial(double y) const {
    return SafeDivide(y * 10, Scale);
}

void FillSolid(RevolutionSolid& solid, const TPctList& points, const SceneMapping& mapping) {
    solid.Nodes.clear();
    for (const TPunct& point : points)
        solid.Nodes.push_back({mapping.Radial(point.Y), mapping.Axial(point.X)});
}

void FillSolid(RevolutionSolid& solid, const std::vector<TPoint>& points,
               const SceneMapping& mapping) {
    solid.Nodes.clear();
    for (const TPoint& point : points)
        solid.Nodes.push_back({mapping.Radial(point.Y), mapping.Axial(point.X)});
}

std::vector<ContourNode> ToolContour(const std::vector<TPoint>& outline,
                                     const SceneMapping& mapping) {
    std::vector<ContourNode> contour;
    for (const TPoint& point : outline)
        contour.push_back({mapping.Scaled(point.X), mapping.Scaled(point.Y)});
    return contour;
}

void FillToolpathLine(Polyline& line, const TPctList& pathPoints, const SceneMapping& mapping) {
    line.Nodes.clear();
    for (const TPunct& point : pathPoints)
        line.Nodes.push_back({mapping.ProfilePoint(point.X, point.Y),
                              point.IsRapid() ? RapidMoveColour : CuttingMoveColour,
                              point.IsRapid() ? LineStyle::Dashed : LineStyle::Solid});
}

std::vector<LegendEntry> ToolpathLegend() {
    return {{"Cutting move", CuttingMoveColour, LineStyle::Solid},
            {"Rapid move", RapidMoveColour, LineStyle::Dashed}};
}

} // namespace torvex
