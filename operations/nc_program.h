#pragma once

#include "toolpath/nc_block.h"

#include <string>
#include <vector>

namespace torvex {

class TToolpath;
class Workspace;

inline constexpr const char* NoToolpathSelectedText =
    "No toolpath is selected. Select a toolpath in the tree to generate its NC program.";

// The three check boxes of the NC program.
struct NcProgramOptions {
    bool Coolant = false;       // coolant on after the spindle start, off after the stop
    bool AntiClockwise = false; // M04 instead of M03
    bool OpenDoor = false;      // open the door after the spindle stops
};

// The complete program of a toolpath as blocks: the spindle start (and coolant) numbered 1 and 2,
// the toolpath's blocks, the spindle stop (and coolant off, door) numbered on from the toolpath's
// last block in steps of 5. The trailer's numbers are used up for good, so a second generation
// numbers its trailer after the first one's.
std::vector<NcBlock> NcProgramBlocks(TToolpath& toolpath, const NcProgramOptions& options);

// The program's text as the program has always written it.
std::vector<std::string> GenerateNcProgram(TToolpath& toolpath, const NcProgramOptions& options);

// The program of the selected toolpath; no lines when none is selected.
std::vector<std::string> GenerateNcProgram(Workspace& workspace, const NcProgramOptions& options);

} // namespace torvex
