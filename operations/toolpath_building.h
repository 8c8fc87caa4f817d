#pragma once

#include "toolpath/job.h"
#include "toolpath/setup.h"
#include "toolpath/toolpath.h"

#include <stdexcept>
#include <string>

namespace torvex {

class TShaft;
class Workspace;

// A toolpath that cannot be built: no model, too many toolpaths. The text is for the user.
class OperationError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* NoPartText =
    "No part is loaded. Load a model before you build a toolpath.";
inline constexpr const char* NoStockText =
    "The part has no stock: its stock file (the model file name followed by \"s\") could not be "
    "read.";
inline constexpr const char* NoOperationQueuedText =
    "No operation is queued: queue one with the picture buttons under \"Operations\" first.";
// The fastest a lathe's knife follows its spindle along a thread, mm/min.
inline constexpr double MaxThreadingFeed = 5000;
inline constexpr const char* TooManyToolpathsText =
    "No more than 255 toolpaths can be added for one model. Load the model again to start anew.";

// Throws OperationError without a part or without a stock.
void RequireModel(const TShaft& part, const TShaft& stock);

// The toolpath of a job on the part and its stock in the setup, named `name`: a tool change before
// each queued operation, then the operation's strategy, no move below the setup's limit (the
// chuck's jaws and their clearance). The part's side outlines are built for this build alone.
// Throws OperationError without a part or a stock or for an operation the setup cannot reach,
// ArithmeticError when a strategy's arithmetic cannot be done (a zero depth, parallel lines),
// ConversionError for a knife file whose contour cannot be read.
TToolpath BuildRoughing(const TShaft& part, const TShaft& stock, const RoughingJob& job,
                        std::string name = {}, const Setup& setup = {});
TToolpath BuildFinishing(const TShaft& part, const TShaft& stock, const FinishingJob& job,
                         std::string name = {}, const Setup& setup = {});
// Grooving and parting with the job's one tool, as the left tool. Throws OperationError, before
// anything is written, for a knife without a cutting edge of at least 0.5 mm or a closed outline,
// a Step wider than the edge, a part without grooves or with a groove narrower than the edge
// (naming its place), a part-off position between the part's end faces, and with a chuck any move
// nearer to the jaws than the clearance.
TToolpath BuildGrooving(const TShaft& part, const TShaft& stock, const GroovingJob& job,
                        std::string name = {}, const Setup& setup = {});
// An external thread with the job's one tool, as the left tool, in one cycle (CutThread) at the
// pitch times the turning speed. Throws OperationError, before anything is written, when Thread
// from Z and Thread to Z are one, the first cut is deeper than the thread, that feed exceeds
// MaxThreadingFeed (naming the pitch and the speed), the stretch leaves the part or the profile is
// no cylinder over it (naming where), the thread would reach the axis or take more than 999
// passes, and with a chuck for any move nearer to the jaws than the clearance.
TToolpath BuildThreading(const TShaft& part, const TShaft& stock, const ThreadingJob& job,
                         std::string name = {}, const Setup& setup = {});
TToolpath BuildToolpath(const TShaft& part, const TShaft& stock, const MachiningJob& job,
                        std::string name = {}, const Setup& setup = {});

// The default name of the next toolpath of a kind: "3-Roughing" when two exist, counting on from
// the highest number a name starts with ("7-Finishing"), so that default names never repeat.
std::string NextToolpathName(const Workspace& workspace, const char* kind);
// Throws OperationError when the workspace holds 255 toolpaths already.
void RequireRoomForAnother(const Workspace& workspace);
// Builds the job's toolpath on the workspace's part and stock in its setup and, only when the whole
// build succeeded, appends it to the workspace's toolpaths and returns it.
TToolpath& AddToolpath(Workspace& workspace, const MachiningJob& job, std::string name);
// Appends a toolpath built elsewhere (BuildToolpath on the workspace's part, stock and setup) and
// returns it; throws OperationError when there is no room for another.
TToolpath& AddToolpath(Workspace& workspace, TToolpath toolpath);

} // namespace torvex
