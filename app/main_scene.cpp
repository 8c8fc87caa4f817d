#include "app/main_scene.h"

#include "checking/collision_check.h"
#include "material/outlines.h"
#include "platform/errors.h"
#include "toolpath/toolpath.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace torvex {

namespace {

constexpr Vec3 StartOffset{6, 6, 10};

} // namespace

Vec3 ViewOffset(ViewDirection direction) {
    switch (direction) {
    case ViewDirection::Top:
        return {0, 10, 0.01};
    case ViewDirection::Right:
        return {10, 0, 0.01};
    case ViewDirection::Left:
        return {-10, 0, 0.01};
    case ViewDirection::FrontRight:
        return {6, 6, 10};
    case ViewDirection::FrontLeft:
        return {-6, 6, 10};
    }
    return StartOffset;
}

MainScene::MainScene()
    : PartSolid(Contents.Solids.emplace_back()), StockSolid(Contents.Solids.emplace_back()),
      SimulationSolid(Contents.Solids.emplace_back()),
      ToolSolid(Contents.Extrusions.emplace_back()), ToolpathLine(Contents.Lines.emplace_back()),
      ChuckSolid(Contents.Solids.emplace_back()), ThreadRootLine(Contents.Lines.emplace_back()) {
    ChuckSolid.Visible = false;
    ChuckSolid.Material = {0.35f, 0.37f, 0.42f, 1};
    PartSolid.NormalsInward = true;
    PartSolid.Material = {0.62f, 0.68f, 0.78f, 1};
    StockSolid.NormalsInward = true;
    StockSolid.Transparent = true;
    StockSolid.Material = {0.8f, 0.8f, 0.8f, 0.5f};
    SimulationSolid.NormalsInward = true;
    SimulationSolid.Transparent = true;
    SimulationSolid.Visible = false;
    SimulationSolid.Material = {0.85f, 0.72f, 0.45f, 0.6f};
    ToolSolid.Height = 0.5;
    ToolSolid.Visible = false;
    ToolSolid.Material = {0.95f, 0.8f, 0.2f, 1};
    ToolpathLine.NodeSize = 0.02;
    ToolpathLine.Antialiased = true;
    ToolpathLine.NodeColoursForLines = true;
    ThreadRootLine.OverSolids = true;
    View().FocalLength = 50;
    View().DepthOfView = 100;
    View().Offset = StartOffset;
    LightToCamera();
}

void MainScene::ShowModel(const TShaft& part, const TShaft& stock, double sceneScale) {
    PartSolid.Visible = true;
    StockSolid.Visible = true;
    SimulationSolid.Visible = false;
    ClearToolpathLine();
    PartSolid.Nodes.clear();
    StockSolid.Nodes.clear();
    if (sceneScale != 0) {
        SceneMapping mapping(sceneScale);
        FillSolid(PartSolid, part.Points, mapping);
        // A machined stock saved as the next operation's may turn back under an undercut: its
        // chain follows it, its points sorted by X would not.
        FillSolid(StockSolid, ProfileChain(stock), mapping);
    }
    View().Offset = StartOffset;
    View().Target = {};
    LightToCamera();
}

void MainScene::ShowToolpath(const TToolpath& toolpath, double sceneScale) {
    ClearToolpathLine();
    SceneMapping mapping(sceneScale);
    FillToolpathLine(ToolpathLine, toolpath.PathPoints, mapping);
    Contents.Legend = ToolpathLegend();
    std::optional<ThreadStretch> thread = toolpath.Thread();
    // A thread's passes run inside the part's cylinder.
    ToolpathLine.OverSolids = thread.has_value();
    if (thread) {
        for (double x : {thread->From, thread->To})
            ThreadRootLine.Nodes.push_back(
                {mapping.ProfilePoint(x, thread->Root), ThreadRootColour, LineStyle::Solid});
        Contents.Legend.push_back({"Thread root", ThreadRootColour, LineStyle::Solid});
    }
}

void MainScene::ShowCollisions(const TToolpath& toolpath, const CheckResult& result,
                               double sceneScale) {
    ShowToolpath(toolpath, sceneScale);
    std::vector<TPoint> places;
    std::set<int32_t> blocks;
    for (const OperationCheck& operation : result.Operations) {
        blocks.insert(operation.CollidingBlocks.begin(), operation.CollidingBlocks.end());
        for (const std::optional<Collision>& c : {operation.First, operation.Deepest})
            if (c && std::find(places.begin(), places.end(), c->Where) == places.end())
                places.push_back(c->Where);
    }
    if (places.empty())
        return;
    for (size_t k = 0; k < ToolpathLine.Nodes.size() && k < toolpath.PathPoints.Count(); ++k)
        if (blocks.contains(toolpath.PathPoints[k].Block))
            ToolpathLine.Nodes[k].NodeColour = CollisionColour;
    SceneMapping mapping(sceneScale);
    // A diamond 1.5 mm across each way, whatever the part's length.
    constexpr double Half = 0.75;
    while (Markers.size() < places.size()) {
        Polyline& marker = Contents.Lines.emplace_back();
        marker.NodeColoursForLines = false;
        marker.LineColour = CollisionColour;
        marker.NodeSize = 0;
        Markers.push_back(&marker);
    }
    for (size_t k = 0; k < places.size(); ++k) {
        Polyline& marker = *Markers[k];
        marker.Nodes.clear();
        TPoint p = places[k];
        for (TPoint corner :
             {TPoint{p.X - Half, p.Y}, TPoint{p.X, p.Y + Half}, TPoint{p.X + Half, p.Y},
              TPoint{p.X, p.Y - Half}, TPoint{p.X - Half, p.Y}})
            marker.Nodes.push_back({mapping.ProfilePoint(corner.X, corner.Y), CollisionColour});
        marker.Visible = true;
    }
    Contents.Legend.push_back({"Collision", CollisionColour, LineStyle::Solid});
}

void MainScene::ClearToolpathLine() {
    ToolpathLine.Nodes.clear();
    ThreadRootLine.Nodes.clear();
    Contents.Legend.clear();
    for (Polyline* marker : Markers)
        marker->Visible = false;
}

void MainScene::ShowChuck(const Setup& setup, const TShaft& stock, double sceneScale) {
    ChuckSolid.Nodes.clear();
    ChuckSolid.Visible = setup.Holding == WorkHolding::Chuck && sceneScale != 0;
    if (!ChuckSolid.Visible)
        return;
    // Jaws 30 mm long over the stock, ending at the jaw face.
    double face = JawFaceOf(setup, stock);
    double inner = stock.MaxRadius;
    double outer = inner + JawHeight;
    FillSolid(ChuckSolid,
              std::vector<TPoint>{{face - 30, inner},
                                  {face, inner},
                                  {face, outer},
                                  {face - 30, outer},
                                  {face - 30, inner}},
              SceneMapping(sceneScale));
}

void MainScene::SetView(const Vec3& offset) {
    View().Offset = offset;
    View().Target = {};
    LightToCamera();
}

void MainScene::Recentre() {
    View().Target = {};
    LightToCamera();
}

void MainScene::Zoom(double steps) {
    View().AdjustDistanceToTarget(std::pow(ZoomStep, steps));
    LightToCamera();
}

void MainScene::Orbit(int dx, int dy) {
    View().MoveAroundTarget(dy, dx);
    LightToCamera();
}

void MainScene::Pan(int dx, int dy) {
    double ratio = SafeDivide(PanFactor * View().DistanceToTarget(), View().FocalLength);
    View().Pan(dx, -dy, ratio);
    LightToCamera();
}

void MainScene::ResetViewpoint() {
    View().Offset = ViewOffset(ViewDirection::Top);
    View().Target = {0, 0, 2};
    LightToCamera();
}

void MainScene::SetWireFrame(bool wireFrame) {
    Contents.WireFrame = wireFrame;
    Contents.Light.Enabled = !wireFrame;
}

void MainScene::SetSlices(int slices) {
    PartSolid.Slices = slices;
    StockSolid.Slices = slices;
    SimulationSolid.Slices = slices;
    ChuckSolid.Slices = slices;
}

} // namespace torvex
