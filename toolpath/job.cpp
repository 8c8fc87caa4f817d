#include "toolpath/job.h"

#include <cmath>

namespace torvex {

std::optional<RoughingOperation> RoughingOperationOf(int code) {
    if (code < 0 || code > 6)
        return std::nullopt;
    return static_cast<RoughingOperation>(code);
}

std::optional<FinishingOperation> FinishingOperationOf(int code) {
    if (code < 1 || code > 4)
        return std::nullopt;
    return static_cast<FinishingOperation>(code);
}

std::optional<GroovingOperation> GroovingOperationOf(int code) {
    if (code < 1 || code > 2)
        return std::nullopt;
    return static_cast<GroovingOperation>(code);
}

ToolSide ToolOf(RoughingOperation operation) {
    using enum RoughingOperation;
    bool right =
        operation == RightFromStock || operation == RightBelowTop || operation == RightEndFace;
    return right ? ToolSide::Right : ToolSide::Left;
}

ToolSide ToolOf(FinishingOperation operation) {
    using enum FinishingOperation;
    return operation == RightWithoutTop || operation == RightWithTop ? ToolSide::Right
                                                                     : ToolSide::Left;
}

double IsoThreadDepth(double pitch) {
    return std::round(0.6134 * pitch * 1000) / 1000;
}

double ThreadDepthOf(const ThreadingJob& job) {
    return job.Depth.value_or(IsoThreadDepth(job.Pitch));
}

double FirstCutOf(const ThreadingJob& job) {
    return job.FirstCut.value_or(std::round(ThreadDepthOf(job) / 3 * 1000) / 1000);
}

const JobTool& JobToolOf(const MachiningJob& job, ToolSide side) {
    return std::visit([side](const auto& j) -> const JobTool& { return ToolOn(j, side); }, job);
}

double JobTurningSpeed(const MachiningJob& job) {
    return std::visit([](const auto& j) { return j.TurningSpeed; }, job);
}

std::optional<SurfaceSpeed> JobSurfaceSpeed(const MachiningJob& job) {
    // Grooves and threads turn at a fixed speed.
    return std::visit(Overloaded{[](const GroovingJob&) { return std::optional<SurfaceSpeed>(); },
                                 [](const ThreadingJob&) { return std::optional<SurfaceSpeed>(); },
                                 [](const auto& j) { return j.Surface; }},
                      job);
}

} // namespace torvex
