#include "checking/collision_check.h"

#include "checking/farthest_point.h"
#include "checking/part_region.h"
#include "material/knife_sweep.h"
#include "material/material.h"
#include "platform/work_progress.h"

#include <array>
#include <limits>
#include <span>

namespace torvex {

using namespace checking;
using namespace material;

namespace {

constexpr double Unbounded = std::numeric_limits<double>::max();

struct Overlap {
    TPoint Where;
    double Depth;
};

// The part as the moves of a thread see it: without the thread's band, its surface the part's
// profile and the band's outline.
struct ThreadedPart {
    Paths Band;
    Paths Part;
    Box PartBox;
    SegmentSet Surface;
};

void Record(OperationCheck& check, const Collision& collision) {
    if (!check.First)
        check.First = collision;
    if (!check.Deepest || collision.Depth > check.Deepest->Depth)
        check.Deepest = collision;
    ++check.Collisions;
    if (check.CollidingBlocks.empty() || check.CollidingBlocks.back() != collision.Block)
        check.CollidingBlocks.push_back(collision.Block);
}

} // namespace

struct CollisionCheck::Regions {
    PartRegion Part;
    SegmentSet PartProfile; // the part's surface, without the closing line along the axis
    Paths FinishedPart;     // the part as material left is measured beyond it
    SegmentSet PartRegionOutline;
    Paths Stock;
    Box StockBox;
    SegmentSet StockOutline;
    std::optional<Paths> Jaws;
    Box JawsBox;
    SegmentSet JawsOutline;
    // What every move of the runs so far swept, and where the last one ended.
    std::vector<Paths> Swept;
    std::vector<Box> SweptBounds;
    std::optional<TPoint> Position;
    // The stock less the sweeps up to `Removed`: the rest are taken away when a rapid move needs
    // the material, all at once.
    TMaterial Material;
    size_t Removed = 0;

    Regions(const PartProfiles& part, const PointChain& stock,
            const std::optional<PointChain>& jaws)
        : Part(part.Inner), Material(stock) {
        if (jaws) {
            Jaws = Paths{Positive(ToPath(*jaws))};
            JawsBox = BoundsOf(*Jaws);
            JawsOutline.AddPolyline(*jaws, true);
        }
        PartProfile.AddPolyline(part.Inner, false);
        PointChain finishedRegion = ClosedToAxis(part.Outer);
        FinishedPart = {Positive(ToPath(finishedRegion))};
        PartRegionOutline.AddPolyline(finishedRegion, true);
        Stock = {Positive(ToPath(ClosedToAxis(stock)))};
        StockBox = BoundsOf(Stock);
        StockOutline.AddPolyline(ClosedToAxis(stock), true);
    }

    void TakeAwaySwept() {
        Material.RemoveAll(std::span<const Paths>(Swept).subspan(Removed));
        Removed = Swept.size();
    }

    std::optional<Overlap> IntoJaws(const Paths& region, const Box& bounds) const {
        if (!Jaws || !bounds.Meets(JawsBox))
            return std::nullopt;
        Paths overlap = Clip(ClipperLib::ctIntersection, region, *Jaws);
        if (overlap.empty())
            return std::nullopt;
        FarthestPoint deepest = FarthestOnOutline(overlap, JawsOutline, Unbounded);
        return Overlap{deepest.Where, deepest.Distance};
    }

    ThreadedPart Threaded(const KnifeSweep& knife, const ThreadStretch& thread) const {
        ThreadedPart threaded{ThreadBand(knife, thread), {}, {}, PartProfile};
        threaded.Part = OutsideBand(Part.Whole(), threaded.Band);
        threaded.PartBox = BoundsOf(threaded.Part);
        threaded.Surface.AddPaths(threaded.Band);
        return threaded;
    }

    // A thread's moves, few along one stretch, are tested against the whole part less its band;
    // all others against the pieces of the part near them.
    std::optional<Overlap> IntoPart(const Paths& region, const Box& bounds,
                                    const ThreadedPart* threaded) const {
        if (threaded && !bounds.Meets(threaded->PartBox))
            return std::nullopt;
        Paths overlap = threaded ? Clip(ClipperLib::ctIntersection, region, threaded->Part)
                                 : Part.Overlap(region, bounds);
        if (overlap.empty())
            return std::nullopt;
        FarthestPoint deepest =
            FarthestOnOutline(overlap, threaded ? threaded->Surface : PartProfile, Unbounded);
        return Overlap{deepest.Where, deepest.Distance};
    }

    // The material a rapid meets is the stock less every earlier sweep; a point of it lies as deep
    // as its distance from the stock's outline or from the nearest sweep. The material kept
    // up to date tells whether there is any; only then are the sweeps near the move looked at.
    std::optional<Overlap> IntoMaterial(const Paths& region, const Box& bounds) {
        if (!bounds.Meets(StockBox))
            return std::nullopt;
        TakeAwaySwept();
        if (!Material.HasMaterialIn(region))
            return std::nullopt;
        Paths overlap = Clip(ClipperLib::ctIntersection, region, Stock);
        if (overlap.empty())
            return std::nullopt;
        Paths meeting;
        for (size_t k = 0; k < Swept.size(); ++k)
            if (SweptBounds[k].Meets(bounds))
                meeting.insert(meeting.end(), Swept[k].begin(), Swept[k].end());
        overlap = Clip(ClipperLib::ctDifference, overlap, meeting);
        if (overlap.empty())
            return std::nullopt;
        FarthestPoint deepest = Deepest(overlap, bounds, 0);
        // Sweeps farther from the overlap's box than that depth cannot make any point shallower.
        deepest = Deepest(overlap, bounds,
                          static_cast<ClipperLib::cInt>(deepest.Distance * UnitsPerMm) + 1);
        return Overlap{deepest.Where, deepest.Distance};
    }

    FarthestPoint Deepest(const Paths& overlap, const Box& bounds, ClipperLib::cInt margin) const {
        SegmentSet surface = StockOutline;
        Box near = bounds.Grown(margin);
        for (size_t k = 0; k < Swept.size(); ++k)
            if (SweptBounds[k].Meets(near))
                surface.AddPaths(Swept[k]);
        return FarthestOnOutline(overlap, surface, Unbounded);
    }

    // The stock less every sweep, as the simulation takes it away, then less the part (read in
    // the knife's favour) and what the jaws hold.
    void MaterialLeft(CheckResult& result) {
        TakeAwaySwept();
        Paths kept = FinishedPart;
        if (Jaws)
            kept.insert(kept.end(), Jaws->begin(), Jaws->end());
        Paths left = ClipAlongAxis(ClipperLib::ctDifference, Material.Region(), kept);
        FarthestPoint thickest = FarthestOnOutline(left, PartRegionOutline, Unbounded);
        result.MaterialLeftAt = thickest.Where;
        result.MaterialLeft = thickest.Distance;
        result.Material = Material.Profile();
    }
};

CollisionCheck::CollisionCheck(const PartProfiles& partProfile, const PointChain& stockProfile,
                               std::optional<PointChain> jaws)
    : Data(std::make_unique<Regions>(partProfile, stockProfile, jaws)) {}

CollisionCheck::~CollisionCheck() = default;

CheckResult CollisionCheck::Run(const std::vector<CheckedOperation>& operations,
                                const KnifeShape& leftKnife, const KnifeShape& rightKnife) {
    CheckResult result;
    std::optional<TPoint>& position = Data->Position;
    KnifeSweep leftSweep(leftKnife.Outline);
    KnifeSweep rightSweep(rightKnife.Outline);
    size_t moves = 0;
    for (const CheckedOperation& operation : operations)
        moves += operation.Moves.size();
    size_t done = 0;
    for (const CheckedOperation& operation : operations) {
        OperationCheck check;
        std::array<std::optional<ThreadedPart>, 2> threaded;
        for (const CheckedMove& move : operation.Moves) {
            WorkStep("Checking against the knives", done++, moves);
            bool left = move.Tool == ToolSide::Left;
            const KnifeSweep& knife = left ? leftSweep : rightSweep;
            if (knife.Empty())
                throw OutlineError(NoKnifeOutlineText(move.Tool));
            std::optional<ThreadedPart>& thread = threaded[static_cast<size_t>(move.Tool)];
            if (operation.Thread && !thread)
                thread = Data->Threaded(knife, *operation.Thread);
            // What a thread's move sweeps in its band stays standing: the crests of the helix.
            Paths region = knife.Along(position.value_or(move.To), move.To);
            Box bounds = BoundsOf(region);
            if (thread)
                region = OutsideBand(region, thread->Band);
            bool feed = move.Kind == MoveKind::Feed;
            const std::string& name = left ? leftKnife.Name : rightKnife.Name;
            const ThreadedPart* threadedPart = thread ? &*thread : nullptr;
            // A thread's rapids, which may enter its band, must keep out of the part beside it.
            std::optional<Overlap> overlap;
            CollisionKind kind =
                feed ? CollisionKind::IntoPart : CollisionKind::RapidThroughMaterial;
            if (feed || thread)
                overlap = Data->IntoPart(region, bounds, threadedPart);
            // Rapids meet no material; nor do a thread's passes outside its band.
            if ((!feed || thread) && !(overlap && overlap->Depth > CollisionTolerance)) {
                overlap = Data->IntoMaterial(region, bounds);
                if (feed)
                    kind = CollisionKind::ThreadThroughMaterial;
            }
            if (overlap && overlap->Depth > CollisionTolerance)
                Record(check, {kind, move.Block, name, overlap->Where, overlap->Depth});
            std::optional<Overlap> jaws = Data->IntoJaws(region, bounds);
            if (jaws && jaws->Depth > CollisionTolerance)
                Record(check,
                       {CollisionKind::IntoChuck, move.Block, name, jaws->Where, jaws->Depth});
            Data->Swept.push_back(std::move(region));
            Data->SweptBounds.push_back(bounds);
            position = move.To;
        }
        result.Operations.push_back(std::move(check));
    }
    Data->MaterialLeft(result);
    return result;
}

bool CheckResult::HasCollision() const {
    return FirstCollision().has_value();
}

std::optional<Collision> CheckResult::FirstCollision() const {
    for (const OperationCheck& operation : Operations)
        if (operation.First)
            return operation.First;
    return std::nullopt;
}

std::optional<Collision> CheckResult::DeepestCollision() const {
    std::optional<Collision> deepest;
    for (const OperationCheck& operation : Operations)
        if (operation.Deepest && (!deepest || operation.Deepest->Depth > deepest->Depth))
            deepest = operation.Deepest;
    return deepest;
}

} // namespace torvex
