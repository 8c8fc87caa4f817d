#pragma once

#include "platform/scene.h"
#include "platform/scene_mesh.h"

#include <QImage>

#include <unordered_map>
#include <vector>

namespace torvex {

// Issues the OpenGL 1.x calls that draw a Scene into the current context. It keeps each solid's
// mesh until the solid's nodes or slices change.
class SceneRenderer {
public:
    // Sets up the light and material model; once per context.
    void Initialise();
    void Render(const Scene& scene, int width, int height);

private:
    struct CachedMesh {
        std::vector<SolidNode> Nodes;
        int Slices = 0;
        bool NormalsInward = false;
        QuadMesh Mesh;
    };

    const QuadMesh& MeshOf(const RevolutionSolid& solid);
    void DrawSolids(const Scene& scene, bool transparent);
    // The legend in the lower left corner, over everything; left out where it does not fit.
    void DrawLegend(const std::vector<LegendEntry>& legend, int width, int height);

    std::unordered_map<const RevolutionSolid*, CachedMesh> Meshes;
    std::vector<LegendEntry> LegendShown;
    QImage Legend; // its picture, made again when the entries change
};

} // namespace torvex
