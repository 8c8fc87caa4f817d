#pragma once

#include "geometry/element.h"
#include "geometry/point_list.h"
#include "toolpath/nc_block.h"
#include "toolpath/toolpath.h"

#include <cstdint>
#include <optional>
#include <span>

namespace torvex {

// Rapid moves are timed at this feed, mm/min; they remove no material.
inline constexpr double RapidTraverseFeed = 6000;

// The one place that numbers a toolpath's NC blocks and records its moves. Each verb writes one
// NC block together with the timed path points of the move it makes, so blocks and moves cannot
// drift apart; a move is rapid when its block is, and made by the tool of the operation in
// progress (the left one before any). Blocks are numbered in steps of 10 after BlockNo.
class BlockWriter {
public:
    explicit BlockWriter(TToolpath& toolpath) : Toolpath(toolpath) {}
    BlockWriter(const BlockWriter&) = delete;
    BlockWriter& operator=(const BlockWriter&) = delete;

    // Starts an operation made by `tool`: its tool change "M06 T<number>", then whatever is written
    // until EndOperation; a threading operation records the thread it cuts.
    void BeginOperation(OperationKind kind, ToolSide tool, int toolNumber,
                        std::optional<ThreadStretch> thread = std::nullopt);
    void EndOperation();
    // The passes of a threading cycle: every block written until EndCycle is one of them, and the
    // first carries the cycle.
    void BeginCycle(const ThreadCycle& cycle);
    void EndCycle();

    // The verbs. Points are in the profile's frame: X along the axis (the Z word), Y the radius
    // (the X word).
    void Rapid(const TPoint& to);                   // G00 X Z
    void RapidZ(double z);                          // G00 Z, at the last radius
    void RapidX(double x);                          // G00 X, at the last axial position
    void RapidApproachX(double x, double feedWord); // G00 X F: the F word serves what follows
    void FeedX(double x, double feed);              // G01 X, at the last axial position
    void FeedZ(double z, double feed);              // G01 Z, at the last radius
    void Feed(const TPoint& to, double feed);       // G01 X Z
    void FeedXThenZ(const TPoint& to, double feed); // G01 X G01 Z
    // G33 Z K, at the last radius: the feed is the lead at the turning speed.
    void ThreadZ(double z, double lead, double feed);
    // G02/G03 to `to` about `centre` with radius R, through the preview points (in the direction
    // of travel); the F word only when given.
    void Arc(const TPoint& to, const TPoint& centre, ArcTurn turn, double radius,
             std::optional<double> feedWord, std::span<const TPoint> preview, double feed);
    // Uses up a block number without writing a block: an element that writes none.
    void SkipNumber() { Number(); }

    // The end of the last move written.
    const TPunct& LastMove() const { return Toolpath.PathPoints.Last(); }

private:
    int32_t Number() { return Toolpath.BlockNo += 10; }
    void AddMove(const NcBlock& block, const TPoint& to, double feed);
    void Write(NcBlock block, const TPoint& to, double feed);

    TToolpath& Toolpath;
    ToolSide Tool = ToolSide::Left;
    bool InCycle = false;
    std::optional<ThreadCycle> CycleToCarry;
};

} // namespace torvex
