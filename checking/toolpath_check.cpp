#include "checking/toolpath_check.h"

#include "checking/verdict.h"
#include "geometry/shaft.h"
#include "toolpath/toolpath.h"

#include <algorithm>

namespace torvex {

namespace {

void RenumberOne(std::optional<Collision>& collision, const std::map<int32_t, int32_t>& numbers) {
    if (!collision)
        return;
    if (auto found = numbers.find(collision->Block); found != numbers.end())
        collision->Block = found->second;
}

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

void RenumberBlocks(CheckResult& result, const std::map<int32_t, int32_t>& numbers) {
    for (OperationCheck& operation : result.Operations) {
        RenumberOne(operation.First, numbers);
        RenumberOne(operation.Deepest, numbers);
    }
}

std::string JobVerdictText(std::span<const TToolpath* const> toolpaths,
                           const std::vector<CheckResult>& results) {
    std::string overall = NoCollisionText;
    std::string lines;
    for (size_t k = 0; k < results.size(); ++k) {
        std::string text = VerdictText(results[k]);
        std::string detail = text.substr(text.find(':') + 2);
        if (results[k].HasCollision() && overall == NoCollisionText)
            overall = "Checked against the knives: " + toolpaths[k]->Name + ": " + detail;
        lines += "\n" + toolpaths[k]->Name + ": " + detail;
    }
    if (!results.empty())
        lines.append("\n").append(MaterialLeftText(results.back()));
    return overall + lines;
}

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

std::vector<CheckResult> CheckToolpaths(std::span<const TToolpath* const> toolpaths,
                                        const TShaft& part, const TShaft& stock) {
    CollisionCheck check(
        PartProfiles{ProfileChain(part, ArcReading::Inner), ProfileChain(part, ArcReading::Outer)},
        ProfileChain(stock));
    std::vector<CheckResult> results;
    for (const TToolpath* toolpath : toolpaths) {
        std::vector<CheckedOperation> operations = ToolpathOperations(*toolpath);
        try {
            KnifeShape left =
                Shape(toolpath->LeftKnife, toolpath->Tool(ToolSide::Left).Names.TipName,
                      "left tool", UsesTool(operations, ToolSide::Left));
            KnifeShape right =
                Shape(toolpath->RightKnife, toolpath->Tool(ToolSide::Right).Names.TipName,
                      "right tool", UsesTool(operations, ToolSide::Right));
            results.push_back(check.Run(operations, left, right));
        } catch (const CheckError& error) {
            throw CheckError(toolpaths.size() == 1 ? std::string(error.what())
                                                   : toolpath->Name + ": " + error.what());
        }
    }
    return results;
}

CheckResult CheckToolpath(const TToolpath& toolpath, const TShaft& part, const TShaft& stock) {
    const TToolpath* alone[] = {&toolpath};
    return CheckToolpaths(alone, part, stock).front();
}

ToolpathVerdict VerdictOfToolpath(std::span<const TToolpath* const> toolpaths, const TShaft& part,
                                  const TShaft& stock, BlockNumbers numbers) {
    try {
        CheckResult result = CheckToolpaths(toolpaths, part, stock).back();
        if (!numbers.empty())
            RenumberBlocks(result, numbers.back());
        return {VerdictText(result), true, result.HasCollision()};
    } catch (const CheckError& error) {
        return {std::string("Not checked against the knives: ") + error.what(), false, false};
    }
}

ToolpathVerdict VerdictOfJob(std::span<const TToolpath* const> toolpaths, const TShaft& part,
                             const TShaft& stock, BlockNumbers numbers) {
    try {
        std::vector<CheckResult> results = CheckToolpaths(toolpaths, part, stock);
        for (size_t k = 0; k < numbers.size() && k < results.size(); ++k)
            RenumberBlocks(results[k], numbers[k]);
        return {JobVerdictText(toolpaths, results), true,
                std::any_of(results.begin(), results.end(),
                            [](const CheckResult& r) { return r.HasCollision(); })};
    } catch (const CheckError& error) {
        return {std::string("Not checked against the knives: ") + error.what(), false, false};
    }
}

} // namespace torvex
