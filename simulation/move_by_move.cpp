#include "simulation/move_by_move.h"

#include "toolpath/toolpath.h"

#include <utility>

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
    TPoint lastPosition{simulation.Path.front().X, simulation.Path.front().Y};
    for (const TPunct& move : simulation.Path)
        MoveTool(simulation, move, lastPosition);
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
