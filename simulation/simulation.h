#pragma once

#include "geometry/element.h"
#include "geometry/point_list.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <vector>

namespace torvex {

// A simulation that cannot run: the tool it cuts with has no usable outline.
class SimulationError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* NoToolOutlineText =
    "The left tool has no knife outline to simulate with.";
inline constexpr const char* NoToolTipText =
    "The left tool's knife outline has no point at its tip (0, 0).";

// PositionAt's answer once the run is over; its Y means nothing.
inline constexpr double EndMarkerX = -1000000.0;
inline bool IsEndMarker(const TPoint& position) {
    return position.X == EndMarkerX;
}

// One simulation run in the profile plane: the tool's outline swept from one position of its tip
// to the next removes material from the stock profile. A stock point that falls inside the swept
// region is replaced by the points where the stock's edges cross the region's edges, and the
// profile is then thinned.
class TSimulation {
public:
    // Copies X and Y of the outline and the stock, and the whole path with its timing.
    TSimulation(const TPctList& toolOutline, const std::vector<TPoint>& stock,
                const TPctList& path);
    TSimulation(const TPctList& toolOutline, const TPctList& stock, const TPctList& path);

    int32_t SegIndex = 0; // the path point that ends the move in progress at the last PositionAt
    std::vector<TPoint> ToolOutline;
    std::vector<TPoint> LeftFlank;  // outline from its first point to the tip
    std::vector<TPoint> RightFlank; // outline from its last point back to the tip
    std::vector<TPoint> Sweep;      // the open polyline around the last swept region
    double SweepMinY = 0;
    double SweepMinX = 0;
    double SweepMaxX = 0;
    std::vector<TPoint> Stock; // the current stock profile, in profile order
    std::vector<TPoint> Work;  // the profile being cut during Cut
    TPunctArray Path;

    // Splits the outline at its tip (0, 0) into the two flanks. Throws SimulationError for an
    // empty outline or one without its tip.
    void SplitOutline();

    // Where the tool's tip is t seconds into the path, or the end marker after its last point.
    TPoint PositionAt(double t);

    // Builds the region swept by the leading flank moving from previous to current.
    void BuildSweep(const TPoint& current, const TPoint& previous);
    // Whether a stock point lies strictly inside the last sweep.
    bool IsInsideSweep(const TPoint& s) const;
    // Removes what the tool cuts moving from previous to current. A tool that crosses an end
    // face of the stock (the profile's smallest or largest X) lowers every stock point it sweeps
    // to its own height. Otherwise each run of swept stock points is replaced by where the edge
    // before the run crosses the sweep, the sweep's corners from there on, and where the edge
    // after the run crosses it; a crossing that does not exist is left out.
    void Cut(const TPoint& current, const TPoint& previous);
    // Thins Work into the new Stock, keeping its first and last points.
    void RebuildStock();

private:
    struct Crossing {
        TPoint Point;
        size_t Edge = 0; // the sweep edge that holds it
    };
    bool CrossesEndFace(const TPoint& current, const TPoint& previous) const;
    void LowerSweptPoints(double y);
    void ReplaceSweptPoints();
    // Where the stock edge from `anchor` to `other` crosses the sweep: on the last sweep edge
    // that it crosses.
    std::optional<Crossing> CrossSweep(const TPoint& anchor, const TPoint& other) const;
    void AppendReplacement(const std::optional<Crossing>& left,
                           const std::optional<Crossing>& right);
};

} // namespace torvex
