#pragma once

#include "operations/nc_dialect.h"
#include "toolpath/setup.h"

#include <span>
#include <string>
#include <vector>

namespace torvex {

class TShaft;
class TToolpath;

// The largest safe distance (Safe Z) of the toolpaths' jobs: the tool change position must clear
// the stock by it.
double LargestSafeDistance(std::span<const TToolpath* const> toolpaths);

// A program as it is written, and its blocks with the program's numbers of the toolpaths' blocks.
struct GeneratedProgram {
    std::vector<std::string> Text;
    NcProgram Program;
};

// The program of the last of `toolpaths` (the ones before it only count for its stock), or with
// `wholeJob` of all of them, written as the settings ask in the setup: Z words from its program
// zero. Refuses with OperationError, before anything is written, what the control cannot take,
// a tool change position the tool would reach through the stock, a turning speed or feed beyond
// the machine's limits, and with a chuck any move nearer to the jaws than their clearance.
GeneratedProgram GenerateProgram(std::span<const TToolpath* const> toolpaths, bool wholeJob,
                                 ProgramSettings settings, const Setup& setup, const TShaft& part,
                                 const TShaft& stock);

} // namespace torvex
