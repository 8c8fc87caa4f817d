#include "operations/program_generation.h"

#include "geometry/shaft.h"
#include "operations/setup.h"
#include "operations/toolpath_building.h"
#include "toolpath/toolpath.h"

#include <algorithm>

namespace torvex {

double LargestSafeDistance(std::span<const TToolpath* const> toolpaths) {
    double safe = 0;
    for (const TToolpath* t : toolpaths)
        safe = std::max(safe, std::visit([](const auto& j) { return j.SafeZ; }, t->Job));
    return safe;
}

GeneratedProgram GenerateProgram(std::span<const TToolpath* const> toolpaths, bool wholeJob,
                                 ProgramSettings settings, const Setup& setup, const TShaft& part,
                                 const TShaft& stock) {
    if (std::optional<std::string> refusal = DialectRefusal(settings.Dialect, settings.Program))
        throw OperationError(*refusal);
    std::span<const TToolpath* const> programmed = wholeJob ? toolpaths : toolpaths.last(1);
    if (std::optional<std::string> refusal =
            ToolChangeRefusal(settings.Program.ToolChange, stock, LargestSafeDistance(programmed)))
        throw OperationError(*refusal);
    settings.Program.ZeroAt = ProgramZeroX(setup, part);
    GeneratedProgram generated;
    generated.Program = ProgramFor(programmed, wholeJob, settings);
    for (size_t k = 0; k < programmed.size(); ++k)
        RequireWithinLimits(*programmed[k], CheckedLimits(settings.Limits),
                            generated.Program.Numbers[k]);
    if (std::optional<std::string> refusal = ChuckRefusal(
            programmed, generated.Program, settings.Program.ToolChange, setup, part, stock))
        throw OperationError(*refusal);
    generated.Text = NcProgramText(generated.Program.Blocks, settings.Dialect);
    return generated;
}

} // namespace torvex
