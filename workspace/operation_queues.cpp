#include "workspace/operation_queues.h"

#include <algorithm>

namespace torvex {

using enum RoughingOperation;
using enum FinishingOperation;

namespace {

bool IsLeftSide(RoughingOperation operation) {
    return ToolOf(operation) == ToolSide::Left;
}

bool IsRightSide(FinishingOperation operation) {
    return ToolOf(operation) == ToolSide::Right;
}

} // namespace

bool TRoughingQueue::Allows(RoughingOperation operation) const {
    bool passQueued = LeftUsed || RightUsed;
    switch (operation) {
    case LeftEndFace:
        return !LeftFaceQueued && !passQueued;
    case RightEndFace:
        return !RightFaceQueued && !passQueued;
    case WholeLength:
        return !LeftUsed && !RightUsed;
    case LeftFromStock:
        return !LeftUsed;
    case LeftBelowTop:
        return !LeftContourQueued;
    case RightFromStock:
        return !RightUsed;
    case RightBelowTop:
        return !RightContourQueued;
    }
    return false;
}

bool TRoughingQueue::Add(RoughingOperation operation) {
    if (!Allows(operation))
        return false;
    Codes.push_back(operation);
    if (operation == LeftEndFace || operation == RightEndFace) {
        (operation == LeftEndFace ? LeftFaceQueued : RightFaceQueued) = true;
        return true;
    }
    if (IsLeftSide(operation))
        LeftUsed = true;
    if (!IsLeftSide(operation) || operation == WholeLength)
        RightUsed = true;
    if (operation == LeftFromStock || operation == LeftBelowTop)
        LeftContourQueued = true;
    if (operation == RightFromStock || operation == RightBelowTop)
        RightContourQueued = true;
    return true;
}

void TRoughingQueue::Clear() {
    *this = TRoughingQueue();
}

bool TFinishingQueue::Allows(FinishingOperation operation) const {
    return IsRightSide(operation) ? !RightFinishQueued : !LeftFinishQueued;
}

bool TFinishingQueue::Add(FinishingOperation operation) {
    if (!Allows(operation))
        return false;
    Codes.push_back(operation);
    if (IsRightSide(operation))
        RightFinishQueued = true;
    else
        LeftFinishQueued = true;
    if (operation == LeftWithTop)
        KeepLeftFlat = true;
    if (operation == RightWithTop)
        KeepRightFlat = true;
    return true;
}

void TFinishingQueue::Clear() {
    *this = TFinishingQueue();
}

bool TGroovingQueue::Allows(GroovingOperation operation) const {
    auto queued = [this](GroovingOperation o) {
        return std::find(Codes.begin(), Codes.end(), o) != Codes.end();
    };
    return !queued(operation) && !queued(GroovingOperation::PartOff);
}

bool TGroovingQueue::Add(GroovingOperation operation) {
    if (!Allows(operation))
        return false;
    Codes.push_back(operation);
    return true;
}

void TGroovingQueue::Clear() {
    *this = TGroovingQueue();
}

} // namespace torvex
