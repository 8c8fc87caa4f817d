#pragma once

#include "geometry/point_list.h"
#include "material/knife_sweep.h"
#include "material/material.h"

#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>

namespace torvex {

class TToolpath;

// A simulation that cannot run: a tool that moves has no usable knife outline.
class SimulationError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// PositionAt's answer once the run is over; its Y means nothing.
inline constexpr double EndMarkerX = -1000000.0;
inline bool IsEndMarker(const TPoint& position) {
    return position.X == EndMarkerX;
}

// One simulation run in the profile plane. Each move takes away from the material what the knife
// of the tool that makes it covers on its way from the move's start to its end: the knife's
// outline swept along the move, exactly as the knife check sweeps it. Rapid moves take material
// away too: a rapid move through material is a crash the check reports, and that material does
// not stand after it. A threading toolpath's moves leave its thread's band (ThreadBand) standing:
// the crests of the helix, which the profile plane keeps.
class TSimulation {
public:
    // The knives (left, right) cut the stock profile along the path, which cuts `thread` when
    // given. Throws SimulationError when a tool that makes a move has no knife outline.
    TSimulation(const std::array<KnifeShape, 2>& knives, TMaterial stock, const TPctList& path,
                const std::optional<ThreadStretch>& thread = std::nullopt);
    // The toolpath's own knives along its path.
    TSimulation(const TToolpath& toolpath, TMaterial stock);

    int32_t SegIndex = 0; // the path point that ends the move in progress at the last PositionAt
    TPunctArray Path;
    TMaterial Material;

    // Where the tool's tip is t seconds into the path, or the end marker after its last point.
    TPoint PositionAt(double t);
    // Takes away what the tool's knife sweeps while its tip goes from `from` to `to`; true when
    // any material went. Throws SimulationError for a tool without a knife outline.
    bool Cut(const TPoint& from, const TPoint& to, ToolSide tool);
    // What the tool's knife sweeps while its tip goes from `from` to `to`. Throws SimulationError
    // for a tool without a knife outline.
    material::Paths Sweep(const TPoint& from, const TPoint& to, ToolSide tool) const;
    // The material as a profile.
    const PointChain& Stock() const { return Material.Profile(); }

private:
    std::array<material::KnifeSweep, 2> Sweeps;
    std::array<material::Paths, 2> Bands; // each knife's thread band; none without a thread
};

// The knives of the toolpath's tools, refused as SimulationError when a tool that moves has none.
std::array<KnifeShape, 2> SimulatedKnives(const TToolpath& toolpath);

} // namespace torvex
