#include "checking/collision_check.h"

#include "checking/farthest_point.h"
#include "material/knife_sweep.h"
#include "material/material.h"

#include <array>
#include <limits>

namespace torvex {

using namespace checking;
using namespace material;

namespace {

constexpr double Unbounded = std::numeric_limits<double>::max();

// What a move's knife swept, kept for the rapid moves after it.
struct Swept {
    Paths Region;
    Box Bounds;
};

struct Overlap {
    TPoint Where;
    double Depth;
};

// The part as the moves of a thread see it: without the thread's band, its surface the part's
// profile and the band's outline.
struct ThreadedPart {
    Paths Band;
    Paths Part;
    SegmentSet Surface;
};
// The union of the regions, merged two by two: one union of hundreds of regions that each overlap
// their neighbours spends its time on their crossings, again and again.
Paths UnionInPairs(std::vector<Paths> regions) {
    while (regions.size() > 1) {
        std::vector<Paths> merged;
        for (size_t i = 0; i < regions.size(); i += 2) {
            if (i + 1 == regions.size()) {
                merged.push_back(std::move(regions[i]));
                continue;
            }
            Paths both = std::move(regions[i]);
            both.insert(both.end(), regions[i + 1].begin(), regions[i + 1].end());
            merged.push_back(Clip(ClipperLib::ctUnion, both, {}));
        }
        regions = std::move(merged);
    }
    return regions.empty() ? Paths{} : std::move(regions.front());
}

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
    Paths Part;
    Box PartBox;
    SegmentSet PartProfile; // the part's surface, without the closing line along the axis
    Paths FinishedPart;     // the part as material left is measured beyond it
    SegmentSet PartRegionOutline;
    TMaterial Stock;
    Box StockBox;
    SegmentSet StockOutline;
    std::optional<Paths> Jaws;
    Box JawsBox;
    SegmentSet JawsOutline;
    // What the runs so far swept, and where their last move ended.
    std::vector<Swept> SweptSoFar;
    std::optional<TPoint> Position;

    Regions(const PartProfiles& part, const PointChain& stock,
            const std::optional<PointChain>& jaws) {
        if (jaws) {
            Jaws = Paths{Positive(ToPath(*jaws))};
            JawsBox = BoundsOf(*Jaws);
            JawsOutline.AddPolyline(*jaws, true);
        }
        Part = {Positive(ToPath(ClosedToAxis(part.Inner)))};
        PartBox = BoundsOf(Part);
        PartProfile.AddPolyline(part.Inner, false);
        PointChain finishedRegion = ClosedToAxis(part.Outer);
        FinishedPart = {Positive(ToPath(finishedRegion))};
        PartRegionOutline.AddPolyline(finishedRegion, true);
        Stock = TMaterial(stock);
        StockBox = BoundsOf(Stock.Region());
        StockOutline.AddPolyline(ClosedToAxis(stock), true);
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
        ThreadedPart threaded{ThreadBand(knife, thread), {}, PartProfile};
        threaded.Part = OutsideBand(Part, threaded.Band);
        threaded.Surface.AddPaths(threaded.Band);
        return threaded;
    }

    std::optional<Overlap> IntoPart(const Paths& region, const Box& bounds,
                                    const ThreadedPart* threaded) const {
        if (!bounds.Meets(PartBox))
            return std::nullopt;
        Paths overlap = Clip(ClipperLib::ctIntersection, region, threaded ? threaded->Part : Part);
        if (overlap.empty())
            return std::nullopt;
        FarthestPoint deepest =
            FarthestOnOutline(overlap, threaded ? threaded->Surface : PartProfile, Unbounded);
        return Overlap{deepest.Where, deepest.Distance};
    }

    // The material a rapid meets is the stock less every earlier sweep; a point of it lies as deep
    // as its distance from the stock's outline or from the nearest sweep.
    std::optional<Overlap> IntoMaterial(const Paths& region, const Box& bounds,
                                        const std::vector<Swept>& before) const {
        if (!bounds.Meets(StockBox))
            return std::nullopt;
        Paths overlap = Clip(ClipperLib::ctIntersection, region, Stock.Region());
        if (overlap.empty())
            return std::nullopt;
        Paths meeting;
        for (const Swept& s : before)
            if (s.Bounds.Meets(bounds))
                meeting.insert(meeting.end(), s.Region.begin(), s.Region.end());
        overlap = Clip(ClipperLib::ctDifference, overlap, meeting);
        if (overlap.empty())
            return std::nullopt;
        FarthestPoint deepest = Deepest(overlap, bounds, before, 0);
        // Sweeps farther from the overlap's box than that depth cannot make any point shallower.
        deepest = Deepest(overlap, bounds, before,
                          static_cast<ClipperLib::cInt>(deepest.Distance * UnitsPerMm) + 1);
        return Overlap{deepest.Where, deepest.Distance};
    }

    FarthestPoint Deepest(const Paths& overlap, const Box& bounds, const std::vector<Swept>& before,
                          ClipperLib::cInt margin) const {
        SegmentSet surface = StockOutline;
        Box near = bounds.Grown(margin);
        for (const Swept& s : before)
            if (s.Bounds.Meets(near))
                surface.AddPaths(s.Region);
        return FarthestOnOutline(overlap, surface, Unbounded);
    }

    // The stock less every sweep, as the simulation takes it away, then less the part (read in
    // the knife's favour) and what the jaws hold.
    void MaterialLeft(const std::vector<Swept>& swept, CheckResult& result) const {
        std::vector<Paths> regions;
        for (const Swept& s : swept)
            regions.push_back(s.Region);
        TMaterial material = Stock;
        material.Remove(UnionInPairs(std::move(regions)));
        Paths kept = FinishedPart;
        if (Jaws)
            kept.insert(kept.end(), Jaws->begin(), Jaws->end());
        Paths left = Clip(ClipperLib::ctDifference, material.Region(), kept);
        FarthestPoint thickest = FarthestOnOutline(left, PartRegionOutline, Unbounded);
        result.MaterialLeftAt = thickest.Where;
        result.MaterialLeft = thickest.Distance;
        result.Material = material.Profile();
    }
};

CollisionCheck::CollisionCheck(const PartProfiles& partProfile, const PointChain& stockProfile,
                               std::optional<PointChain> jaws)
    : Data(std::make_unique<Regions>(partProfile, stockProfile, jaws)) {}

CollisionCheck::~CollisionCheck() = default;

CheckResult CollisionCheck::Run(const std::vector<CheckedOperation>& operations,
                                const KnifeShape& leftKnife, const KnifeShape& rightKnife) {
    CheckResult result;
    std::vector<Swept>& swept = Data->SweptSoFar;
    std::optional<TPoint>& position = Data->Position;
    KnifeSweep leftSweep(leftKnife.Outline);
    KnifeSweep rightSweep(rightKnife.Outline);
    for (const CheckedOperation& operation : operations) {
        OperationCheck check;
        std::array<std::optional<ThreadedPart>, 2> threaded;
        for (const CheckedMove& move : operation.Moves) {
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
            if (feed || thread)
                overlap = Data->IntoPart(region, bounds, threadedPart);
            if (!feed && !(overlap && overlap->Depth > CollisionTolerance))
                overlap = Data->IntoMaterial(region, bounds, swept);
            if (overlap && overlap->Depth > CollisionTolerance)
                Record(check, {feed ? CollisionKind::IntoPart : CollisionKind::RapidThroughMaterial,
                               move.Block, name, overlap->Where, overlap->Depth});
            std::optional<Overlap> jaws = Data->IntoJaws(region, bounds);
            if (jaws && jaws->Depth > CollisionTolerance)
                Record(check,
                       {CollisionKind::IntoChuck, move.Block, name, jaws->Where, jaws->Depth});
            swept.push_back({std::move(region), bounds});
            position = move.To;
        }
        result.Operations.push_back(std::move(check));
    }
    Data->MaterialLeft(swept, result);
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
