#include "platform/scene_mesh.h"

#include <array>
#include <cmath>
#include <numbers>

namespace torvex {

namespace {

void Append(std::vector<float>& values, const Vec3& v) {
    values.push_back(static_cast<float>(v.X));
    values.push_back(static_cast<float>(v.Y));
    values.push_back(static_cast<float>(v.Z));
}

struct Corner {
    Vec3 Position;
    Vec3 Normal;
};

// Adds the quad wound so that it faces `facing`; a quad without area is left out. The cross
// product of the diagonals gives its orientation even when two corners coincide.
void AddQuad(QuadMesh& mesh, std::array<Corner, 4> quad, const Vec3& facing) {
    Vec3 geometric =
        Cross(quad[2].Position - quad[0].Position, quad[3].Position - quad[1].Position);
    if (Length(geometric) == 0)
        return;
    if (Dot(geometric, facing) < 0)
        std::swap(quad[1], quad[3]);
    for (const Corner& corner : quad) {
        Append(mesh.Vertices, corner.Position);
        Append(mesh.Normals, corner.Normal);
    }
}

// A point of the profile plane turned about the X axis by the angle of the given sine and cosine.
Vec3 Revolved(double axial, double radial, double sine, double cosine) {
    return {axial, radial * sine, radial * cosine};
}

} // namespace

QuadMesh BuildRevolutionMesh(const RevolutionSolid& solid) {
    QuadMesh mesh;
    if (solid.Slices < 1 || solid.Nodes.size() < 2)
        return mesh;
    std::vector<double> sines, cosines;
    for (int k = 0; k <= solid.Slices; ++k) {
        double angle = 2 * std::numbers::pi * k / solid.Slices;
        sines.push_back(std::sin(angle));
        cosines.push_back(std::cos(angle));
    }
    double side = solid.NormalsInward ? -1 : 1;
    for (size_t i = 0; i + 1 < solid.Nodes.size(); ++i) {
        const SolidNode& from = solid.Nodes[i];
        const SolidNode& to = solid.Nodes[i + 1];
        double dAxial = to.Axial - from.Axial;
        double dRadial = to.Radial - from.Radial;
        double length = std::hypot(dAxial, dRadial);
        if (length == 0)
            continue;
        // The left of the path (dRadial, dAxial) in the (radial, axial) plane, or its opposite.
        double normalRadial = -dAxial / length * side;
        double normalAxial = dRadial / length * side;
        for (int k = 0; k < solid.Slices; ++k) {
            Vec3 n0 = Revolved(normalAxial, normalRadial, sines[k], cosines[k]);
            Vec3 n1 = Revolved(normalAxial, normalRadial, sines[k + 1], cosines[k + 1]);
            AddQuad(mesh,
                    {Corner{Revolved(from.Axial, from.Radial, sines[k], cosines[k]), n0},
                     Corner{Revolved(to.Axial, to.Radial, sines[k], cosines[k]), n0},
                     Corner{Revolved(to.Axial, to.Radial, sines[k + 1], cosines[k + 1]), n1},
                     Corner{Revolved(from.Axial, from.Radial, sines[k + 1], cosines[k + 1]), n1}},
                    n0 + n1);
        }
    }
    return mesh;
}

QuadMesh BuildExtrusionWalls(const Extrusion& extrusion) {
    QuadMesh mesh;
    const auto& contour = extrusion.Contour;
    if (contour.size() < 2)
        return mesh;
    double twiceArea = 0;
    for (size_t i = 0; i < contour.size(); ++i) {
        const ContourNode& a = contour[i];
        const ContourNode& b = contour[(i + 1) % contour.size()];
        twiceArea += a.X * b.Y - b.X * a.Y;
    }
    double outwards = twiceArea < 0 ? -1 : 1;
    double half = extrusion.Height / 2;
    const Vec3& at = extrusion.Position;
    for (size_t i = 0; i < contour.size(); ++i) {
        const ContourNode& a = contour[i];
        const ContourNode& b = contour[(i + 1) % contour.size()];
        double dx = b.X - a.X;
        double dy = b.Y - a.Y;
        double length = std::hypot(dx, dy);
        if (length == 0)
            continue;
        Vec3 normal{dy / length * outwards, 0, -dx / length * outwards};
        AddQuad(
            mesh,
            {Corner{at + Vec3{a.X, -half, a.Y}, normal}, Corner{at + Vec3{b.X, -half, b.Y}, normal},
             Corner{at + Vec3{b.X, half, b.Y}, normal}, Corner{at + Vec3{a.X, half, a.Y}, normal}},
            normal);
    }
    return mesh;
}

ColouredMesh BuildNodeCubes(const Polyline& line) {
    // The cube's corners as signs, and its faces as corner indices.
    static constexpr std::array<std::array<int, 3>, 8> Signs{{{-1, -1, -1},
                                                              {1, -1, -1},
                                                              {1, 1, -1},
                                                              {-1, 1, -1},
                                                              {-1, -1, 1},
                                                              {1, -1, 1},
                                                              {1, 1, 1},
                                                              {-1, 1, 1}}};
    static constexpr std::array<std::array<int, 4>, 6> Faces{
        {{0, 3, 2, 1}, {4, 5, 6, 7}, {0, 1, 5, 4}, {2, 3, 7, 6}, {1, 2, 6, 5}, {0, 4, 7, 3}}};
    ColouredMesh mesh;
    double half = line.NodeSize / 2;
    for (const PolylineNode& node : line.Nodes) {
        const Colour& c = node.NodeColour;
        for (const auto& face : Faces) {
            for (int corner : face) {
                const auto& s = Signs[corner];
                Append(mesh.Vertices, node.Position + Vec3{s[0] * half, s[1] * half, s[2] * half});
                mesh.Colours.insert(mesh.Colours.end(), {c.R, c.G, c.B, c.A});
            }
        }
    }
    return mesh;
}

} // namespace torvex
