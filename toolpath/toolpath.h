#pragma once

#include "geometry/element.h"
#include "geometry/knife.h"
#include "geometry/point_list.h"
#include "toolpath/flank.h"
#include "toolpath/nc_block.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace torvex {

// The names of one mounted tool as its slot shows them.
struct TToolStr {
    std::string SupportName;
    std::string TipName;
};

// One machining job: its tools and parameters, and the result of its strategies in two forms
// produced move by move: NC blocks and timed path points.
//
// A strategy writes its blocks and moves through a BlockWriter, which hands them over when it has
// finished; a strategy that fails (an ArithmeticError from a zero depth or feed, parallel lines in
// an offset contour) hands over nothing and leaves BlockNo, Blocks and PathPoints as they were.
// A strategy given no line or arc to follow (a flank that does not rise) writes nothing. The
// strategies of the left flank and of the whole length move the left tool, those of the right
// flank the right tool.
class BlockWriter;

class TToolpath {
public:
    int32_t BlockNo = 0; // number of the last NC block written; only a BlockWriter changes it
    std::string Name;
    std::string PathType; // "Rough" or "Finish"
    Tobjects RightOffsetContour;
    Tobjects LeftOffsetContour;
    double SafeX = 0;  // radial retract level
    double StartX = 0; // entry x of the last strategy run
    double StartY = 0; // first feed level of the last strategy run
    double Offset = 0; // axial clearance beyond the profile's ends
    TToolStr LeftToolNames;
    TToolStr RightToolNames;
    TKnife LeftKnife;
    TKnife RightKnife;
    TPctList PathPoints;    // one point per move end (and arc preview point), timed
    TPctList ProfilePoints; // scratch: the discretised contour a strategy works on
    std::vector<NcBlock> Blocks;
    double CuttingFeed = 0;      // mm/min
    double LongitudinalFeed = 0; // mm/min
    double TurningSpeed = 0;     // rev/min
    double RapidFeed = 0;        // mm/min, the time base of rapid moves

    // The blocks as the program writes them.
    std::vector<std::string> NCBlocks() const;

    // Discretises the elements into ProfilePoints: line ends, arc ends and arcSteps - 1 preview
    // points per arc, ordered by x; points at one x are put in descending y (descendingTies) or
    // ascending y order.
    void BuildProfilePoints(const Tobjects& elements, bool descendingTies, uint8_t arcSteps);
    // The largest minus the smallest y of ProfilePoints (-2,000,000,000 when there are none).
    double ProfileHeight() const;
    // The x at which the polyline through ProfilePoints reaches the level y: the last strict
    // crossing in list order, which is where a tool coming from the right meets it. Without one,
    // the x of the point whose y is nearest the level (the last of them on a tie). Throws
    // ArithmeticError when there are no points.
    double ProfileXAt(double y) const;
    // The same for a tool coming from the left: the first strict crossing in list order.
    double ProfileXAtFromLeft(double y) const;

    // "M06 T<tool>" as a block of its own, before the operation that tool makes.
    void WriteToolChange(int tool);

    // Full-length roughing: longitudinal passes from the stock radius down to the profile's highest
    // point plus the rest, from left to right. `elements` is the whole profile.
    void RoughFullLength(const Tobjects& elements, double depth, double lift, double radialFeed,
                         double axialFeed, double stockRadius, double rest);

    // The flank's outline moved away from the part by `rest` and re-joined, into the flank's
    // offset contour; with `close`, it ends in a climb of height `extra` towards the stock. On
    // failure the previous contour is kept.
    void BuildRightOffsetContour(const Tobjects& elements, bool close, double rest, double extra);
    void BuildLeftOffsetContour(const Tobjects& elements, bool close, double rest, double extra);

    // Side roughing of one flank along its offset contour: layers from the top down, each cut
    // axially in to the contour, then one pass along the contour.
    void RoughRight(const Tobjects& elements, double depth, double lift, double radialFeed,
                    double axialFeed, uint8_t arcSteps);
    void RoughLeft(const Tobjects& elements, double depth, double lift, double radialFeed,
                   double axialFeed, uint8_t arcSteps);

    // One finishing pass along a flank's outline at `feed`, entering `approach` above its start.
    void FinishLeft(const Tobjects& elements, double feed, double approach, uint8_t arcSteps);
    void FinishRight(const Tobjects& elements, double feed, double approach, uint8_t arcSteps);

private:
    // Runs a strategy's body with a writer for `tool`'s moves and commits what it wrote; on
    // failure nothing is handed over.
    void RunStrategy(ToolSide tool, const std::function<void(BlockWriter&)>& body);
    // The entry of every strategy: rapid to the retract level above z.
    void RapidEntry(BlockWriter& w, double z);
    // A block and its move that changes one coordinate of the last move: radially or axially at a
    // feed, or axially at the rapid feed.
    void RadialFeedMove(BlockWriter& w, double y, double feed);
    void AxialFeedMove(BlockWriter& w, double z, double feed);
    void AxialRapidMove(BlockWriter& w, double z);
    // A roughing pass at level y: in radially, across to zTo, lifted away by (liftZ, liftY) and
    // back to where it came in.
    void RoughingPass(BlockWriter& w, double y, double zTo, double liftZ, double liftY,
                      double radialFeed, double axialFeed);
    double CrossingX(double y, bool firstCrossing) const;

    void BuildOffsetContour(const Tobjects& elements, Flank flank, bool close, double rest,
                            double extra, Tobjects& contour);
    void RoughFlank(const Tobjects& elements, Flank flank, double depth, double lift,
                    double radialFeed, double axialFeed, uint8_t arcSteps);
    void FinishFlank(const Tobjects& elements, Flank flank, double feed, double approach,
                     uint8_t arcSteps);
    // The pass along a contour, one block per element (an element that writes none still uses
    // up a block number). Blocks carry `blockFeed`, arc blocks only when `arcFeedWord`; moves are
    // timed at `moveFeed`.
    void FollowContour(BlockWriter& w, const Tobjects& elements, Flank flank, uint8_t arcSteps,
                       double blockFeed, double moveFeed, bool arcFeedWord);
};

} // namespace torvex
