#include "platform/scene_mesh.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace torvex;

namespace {

Vec3 VertexAt(const std::vector<float>& values, size_t i) {
    return {values[3 * i], values[3 * i + 1], values[3 * i + 2]};
}

// A collar: up the left face, along the top, down the right face, as a part's points run.
RevolutionSolid Collar(int slices) {
    RevolutionSolid solid;
    solid.Nodes = {{0, -5}, {2, -5}, {2, 5}, {0, 5}};
    solid.Slices = slices;
    solid.NormalsInward = true;
    return solid;
}

// The quad's own facing (cross product of its diagonals) agrees with its corners' normals.
void ExpectWindingMatchesNormals(const QuadMesh& mesh) {
    ASSERT_EQ(mesh.VertexCount() % 4, 0u);
    for (size_t q = 0; q < mesh.VertexCount(); q += 4) {
        Vec3 facing = Cross(VertexAt(mesh.Vertices, q + 2) - VertexAt(mesh.Vertices, q),
                            VertexAt(mesh.Vertices, q + 3) - VertexAt(mesh.Vertices, q + 1));
        Vec3 normal = VertexAt(mesh.Normals, q) + VertexAt(mesh.Normals, q + 2);
        ASSERT_GT(Dot(facing, normal), 0) << "quad " << q / 4;
    }
}

} // namespace

TEST(RevolutionMesh, EverySegmentMakesOneQuadPerSlice) {
    EXPECT_EQ(BuildRevolutionMesh(Collar(8)).VertexCount(), 3u * 8 * 4);
    EXPECT_EQ(BuildRevolutionMesh(Collar(64)).VertexCount(), 3u * 64 * 4);
}

TEST(RevolutionMesh, VerticesLieOnTheirNodesCirclesAboutTheXAxis) {
    RevolutionSolid solid = Collar(16);
    QuadMesh mesh = BuildRevolutionMesh(solid);
    for (size_t i = 0; i < mesh.VertexCount(); ++i) {
        Vec3 v = VertexAt(mesh.Vertices, i);
        double radius = std::hypot(v.Y, v.Z);
        bool onNode = false;
        for (const SolidNode& node : solid.Nodes)
            onNode |= std::abs(v.X - node.Axial) < 1e-6 && std::abs(radius - node.Radial) < 1e-6;
        ASSERT_TRUE(onNode) << "vertex " << i;
    }
}

TEST(RevolutionMesh, InwardNormalsOfAProfileRunningRightwardsFaceOutOfTheMaterial) {
    QuadMesh mesh = BuildRevolutionMesh(Collar(16));
    for (size_t i = 0; i < mesh.VertexCount(); ++i) {
        Vec3 v = VertexAt(mesh.Vertices, i);
        Vec3 n = VertexAt(mesh.Normals, i);
        ASSERT_NEAR(Length(n), 1, 1e-6);
        // Out of the collar: away from its centre (the origin) wherever the vertex lies.
        ASSERT_GT(Dot(n, v), 0) << "vertex " << i;
    }
    ExpectWindingMatchesNormals(mesh);
}

TEST(RevolutionMesh, WithoutTheFlagTheNormalsFaceTheOtherWay) {
    RevolutionSolid solid = Collar(8);
    solid.NormalsInward = false;
    QuadMesh mesh = BuildRevolutionMesh(solid);
    for (size_t i = 0; i < mesh.VertexCount(); ++i)
        ASSERT_LT(Dot(VertexAt(mesh.Normals, i), VertexAt(mesh.Vertices, i)), 0);
    ExpectWindingMatchesNormals(mesh);
}

TEST(RevolutionMesh, RepeatedNodesAndTooFewNodesGiveNoUndefinedFaces) {
    RevolutionSolid solid = Collar(8);
    solid.Nodes.insert(solid.Nodes.begin() + 1, solid.Nodes[1]);
    QuadMesh mesh = BuildRevolutionMesh(solid);
    EXPECT_EQ(mesh.VertexCount(), 3u * 8 * 4);
    for (float value : mesh.Normals)
        ASSERT_TRUE(std::isfinite(value));
    solid.Nodes.resize(1);
    EXPECT_EQ(BuildRevolutionMesh(solid).VertexCount(), 0u);
    solid = Collar(0);
    EXPECT_EQ(BuildRevolutionMesh(solid).VertexCount(), 0u);
}

TEST(ExtrusionWalls, NormalsFaceOutOfTheContourWhicheverWayItRuns) {
    Extrusion slab;
    slab.Contour = {{0, 0}, {2, 0}, {2, 1}, {0, 1}};
    slab.Position = {10, 0, 20};
    slab.Height = 0.5;
    for (bool reversed : {false, true}) {
        if (reversed)
            std::reverse(slab.Contour.begin(), slab.Contour.end());
        QuadMesh mesh = BuildExtrusionWalls(slab);
        ASSERT_EQ(mesh.VertexCount(), 16u);
        Vec3 centre{11, 0, 20.5};
        for (size_t i = 0; i < mesh.VertexCount(); ++i) {
            Vec3 v = VertexAt(mesh.Vertices, i);
            EXPECT_NEAR(std::abs(v.Y), 0.25, 1e-6);
            EXPECT_GT(Dot(VertexAt(mesh.Normals, i), v - centre), 0);
        }
        ExpectWindingMatchesNormals(mesh);
    }
}

TEST(NodeCubes, EachNodeGetsACubeOfItsColourCentredOnIt) {
    Polyline line;
    line.NodeSize = 0.02;
    line.Nodes = {{{1, 2, 3}, {1, 0, 0, 1}}, {{-1, 0, 0}, {0, 1, 0, 1}}};
    ColouredMesh cubes = BuildNodeCubes(line);
    ASSERT_EQ(cubes.Vertices.size(), 2u * 24 * 3);
    ASSERT_EQ(cubes.Colours.size(), 2u * 24 * 4);
    for (size_t node = 0; node < 2; ++node) {
        Vec3 sum;
        for (size_t i = 0; i < 24; ++i) {
            Vec3 v = VertexAt(cubes.Vertices, node * 24 + i);
            Vec3 offset = v - line.Nodes[node].Position;
            EXPECT_NEAR(std::abs(offset.X), 0.01, 1e-6);
            EXPECT_NEAR(std::abs(offset.Z), 0.01, 1e-6);
            sum = sum + offset;
            EXPECT_EQ(cubes.Colours[(node * 24 + i) * 4 + node], 1.0f);
        }
        EXPECT_NEAR(Length(sum), 0, 1e-6);
    }
}
