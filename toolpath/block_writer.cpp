#include "toolpath/block_writer.h"

#include "platform/work_progress.h"

#include <utility>

namespace torvex {

void BlockWriter::BeginOperation(OperationKind kind, ToolSide tool, int toolNumber,
                                 std::optional<ThreadStretch> thread) {
    Tool = tool;
    ToolpathOperation operation;
    operation.Kind = kind;
    operation.Thread = thread;
    operation.Tool = tool;
    operation.ToolNumber = toolNumber;
    operation.FirstBlock = Toolpath.Blocks.size();
    operation.FirstMove = Toolpath.PathPoints.Count();
    Toolpath.Blocks.push_back(ToolChangeBlock(Number(), toolNumber));
    Toolpath.Operations.push_back(operation);
}

void BlockWriter::EndOperation() {
    ToolpathOperation& operation = Toolpath.Operations.back();
    operation.EndBlock = Toolpath.Blocks.size();
    operation.EndMove = Toolpath.PathPoints.Count();
}

void BlockWriter::BeginCycle(const ThreadCycle& cycle) {
    InCycle = true;
    CycleToCarry = cycle;
}

void BlockWriter::EndCycle() {
    InCycle = false;
    CycleToCarry.reset();
}

void BlockWriter::AddMove(const NcBlock& block, const TPoint& to, double feed) {
    WorkStep("Building the toolpath", 0, 0);
    TPunct move;
    move.X = to.X;
    move.Y = to.Y;
    bool rapid = IsRapid(block.Kind);
    move.Feed = rapid ? RapidTraverseFeed : feed;
    move.Kind = rapid ? MoveKind::Rapid : MoveKind::Feed;
    move.Tool = Tool;
    move.Block = block.Number;
    Toolpath.PathPoints.AddMove(move);
}

void BlockWriter::Write(NcBlock block, const TPoint& to, double feed) {
    block.InCycle = InCycle;
    if (CycleToCarry) {
        block = CarryingCycle(std::move(block), *CycleToCarry);
        CycleToCarry.reset();
    }
    AddMove(block, to, feed);
    Toolpath.Blocks.push_back(std::move(block));
}

void BlockWriter::Rapid(const TPoint& to) {
    Write(RapidXZBlock(Number(), to.Y, to.X), to, RapidTraverseFeed);
}

void BlockWriter::RapidZ(double z) {
    TPoint to{z, LastMove().Y};
    Write(RapidZBlock(Number(), z), to, RapidTraverseFeed);
}

void BlockWriter::RapidX(double x) {
    TPoint to{LastMove().X, x};
    Write(RapidXBlock(Number(), x), to, RapidTraverseFeed);
}

void BlockWriter::RapidApproachX(double x, double feedWord) {
    TPoint to{LastMove().X, x};
    Write(RapidXFeedBlock(Number(), x, feedWord), to, RapidTraverseFeed);
}

void BlockWriter::FeedX(double x, double feed) {
    TPoint to{LastMove().X, x};
    Write(FeedXBlock(Number(), x, feed), to, feed);
}

void BlockWriter::FeedZ(double z, double feed) {
    TPoint to{z, LastMove().Y};
    Write(FeedZBlock(Number(), z, feed), to, feed);
}

void BlockWriter::Feed(const TPoint& to, double feed) {
    Write(FeedXZBlock(Number(), to.Y, to.X, feed), to, feed);
}

void BlockWriter::FeedXThenZ(const TPoint& to, double feed) {
    Write(FeedXThenZBlock(Number(), to.Y, to.X, feed), to, feed);
}

void BlockWriter::ThreadZ(double z, double lead, double feed) {
    TPoint to{z, LastMove().Y};
    Write(ThreadZBlock(Number(), z, lead), to, feed);
}

void BlockWriter::Arc(const TPoint& to, const TPoint& centre, ArcTurn turn, double radius,
                      std::optional<double> feedWord, std::span<const TPoint> preview,
                      double feed) {
    NcBlock block = ArcBlock(Number(), turn, to.Y, to.X, centre.Y, centre.X, radius, feedWord);
    for (const TPoint& p : preview)
        AddMove(block, p, feed);
    Write(std::move(block), to, feed);
}

} // namespace torvex
