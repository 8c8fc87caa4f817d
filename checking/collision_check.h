#pragma once

#include "geometry/point_list.h"
#include "material/outlines.h"
#include "toolpath/toolpath.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace torvex {

// One move of a toolpath as the check sees it: where the tip goes, how, with which knife, and the
// NC block that makes it.
struct CheckedMove {
    TPoint To;
    MoveKind Kind = MoveKind::Feed;
    ToolSide Tool = ToolSide::Left;
    int32_t Block = 0;
};

// The moves of one operation. Each move starts where the move before it ended, the first one where
// the previous operation ended; the very first move of a check starts at its own end. A threading
// operation carries its thread.
struct CheckedOperation {
    CheckedOperation(std::vector<CheckedMove> moves = {},
                     std::optional<ThreadStretch> thread = std::nullopt)
        : Moves(std::move(moves)), Thread(thread) {}

    std::vector<CheckedMove> Moves;
    std::optional<ThreadStretch> Thread;
};

// Any overlap shallower than this is taken for the knife touching the surface.
inline constexpr double CollisionTolerance = 0.001;

enum class CollisionKind {
    IntoPart,             // a feed move's knife reaches into the finished part
    RapidThroughMaterial, // a rapid move's knife meets material still there: a crash
    // A thread's pass meets material outside the thread's band: the bar was not turned to the
    // thread's crest (or is left standing beside the thread), more than a threading insert cuts.
    ThreadThroughMaterial,
    IntoChuck // a move's knife touches the chuck's jaws: a crash
};

struct Collision {
    CollisionKind Kind = CollisionKind::IntoPart;
    int32_t Block = 0;
    std::string Knife;
    TPoint Where;     // the deepest point of the overlap
    double Depth = 0; // how far that point lies inside the part (or the material), mm
};

struct OperationCheck {
    std::optional<Collision> First;
    std::optional<Collision> Deepest;
    size_t Collisions = 0; // moves that collide
    // The toolpath's own numbers of the blocks whose moves collide, in order, each once.
    std::vector<int32_t> CollidingBlocks;
};

struct CheckResult {
    std::vector<OperationCheck> Operations;
    // The thickest material left standing on the part once every move has been made: the largest
    // distance of a point of it from the part, and that point.
    double MaterialLeft = 0;
    TPoint MaterialLeftAt;
    // What the moves leave of the stock, as the simulation shows it (TMaterial::Profile).
    PointChain Material;

    bool HasCollision() const;
    std::optional<Collision> FirstCollision() const;
    std::optional<Collision> DeepestCollision() const;
};

// The part as the check reads it: a feed move's knife must not enter the region under `Inner`;
// material left standing is measured beyond the region under `Outer` (ProfileChain's readings).
struct PartProfiles {
    PointChain Inner;
    PointChain Outer;
};

// Checks moves against the true shape of the knives that make them. Every feed move's knife, swept
// along the move, must not reach deeper than CollisionTolerance into the part; every rapid move's
// knife must not reach that deep into the material still there: the stock less all that the
// moves before it swept, those of earlier runs of the check included; no move's knife may reach
// that deep into the chuck's jaws. Regions are the part's and the stock's profile closed down to
// the axis. A threading operation's knife may enter its thread's band (ThreadBand: down to the
// root, over the stretch), which its moves do not take from the material: a pass below the root,
// or any move into the part beside the band, is a collision.
class CollisionCheck {
public:
    // With `jaws`, the region the chuck's jaws take (the stock they hold included), which no move
    // may touch.
    CollisionCheck(const PartProfiles& partProfile, const PointChain& stockProfile,
                   std::optional<PointChain> jaws = std::nullopt);
    // A part without arcs, which reads alike both ways.
    CollisionCheck(const PointChain& partProfile, const PointChain& stockProfile,
                   std::optional<PointChain> jaws = std::nullopt)
        : CollisionCheck(PartProfiles{partProfile, partProfile}, stockProfile, std::move(jaws)) {}
    ~CollisionCheck();
    CollisionCheck(const CollisionCheck&) = delete;
    CollisionCheck& operator=(const CollisionCheck&) = delete;

    // Checks the operations, made with the two knives, on the material the runs before left; the
    // first move starts where the last run's last move ended. The material left is what all runs
    // so far leave, outside the part and the jaws. Throws OutlineError when a move is made by a
    // tool whose knife has no outline.
    CheckResult Run(const std::vector<CheckedOperation>& operations, const KnifeShape& left,
                    const KnifeShape& right);

private:
    struct Regions;
    std::unique_ptr<Regions> Data;
};

} // namespace torvex
