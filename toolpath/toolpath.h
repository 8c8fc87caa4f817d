#pragma once

#include "geometry/knife.h"
#include "geometry/point_list.h"
#include "toolpath/job.h"
#include "toolpath/nc_block.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace torvex {

inline constexpr const char* NoToolpathSelectedText =
    "No toolpath is selected. Click a toolpath in the tree first.";

// What an operation of a toolpath does.
enum class OperationKind : uint8_t {
    FullLengthRoughing,
    SideRoughing,
    EndFacing,
    Finishing,
    Grooving,
    PartingOff,
    Threading,
};

// Where a threading operation's thread lies: along the axis from where its passes enter to where
// they retract, and its crests' and root's radii. Its helix does not show in the profile plane:
// what the passes cut below the crests is the thread, not a groove.
struct ThreadStretch {
    double From = 0;
    double To = 0;
    double Crest = 0;
    double Root = 0;
};

// One operation of a toolpath: its blocks (its tool change first) and its path points, as index
// ranges [First, End), and the tool that makes every move of it.
struct ToolpathOperation {
    OperationKind Kind = OperationKind::FullLengthRoughing;
    ToolSide Tool = ToolSide::Left;
    int ToolNumber = 0;
    size_t FirstBlock = 0;
    size_t EndBlock = 0;
    size_t FirstMove = 0;
    size_t EndMove = 0;
    std::optional<ThreadStretch> Thread; // the thread a threading operation cuts
};

// A toolpath: the job it was built from and what its strategies made of it, in two forms written
// move by move through a BlockWriter: NC blocks and timed path points, grouped into operations.
class TToolpath {
public:
    std::string Name;
    MachiningJob Job;
    TKnife LeftKnife; // the knives of the job's tools, read from their knife files
    TKnife RightKnife;
    int32_t BlockNo = 0; // number of the last NC block written, or used up
    std::vector<NcBlock> Blocks;
    TPctList PathPoints; // one point per move end (and arc preview point), timed
    std::vector<ToolpathOperation> Operations;

    TToolpath();

    // The blocks as the program writes them.
    std::vector<std::string> NCBlocks() const;
    const TKnife& Knife(ToolSide side) const {
        return side == ToolSide::Left ? LeftKnife : RightKnife;
    }
    const JobTool& Tool(ToolSide side) const { return JobToolOf(Job, side); }
    double TurningSpeed() const { return JobTurningSpeed(Job); }
    // The thread the toolpath cuts, if it is a threading toolpath.
    std::optional<ThreadStretch> Thread() const;
    std::optional<SurfaceSpeed> Surface() const { return JobSurfaceSpeed(Job); }
};

} // namespace torvex
