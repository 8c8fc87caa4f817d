#include "checking/toolpath_check.h"

#include "checking/verdict.h"
#include "geometry/shaft.h"
#include "toolpath/toolpath.h"

namespace torvex {

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
    std::array<KnifeShape, 2> knives = ToolpathKnives(toolpath);
    return CollisionCheck(ProfileChain(part), ProfileChain(stock), knives[0], knives[1])
        .Run(ToolpathOperations(toolpath));
}

ToolpathVerdict VerdictOfToolpath(const TToolpath& toolpath, const TShaft& part,
                                  const TShaft& stock) {
    try {
        CheckResult result = CheckToolpath(toolpath, part, stock);
        return {VerdictText(result), true, result.HasCollision()};
    } catch (const OutlineError& error) {
        return {std::string("Not checked against the knives: ") + error.what(), false, false};
    }
}

} // namespace torvex
