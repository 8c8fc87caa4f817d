#pragma once

#include "app/scene_mapping.h"
#include "geometry/shaft.h"
#include "platform/scene.h"
#include "toolpath/setup.h"

namespace torvex {

class TToolpath;
struct CheckResult;

// How the 3D view marks a collision: the colliding moves and a diamond at each place.
inline constexpr Colour CollisionColour{0.9f, 0.1f, 0.1f, 1};

// The view commands' camera positions, relative to the target.
enum class ViewDirection { Top, Right, Left, FrontRight, FrontLeft };
Vec3 ViewOffset(ViewDirection direction);

// The main window's 3D scene: the part, the stock, the simulation's material, the tool, the shown
// toolpath, and the camera with its light. Every camera change takes the light along.
class MainScene {
public:
    static constexpr double ZoomStep = 1.1;
    static constexpr double PanFactor = 0.12;

    MainScene();
    MainScene(const MainScene&) = delete;
    MainScene& operator=(const MainScene&) = delete;

    Scene Contents;
    RevolutionSolid& PartSolid;
    RevolutionSolid& StockSolid;
    RevolutionSolid& SimulationSolid;
    Extrusion& ToolSolid;
    Polyline& ToolpathLine;
    RevolutionSolid& ChuckSolid;
    // A threading toolpath's thread, which the part's solid shows at its crests: its root along
    // the stretch.
    Polyline& ThreadRootLine;

    Camera& View() { return Contents.View; }
    const Camera& View() const { return Contents.View; }

    // A freshly loaded model: the part and stock solids shown and filled from the shafts (left
    // empty when the part has no length to scale by), the simulation solid hidden, the toolpath
    // line cleared, the camera back to its start.
    void ShowModel(const TShaft& part, const TShaft& stock, double sceneScale);
    // The toolpath's line, with the legend of its rapid and cutting moves, and a thread's root.
    void ShowToolpath(const TToolpath& toolpath, double sceneScale);
    // The chuck's jaws, when the setup holds the part in a chuck: a ring over the stock from the
    // jaw face leftwards; hidden between centres.
    void ShowChuck(const Setup& setup, const TShaft& stock, double sceneScale);
    // Marks the check's collisions on the shown toolpath's line: the moves of the colliding blocks
    // drawn red, and a red diamond at the first and the deepest place of each operation's
    // collisions, with their legend.
    void ShowCollisions(const TToolpath& toolpath, const CheckResult& result, double sceneScale);
    void ClearToolpathLine();
    // The diamonds ShowCollisions drew; hidden ones wait to be used again.
    std::vector<Polyline*> Markers;

    // Sets the camera's offset, then the target to the origin.
    void SetView(const Vec3& offset);
    void SetView(ViewDirection direction) { SetView(ViewOffset(direction)); }
    // The target back to the origin; the camera keeps its offset.
    void Recentre();
    // Multiplies the distance to the target by 1.1 to the power `steps` (positive: farther).
    void Zoom(double steps);
    // A wheel turn in the toolkit's eighths of a degree: one notch (120) away from the user
    // moves the camera farther.
    void Wheel(int delta) { Zoom(delta / 120.0); }
    // The mouse moved by (dx, dy) pixels (previous minus new position).
    void Orbit(int dx, int dy);
    void Pan(int dx, int dy);
    // The view the operation windows go back to after generating a toolpath.
    void ResetViewpoint();

    // Wire-frame: the solids as lines, front and back, without light; otherwise filled and lit.
    void SetWireFrame(bool wireFrame);
    void SetSlices(int slices);
    void SetStockVisible(bool visible) { StockSolid.Visible = visible; }

private:
    void LightToCamera() { Contents.Light.Position = View().Position(); }
};

} // namespace torvex
