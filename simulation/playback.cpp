#include "simulation/playback.h"

#include "simulation/move_by_move.h"
#include "toolpath/toolpath.h"

#include <algorithm>

namespace torvex {

namespace {

const TToolpath& ToolpathToSimulate(const TToolpath* toolpath) {
    if (toolpath == nullptr)
        throw SimulationError(NoToolpathSelectedText);
    return *toolpath;
}

} // namespace

TToolpathTotals ToolpathTotals(const TPctList& path) {
    TToolpathTotals totals;
    for (const TPunct& p : path)
        totals.Length += p.Dist;
    if (!path.Empty())
        totals.Time = path.Last().TotalTime;
    return totals;
}

TToolpathTotals TPlayback::Initialize(const TToolpath* toolpath, const std::vector<TPoint>& stock) {
    const TToolpath& simulated = ToolpathToSimulate(toolpath);
    Simulation.reset();
    SavedStock = stock;
    return ToolpathTotals(simulated.PathPoints);
}

void TPlayback::Start(const TToolpath* toolpath) {
    const TToolpath& simulated = ToolpathToSimulate(toolpath);
    if (simulated.PathPoints.Empty())
        throw SimulationError(NoToolpathMovesText);
    TSimulation simulation(simulated.LeftKnife.Points, simulated.RightKnife.Points, SavedStock,
                           simulated.PathPoints);
    simulation.SplitOutlinesOfPath();

    Simulation = std::move(simulation);
    PassedStock = SavedStock;
    MoveInProgressCut = false;
    LastCutPos = RunStartPosition;
    // The first path point ends the first move, from where the run starts, as in the
    // move-by-move run.
    SimulationStep = 0;
    LastTime = 0;
    Outlines = {XYOf(simulated.LeftKnife.Points), XYOf(simulated.RightKnife.Points)};
}

void TPlayback::Stop() {
    if (!Simulation)
        return;
    SavedStock = Simulation->Stock;
    Simulation.reset();
}

void TPlayback::Discard() {
    Simulation.reset();
    SavedStock.clear();
    SimulationStep.reset();
}

const std::vector<TPoint>& TPlayback::Stock() const {
    return Simulation ? Simulation->Stock : SavedStock;
}

TFrameResult TPlayback::FrameStep(double time) {
    TFrameResult frame;
    if (!Simulation)
        return frame;
    TSimulation& simulation = *Simulation;
    size_t step = static_cast<size_t>(SimulationStep.value_or(0));
    LastTime = std::max(time, LastTime);
    frame.Time = LastTime;
    TPoint position = simulation.PositionAt(LastTime);
    bool over = IsEndMarker(position);
    size_t passed = over ? simulation.Path.size() : static_cast<size_t>(simulation.SegIndex);

    // The move cut in progress at the previous frame is cut again whole from where it started.
    if (MoveInProgressCut && passed > step) {
        simulation.Stock = PassedStock;
        MoveInProgressCut = false;
        frame.StockChanged = true;
    }
    bool passedCut = false;
    for (size_t k = step; k < passed; ++k)
        passedCut |= MoveTool(simulation, simulation.Path[k], LastCutPos);
    if (passedCut)
        PassedStock = simulation.Stock;
    frame.StockChanged |= passedCut;

    if (over) {
        const TPunct& last = simulation.Path.back();
        frame.ToolPosition = {last.X, last.Y};
        frame.Tool = last.Tool;
        frame.Done = true;
        SimulationStep = static_cast<int32_t>(simulation.Path.size() - 1);
        SavedStock = simulation.Stock;
        Simulation.reset();
        return frame;
    }

    SimulationStep = simulation.SegIndex;
    TPunct inProgress = simulation.Path[passed];
    frame.Tool = inProgress.Tool;
    frame.ToolPosition = position;
    inProgress.X = position.X;
    inProgress.Y = position.Y;
    if (MoveInProgressCut)
        simulation.Stock = PassedStock;
    TPoint from = LastCutPos;
    bool cut = MoveTool(simulation, inProgress, from);
    frame.StockChanged |= cut || MoveInProgressCut;
    MoveInProgressCut = cut;
    return frame;
}

} // namespace torvex
