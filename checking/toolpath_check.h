#pragma once

#include "checking/collision_check.h"

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

// What the NC program window shows above the program and asks about before saving it.
struct ToolpathVerdict {
    std::string Text; // VerdictText of the check, or why the toolpath could not be checked
    bool Checked = false;
    bool Collides = false;
};

ToolpathVerdict VerdictOfToolpath(const TToolpath& toolpath, const TShaft& part,
                                  const TShaft& stock);

} // namespace torvex
