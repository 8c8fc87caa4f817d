#include "checking/collision_check.h"

#include "checking/clipper_paths.h"
#include "checking/farthest_point.h"
#include "checking/sweep.h"

#include <limits>

namespace torvex {

using namespace checking;

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

// Counter-clockwise, as every region is kept, so that unions of them never cancel out.
Path Positive(Path path) {
    if (!ClipperLib::Orientation(path))
        ClipperLib::ReversePath(path);
    return path;
}

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
}

} // namespace

struct CollisionCheck::Regions {
    Paths Part;
    Box PartBox;
    SegmentSet PartProfile; // the part's surface, without the closing line along the axis
    Paths FinishedPart;     // the part as material left is measured beyond it
    SegmentSet PartRegionOutline;
    Paths Stock;
    Box StockBox;
    SegmentSet StockOutline;
    // What the runs so far swept, and where their last move ended.
    std::vector<Swept> SweptSoFar;
    std::optional<TPoint> Position;

    Regions(const PartProfiles& part, const Polyline& stock) {
        Part = {Positive(ToPath(ClosedToAxis(part.Inner)))};
        PartBox = BoundsOf(Part);
        PartProfile.AddPolyline(part.Inner, false);
        Polyline finishedRegion = ClosedToAxis(part.Outer);
        FinishedPart = {Positive(ToPath(finishedRegion))};
        PartRegionOutline.AddPolyline(finishedRegion, true);
        Polyline stockRegion = ClosedToAxis(stock);
        Stock = {Positive(ToPath(stockRegion))};
        StockBox = BoundsOf(Stock);
        StockOutline.AddPolyline(stockRegion, true);
    }

    std::optional<Overlap> IntoPart(const Paths& region, const Box& bounds) const {
        if (!bounds.Meets(PartBox))
            return std::nullopt;
        Paths overlap = Clip(ClipperLib::ctIntersection, region, Part);
        if (overlap.empty())
            return std::nullopt;
        FarthestPoint deepest = FarthestOnOutline(overlap, PartProfile, Unbounded);
        return Overlap{deepest.Where, deepest.Distance};
    }

    // The material a rapid meets is the stock less every earlier sweep; a point of it lies as deep
    // as its distance from the stock's outline or from the nearest sweep.
    std::optional<Overlap> IntoMaterial(const Paths& region, const Box& bounds,
                                        const std::vector<Swept>& before) const {
        if (!bounds.Meets(StockBox))
            return std::nullopt;
        Paths overlap = Clip(ClipperLib::ctIntersection, region, Stock);
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

    double MaterialLeft(const std::vector<Swept>& swept, TPoint& at) const {
        std::vector<Paths> regions{FinishedPart};
        for (const Swept& s : swept)
            regions.push_back(s.Region);
        Paths left = Clip(ClipperLib::ctDifference, Stock, UnionInPairs(std::move(regions)));
        FarthestPoint thickest = FarthestOnOutline(left, PartRegionOutline, Unbounded);
        at = thickest.Where;
        return thickest.Distance;
    }
};

CollisionCheck::CollisionCheck(const PartProfiles& partProfile, const Polyline& stockProfile)
    : Data(std::make_unique<Regions>(partProfile, stockProfile)) {}

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
        for (const CheckedMove& move : operation.Moves) {
            bool left = move.Tool == ToolSide::Left;
            const KnifeSweep& knife = left ? leftSweep : rightSweep;
            if (knife.Empty())
                throw CheckError(std::string("The ") + (left ? "left" : "right") +
                                 " tool has no knife outline to check the toolpath with.");
            Paths region = knife.Along(position.value_or(move.To), move.To);
            Box bounds = BoundsOf(region);
            bool feed = move.Kind == MoveKind::Feed;
            std::optional<Overlap> overlap =
                feed ? Data->IntoPart(region, bounds) : Data->IntoMaterial(region, bounds, swept);
            if (overlap && overlap->Depth > CollisionTolerance)
                Record(check, {feed ? CollisionKind::IntoPart : CollisionKind::RapidThroughMaterial,
                               move.Block, left ? leftKnife.Name : rightKnife.Name, overlap->Where,
                               overlap->Depth});
            swept.push_back({std::move(region), bounds});
            position = move.To;
        }
        result.Operations.push_back(std::move(check));
    }
    result.MaterialLeft = Data->MaterialLeft(swept, result.MaterialLeftAt);
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
