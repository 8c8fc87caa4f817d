#include "simulation/move_by_move.h"

#include "toolpath/toolpath.h"

#include <utility>

namespace torvex {

bool MoveTool(TSimulation& simulation, const TPunct& move, TPoint& lastPosition) {
    TPoint position{move.X, move.Y};
    bool cuts = position.X != lastPosition.X && !move.IsRapid();
    if (cuts)
        simulation.Cut(position, lastPosition, move.Tool);
    lastPosition = position;
    return cuts;
}

TPoint RunMoveByMove(TSimulation& simulation) {
    simulation.SplitOutlinesOfPath();
    // The tool comes to the path's first point from where the run starts: at the rapid feed, as
    // every toolpath begins, that first move only places it.
    TPoint lastPosition = RunStartPosition;
    for (const TPunct& move : simulation.Path)
        MoveTool(simulation, move, lastPosition);
    return lastPosition;
}

std::vector<TPoint> MachinedStock(std::span<const TToolpath* const> toolpaths,
                                  std::vector<TPoint> stock) {
    for (const TToolpath* toolpath : toolpaths) {
        TSimulation simulation(toolpath->LeftKnife.Points, toolpath->RightKnife.Points, stock,
                               toolpath->PathPoints);
        RunMoveByMove(simulation);
        stock = std::move(simulation.Stock);
    }
    return stock;
}

} // namespace torvex
