#pragma once

#include "operations/machine_limits.h"
#include "operations/nc_program.h"
#include "toolpath/nc_block.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace torvex {

// The controls a program is written for. Generic is the program's own text, which some controls
// accept as it is; LinuxCNC and Fanuc (a lathe of its T series) read their programs unedited.
enum class NcDialect : uint8_t { Generic, LinuxCnc, Fanuc };

// How the program is written for its control.
struct NcDialectOptions {
    NcDialect Dialect = NcDialect::Generic;
    bool Diameter = false; // X words carry the diameter (R, I and K words stay radii)
    int ProgramNumber = 1; // Fanuc: the number of the "O" line, 1 to 9999
    std::string DoorCode;  // Fanuc: the M code that opens the door, e.g. "M21"
};

// How a program is written: for which control, and what it wraps around the toolpaths.
struct ProgramSettings {
    NcDialectOptions Dialect;
    NcProgramOptions Program;
    MachineLimits Limits; // what the machine takes: no program asks more
};

// A dialect's options before the user changes any: Fanuc lathes read X as a diameter.
NcDialectOptions DefaultDialectOptions(NcDialect dialect);
// Where the tool changes before the user says otherwise: the machine's own tool change position
// for LinuxCNC and Fanuc, none for the generic program, whose text stays as it always was.
ToolChangePosition DefaultToolChange(NcDialect dialect);
// "generic", "linuxcnc", "fanuc"; nothing for another name.
std::optional<NcDialect> DialectNamed(std::string_view name);
const char* DialectName(NcDialect dialect);
// Whether the dialect can open the door: LinuxCNC has no standard code for it.
bool OffersDoor(NcDialect dialect);
// Whether a control can take the text as its door code: "M" and one to three digits.
bool IsDoorCode(std::string_view code);
// Why a program cannot be written for the control with these options, or nothing when it can: a
// Fanuc program number out of 1 to 9999, a door code that is not one, a door the control cannot
// open, the machine's tool change position in the generic program, which has no code for it. The
// windows and the batch tool ask before anything is generated; the program text refuses likewise.
std::optional<std::string> DialectRefusal(const NcDialectOptions& options,
                                          const NcProgramOptions& program);

// The text of the program made of `blocks` (the spindle start, the toolpath's blocks and the
// trailer, NcProgramBlocks), one line per element, in the dialect:
// - Generic: each block's generic text, its X words doubled in diameter mode.
// - LinuxCNC: a set-up line (ZX plane, millimetres, absolute, arc centres relative to the start,
//   feed per minute, no cutter compensation, G8 radius or G7 diameter mode) before everything,
//   one motion word per block, tool changes "T3 M6 G43" that start the spindle again as it ran
//   (M6 stops it) unless the next block starts it, the machine's tool change position as
//   "G91 G30 X0", "G30 Z0", "G90" (the radial axis first), and M30 at the end.
// - Fanuc: "%" and the "O" line, a set-up line (ZX plane, millimetres, no cutter compensation,
//   constant spindle speed, feed per minute), one motion word per block, every coordinate, centre
//   offset and feed with a decimal point (a Fanuc reads "X40" as 40 of its smallest increments),
//   tool changes "T0303" (tool and offset), the machine's tool change position as "G28 U0." and
//   "G28 W0.", the door block with the door code, M30 and "%".
// A spindle start at constant surface speed is "G96 D<max> S<V> M03" on LinuxCNC and "G50 S<max>"
// then "G96 S<V> M03" on Fanuc (V in m/min, the maximum in rev/min, both whole numbers); a start
// at a turning speed after it switches back with "G97" first. The generic program writes its
// turning speed as it always has.
// Both controls are given an arc's centre instead of its radius: "G02 X16.178 Z37.299 I-0.089
// K7.299", I and K the centre's offsets from the arc's start (the end of the move before it),
// radial and axial, I a radius in either X mode. An arc whose ends would be written less than
// 0.005 apart is written as a G01 to its end. Throws std::invalid_argument for an arc whose start
// no move since the last tool change (whose offsets move the point the words mean) has set in
// both axes.
// The block numbers are the blocks' own; the closing M30 takes the last number plus 5, so the
// blocks are not changed. Throws std::invalid_argument with the DialectRefusal text when the
// options cannot write these blocks.
std::vector<std::string> NcProgramText(const std::vector<NcBlock>& blocks,
                                       const NcDialectOptions& options);

// The program of one toolpath or, with `wholeJob` (or several toolpaths), of the toolpaths as one
// job, as the settings ask for it; LinuxCNC and Fanuc leave out a tool change to the tool already
// in place. Its text is NcProgramText(program.Blocks, settings.Dialect).
NcProgram ProgramFor(std::span<const TToolpath* const> toolpaths, bool wholeJob,
                     const ProgramSettings& settings);

} // namespace torvex
