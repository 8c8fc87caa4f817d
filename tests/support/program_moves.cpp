#include "tests/support/program_moves.h"

#include "tests/support/nc_block_parser.h"

#include <cmath>
#include <optional>
#include <stdexcept>

namespace torvex::testing {

std::vector<ProgramMove> ReadProgramMoves(const std::vector<std::string>& blocks, bool diameter) {
    std::vector<ProgramMove> moves;
    int motion = -1;
    double x = 0, z = 0, feed = 0;
    bool spindle = false;
    for (const std::string& text : blocks) {
        NcBlock block = ParseNcBlock(text);
        bool moves_tool = false;
        double r = 0;
        std::optional<double> i, k;
        for (const NcWord& word : block.Words) {
            switch (word.Letter) {
            case 'G':
                if (word.Value >= 0 && word.Value <= 3 && word.Value == std::floor(word.Value))
                    motion = static_cast<int>(word.Value);
                break;
            case 'M':
                if (word.Value == 3 || word.Value == 4)
                    spindle = true;
                else if (word.Value == 5)
                    spindle = false;
                break;
            case 'X':
                x = diameter ? word.Value / 2 : word.Value;
                moves_tool = true;
                break;
            case 'Z':
                z = word.Value;
                moves_tool = true;
                break;
            case 'R':
                r = word.Value;
                break;
            case 'I':
                i = word.Value;
                break;
            case 'K':
                k = word.Value;
                break;
            case 'F':
                feed = word.Value;
                break;
            default:
                break;
            }
        }
        if (!moves_tool)
            continue;
        if (motion < 0)
            throw std::invalid_argument("'" + text + "' moves before any motion word");
        ProgramMove move;
        move.Block = text.substr(1, text.find(' ') - 1);
        move.Type = motion == 0   ? ProgramMove::Kind::Rapid
                    : motion == 1 ? ProgramMove::Kind::Feed
                                  : ProgramMove::Kind::Arc;
        move.X = x;
        move.Z = z;
        move.Feed = feed;
        move.SpindleOn = spindle;
        if (move.Type == ProgramMove::Kind::Arc) {
            // The start is the end of the move before.
            double startX = moves.empty() ? 0 : moves.back().X;
            double startZ = moves.empty() ? 0 : moves.back().Z;
            move.Turns = motion == 2 ? -1 : 1;
            if (i || k) {
                move.CentreX = startX + i.value_or(0);
                move.CentreZ = startZ + k.value_or(0);
                double r1 = std::hypot(startX - move.CentreX, startZ - move.CentreZ);
                double r2 = std::hypot(x - move.CentreX, z - move.CentreZ);
                if (std::fabs(r1 - r2) > 0.001)
                    throw std::invalid_argument("'" + text + "': its ends lie " +
                                                std::to_string(r1) + " and " + std::to_string(r2) +
                                                " from its centre");
            } else {
                double dz = z - startZ, dx = x - startX;
                double half = std::hypot(dz, dx) / 2;
                if (half == 0 || half > r + 0.001)
                    throw std::invalid_argument("'" + text +
                                                "': no arc of radius R joins its ends");
                double offset = std::sqrt(std::max(0.0, r * r - half * half)) / (2 * half);
                // Clockwise arcs shorter than a half circle turn about a centre right of the
                // chord.
                double side = motion == 2 ? 1 : -1;
                move.CentreZ = (startZ + z) / 2 + side * offset * dx;
                move.CentreX = (startX + x) / 2 - side * offset * dz;
            }
        }
        moves.push_back(move);
    }
    return moves;
}

} // namespace torvex::testing
