#include "operations/toolpath_building.h"

#include "geometry/shaft.h"
#include "platform/errors.h"
#include "toollibrary/knife_file.h"
#include "toolpath/block_writer.h"
#include "toolpath/profile_measures.h"
#include "toolpath/strategies.h"
#include "workspace/workspace.h"

#include <algorithm>
#include <memory>
#include <utility>

namespace torvex {

namespace {

// The knife of a job's tool: its knife file's contour; no elements for a tool without a knife.
TKnife KnifeOf(const JobTool& tool) {
    TKnife knife;
    try {
        knife.LoadFromLines(ReadKnifeFields(tool.KnifeFile).Contour);
    } catch (const RangeError& error) {
        throw RangeError("The knife '" + tool.Names.TipName + "', its contour's " + error.what() +
                         ".");
    }
    return knife;
}

// The nose the strategies follow the part with: the knife's, unless it is too small to be written
// as an arc.
std::optional<KnifeNose> NoseOf(const TToolpath& toolpath, ToolSide side) {
    const std::optional<KnifeNose>& nose = toolpath.Knife(side).Nose;
    if (nose && nose->Radius >= SmallestArcRadius)
        return nose;
    return std::nullopt;
}

// A toolpath with the job and its knives, before any strategy runs.
template <class Job>
TToolpath NewToolpath(const TShaft& part, const TShaft& stock, const Job& job, std::string name) {
    RequireModel(part, stock);
    TToolpath toolpath;
    toolpath.Name = std::move(name);
    toolpath.Job = job;
    toolpath.LeftKnife = KnifeOf(job.Left);
    toolpath.RightKnife = KnifeOf(job.Right);
    return toolpath;
}

void RunRoughingOperation(BlockWriter& w, RoughingOperation operation, const TShaft& part,
                          const SideOutlines& outlines, double stockRadius, const RoughingJob& job,
                          const RoughingParameters& p) {
    using enum RoughingOperation;
    bool fromStock = operation == LeftFromStock || operation == RightFromStock;
    std::optional<double> climb =
        fromStock ? std::optional<double>(stockRadius - part.MaxRadius) : std::nullopt;
    switch (operation) {
    case WholeLength:
        RoughFullLength(w, part.Elements, stockRadius, job.Rest, p);
        break;
    case LeftFromStock:
    case LeftBelowTop:
        RoughFlank(w, BuildOffsetContour(outlines.Left.Elements, Flank::Left, job.Rest, climb),
                   Flank::Left, p);
        break;
    case RightFromStock:
    case RightBelowTop:
        RoughFlank(w, BuildOffsetContour(outlines.Right.Elements, Flank::Right, job.Rest, climb),
                   Flank::Right, p);
        break;
    }
}

} // namespace

void RequireModel(const TShaft& part, const TShaft& stock) {
    if (part.Points.Empty())
        throw OperationError(NoPartText);
    if (stock.Points.Empty())
        throw OperationError(NoStockText);
}

TToolpath BuildRoughing(const TShaft& part, const TShaft& stock, const RoughingJob& job,
                        std::string name) {
    TToolpath toolpath = NewToolpath(part, stock, job, std::move(name));
    SideOutlines outlines = part.SideOutlinesFor(EntryCorner::Drop, FlatTop::Drop, FlatTop::Drop);
    RoughingParameters p;
    p.SafeX = job.SafeZ + stock.MaxRadius;
    p.Offset = job.Offset;
    p.Depth = job.Depth;
    p.RadialFeed = job.TransversalFeed;
    p.AxialFeed = job.LongitudinalFeed;
    BlockWriter w(toolpath);
    for (RoughingOperation operation : job.Operations) {
        ToolSide side = ToolOf(operation);
        w.BeginOperation(operation == RoughingOperation::WholeLength
                             ? OperationKind::FullLengthRoughing
                             : OperationKind::SideRoughing,
                         side, ToolOn(job, side).Number);
        p.Nose = NoseOf(toolpath, side);
        RunRoughingOperation(w, operation, part, outlines, stock.MaxRadius, job, p);
        w.EndOperation();
    }
    return toolpath;
}

TToolpath BuildFinishing(const TShaft& part, const TShaft& stock, const FinishingJob& job,
                         std::string name) {
    TToolpath toolpath = NewToolpath(part, stock, job, std::move(name));
    auto flat = [&job](FinishingOperation withTop) {
        bool keep = std::find(job.Operations.begin(), job.Operations.end(), withTop) !=
                    job.Operations.end();
        return keep ? FlatTop::Keep : FlatTop::Drop;
    };
    SideOutlines outlines =
        part.SideOutlinesFor(EntryCorner::Keep, flat(FinishingOperation::RightWithTop),
                             flat(FinishingOperation::LeftWithTop));
    FinishingParameters p;
    p.SafeX = job.SafeZ + stock.MaxRadius;
    p.Offset = job.Offset;
    p.Approach = job.Approach;
    p.Feed = job.Feed;
    BlockWriter w(toolpath);
    for (FinishingOperation operation : job.Operations) {
        ToolSide side = ToolOf(operation);
        w.BeginOperation(OperationKind::Finishing, side, ToolOn(job, side).Number);
        p.Nose = NoseOf(toolpath, side);
        if (side == ToolSide::Right)
            FinishFlank(w, outlines.Right.Elements, Flank::Right, p);
        else
            FinishFlank(w, outlines.Left.Elements, Flank::Left, p);
        w.EndOperation();
    }
    return toolpath;
}

TToolpath BuildToolpath(const TShaft& part, const TShaft& stock, const MachiningJob& job,
                        std::string name) {
    return std::visit(
        Overloaded{
            [&](const RoughingJob& j) { return BuildRoughing(part, stock, j, std::move(name)); },
            [&](const FinishingJob& j) { return BuildFinishing(part, stock, j, std::move(name)); }},
        job);
}

std::string NextToolpathName(const Workspace& workspace, const char* kind) {
    return std::to_string(workspace.ToolpathCount() + 1) + "-" + kind;
}

void RequireRoomForAnother(const Workspace& workspace) {
    if (workspace.ToolpathCount() >= Workspace::MaxToolpaths)
        throw OperationError(TooManyToolpathsText);
}

TToolpath& AddToolpath(Workspace& workspace, const MachiningJob& job, std::string name) {
    RequireRoomForAnother(workspace);
    auto toolpath = std::make_unique<TToolpath>(
        BuildToolpath(workspace.Shaft, workspace.StockShaft, job, std::move(name)));
    workspace.Toolpaths.push_back(std::move(toolpath));
    return *workspace.Toolpaths.back();
}

} // namespace torvex
