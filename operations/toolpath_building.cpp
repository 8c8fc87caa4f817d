#include "operations/toolpath_building.h"

#include "geometry/number_text.h"
#include "geometry/shaft.h"
#include "material/outlines.h"
#include "operations/setup.h"
#include "platform/errors.h"
#include "toollibrary/knife_file.h"
#include "toolpath/block_writer.h"
#include "toolpath/profile_measures.h"
#include "toolpath/strategies.h"
#include "toolpath/threading.h"
#include "workspace/workspace.h"

#include <algorithm>
#include <charconv>
#include <cmath>
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
    toolpath.LeftKnife = KnifeOf(ToolOn(job, ToolSide::Left));
    toolpath.RightKnife = KnifeOf(ToolOn(job, ToolSide::Right));
    return toolpath;
}

bool IsEndFace(RoughingOperation operation) {
    return operation == RoughingOperation::LeftEndFace ||
           operation == RoughingOperation::RightEndFace;
}

OperationKind KindOf(RoughingOperation operation) {
    if (operation == RoughingOperation::WholeLength)
        return OperationKind::FullLengthRoughing;
    return IsEndFace(operation) ? OperationKind::EndFacing : OperationKind::SideRoughing;
}

Flank FlankOf(ToolSide side) {
    return side == ToolSide::Left ? Flank::Left : Flank::Right;
}

void RunRoughingOperation(BlockWriter& w, RoughingOperation operation, const TShaft& part,
                          const SideOutlines& outlines, double stockRadius,
                          const std::optional<EndFace>& face, const RoughingJob& job,
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
    case LeftEndFace:
    case RightEndFace:
        FaceEnd(w, *face, FlankOf(ToolOf(operation)), p);
        break;
    }
}

// The limit of the tip of the tool on `side` in the setup, refusing operations from the left in a
// chuck and a part the jaws and the knife's reach cover whole.
std::optional<double> LimitFor(const Setup& setup, const TShaft& part, const TShaft& stock,
                               bool fromTheLeft, const TToolpath& toolpath, ToolSide side) {
    std::optional<double> limit = TipLimit(setup, stock, toolpath.Knife(side));
    if (!limit)
        return limit;
    if (fromTheLeft)
        throw OperationError(LeftFlankInChuckText);
    double rightEnd = part.Points.Last().X;
    if (*limit >= rightEnd)
        throw OperationError("The chuck's jaws, their clearance and the knife '" +
                             toolpath.Tool(side).Names.TipName + "' reach to x " +
                             FloatToText(*limit) + ", beyond the part's right end at x " +
                             FloatToText(rightEnd) + ": nothing of the part can be reached.");
    return limit;
}

// A grooving knife's cutting edge is at least this wide.
constexpr double NarrowestEdge = 0.5;

std::string Mm(double value) {
    return FormatFloat("0.###", value);
}

// The grooving job's knife with its outline and cutting edge, refused when it cannot groove.
GroovingKnife GroovingKnifeOf(const TKnife& knife, const JobTool& tool) {
    std::optional<CuttingEdge> edge = CuttingEdgeOf(knife);
    if (!edge)
        throw OperationError(
            "The tool has no knife to groove with: drop a tool slot with a knife on "
            "\"Tool :\".");
    std::string name = tool.Names.TipName.empty() ? "of the tool" : tool.Names.TipName;
    if (edge->Width() < NarrowestEdge)
        throw OperationError("The knife " + name + " cuts with an edge " + Mm(edge->Width()) +
                             " mm wide: grooving and parting take a cutting edge of at least " +
                             Mm(NarrowestEdge) + " mm.");
    try {
        return {KnifeOutline(knife, name), *edge};
    } catch (const OutlineError&) {
        throw OperationError("The knife " + name +
                             " has no closed outline through its tip: its true shape cannot be "
                             "kept out of the part.");
    }
}

// The grooves the job cuts: every groove of the part, each wide enough for the knife's edge.
std::vector<Groove> GroovesToCut(const TShaft& part, const CuttingEdge& edge) {
    std::vector<Groove> grooves = FindGrooves(part.Elements);
    if (grooves.empty())
        throw OperationError("The part has no groove: nowhere does its profile lie lower than "
                             "its highest points on both sides.");
    for (const Groove& g : grooves)
        if (g.Width() < edge.Width() - 1e-9)
            throw OperationError("The groove from Z" + Mm(g.Left) + " to Z" + Mm(g.Right) + " (" +
                                 Mm(g.Width()) + " mm wide) is narrower than the knife's " +
                                 "cutting edge (" + Mm(edge.Width()) +
                                 " mm): the knife cannot enter it.");
    return grooves;
}

// The end of the part whose face the parting leaves at z.
Flank PartedEnd(const TShaft& part, double z) {
    double left = part.Points[0].X;
    double right = part.Points.Last().X;
    if (z >= right - 1e-9)
        return Flank::Right;
    if (z <= left + 1e-9)
        return Flank::Left;
    throw OperationError("Part off at Z must lie at or beyond one of the part's end faces, Z" +
                         Mm(left) + " or Z" + Mm(right) +
                         ": between them the knife would cut into the part.");
}

bool Queues(const GroovingJob& job, GroovingOperation operation) {
    return std::find(job.Operations.begin(), job.Operations.end(), operation) !=
           job.Operations.end();
}

// With a chuck, no move of a one-tool job's knife comes nearer to the jaws than the clearance;
// `advice` says what to do instead.
void RequireClearOfTheJaws(const TToolpath& toolpath, const Setup& setup, const TShaft& stock,
                           const char* advice) {
    std::optional<double> limit = TipLimit(setup, stock, toolpath.LeftKnife);
    if (!limit)
        return;
    for (const TPunct& move : toolpath.PathPoints)
        if (move.X < *limit - 1e-9)
            throw OperationError("The knife would come to x " + Mm(move.X) + ", nearer than " +
                                 Mm(setup.JawClearance) + " mm to the chuck's jaws: " + advice);
}

// The thread's crest: the radius of the part's cylinder over the stretch, refused when the stretch
// leaves the part or the profile is no cylinder there.
double ThreadCrest(const TShaft& part, double from, double to) {
    double left = part.Points[0].X;
    double right = part.Points.Last().X;
    for (auto [name, z] : {std::pair{"Thread from Z", from}, std::pair{"Thread to Z", to}})
        if (z < left - 1e-9 || z > right + 1e-9)
            throw OperationError(std::string(name) + " " + Mm(z) +
                                 " lies beyond the part, which reaches from Z" + Mm(left) +
                                 " to Z" + Mm(right) + ".");
    CylinderFit fit = CylinderOver(part.Elements, from, to);
    if (!fit.Radius)
        throw OperationError("The profile is no cylinder between Z" + Mm(from) + " and Z" + Mm(to) +
                             ": at Z" + Mm(fit.Off.X) + " its radius is " + Mm(fit.Off.Y) +
                             ". A thread is cut along a cylinder of the part.");
    return *fit.Radius;
}

// No more passes than this: a first cut and a minimum cut that small are a slip of the keyboard.
constexpr double MostThreadPasses = 999;

ThreadingParameters ThreadingParametersOf(const TShaft& part, const TShaft& stock,
                                          const ThreadingJob& job) {
    ThreadingParameters p;
    p.From = job.From;
    p.To = job.To;
    p.Pitch = job.Pitch;
    p.Depth = ThreadDepthOf(job);
    p.FirstCut = FirstCutOf(job);
    p.MinimumCut = job.MinimumCut;
    p.SpringPasses = job.SpringPasses;
    p.InfeedAngle = job.InfeedAngle;
    p.Feed = job.Pitch * job.TurningSpeed;
    if (std::fabs(job.From - job.To) < 1e-9)
        throw OperationError("Thread from Z and Thread to Z are both Z" + Mm(job.From) +
                             ": a thread runs from the one to the other.");
    if (p.FirstCut > p.Depth + 1e-9)
        throw OperationError("First cut depth " + Mm(p.FirstCut) +
                             " mm is deeper than the thread, " + Mm(p.Depth) + " mm deep.");
    if (p.Feed > MaxThreadingFeed)
        throw OperationError("Pitch " + Mm(job.Pitch) + " mm at " + Mm(job.TurningSpeed) +
                             " rev/min makes the knife travel " + Mm(p.Feed) +
                             " mm/min along the thread: a lathe keeps step with its spindle up "
                             "to " +
                             Mm(MaxThreadingFeed) + " mm/min. Lower the turning speed to " +
                             Mm(std::floor(MaxThreadingFeed / job.Pitch)) + " rev/min or less.");
    p.Crest = ThreadCrest(part, job.From, job.To);
    if (p.Depth >= p.Crest)
        throw OperationError("Thread depth " + Mm(p.Depth) + " mm reaches the axis: the thread's " +
                             "radius is " + Mm(p.Crest) + " mm.");
    // Each pass goes at least the minimum cut deeper, and the n-th at least first cut x sqrt(n).
    double passes = std::min(p.Depth / p.MinimumCut, std::pow(p.Depth / p.FirstCut, 2));
    if (passes > MostThreadPasses)
        throw OperationError("The thread would take more than " + Mm(MostThreadPasses) +
                             " passes: give a deeper first cut or minimum cut.");
    p.DriveX = p.Crest + job.SafeZ;
    p.SafeX = std::max(p.DriveX, stock.MaxRadius + job.SafeZ);
    return p;
}

} // namespace

void RequireModel(const TShaft& part, const TShaft& stock) {
    if (part.Points.Empty())
        throw OperationError(NoPartText);
    if (stock.Points.Empty())
        throw OperationError(NoStockText);
}

TToolpath BuildRoughing(const TShaft& part, const TShaft& stock, const RoughingJob& job,
                        std::string name, const Setup& setup) {
    TToolpath toolpath = NewToolpath(part, stock, job, std::move(name));
    using enum RoughingOperation;
    bool fromTheLeft = std::any_of(job.Operations.begin(), job.Operations.end(), [](auto o) {
        return o == LeftFromStock || o == LeftBelowTop || o == LeftEndFace;
    });
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
        p.Limit = LimitFor(setup, part, stock, fromTheLeft, toolpath, side);
        // An end face the stock does not reach beyond is no operation at all, not even a tool
        // change.
        std::optional<EndFace> face;
        if (IsEndFace(operation)) {
            face = EndFaceOf(part.Elements, stock.Elements, FlankOf(side));
            if (!face)
                continue;
        }
        w.BeginOperation(KindOf(operation), side, ToolOn(job, side).Number);
        p.Nose = NoseOf(toolpath, side);
        RunRoughingOperation(w, operation, part, outlines, stock.MaxRadius, face, job, p);
        w.EndOperation();
    }
    return toolpath;
}

TToolpath BuildFinishing(const TShaft& part, const TShaft& stock, const FinishingJob& job,
                         std::string name, const Setup& setup) {
    TToolpath toolpath = NewToolpath(part, stock, job, std::move(name));
    bool fromTheLeft =
        std::any_of(job.Operations.begin(), job.Operations.end(),
                    [](FinishingOperation o) { return ToolOf(o) == ToolSide::Left; });
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
        p.Limit = LimitFor(setup, part, stock, fromTheLeft, toolpath, side);
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

TToolpath BuildGrooving(const TShaft& part, const TShaft& stock, const GroovingJob& job,
                        std::string name, const Setup& setup) {
    TToolpath toolpath = NewToolpath(part, stock, job, std::move(name));
    GroovingKnife knife = GroovingKnifeOf(toolpath.LeftKnife, job.Tool);
    double width = knife.Edge.Width();
    GroovingParameters p;
    p.SafeX = job.SafeZ + stock.MaxRadius;
    p.Clearance = job.SafeZ;
    p.Rest = job.Rest;
    p.Step = job.Step.value_or(0.8 * width);
    p.Peck = job.Peck;
    p.PlungeFeed = job.PlungeFeed;
    p.FinishingFeed = job.FinishingFeed;
    if (p.Step > width + 1e-9)
        throw OperationError("Step must not be greater than the knife's cutting width, " +
                             Mm(width) + " mm.");
    std::vector<Groove> grooves;
    if (Queues(job, GroovingOperation::Grooves))
        grooves = GroovesToCut(part, knife.Edge);
    std::optional<Flank> partedEnd;
    if (Queues(job, GroovingOperation::PartOff))
        partedEnd = PartedEnd(part, job.PartAt.value_or(0));
    BlockWriter w(toolpath);
    for (GroovingOperation operation : job.Operations) {
        bool grooving = operation == GroovingOperation::Grooves;
        w.BeginOperation(grooving ? OperationKind::Grooving : OperationKind::PartingOff,
                         ToolSide::Left, job.Tool.Number);
        if (grooving)
            CutGrooves(w, part.Elements, grooves, stock.Elements, knife, p);
        else
            PartOff(w, job.PartAt.value_or(0), *partedEnd, job.FinalRadius, stock.Elements, knife,
                    p);
        w.EndOperation();
    }
    RequireClearOfTheJaws(toolpath, setup, stock,
                          "groove and part off there after flipping the part.");
    return toolpath;
}

TToolpath BuildThreading(const TShaft& part, const TShaft& stock, const ThreadingJob& job,
                         std::string name, const Setup& setup) {
    TToolpath toolpath = NewToolpath(part, stock, job, std::move(name));
    ThreadingParameters p = ThreadingParametersOf(part, stock, job);
    BlockWriter w(toolpath);
    w.BeginOperation(OperationKind::Threading, ToolSide::Left, job.Tool.Number,
                     ThreadStretch{p.From, p.To, p.Crest, p.Crest - p.Depth});
    CutThread(w, p);
    w.EndOperation();
    RequireClearOfTheJaws(toolpath, setup, stock, "cut the thread there after flipping the part.");
    return toolpath;
}

TToolpath BuildToolpath(const TShaft& part, const TShaft& stock, const MachiningJob& job,
                        std::string name, const Setup& setup) {
    TToolpath toolpath =
        std::visit(Overloaded{[&](const RoughingJob& j) {
                                  return BuildRoughing(part, stock, j, std::move(name), setup);
                              },
                              [&](const FinishingJob& j) {
                                  return BuildFinishing(part, stock, j, std::move(name), setup);
                              },
                              [&](const GroovingJob& j) {
                                  return BuildGrooving(part, stock, j, std::move(name), setup);
                              },
                              [&](const ThreadingJob& j) {
                                  return BuildThreading(part, stock, j, std::move(name), setup);
                              }},
                   job);
    return toolpath;
}

std::string NextToolpathName(const Workspace& workspace, const char* kind) {
    size_t highest = workspace.ToolpathCount();
    for (const auto& toolpath : workspace.Toolpaths) {
        const std::string& name = toolpath->Name;
        size_t number = 0;
        auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), number);
        if (error == std::errc() && end != name.data() && *end == '-')
            highest = std::max(highest, number);
    }
    return std::to_string(highest + 1) + "-" + kind;
}

void RequireRoomForAnother(const Workspace& workspace) {
    if (workspace.ToolpathCount() >= Workspace::MaxToolpaths)
        throw OperationError(TooManyToolpathsText);
}

TToolpath& AddToolpath(Workspace& workspace, const MachiningJob& job, std::string name) {
    RequireRoomForAnother(workspace);
    return AddToolpath(workspace, BuildToolpath(workspace.Shaft, workspace.StockShaft, job,
                                                std::move(name), workspace.Setup));
}

TToolpath& AddToolpath(Workspace& workspace, TToolpath toolpath) {
    RequireRoomForAnother(workspace);
    workspace.Toolpaths.push_back(std::make_unique<TToolpath>(std::move(toolpath)));
    return *workspace.Toolpaths.back();
}

} // namespace torvex
