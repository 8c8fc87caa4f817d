#pragma once

#include "geometry/element.h"
#include "simulation/simulation.h"

namespace torvex {

// Where the tool is taken to stand when a run starts, clear of the stock.
inline constexpr TPoint RunStartPosition{-10.0, 37.0};

// Takes the tool of a run from lastPosition to position along a move at `feed`. A cutting move
// (not at the rapid feed) that changes X cuts the stock; lastPosition follows the tool in every
// case, so that the next sweep starts where the tool really was. Returns whether it cut.
bool MoveTool(TSimulation& simulation, const TPoint& position, double feed, double rapidFeed,
              TPoint& lastPosition);

// Plays the whole path move by move from RunStartPosition: every path point ends one move, the
// first one included. Refuses an unusable tool outline before the first move. Returns the tool's
// last position.
TPoint RunMoveByMove(TSimulation& simulation, double rapidFeed);

} // namespace torvex
