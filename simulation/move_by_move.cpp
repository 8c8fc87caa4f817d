#include "simulation/move_by_move.h"

namespace torvex {

bool MoveTool(TSimulation& simulation, const TPoint& position, double feed, double rapidFeed,
              TPoint& lastPosition) {
    bool cuts = position.X != lastPosition.X && feed != rapidFeed;
    if (cuts)
        simulation.Cut(position, lastPosition);
    lastPosition = position;
    return cuts;
}

TPoint RunMoveByMove(TSimulation& simulation, double rapidFeed) {
    simulation.SplitOutline();
    // The tool comes to the path's first point from where the run starts: at the rapid feed, as
    // every toolpath begins, that first move only places it.
    TPoint lastPosition = RunStartPosition;
    for (size_t k = 0; k < simulation.Path.size(); ++k) {
        const TPunct& point = simulation.Path[k];
        MoveTool(simulation, {point.X, point.Y}, point.Feed, rapidFeed, lastPosition);
    }
    return lastPosition;
}

} // namespace torvex
