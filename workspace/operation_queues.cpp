#include "workspace/operation_queues.h"

namespace torvex {

bool TRoughingQueue::Allows(uint8_t code) const {
    switch (code) {
    case 0:
        return !LeftUsed && !RightUsed;
    case 1:
        return !LeftUsed;
    case 2:
        return !LeftContourQueued;
    case 3:
        return !RightUsed;
    case 4:
        return !RightContourQueued;
    default:
        return false;
    }
}

bool TRoughingQueue::Add(uint8_t code) {
    if (!Allows(code))
        return false;
    Codes.push_back(code);
    if (code <= 2)
        LeftUsed = true;
    if (code == 0 || code >= 3)
        RightUsed = true;
    if (code == 1 || code == 2)
        LeftContourQueued = true;
    if (code == 3 || code == 4)
        RightContourQueued = true;
    return true;
}

void TRoughingQueue::Clear() {
    *this = TRoughingQueue();
}

bool TFinishingQueue::Allows(uint8_t code) const {
    if (code == 1 || code == 2)
        return !LeftFinishQueued;
    if (code == 3 || code == 4)
        return !RightFinishQueued;
    return false;
}

bool TFinishingQueue::Add(uint8_t code) {
    if (!Allows(code))
        return false;
    Codes.push_back(code);
    if (code <= 2)
        LeftFinishQueued = true;
    else
        RightFinishQueued = true;
    if (code == 2)
        KeepLeftFlat = true;
    if (code == 4)
        KeepRightFlat = true;
    return true;
}

void TFinishingQueue::Clear() {
    *this = TFinishingQueue();
}

} // namespace torvex
