#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace torvex {

// The roughing operations, numbered as the batch tool's --ops gives them.
enum class RoughingOperation : uint8_t {
    WholeLength = 0,
    LeftFromStock = 1,  // the left side from the stock radius down
    LeftBelowTop = 2,   // the left side below the part's largest radius
    RightFromStock = 3, // the right side likewise
    RightBelowTop = 4,
};

// The finishing operations: one pass along a flank, with or without its flat top.
enum class FinishingOperation : uint8_t {
    LeftWithoutTop = 1,
    LeftWithTop = 2,
    RightWithoutTop = 3,
    RightWithTop = 4,
};

// The operation of a number, or nothing for a number no operation has.
std::optional<RoughingOperation> RoughingOperationOf(int code);
std::optional<FinishingOperation> FinishingOperationOf(int code);

bool IsLeftSide(RoughingOperation operation);   // the left tool makes it (the whole length too)
bool IsRightSide(FinishingOperation operation); // the right tool makes it

// The roughing operations the user queued, in order: the whole length first if at all, each side
// once.
class TRoughingQueue {
public:
    std::vector<RoughingOperation> Codes;
    bool LeftUsed = false;
    bool LeftContourQueued = false;
    bool RightUsed = false;
    bool RightContourQueued = false;

    bool Allows(RoughingOperation operation) const;
    // Appends the operation when allowed; returns whether it did.
    bool Add(RoughingOperation operation);
    void Clear();
};

// The finishing operations the user queued: one per side.
class TFinishingQueue {
public:
    std::vector<FinishingOperation> Codes;
    bool LeftFinishQueued = false;
    bool RightFinishQueued = false;
    bool KeepLeftFlat = false;
    bool KeepRightFlat = false;

    bool Allows(FinishingOperation operation) const;
    bool Add(FinishingOperation operation);
    void Clear();
};

} // namespace torvex
