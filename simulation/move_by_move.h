#pragma once

#include "geometry/element.h"
#include "simulation/simulation.h"

#include <span>

namespace torvex {

class TToolpath;

// Takes the tool of a run from lastPosition to the move's end, cutting with the knife of the tool
// that makes the move, and moves lastPosition there. Returns whether material went.
bool MoveTool(TSimulation& simulation, const TPunct& move, TPoint& lastPosition);

// Plays the whole path move by move: every path point ends one move, and the first move starts
// at its own end (the tool is placed there), as the knife check takes it. Returns the tool's last
// position.
TPoint RunMoveByMove(TSimulation& simulation);

// The stock the toolpaths leave, cut one after the other move by move, each with its own knives.
// Throws SimulationError when a tool that moves has no knife outline.
TMaterial MachinedStock(std::span<const TToolpath* const> toolpaths, TMaterial stock);

} // namespace torvex
