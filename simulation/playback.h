#pragma once

#include "geometry/element.h"
#include "simulation/simulation.h"
#include "toolpath/toolpath.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace torvex {

class TToolpath;

inline constexpr const char* NoToolpathMovesText = "The toolpath has no moves to simulate.";

// The length and the running time of a toolpath, as the simulation shows them.
struct TToolpathTotals {
    double Length = 0; // mm, every move's distance
    double Time = 0;   // s, to the last point
};
TToolpathTotals ToolpathTotals(const TPctList& path);

// What one frame of a run did, for the display.
struct TFrameResult {
    double Time = 0;                // the simulated time the frame stands for
    TPoint ToolPosition;            // where the tool's tip is now
    ToolSide Tool = ToolSide::Left; // the tool that makes the move in progress
    bool StockChanged = false;
    bool Done = false; // the run is over: the whole path has been cut
};

// The playback of a toolpath against the material, frame by frame: the material kept between
// runs, and the run in progress with where its tool was last.
//
// The moves the tool has passed are cut one after the other exactly as the move-by-move run cuts
// them, so that the material a run leaves does not depend on the frame times. The move in
// progress is cut on top of that, from where its tool started to where it is now, and cut again
// whole once the tool has passed its end.
class TPlayback {
public:
    // The material a run starts from; kept by Initialize, Stop and the end of every run.
    TMaterial Saved;
    // Where the tool's tip stood at the last path point it passed: every sweep starts there.
    TPoint LastCutPos;
    // The path point whose move was in progress at the previous frame (none before any run).
    std::optional<int32_t> SimulationStep;

    // Prepares the toolpath's simulation: the material back to the stock profile, the run in
    // progress, if any, dropped. Returns the toolpath's totals; throws SimulationError without a
    // toolpath.
    TToolpathTotals Initialize(const TToolpath* toolpath, const PointChain& stock);
    TToolpathTotals Initialize(const TToolpath* toolpath, TMaterial stock);
    // Starts a run of the toolpath from its beginning on the saved material. Throws
    // SimulationError with the reason when the run cannot start (no toolpath, no moves, a tool
    // that moves without a usable knife outline); nothing changes then.
    void Start(const TToolpath* toolpath);
    // Ends the run, keeping the material cut so far; nothing without a run.
    void Stop();
    // Drops the run and the material: a new model.
    void Discard();
    // Moves the run on to the simulated time (seconds since Start): cuts every move the tool has
    // passed since the previous frame and the move in progress up to the tool. A time before the
    // previous frame's is taken as that one: the tool never goes back. Past the path's end the run
    // cuts what remains and ends. Without a run it does nothing.
    TFrameResult FrameStep(double time);

    bool Running() const { return Simulation.has_value(); }
    // The material as it is now, as a profile: the run's, or the one kept between runs.
    const PointChain& Stock() const;
    // The outline of a tool of the last run that started, about its tip.
    const PointChain& ToolOutline(ToolSide tool) const {
        return Outlines[static_cast<size_t>(tool)];
    }

private:
    std::optional<TSimulation> Simulation;
    // The material after the moves passed, without the move in progress.
    TMaterial Passed;
    bool MoveInProgressCut = false;
    double LastTime = 0;
    std::array<PointChain, 2> Outlines;
};

} // namespace torvex
