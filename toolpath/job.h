#pragma once

#include "geometry/point_list.h"
#include "toolpath/nc_block.h"

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace torvex {

// The roughing operations, numbered as the batch tool's --ops gives them.
enum class RoughingOperation : uint8_t {
    WholeLength = 0,
    LeftFromStock = 1,  // the left side from the stock radius down
    LeftBelowTop = 2,   // the left side below the part's largest radius
    RightFromStock = 3, // the right side likewise
    RightBelowTop = 4,
    LeftEndFace = 5,  // the stock beyond the part's left end, faced off down to the axis
    RightEndFace = 6, // the same at the right end
};

// The finishing operations: one pass along a flank, with or without its flat top.
enum class FinishingOperation : uint8_t {
    LeftWithoutTop = 1,
    LeftWithTop = 2,
    RightWithoutTop = 3,
    RightWithTop = 4,
};

// The grooving and parting operations: the grooves below the flanks, then the part cut off.
enum class GroovingOperation : uint8_t {
    Grooves = 1,
    PartOff = 2,
};

// The operation of a number, or nothing for a number no operation has.
std::optional<RoughingOperation> RoughingOperationOf(int code);
std::optional<FinishingOperation> FinishingOperationOf(int code);
std::optional<GroovingOperation> GroovingOperationOf(int code);

// The tool that makes the operation: the left one for the left flank, the left end face and the
// whole length.
ToolSide ToolOf(RoughingOperation operation);
ToolSide ToolOf(FinishingOperation operation);

// The names of one mounted tool as its slot shows them.
struct TToolStr {
    std::string SupportName;
    std::string TipName;
};

// A tool as a job uses it: the library position it was taken from (the program's tool number),
// its names and every line of its knife file (none for a slot without a knife).
struct JobTool {
    int Number = 0;
    TToolStr Names;
    std::vector<std::string> KnifeFile;
};

// What the user asks of a roughing toolpath.
struct RoughingJob {
    std::vector<RoughingOperation> Operations; // in queue order
    double SafeZ = 0;                          // radial clearance above the stock, mm
    double Offset = 0;                         // axial clearance beyond the part's ends, mm
    double Rest = 0;                           // material left for finishing, mm
    double Depth = 0;                          // cutting depth of a layer, mm
    double TransversalFeed = 0;                // radial feed, mm/min
    double LongitudinalFeed = 0;               // axial feed, mm/min
    double TurningSpeed = 0;                   // rev/min
    JobTool Left;
    JobTool Right;
    std::optional<SurfaceSpeed> Surface; // constant surface speed, when asked for
};

// What the user asks of a finishing toolpath.
struct FinishingJob {
    std::vector<FinishingOperation> Operations;
    double SafeZ = 0;
    double Offset = 0;
    double Approach = 0; // clearance above the outline's start for the approach, mm
    double Feed = 0;     // mm/min
    double TurningSpeed = 0;
    JobTool Left;
    JobTool Right;
    std::optional<SurfaceSpeed> Surface;
};

// What the user asks of a grooving and parting toolpath. It has one tool, which the toolpath
// takes for its left tool and its right one alike: every move of it is the left tool's.
struct GroovingJob {
    std::vector<GroovingOperation> Operations;
    double SafeZ = 0;
    double Rest = 0;              // material left on the grooves' walls and floors, mm
    std::optional<double> Step;   // axial distance between plunges; none: 80% of the edge
    double Peck = 0;              // a plunge retracts every this deep, mm; 0: no pecking
    double PlungeFeed = 0;        // mm/min
    double FinishingFeed = 0;     // mm/min
    double TurningSpeed = 0;      // rev/min
    std::optional<double> PartAt; // the axial position of the part's face cut off; none
                                  // without "Part off"
    double FinalRadius = 0;       // where parting stops; 0 is the axis
    JobTool Tool;
};

// What the user asks of a threading toolpath: an external thread cut in passes along a cylinder of
// the part, with one tool, which the toolpath takes for its left tool.
struct ThreadingJob {
    double From = 0;                // where the passes enter the thread, profile x
    double To = 0;                  // where they end and retract
    double Pitch = 0;               // mm per turn
    std::optional<double> Depth;    // radial; none: an ISO metric thread's
    std::optional<double> FirstCut; // radial depth of the first pass; none: a third of the depth
    double MinimumCut = 0.05;       // each pass but the last goes at least this much deeper
    int SpringPasses = 1;           // passes at full depth after the last cutting one
    double InfeedAngle = 29.5;      // degrees from the radial, along the flank
    double SafeZ = 0;               // radial clearance above the crests, where the passes return
    double TurningSpeed = 0;        // rev/min, fixed: the feed follows the spindle
    JobTool Tool;
};

// An ISO metric external thread's depth, 0.6134 of its pitch, to the micrometre the controls write.
double IsoThreadDepth(double pitch);
// The job's thread depth and first cut, the defaults worked out where they are not given.
double ThreadDepthOf(const ThreadingJob& job);
double FirstCutOf(const ThreadingJob& job);

using MachiningJob = std::variant<RoughingJob, FinishingJob, GroovingJob, ThreadingJob>;

// One callable for std::visit from a lambda for each kind of job.
template <class... Lambdas> struct Overloaded : Lambdas... { using Lambdas::operator()...; };
template <class... Lambdas> Overloaded(Lambdas...) -> Overloaded<Lambdas...>;

// The tool of a job on one side; a grooving or threading job's one tool on either.
template <class Job> const JobTool& ToolOn(const Job& job, ToolSide side) {
    return side == ToolSide::Left ? job.Left : job.Right;
}
inline const JobTool& ToolOn(const GroovingJob& job, ToolSide) {
    return job.Tool;
}
inline const JobTool& ToolOn(const ThreadingJob& job, ToolSide) {
    return job.Tool;
}

// What every kind of job has: its tools, its turning speed and its surface speed, if any.
const JobTool& JobToolOf(const MachiningJob& job, ToolSide side);
double JobTurningSpeed(const MachiningJob& job);
std::optional<SurfaceSpeed> JobSurfaceSpeed(const MachiningJob& job);

} // namespace torvex
