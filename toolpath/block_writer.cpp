#include "toolpath/block_writer.h"

#include "toolpath/toolpath.h"

#include <iterator>
#include <utility>

namespace torvex {

BlockWriter::BlockWriter(TToolpath& toolpath, ToolSide tool)
    : Toolpath(toolpath), Tool(tool), NumberBefore(toolpath.BlockNo) {
    Moves.RejectDuplicates = false;
}

BlockWriter::~BlockWriter() {
    if (!Done)
        Toolpath.BlockNo = NumberBefore;
}

int32_t BlockWriter::Number(int32_t step) {
    Toolpath.BlockNo += step;
    return Toolpath.BlockNo;
}

void BlockWriter::Write(NcBlock block) {
    Blocks.push_back(std::move(block));
}

void BlockWriter::MoveTo(double x, double y, double feed) {
    TPunct move;
    move.X = x;
    move.Y = y;
    move.Feed = feed;
    move.Tool = Tool;
    if (!Blocks.empty()) {
        move.Block = Blocks.back().Number;
        move.Kind = IsRapid(Blocks.back().Kind) ? MoveKind::Rapid : MoveKind::Feed;
    }
    Moves.AddMove(move);
}

void BlockWriter::Commit() {
    TPctList& path = Toolpath.PathPoints;
    path.RejectDuplicates = false;
    path.Reserve(path.Count() + Moves.Count());
    try {
        for (const TPunct& p : Moves)
            path.AddMove(p);
    } catch (...) {
        path.RejectDuplicates = true;
        throw;
    }
    path.RejectDuplicates = true;
    std::vector<NcBlock>& blocks = Toolpath.Blocks;
    blocks.reserve(blocks.size() + Blocks.size());
    blocks.insert(blocks.end(), std::make_move_iterator(Blocks.begin()),
                  std::make_move_iterator(Blocks.end()));
    Done = true;
}

std::vector<NcBlock> BlockWriter::Release() {
    Done = true;
    return std::move(Blocks);
}

} // namespace torvex
