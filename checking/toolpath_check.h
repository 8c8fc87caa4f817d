#pragma once

#include "checking/collision_check.h"
#include "checking/verdict.h"
#include "toolpath/setup.h"

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <vector>

namespace torvex {

class TShaft;
class TToolpath;

// The toolpath's moves, grouped by its operations (an operation whose strategy found nothing to
// do has none); moves written outside any operation make one operation.
std::vector<CheckedOperation> ToolpathOperations(const TToolpath& toolpath);

// The toolpath checked against its own knives, on the part and the stock it was made for. Throws
// OutlineError when a tool that makes moves has no closed knife outline.
CheckResult CheckToolpath(const TToolpath& toolpath, const TShaft& part, const TShaft& stock);

// The toolpaths of a job checked in order, each on the material the ones before it left (their
// moves swept with their own knives), and with a chuck against its jaws: from the jaw face
// leftwards, up to the stock's radius plus 10 mm. One result for each, its material left what the
// toolpaths up to it leave. Throws OutlineError, naming the toolpath, when one cannot be checked.
std::vector<CheckResult> CheckToolpaths(std::span<const TToolpath* const> toolpaths,
                                        const TShaft& part, const TShaft& stock,
                                        const Setup& setup = {});

// What the NC program window shows above the program and asks about before saving it.
struct ToolpathVerdict {
    std::string Text; // the verdict, or why the toolpaths could not be checked
    bool Checked = false;
    bool Collides = false;
    // One for each toolpath checked, in order; their collisions' blocks in the program's numbers,
    // their colliding blocks in the toolpath's own.
    std::vector<CheckResult> Results;
};

// How the program names blocks and places: for each toolpath the program's numbers of its own
// block numbers (an empty list keeps them), and the program's Z zero and X mode.
struct ProgramTerms {
    std::span<const std::map<int32_t, int32_t>> Numbers;
    PlaceTerms Places;
};

// CheckToolpaths with the collisions' blocks named by the program's numbers: `terms.Numbers` holds
// those of the last toolpaths, one list for each (every toolpath's for a whole job's program, the
// last one's alone for its own program). Throws OutlineError as CheckToolpaths does.
std::vector<CheckResult> CheckProgramToolpaths(std::span<const TToolpath* const> toolpaths,
                                               const TShaft& part, const TShaft& stock,
                                               const ProgramTerms& terms, const Setup& setup = {});

// The verdict on a job's results (one for each toolpath): the overall line (the job's first
// collision, if any), then one line for each toolpath ("1-Roughing: no collision") and the
// material left once all have cut.
std::string JobVerdictText(std::span<const TToolpath* const> toolpaths,
                           const std::vector<CheckResult>& results, const PlaceTerms& terms = {});

// The verdict on the last of the toolpaths, checked on the material the ones before it left: the
// one line of VerdictText in the program's terms (`Numbers` holds the last toolpath's alone).
ToolpathVerdict VerdictOfToolpath(std::span<const TToolpath* const> toolpaths, const TShaft& part,
                                  const TShaft& stock, const ProgramTerms& terms = {},
                                  const Setup& setup = {});
// The verdict on a whole job: the overall line, then one line for each toolpath ("1-Roughing: no
// collision") and the material left at the end.
ToolpathVerdict VerdictOfJob(std::span<const TToolpath* const> toolpaths, const TShaft& part,
                             const TShaft& stock, const ProgramTerms& terms = {},
                             const Setup& setup = {});

} // namespace torvex
