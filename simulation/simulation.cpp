#include "simulation/simulation.h"

#include "platform/errors.h"
#include "toolpath/toolpath.h"

#include <algorithm>

namespace torvex {

std::array<KnifeShape, 2> SimulatedKnives(const TToolpath& toolpath) {
    try {
        return ToolpathKnives(toolpath);
    } catch (const OutlineError& error) {
        throw SimulationError(error.what());
    }
}

TSimulation::TSimulation(const std::array<KnifeShape, 2>& knives, TMaterial stock,
                         const TPctList& path, const std::optional<ThreadStretch>& thread)
    : Path(path.Items()),
      Material(std::move(stock)), Sweeps{material::KnifeSweep(knives[0].Outline),
                                         material::KnifeSweep(knives[1].Outline)} {
    for (ToolSide tool : {ToolSide::Left, ToolSide::Right}) {
        bool moves = std::any_of(Path.begin(), Path.end(),
                                 [tool](const TPunct& p) { return p.Tool == tool; });
        if (moves && Sweeps[static_cast<size_t>(tool)].Empty())
            throw SimulationError(NoKnifeOutlineText(tool));
    }
    if (thread)
        for (size_t k = 0; k < Sweeps.size(); ++k)
            if (!Sweeps[k].Empty())
                Bands[k] = material::ThreadBand(Sweeps[k], *thread);
}

TSimulation::TSimulation(const TToolpath& toolpath, TMaterial stock)
    : TSimulation(SimulatedKnives(toolpath), std::move(stock), toolpath.PathPoints,
                  toolpath.Thread()) {}

TPoint TSimulation::PositionAt(double t) {
    if (Path.empty() || Path.back().TotalTime < t)
        return {EndMarkerX, 0};
    // TotalTime never decreases along the path.
    auto it = std::partition_point(Path.begin(), Path.end(),
                                   [t](const TPunct& p) { return p.TotalTime < t; });
    size_t i = static_cast<size_t>(it - Path.begin());
    SegIndex = static_cast<int32_t>(i);
    const TPunct& end = Path[i];
    // Before the start (a negative time) the tool waits at the first point.
    if (end.TotalTime == t || i == 0)
        return {end.X, end.Y};
    const TPunct& start = Path[i - 1];
    double remaining = SafeDivide(end.TotalTime - t, end.StepTime);
    return {end.X - (end.X - start.X) * remaining, end.Y - (end.Y - start.Y) * remaining};
}

bool TSimulation::Cut(const TPoint& from, const TPoint& to, ToolSide tool) {
    return Material.Remove(Sweep(from, to, tool));
}

material::Paths TSimulation::Sweep(const TPoint& from, const TPoint& to, ToolSide tool) const {
    const material::KnifeSweep& knife = Sweeps[static_cast<size_t>(tool)];
    if (knife.Empty())
        throw SimulationError(NoKnifeOutlineText(tool));
    return material::OutsideBand(knife.Along(from, to), Bands[static_cast<size_t>(tool)]);
}

} // namespace torvex
