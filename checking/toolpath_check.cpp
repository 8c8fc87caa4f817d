#include "checking/toolpath_check.h"

#include "checking/verdict.h"
#include "geometry/shaft.h"
#include "toolpath/toolpath.h"

#include <map>

namespace torvex {

namespace {

bool UsesTool(const std::vector<CheckedOperation>& operations, ToolSide tool) {
    for (const CheckedOperation& operation : operations)
        for (const CheckedMove& move : operation.Moves)
            if (move.Tool == tool)
                return true;
    return false;
}

// The knife of a tool the moves use; an unused tool needs none.
KnifeShape Shape(const TKnife& knife, const std::string& tipName, const char* tool, bool used) {
    std::string name = tipName.empty() ? std::string(tool) : tipName;
    if (!used)
        return {name, {}};
    if (knife.Elements.empty())
        throw CheckError("The " + std::string(tool) +
                         " has no knife outline to check the toolpath with.");
    return {name, KnifeOutline(knife, name)};
}

} // namespace

std::vector<CheckedOperation> ToolpathOperations(const TToolpath& toolpath) {
    // An operation begins at its tool change, or at its strategy's entry when no tool change came
    // before it (a preview).
    std::map<int32_t, size_t> operationOfBlock;
    size_t operations = 0;
    bool toolChanged = false;
    for (const NcBlock& block : toolpath.Blocks) {
        if (block.Kind == BlockKind::ToolChange ||
            (block.Kind == BlockKind::RapidXZ && !toolChanged))
            ++operations;
        if (block.Kind == BlockKind::ToolChange || block.Kind == BlockKind::RapidXZ)
            toolChanged = block.Kind == BlockKind::ToolChange;
        operationOfBlock[block.Number] = operations == 0 ? 0 : operations - 1;
    }
    std::vector<CheckedOperation> result(operations);
    size_t current = 0;
    for (const TPunct& p : toolpath.PathPoints) {
        if (auto found = operationOfBlock.find(p.Block); found != operationOfBlock.end())
            current = found->second;
        if (result.empty())
            result.emplace_back(); // moves without blocks: one operation
        result[current].Moves.push_back({{p.X, p.Y}, p.Kind, p.Tool, p.Block});
    }
    return result;
}

CheckResult CheckToolpath(const TToolpath& toolpath, const TShaft& part, const TShaft& stock) {
    std::vector<CheckedOperation> operations = ToolpathOperations(toolpath);
    KnifeShape left = Shape(toolpath.LeftKnife, toolpath.LeftToolNames.TipName, "left tool",
                            UsesTool(operations, ToolSide::Left));
    KnifeShape right = Shape(toolpath.RightKnife, toolpath.RightToolNames.TipName, "right tool",
                             UsesTool(operations, ToolSide::Right));
    return CollisionCheck(ProfileChain(part), ProfileChain(stock), left, right).Run(operations);
}

ToolpathVerdict VerdictOfToolpath(const TToolpath& toolpath, const TShaft& part,
                                  const TShaft& stock) {
    try {
        CheckResult result = CheckToolpath(toolpath, part, stock);
        return {VerdictText(result), true, result.HasCollision()};
    } catch (const CheckError& error) {
        return {std::string("Not checked against the knives: ") + error.what(), false, false};
    }
}

} // namespace torvex
