#pragma once

#include "toolpath/job.h"

#include <vector>

namespace torvex {

// The roughing operations the user queued, in order: the end faces first (the stock beyond the
// part is faced off before any pass runs out over it), each once; then the whole length if at
// all, each side once.
class TRoughingQueue {
public:
    std::vector<RoughingOperation> Codes;
    bool LeftUsed = false;
    bool LeftContourQueued = false;
    bool RightUsed = false;
    bool RightContourQueued = false;
    bool LeftFaceQueued = false;
    bool RightFaceQueued = false;

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

// The grooving operations the user queued: the grooves and the part-off once each, the part-off
// last (nothing is left to groove once the part is off).
class TGroovingQueue {
public:
    std::vector<GroovingOperation> Codes;

    bool Allows(GroovingOperation operation) const;
    bool Add(GroovingOperation operation);
    void Clear();
};

} // namespace torvex
