#pragma once

#include "geometry/point_list.h"
#include "toolpath/nc_block.h"

#include <cstdint>
#include <vector>

namespace torvex {

class TToolpath;

// The one place that numbers a toolpath's NC blocks. It collects blocks and the moves they make
// apart from the toolpath; Commit hands them over, and a writer that ends without Commit (a
// strategy that failed) leaves the toolpath's blocks, moves and block number as they were.
class BlockWriter {
public:
    // Moves written here are made by `tool`.
    BlockWriter(TToolpath& toolpath, ToolSide tool);
    BlockWriter(const BlockWriter&) = delete;
    BlockWriter& operator=(const BlockWriter&) = delete;
    ~BlockWriter();

    // Uses up the number `step` after the last one and returns it.
    int32_t Number(int32_t step = 10);
    // Writes a block numbered by Number.
    void Write(NcBlock block);
    // A move to (x, y) timed at `feed`, made by the block written last: rapid when that block is.
    void MoveTo(double x, double y, double feed);
    // The end of the last move written here.
    const TPunct& LastMove() const { return Moves.Last(); }

    // Appends the blocks and the moves to the toolpath; only the first move can fail (a zero feed
    // from the toolpath's last point), and then nothing is appended.
    void Commit();
    // Gives the blocks to the caller instead, their numbers used up for good (the program's
    // trailer, which is not part of the toolpath).
    std::vector<NcBlock> Release();

private:
    TToolpath& Toolpath;
    ToolSide Tool;
    int32_t NumberBefore;
    bool Done = false;
    std::vector<NcBlock> Blocks;
    TPctList Moves;
};

} // namespace torvex
