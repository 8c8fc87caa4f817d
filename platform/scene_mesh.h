#pragma once

#include "platform/scene.h"

#include <cstddef>
#include <vector>

namespace torvex {

// Quads ready for the view's vertex arrays: three floats per vertex, four vertices per quad, each
// quad wound counter-clockwise as seen from the side its normals face. A quad may have two equal
// corners (a triangle at the axis).
struct QuadMesh {
    std::vector<float> Vertices;
    std::vector<float> Normals;
    size_t VertexCount() const { return Vertices.size() / 3; }
};

// The solid's surface: one band of Slices quads per pair of neighbouring nodes. Normals are flat
// along the profile and smooth around the axis. Segments of zero length are left out, so no normal
// is ever undefined.
QuadMesh BuildRevolutionMesh(const RevolutionSolid& solid);

// The side walls of an extrusion (the caps are drawn by the view's tessellator), normals facing
// out of the contour whichever way it runs.
QuadMesh BuildExtrusionWalls(const Extrusion& extrusion);

// Small cubes centred on the line's nodes: 24 vertices (six quads) per node, with a colour (RGBA)
// per vertex.
struct ColouredMesh {
    std::vector<float> Vertices;
    std::vector<float> Colours;
};
ColouredMesh BuildNodeCubes(const Polyline& line);

} // namespace torvex
