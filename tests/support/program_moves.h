#pragma once

#include <string>
#include <vector>

namespace torvex::testing {

// A move of a lathe program in the ZX plane: X is the radius (whatever the program's X mode),
// Z the axial position. An arc carries its centre and its turns: negative clockwise, positive
// counter-clockwise, seen with Z to the right and X upwards (the sense of G02 and G03).
struct ProgramMove {
    enum class Kind { Rapid, Feed, Arc };
    Kind Type = Kind::Feed;
    std::string Block; // the block number's digits
    double X = 0, Z = 0;
    double CentreX = 0, CentreZ = 0;
    int Turns = 0;
    double Feed = 0;        // the feed in force, mm/min (0 before any F word)
    bool SpindleOn = false; // whether the spindle turns during the move
    double Lead = 0;        // a move in step with the spindle: its travel per turn, mm
};

// The moves of numbered blocks (ParseNcBlock) read the way a lathe control reads them: G00 to G03
// are modal, a word that is not given keeps its value, X is a diameter when `diameter`, and an
// arc's centre is its start moved by I (a radius in either mode) and K, or without them the one
// of the two at distance R from both ends on the side its turn asks for. M03 and M04 start the
// spindle, M05 stops it. Throws std::invalid_argument for a block that moves before a motion
// word, for an arc whose ends lie farther apart than 2 R (by more than 0.001) and for one whose
// ends lie at distances from its I and K centre that differ by more than 0.001.
std::vector<ProgramMove> ReadProgramMoves(const std::vector<std::string>& blocks, bool diameter);

} // namespace torvex::testing
