#include "checking/toolpath_check.h"

#include "checking/verdict.h"
#include "geometry/shaft.h"
#include "toolpath/toolpath.h"

#include <algorithm>
#include <array>

namespace torvex {

namespace {

void RenumberOne(std::optional<Collision>& collision, const std::map<int32_t, int32_t>& numbers) {
    if (!collision)
        return;
    if (auto found = numbers.find(collision->Block); found != numbers.end())
        collision->Block = found->second;
}

// The region the chuck's jaws take with the stock they hold: from the jaw face leftwards, far past
// the stock's left end, and from the axis up to the jaws' height over the stock.
std::optional<PointChain> JawsOf(const Setup& setup, const TShaft& stock) {
    if (setup.Holding != WorkHolding::Chuck || stock.Points.Empty())
        return std::nullopt;
    double face = JawFaceOf(setup, stock);
    double left = std::min(face, stock.Points[0].X) - 100;
    double top = stock.MaxRadius + JawHeight;
    return PointChain{{left, 0}, {face, 0}, {face, top}, {left, top}};
}

// Names the collisions' blocks by the program's numbers.
void RenumberBlocks(CheckResult& result, const std::map<int32_t, int32_t>& numbers) {
    for (OperationCheck& operation : result.Operations) {
        RenumberOne(operation.First, numbers);
        RenumberOne(operation.Deepest, numbers);
    }
}

} // namespace

std::string JobVerdictText(std::span<const TToolpath* const> toolpaths,
                           const std::vector<CheckResult>& results, const PlaceTerms& terms) {
    std::string overall = NoCollisionText;
    std::string lines;
    for (size_t k = 0; k < results.size(); ++k) {
        std::string text = VerdictText(results[k], terms);
        std::string detail = text.substr(text.find(':') + 2);
        if (results[k].HasCollision() && overall == NoCollisionText)
            overall = "Checked against the knives: " + toolpaths[k]->Name + ": " + detail;
        lines += "\n" + toolpaths[k]->Name + ": " + detail;
    }
    if (!results.empty())
        lines.append("\n").append(MaterialLeftText(results.back(), terms));
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
    for (const ToolpathOperation& operation : toolpath.Operations) {
        result.push_back(moves(operation.FirstMove, operation.EndMove));
        result.back().Thread = operation.Thread;
    }
    // Moves made outside any operation form one of their own.
    if (toolpath.Operations.empty() && !toolpath.PathPoints.Empty())
        result.push_back(moves(0, toolpath.PathPoints.Count()));
    return result;
}

std::vector<CheckResult> CheckToolpaths(std::span<const TToolpath* const> toolpaths,
                                        const TShaft& part, const TShaft& stock,
                                        const Setup& setup) {
    CollisionCheck check(
        PartProfiles{ProfileChain(part, ArcReading::Inner), ProfileChain(part, ArcReading::Outer)},
        ProfileChain(stock), JawsOf(setup, stock));
    std::vector<CheckResult> results;
    for (const TToolpath* toolpath : toolpaths) {
        try {
            std::array<KnifeShape, 2> knives = ToolpathKnives(*toolpath);
            results.push_back(check.Run(ToolpathOperations(*toolpath), knives[0], knives[1]));
        } catch (const OutlineError& error) {
            throw OutlineError(toolpaths.size() == 1 ? std::string(error.what())
                                                     : toolpath->Name + ": " + error.what());
        }
    }
    return results;
}

CheckResult CheckToolpath(const TToolpath& toolpath, const TShaft& part, const TShaft& stock) {
    const TToolpath* alone[] = {&toolpath};
    return CheckToolpaths(alone, part, stock).front();
}

std::vector<CheckResult> CheckProgramToolpaths(std::span<const TToolpath* const> toolpaths,
                                               const TShaft& part, const TShaft& stock,
                                               const ProgramTerms& terms, const Setup& setup) {
    std::vector<CheckResult> results = CheckToolpaths(toolpaths, part, stock, setup);
    size_t named = std::min(terms.Numbers.size(), results.size());
    for (size_t k = 0; k < named; ++k)
        RenumberBlocks(results[results.size() - named + k],
                       terms.Numbers[terms.Numbers.size() - named + k]);
    return results;
}

ToolpathVerdict VerdictOfToolpath(std::span<const TToolpath* const> toolpaths, const TShaft& part,
                                  const TShaft& stock, const ProgramTerms& terms,
                                  const Setup& setup) {
    try {
        std::vector<CheckResult> results =
            CheckProgramToolpaths(toolpaths, part, stock, terms, setup);
        const CheckResult& result = results.back();
        std::string text = VerdictText(result, terms.Places);
        bool collides = result.HasCollision();
        return {std::move(text), true, collides, std::move(results)};
    } catch (const OutlineError& error) {
        return {std::string("Not checked against the knives: ") + error.what(), false, false, {}};
    }
}

ToolpathVerdict VerdictOfJob(std::span<const TToolpath* const> toolpaths, const TShaft& part,
                             const TShaft& stock, const ProgramTerms& terms, const Setup& setup) {
    try {
        std::vector<CheckResult> results =
            CheckProgramToolpaths(toolpaths, part, stock, terms, setup);
        std::string text = JobVerdictText(toolpaths, results, terms.Places);
        bool collides = std::any_of(results.begin(), results.end(),
                                    [](const CheckResult& r) { return r.HasCollision(); });
        return {std::move(text), true, collides, std::move(results)};
    } catch (const OutlineError& error) {
        return {std::string("Not checked against the knives: ") + error.what(), false, false, {}};
    }
}

} // namespace torvex
