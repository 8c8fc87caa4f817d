#pragma once

#include "toolpath/nc_block.h"

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace torvex {

class TShaft;
class TToolpath;

// Where the tool goes before each tool change and before the program ends: nowhere in particular
// (the tool changes where the last move left it), the machine's own tool change position, or a
// position of the program's (a radius and an axial position).
enum class ToolChangePlace : uint8_t { None, Machine, Position };

struct ToolChangePosition {
    ToolChangePlace Place = ToolChangePlace::None;
    double X = 0; // radius
    double Z = 0;
};

// What the program wraps around the toolpaths' blocks, and how it changes tools.
struct NcProgramOptions {
    bool Coolant = false;       // coolant on after the spindle start, off after the stop
    bool AntiClockwise = false; // M04 instead of M03
    bool OpenDoor = false;      // open the door after the spindle stops
    ToolChangePosition ToolChange{};
    // A tool change to the tool already in place is left out, with its move to the tool change
    // position.
    bool SkipToolInPlace = false;
    // The control cuts a threading cycle's passes in a cycle of its own: the passes' blocks are
    // left out but the first, which carries the cycle, and their moves are named by its number.
    bool ThreadCycles = false;
    // The profile x of program zero: the toolpaths' Z words are written as x minus this (the tool
    // change position's Z is already the program's).
    double ZeroAt = 0;
};

// A program's blocks, and for each of its toolpaths the program's number of each of the
// toolpath's own block numbers (the same number unless the program renumbers).
struct NcProgram {
    std::vector<NcBlock> Blocks;
    std::vector<std::map<int32_t, int32_t>> Numbers;
};

// The program of one toolpath as blocks: the spindle start (at the toolpath's turning speed, and
// its surface speed when it has one) and the coolant numbered 1 and 2, the
// toolpath's blocks, the spindle stop (and coolant off, door). Before every tool change and before
// the spindle stop the tool leaves radially, then axially, for the tool change position when
// there is one; the blocks are then renumbered in steps of 10 after the header. Without one the
// blocks keep their numbers and the trailer is numbered on from the toolpath's last block number
// in steps of 5. The toolpath is not changed: generating twice gives the same program.
NcProgram ToolpathProgram(const TToolpath& toolpath, const NcProgramOptions& options);
std::vector<NcBlock> NcProgramBlocks(const TToolpath& toolpath, const NcProgramOptions& options);

// The whole job's program: one header (the first toolpath's spindle speeds), the toolpaths' blocks
// in order with each toolpath's own spindle speeds started after its first tool change, one
// trailer; renumbered in steps of 10 after the header.
NcProgram JobProgram(std::span<const TToolpath* const> toolpaths, const NcProgramOptions& options);

// The program's text as the program has always written it.
std::vector<std::string> GenerateNcProgram(const TToolpath& toolpath,
                                           const NcProgramOptions& options);

// Why the tool change position cannot be used with this stock, or nothing when it can: the tool
// leaves the part radially to the position's radius wherever it stands, so a radius below the
// stock's largest radius plus the safe distance would take it through the stock or too close
// above it.
std::optional<std::string> ToolChangeRefusal(const ToolChangePosition& position,
                                             const TShaft& stock, double safeDistance);

} // namespace torvex
