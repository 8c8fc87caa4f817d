#pragma once

#include "toolpath/setup.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace torvex {

class TModel;
class TShaft;
class TToolpath;
class Workspace;
struct NcProgram;
struct ToolChangePosition;

inline constexpr const char* LeftFlankInChuckText =
    "The part is held in a chuck at its left end: the left flank and the left end face cannot be "
    "reached from there. Flip the part (\"Flip part\") to work that end, or work the right flank.";

// Why the toolpaths' program cannot be written for the setup, or nothing: with a chuck, the first
// move that comes nearer to the jaws than the clearance, named by its block in the program and its
// Z word, or a tool change position beside the jaws and not above them.
std::optional<std::string> ChuckRefusal(std::span<const TToolpath* const> toolpaths,
                                        const NcProgram& program, const ToolChangePosition& change,
                                        const Setup& setup, const TShaft& part,
                                        const TShaft& stock);

// Every toolpath of the workspace rebuilt from its job for a new setup, in order. Throws the
// build's error. Changes nothing: it may run off the window's thread.
std::vector<TToolpath> ToolpathsForSetup(const Workspace& workspace, const Setup& setup);
// Takes a new setup with the toolpaths ToolpathsForSetup built for it: the setup and the
// toolpaths replaced (the toolpaths stay the same objects).
void ChangeSetup(Workspace& workspace, const Setup& setup, std::vector<TToolpath> rebuilt);
// Both in one: when a toolpath cannot be built for the setup, its error is thrown and nothing
// changes.
void ChangeSetup(Workspace& workspace, const Setup& setup);

// The model mirrored end for end about x = `about` (x becomes about - x) as element records in
// order from the new left end, lines written left to right, arcs kept on their half of the circle.
std::vector<std::string> FlippedRecords(const TModel& model, double about);
// The part and the stock flipped about the part's right end: the other end faces the tailstock.
void FlipPart(TShaft& part, TShaft& stock);

} // namespace torvex
