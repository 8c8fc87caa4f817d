#include "simulation/move_by_move.h"

#include "platform/work_progress.h"
#include "toolpath/toolpath.h"

#include <utility>
#include <vector>

namespace torvex {

bool MoveTool(TSimulation& simulation, const TPunct& move, TPoint& lastPosition) {
    TPoint position{move.X, move.Y};
    bool cuts = simulation.Cut(lastPosition, position, move.Tool);
    lastPosition = position;
    return cuts;
}

TPoint RunMoveByMove(TSimulation& simulation) {
    if (simulation.Path.empty())
        return {};
    // The sweeps are taken away a few dozen at a time: the material joins neighbours before it
    // cuts, which leaves what cutting them one by one leaves.
    constexpr size_t Batch = 64;
    std::vector<material::Paths> swept;
    swept.reserve(Batch);
    TPoint lastPosition{simulation.Path.front().X, simulation.Path.front().Y};
    size_t done = 0;
    for (const TPunct& move : simulation.Path) {
        WorkStep("Simulating", done++, simulation.Path.size());
        TPoint position{move.X, move.Y};
        swept.push_back(simulation.Sweep(lastPosition, position, move.Tool));
        lastPosition = position;
        if (swept.size() == Batch) {
            simulation.Material.RemoveAll(swept);
            swept.clear();
        }
    }
    simulation.Material.RemoveAll(swept);
    return lastPosition;
}

TMaterial MachinedStock(std::span<const TToolpath* const> toolpaths, TMaterial stock) {
    for (const TToolpath* toolpath : toolpaths) {
        TSimulation simulation(*toolpath, std::move(stock));
        RunMoveByMove(simulation);
        stock = std::move(simulation.Material);
    }
    return stock;
}

} // namespace torvex
