#pragma once

#include <string>
#include <vector>

namespace torvex {

class TToolpath;
class Workspace;

// The three check boxes of the NC program.
struct NcProgramOptions {
    bool Coolant = false;       // coolant on after the spindle start, off after the stop
    bool AntiClockwise = false; // M04 instead of M03
    bool OpenDoor = false;      // open the door after the spindle stops
};

// The complete program of a toolpath: the spindle start (and coolant), the toolpath's blocks, the
// spindle stop (and coolant off, door). The trailer's block numbers advance the toolpath's BlockNo
// for good, so a second generation numbers its trailer after the first one's.
std::vector<std::string> GenerateNcProgram(TToolpath& toolpath, const NcProgramOptions& options);

// The program of the first toolpath named `name`; no lines when there is none.
std::vector<std::string> GenerateNcProgram(const Workspace& workspace, const std::string& name,
                                           const NcProgramOptions& options);

} // namespace torvex
