#include "toolpath/block_writer.h"
#include "toolpath/profile_measures.h"
#include "toolpath/toolpath.h"

namespace torvex {

void TToolpath::RoughRight(const Tobjects& elements, double depth, double lift, double radialFeed,
                           double axialFeed, uint8_t arcSteps) {
    RoughFlank(elements, Flank::Right, depth, lift, radialFeed, axialFeed, arcSteps);
}

void TToolpath::RoughLeft(const Tobjects& elements, double depth, double lift, double radialFeed,
                          double axialFeed, uint8_t arcSteps) {
    RoughFlank(elements, Flank::Left, depth, lift, radialFeed, axialFeed, arcSteps);
}

void TToolpath::RoughFlank(const Tobjects& elements, Flank flank, double depth, double lift,
                           double radialFeed, double axialFeed, uint8_t arcSteps) {
    const TObj* first = FirstProfileElement(elements);
    if (first == nullptr)
        return;
    RunStrategy(ToolOf(flank), [&](BlockWriter& w) {
        double outwards = Outwards(flank);
        StartX = EntryPoint(*first, flank).X;
        BuildProfilePoints(elements, flank == Flank::Right, arcSteps);
        double height = ProfileHeight();
        double contourStart = NearEnd(*first, flank).Y;
        StartY = contourStart + height;
        double zOut = StartX + outwards * Offset;
        RapidEntry(w, zOut);
        RadialFeedMove(w, StartY, radialFeed);
        int layers = PassCount(height, depth);
        for (int k = 1; k <= layers; ++k) {
            double y = StartY - depth * k;
            // The layer ends where the tool first meets the contour, on the contour's own lines
            // and arcs.
            double z = ContourXAtLevel(elements, flank, y);
            RoughingPass(w, y, z, outwards * lift, lift, radialFeed, axialFeed);
        }
        RadialFeedMove(w, contourStart, radialFeed);
        FollowContour(w, elements, flank, arcSteps, axialFeed, axialFeed, true);
        RadialFeedMove(w, SafeX, radialFeed);
    });
}

} // namespace torvex
