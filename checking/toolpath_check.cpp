#include "checking/toolpath_check.h"

#include "checking/verdict.h"
#include "geometry/shaft.h"
#include "toolpath/toolpath.h"

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
    auto moves = [&toolpath](size_t first, size_t end) {
        CheckedOperation operation;
        for (size_t k = first; k < end; ++k) {
            const TPunct& p = toolpath.PathPoints[k];
            operation.Moves.push_back({{p.X, p.Y}, p.Kind, p.Tool, p.Block});
        }
        return operation;
    };
    std::vector<CheckedOperation> result;
    for (const ToolpathOperation& operation : toolpath.Operations)
        result.push_back(moves(operation.FirstMove, operation.EndMove));
    // Moves made outside any operation form one of their own.
    if (toolpath.Operations.empty() && !toolpath.PathPoints.Empty())
        result.push_back(moves(0, toolpath.PathPoints.Count()));
    return result;
}

CheckResult CheckToolpath(const TToolpath& toolpath, const TShaft& part, const TShaft& stock) {
    std::vector<CheckedOperation> operations = ToolpathOperations(toolpath);
    KnifeShape left = Shape(toolpath.LeftKnife, toolpath.Tool(ToolSide::Left).Names.TipName,
                            "left tool", UsesTool(operations, ToolSide::Left));
    KnifeShape right = Shape(toolpath.RightKnife, toolpath.Tool(ToolSide::Right).Names.TipName,
                             "right tool", UsesTool(operations, ToolSide::Right));
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
