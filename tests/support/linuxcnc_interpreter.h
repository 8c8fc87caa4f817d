#pragma once

#include "tests/support/program_moves.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace torvex::testing {

// One call the interpreter makes on its machine ("canonical" output), e.g.
// "   23 N0070  ARC_FEED(2.0000, 8.0000, 5.0000, 8.0000, -1, 0.0000, ...)".
struct CanonicalCall {
    std::string Block; // the N word of the program line, "....." for a line without one
    std::string Name;  // "STRAIGHT_FEED"
    std::vector<std::string> Arguments;
};

// What the interpreter made of a program.
struct InterpreterRun {
    int ExitStatus = -1;
    std::string Errors; // its messages on standard error, without its "executing" lines
    std::vector<CanonicalCall> Calls;
    std::vector<ProgramMove> Moves;

    // Whether it read the whole program without a message and reached its end (M2 or M30).
    bool Accepted() const;
};

// Reads the interpreter's canonical output. Throws std::invalid_argument for a line it does not
// understand and for an arc outside the ZX plane.
std::vector<CanonicalCall> ParseCanonicalOutput(std::string_view text);
// The moves of the calls, with the feed in force at each, whether the spindle turns and, for a
// move in step with it, its travel per turn.
std::vector<ProgramMove> CanonicalMoves(const std::vector<CanonicalCall>& calls);

// Why LinuxCNC's interpreter cannot be run here (the message of the script that fetches it), or
// nothing when it can.
std::optional<std::string> InterpreterUnavailable();

// Runs LinuxCNC's standalone interpreter on the program, configured as a lathe: X and Z axes,
// millimetres, a tool table of lathe tools 1 to 20 with no offsets, and no start-up codes, so the
// program must set its own plane, units and modes. Throws std::runtime_error when the
// interpreter is unavailable.
InterpreterRun RunLinuxCncInterpreter(const std::vector<std::string>& program);

} // namespace torvex::testing
