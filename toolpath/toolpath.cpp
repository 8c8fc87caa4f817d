#include "toolpath/toolpath.h"

namespace torvex {

TToolpath::TToolpath() {
    // A toolpath's moves may return to where they have been: no duplicate test.
    PathPoints.RejectDuplicates = false;
}

std::vector<std::string> TToolpath::NCBlocks() const {
    std::vector<std::string> texts;
    texts.reserve(Blocks.size());
    for (const NcBlock& block : Blocks)
        texts.push_back(GenericText(block));
    return texts;
}

std::optional<ThreadStretch> TToolpath::Thread() const {
    for (const ToolpathOperation& operation : Operations)
        if (operation.Thread)
            return operation.Thread;
    return std::nullopt;
}

} // namespace torvex
