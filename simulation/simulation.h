#pragma once

#include "geometry/element.h"
#include "geometry/point_list.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace torvex {

// A simulation that cannot run: the tool it cuts with has no usable outline.
class SimulationError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "The left tool has no knife outline to simulate with." (or the right one's).
std::string NoToolOutlineText(ToolSide tool);
// "The left tool's knife outline has no point at its tip (0, 0)." (or the right one's).
std::string NoToolTipText(ToolSide tool);

// A knife's outline and its two flanks, split at its tip.
struct TKnifeShape {
    std::vector<TPoint> Outline;
    std::vector<TPoint> LeftFlank;  // outline from its first point to the tip
    std::vector<TPoint> RightFlank; // outline from its last point back to the tip
};

// PositionAt's answer once the run is over; its Y means nothing.
inline constexpr double EndMarkerX = -1000000.0;
inline bool IsEndMarker(const TPoint& position) {
    return position.X == EndMarkerX;
}

// One simulation run in the profile plane: the outline of the tool that makes a move, swept from
// one position of its tip to the next, removes material from the stock profile. A stock point that
// falls inside the swept region is replaced by the points where the stock's edges cross the
// region's edges, and the profile is then thinned.
class TSimulation {
public:
    // Copies X and Y of both tools' outlines and the stock, and the whole path with its timing.
    TSimulation(const TPctList& leftOutline, const TPctList& rightOutline,
                const std::vector<TPoint>& stock, const TPctList& path);
    TSimulation(const TPctList& leftOutline, const TPctList& rightOutline, const TPctList& stock,
                const TPctList& path);
    // A run whose moves are all made by the left tool.
    TSimulation(const TPctList& toolOutline, const std::vector<TPoint>& stock,
                const TPctList& path);
    TSimulation(const TPctList& toolOutline, const TPctList& stock, const TPctList& path);

    int32_t SegIndex = 0; // the path point that ends the move in progress at the last PositionAt
    std::array<TKnifeShape, 2> Knives; // the left and the right tool
    std::vector<TPoint> Sweep;         // the open polyline around the last swept region
    double SweepMinY = 0;
    double SweepMinX = 0;
    double SweepMaxX = 0;
    std::vector<TPoint> Stock; // the current stock profile, in profile order
    std::vector<TPoint> Work;  // the profile being cut during Cut
    TPunctArray Path;

    TKnifeShape& Knife(ToolSide tool) { return Knives[static_cast<size_t>(tool)]; }
    const TKnifeShape& Knife(ToolSide tool) const { return Knives[static_cast<size_t>(tool)]; }

    // Splits the tool's outline at its tip (0, 0) into the two flanks. Throws SimulationError for
    // an empty outline or one without its tip.
    void SplitOutline(ToolSide tool = ToolSide::Left);
    // Splits the outline of every tool that makes a feed move of the path, so that a run that
    // cannot cut is refused before its first move; a tool that only makes rapid moves, or none,
    // needs no outline.
    void SplitOutlinesOfPath();

    // Where the tool's tip is t seconds into the path, or the end marker after its last point.
    TPoint PositionAt(double t);

    // Builds the region swept by the tool's leading flank moving from previous to current.
    void BuildSweep(const TPoint& current, const TPoint& previous, ToolSide tool = ToolSide::Left);
    // Whether a stock point lies strictly inside the last sweep.
    bool IsInsideSweep(const TPoint& s) const;
    // Removes what the tool cuts moving from previous to current. A tool that crosses an end
    // face of the stock (the profile's smallest or largest X) lowers every stock point it sweeps
    // to its own height. Otherwise each run of swept stock points is replaced by where the edge
    // before the run crosses the sweep, the sweep's corners from there on, and where the edge
    // after the run crosses it; a crossing that does not exist is left out.
    void Cut(const TPoint& current, const TPoint& previous, ToolSide tool = ToolSide::Left);
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
