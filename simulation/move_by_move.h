#pragma once

#include "geometry/element.h"
#include "simulation/simulation.h"

#include <span>
#include <vector>

namespace torvex {

class TToolpath;

// Where the tool is taken to stand when a run starts, clear of the stock.
inline constexpr TPoint RunStartPosition{-10.0, 37.0};

// Takes the tool of a run from lastPosition to the move's end. A feed move that changes X cuts the
// stock with the outline of the tool that makes it; a rapid move removes nothing. lastPosition
// follows the tool in every case, so that the next sweep starts where the tool really was.
// Returns whether it cut.
bool MoveTool(TSimulation& simulation, const TPunct& move, TPoint& lastPosition);

// Plays the whole path move by move from RunStartPosition: every path point ends one move, the
// first one included. Refuses a tool without a usable outline before the first move when a feed
// move of that tool needs it. Returns the tool's last position.
TPoint RunMoveByMove(TSimulation& simulation);

// The stock the toolpaths leave, cut one after the other move by move, each with its own knives.
std::vector<TPoint> MachinedStock(std::span<const TToolpath* const> toolpaths,
                                  std::vector<TPoint> stock);

} // namespace torvex
