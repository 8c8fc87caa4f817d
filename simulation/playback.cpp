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

TToolpathTotals TPlayback::Initialize(const TToolpath* toolpath, const PointChain& stock) {
    TMaterial material;
    try {
        material = TMaterial(stock);
    } catch (const OutlineError& error) {
        throw SimulationError(error.what());
    }
    return Initialize(toolpath, std::move(material));
}

TToolpathTotals TPlayback::Initialize(const TToolpath* toolpath, TMaterial stock) {
    const TToolpath& simulated = ToolpathToSimulate(toolpath);
    Simulation.reset();
    Saved = std::move(stock);
    return ToolpathTotals(simulated.PathPoints);
}

void TPlayback::Start(const TToolpath* toolpath) {
    const TToolpath& simulated = ToolpathToSimulate(toolpath);
    if (simulated.PathPoints.Empty())
        throw SimulationError(NoToolpathMovesText);
    std::array<KnifeShape, 2> knives = SimulatedKnives(simulated);
    TSimulation simulation(knives, Saved, simulated.PathPoints, simulated.Thread());

    Simulation = std::move(simulation);
    Passed = Saved;
    MoveInProgressCut = false;
    // The first move starts at its own end: the tool is placed at the path's first point.
    const TPunct& first = simulated.PathPoints[0];
    LastCutPos = {first.X, first.Y};
    SimulationStep = 0;
    LastTime = 0;
    Outlines = {knives[0].Outline, knives[1].Outline};
}

void TPlayback::Stop() {
    if (!Simulation)
        return;
    Saved = Simulation->Material;
    Simulation.reset();
}

void TPlayback::Discard() {
    Simulation.reset();
    Saved = TMaterial();
    SimulationStep.reset();
}

const PointChain& TPlayback::Stock() const {
    return Simulation ? Simulation->Stock() : Saved.Profile();
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
        simulation.Material = Passed;
        MoveInProgressCut = false;
        frame.StockChanged = true;
    }
    bool passedCut = false;
    for (size_t k = step; k < passed; ++k)
        passedCut |= MoveTool(simulation, simulation.Path[k], LastCutPos);
    if (passedCut)
        Passed = simulation.Material;
    frame.StockChanged |= passedCut;

    if (over) {
        const TPunct& last = simulation.Path.back();
        frame.ToolPosition = {last.X, last.Y};
        frame.Tool = last.Tool;
        frame.Done = true;
        SimulationStep = static_cast<int32_t>(simulation.Path.size() - 1);
        Saved = simulation.Material;
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
        simulation.Material = Passed;
    TPoint from = LastCutPos;
    bool cut = MoveTool(simulation, inProgress, from);
    frame.StockChanged |= cut || MoveInProgressCut;
    MoveInProgressCut = cut;
    return frame;
}

} // namespace torvex
