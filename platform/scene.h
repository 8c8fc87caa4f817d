#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace torvex {

// The 3D scene as plain data: the windows set these objects' properties, the view draws them.
// Scene axes: X along the turning axis, Z the radius in the profile plane (towards the default
// camera), Y up.

struct Vec3 {
    double X = 0;
    double Y = 0;
    double Z = 0;
    friend bool operator==(const Vec3&, const Vec3&) = default;
};

Vec3 operator+(const Vec3& a, const Vec3& b);
Vec3 operator-(const Vec3& a, const Vec3& b);
Vec3 operator*(const Vec3& v, double factor);
double Dot(const Vec3& a, const Vec3& b);
Vec3 Cross(const Vec3& a, const Vec3& b);
double Length(const Vec3& v);
// The unit vector along v; the zero vector stays zero.
Vec3 Normalised(const Vec3& v);

struct Colour {
    float R = 1;
    float G = 1;
    float B = 1;
    float A = 1;
    friend bool operator==(const Colour&, const Colour&) = default;
};

// A node of a solid of revolution: its distance from the axis and its place along it.
struct SolidNode {
    double Radial = 0;
    double Axial = 0;
    friend bool operator==(const SolidNode&, const SolidNode&) = default;
};

// A profile revolved about the scene's X axis, the nodes joined in their order.
struct RevolutionSolid {
    std::vector<SolidNode> Nodes;
    int Slices = 32;
    // Normals face the left of the node path in the (radial, axial) plane; this turns them over.
    // A profile that runs along increasing axial values needs it for its normals to face away
    // from the axis.
    bool NormalsInward = false;
    bool Visible = true;
    bool Transparent = false; // drawn after the opaque objects, blended by Material.A
    Colour Material;
};

// A flat contour extruded to a slab: the contour lies in the scene's XZ plane (node X along X,
// node Y along Z) about Position, and the slab spans Height along Y, centred on that plane.
struct ContourNode {
    double X = 0;
    double Y = 0;
};

struct Extrusion {
    std::vector<ContourNode> Contour;
    double Height = 0.5;
    Vec3 Position;
    bool Visible = true;
    Colour Material;
};

enum class LineStyle : uint8_t { Solid, Dashed };

// A line through its nodes, each node marked by a small cube of the node's colour.
struct PolylineNode {
    Vec3 Position;
    Colour NodeColour;
    LineStyle Style = LineStyle::Solid; // of the piece of line that ends at this node
    friend bool operator==(const PolylineNode&, const PolylineNode&) = default;
};

struct Polyline {
    std::vector<PolylineNode> Nodes;
    double NodeSize = 0.02; // edge of the cubes
    bool Antialiased = true;
    // Each piece of line in the colour of the node it ends at; otherwise the line in LineColour.
    bool NodeColoursForLines = true;
    Colour LineColour;
    bool Visible = true;
    // Drawn over the solids as if they were not there: a line inside the part (a thread's passes
    // and its root) stays in sight.
    bool OverSolids = false;
};

// One line of the legend in the view's lower left corner: a sample of a line and what it means.
struct LegendEntry {
    std::string Text;
    Colour LineColour;
    LineStyle Style = LineStyle::Solid;
    friend bool operator==(const LegendEntry&, const LegendEntry&) = default;
};

// A camera that looks at its target and moves with it: Offset is its position relative to the
// target.
class Camera {
public:
    Vec3 Target;
    Vec3 Offset{0, 0, 10};
    double FocalLength = 50; // mm of a 35 mm frame: sets the field of view
    double DepthOfView = 100;

    Vec3 Position() const { return Target + Offset; }
    double DistanceToTarget() const { return Length(Offset); }
    // The field of view across the view's shorter side, in degrees: that of a lens of
    // FocalLength across the diagonal of a 35 mm frame (46.8 degrees at 50 mm).
    double FieldOfView() const;
    void AdjustDistanceToTarget(double factor);
    // Orbits about the target: turns about the vertical through it and pitches over it (positive
    // pitch lowers the camera), never past straight above or below.
    void MoveAroundTarget(double pitchDegrees, double turnDegrees);
    // Moves the target (and the camera with it) in the screen plane: right by dx, up by dy,
    // each multiplied by ratio.
    void Pan(double dx, double dy, double ratio);
    // The screen's right and up directions.
    Vec3 ScreenRight() const;
    Vec3 ScreenUp() const;
};

struct PointLight {
    Vec3 Position;
    bool Enabled = true;
};

// Everything the view draws. The deques keep references to their objects valid as more are added.
struct Scene {
    std::deque<RevolutionSolid> Solids;
    std::deque<Extrusion> Extrusions;
    std::deque<Polyline> Lines;
    Camera View;
    PointLight Light;
    bool WireFrame = false; // solids and extrusions drawn as lines, front and back
    Colour Background{0.23f, 0.26f, 0.31f, 1};
    std::vector<LegendEntry> Legend; // none: no legend
};

} // namespace torvex
