#pragma once

#include "geometry/model.h"

namespace torvex {

// What a side outline keeps at its ends: the chamfer or fillet where a tool enters it, and the
// horizontal line that ends it (the flat top).
enum class EntryCorner { Drop, Keep };
enum class FlatTop { Drop, Keep };

// The two side outlines of a part: copies of the elements reached from the left end, ordered
// from the left end rightwards, and of those reached from the right end, ordered leftwards.
struct SideOutlines {
    TModel Left;
    TModel Right;
};

// A profile whose points all lie at one x: nothing to turn, and no length to draw it by.
inline constexpr const char* ProfileWithoutLengthText =
    "its profile has no length along the axis: a turned profile runs from its left end to its "
    "right end";

// The turned part (or its stock): a model put into profile order and measured. Its two side
// outlines, the elements a tool reaches from the left end and from the right end, are built when
// they are asked for: each operation wants its own, and loading does not copy a part twice.
class TShaft : public TModel {
public:
    double Length = 0;
    double MaxRadius = 0;
    // The side outlines as BuildSideOutlines last built them (none before).
    TModel RightOutline;
    TModel LeftOutline;

    // Loads the elements, then puts them in order, discretises and measures them; a failure of
    // those steps is passed over silently. A profile without length is refused with
    // ProfileWithoutLengthText (false).
    bool LoadFromFile(const std::filesystem::path& fileName, MessageSink& messages) override;
    // Loads the elements, then (when there are any lines) orders, discretises and measures them,
    // as a file is loaded. Conversion errors propagate.
    void LoadFromLines(const std::vector<std::string>& lines) override;

    // Puts the loaded elements in order, discretises and measures them.
    void Prepare();
    // Sorts the elements by the X of their Mid (equal Mid X keep their order), turns lines written
    // right to left, merges neighbouring pieces of one straight line, and orients every vertical
    // line along the profile.
    void Normalise();
    double ComputeLength();
    double ComputeMaxRadius();
    // Both outlines: the rising run of elements from each end. Unless the entry is kept, the entry
    // chamfer or fillet is dropped and its neighbour stretched to where it began; unless the
    // matching flat flag, a horizontal line that ends a run (the flat top) is dropped.
    SideOutlines SideOutlinesFor(EntryCorner entry, FlatTop rightFlat, FlatTop leftFlat) const;
    // Stores them as the shaft's own outlines.
    void BuildSideOutlines(EntryCorner entry, FlatTop rightFlat, FlatTop leftFlat);
};

} // namespace torvex
