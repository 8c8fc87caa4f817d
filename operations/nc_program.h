#pragma once

#include "toolpath/nc_block.h"

#include <string>
#include <vector>

namespace torvex {

class TToolpath;

// The three check boxes of the NC program.
struct NcProgramOptions {
    bool Coolant = false;       // coolant on after the spindle start, off after the stop
    bool AntiClockwise = false; // M04 instead of M03
    bool OpenDoor = false;      // open the door after the spindle stops
};

// The complete program of a toolpath as blocks: the spindle start (and coolant) numbered 1 and 2,
// the toolpath's blocks, the spindle stop (and coolant off, door) numbered on from the toolpath's
// last block number in steps of 5. The toolpath is not changed: generating twice gives the same
// program.
std::vector<NcBlock> NcProgramBlocks(const TToolpath& toolpath, const NcProgramOptions& options);

// The program's text as the program has always written it.
std::vector<std::string> GenerateNcProgram(const TToolpath& toolpath,
                                           const NcProgramOptions& options);

} // namespace torvex
