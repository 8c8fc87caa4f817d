#pragma once

#include "cli/options.h"
#include "operations/nc_dialect.h"
#include "toolpath/setup.h"

#include <iosfwd>
#include <set>
#include <span>
#include <string>
#include <vector>

namespace torvex {

class TShaft;
class TToolpath;

// The options that say how a program is written and where it goes, and the setup, shared by the
// commands that write programs.
extern const std::set<std::string> ProgramValuedOptions;
extern const std::set<std::string> ProgramFlags;

// Whole numbers of options: UsageError naming the option for anything else.
int WholeNumber(const std::string& option, const std::string& text, int low, int high);

// How the program is written: `base` (the dialect's defaults, or a job file's settings) changed by
// the options. A new --dialect brings that dialect's X mode and tool change position unless the
// options give them; --coolant, --anticlockwise and --door switch on. Throws UsageError for a
// choice the control cannot take, with the program's own refusal.
ProgramSettings ReadProgramSettings(const ParsedOptions& options, ProgramSettings base);

// The setup: `base` changed by --chuck-at X (a chuck whose jaws end at X), --jaw-clearance C and
// --zero free-end|profile.
Setup ReadSetup(const ParsedOptions& options, Setup base);

// The program of the toolpaths (one toolpath's, or the whole job's) checked and written as the
// options ask: what GenerateProgram refuses throws OperationError before anything is written; with
// --check the verdict goes to `err`, and with --strict a collision returns ExitCollision with
// nothing written; --path-csv writes the last toolpath's moves, --stock-csv and --stock-out the
// stock that all the toolpaths leave; the program goes to -o FILE or `out`. The check and the
// stock start from the stock the toolpaths before the last leave.
int WriteProgram(const ParsedOptions& options, std::span<const TToolpath* const> toolpaths,
                 bool wholeJob, const ProgramSettings& settings, const Setup& setup,
                 const TShaft& part, const TShaft& stock, std::ostream& out, std::ostream& err);

} // namespace torvex
