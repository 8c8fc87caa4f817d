#pragma once

#include <string>
#include <vector>

namespace torvex {

class TToolpath;

// The texts of a new toolpath's branch of the toolpath tree: the toolpath, the lines under "Tool"
// (each tool's number and tip, then its support: "T1 Tip : ShoulderL", "Support : SVJCR2020"),
// and its parameters ("SafeZ : 2", ...).
struct ToolpathNodeTexts {
    std::string Name;
    std::vector<std::string> Tools;
    std::vector<std::string> Parameters;
};

// The texts of a toolpath's branch: the tools its operations use (the left one when it has
// none) with their numbers, and its job's parameters, numbers with the decimal separator given.
ToolpathNodeTexts NodeTextsOf(const TToolpath& toolpath, char decimalSeparator);

// What the operation windows ask of the main window's toolpath tree.
class ToolpathTreeDisplay {
public:
    virtual ~ToolpathTreeDisplay() = default;
    // Adds the toolpath's branch under the root: the toolpath node (shown) with "Tool" ("Tip : "
    // and "Support : " below it) and "Parameters" (one node per parameter). Every node of the
    // branch stands for `toolpath`. Every other toolpath node is marked hidden; the root is
    // expanded, every other node collapsed, and the first node that bears the toolpath's name is
    // expanded with all below it.
    virtual void AddToolpathNode(TToolpath& toolpath, const ToolpathNodeTexts& texts) = 0;
};

// What the operation windows and the simulation ask of the main window's 3D view.
class ToolpathViewDisplay {
public:
    virtual ~ToolpathViewDisplay() = default;
    // Replaces the toolpath line with the toolpath's path points.
    virtual void DrawToolpath(const TToolpath& toolpath) = 0;
    // Camera above the part, looking at (0, 0, 2).
    virtual void ResetViewpoint() = 0;
};

} // namespace torvex
