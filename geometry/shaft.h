#pragma once

#include "geometry/model.h"

namespace torvex {

// What a side outline keeps at its ends: the chamfer or fillet where a tool enters it, and the
// horizontal line that ends it (the flat top).
enum class EntryCorner { Drop, Keep };
enum class FlatTop { Drop, Keep };

// The turned part (or its stock): a model put into profile order, measured, and split into the
// two side outlines that a tool reaches from the left end and from the right end.
class TShaft : public TModel {
public:
    double Length = 0;
    double MaxRadius = 0;
    // Set before loading a stock contour: loading from a file then skips the side outlines.
    bool IsStock = false;
    // Copies of the elements reached from the right end, ordered from the right end leftwards.
    TModel RightOutline;
    // Copies of the elements reached from the left end, ordered from the left end rightwards.
    TModel LeftOutline;

    // Loads the elements, then puts them in order, discretises, measures and (unless IsStock)
    // builds the side outlines; a failure of those steps is passed over silently.
    bool LoadFromFile(const std::filesystem::path& fileName, MessageSink& messages) override;
    // Loads the elements, then (when there are any lines) orders, discretises, measures the
    // length and builds the side outlines. Conversion errors propagate.
    void LoadFromLines(const std::vector<std::string>& lines) override;

    // Sorts the elements by the X of their Mid (equal Mid X keep their order), turns lines written
    // right to left, merges neighbouring pieces of one straight line, and orients every vertical
    // line along the profile.
    void Normalise();
    double ComputeLength();
    double ComputeMaxRadius();
    // Rebuilds both outlines: the rising run of elements from each end. Unless the entry is kept,
    // the entry chamfer or fillet is dropped and its neighbour stretched to where it began; unless
    // the matching flat flag, a horizontal line that ends a run (the flat top) is dropped.
    void BuildSideOutlines(EntryCorner entry, FlatTop rightFlat, FlatTop leftFlat);
};

} // namespace torvex
