#pragma once

#include <cstdint>
#include <vector>

namespace torvex {

// The roughing operations the user queued, in order: 0 the whole length, 1 and 2 the left side
// (from the stock radius, below the part's largest radius), 3 and 4 the right side likewise.
class TRoughingQueue {
public:
    std::vector<uint8_t> Codes;
    bool LeftUsed = false;
    bool LeftContourQueued = false;
    bool RightUsed = false;
    bool RightContourQueued = false;

    bool Allows(uint8_t code) const;
    // Appends the code when allowed; returns whether it did.
    bool Add(uint8_t code);
    void Clear();
};

// The finishing operations the user queued: 1 and 2 the left side (2 with its flat top), 3 and 4
// the right side (4 with its flat top).
class TFinishingQueue {
public:
    std::vector<uint8_t> Codes;
    bool LeftFinishQueued = false;
    bool RightFinishQueued = false;
    bool KeepLeftFlat = false;
    bool KeepRightFlat = false;

    bool Allows(uint8_t code) const;
    bool Add(uint8_t code);
    void Clear();
};

} // namespace torvex
