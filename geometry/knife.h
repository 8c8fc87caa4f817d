#pragma once

#include "geometry/model.h"

#include <optional>

namespace torvex {

// The rounded tip of a knife: the arc of its contour at its lowest point, which is the knife's tip
// point. Its centre, relative to the tip, is (0, Radius).
struct KnifeNose {
    double Radius = 0;
    TPoint Centre;
};

// The outline of a cutting tip, drawn from its reference point at the origin.
class TKnife : public TModel {
public:
    // One element as the model reads it, or, for the knife editor's six-value arc, the short arc
    // between its ends as one or two arc elements.
    void AddRecord(std::string_view text) override;
    // The knife's nose; none for a sharp tip.
    std::optional<KnifeNose> Nose;

    // Loads the elements, then (when there are any lines) finds the nose, chains and discretises
    // them.
    void LoadFromLines(const std::vector<std::string>& lines) override;
    // Loads the elements, then finds the nose, chains and discretises them; a failure of those
    // steps is passed over silently.
    bool LoadFromFile(const std::filesystem::path& fileName, MessageSink& messages) override;
    // The model's discretisation, then the two points of the tip's edge on X = 0 put in path
    // order (from the larger Y down when the outline goes on below it).
    void BuildPoints() override;

    // Moves the elements into chain order from the origin, following each element's P1 from the
    // previous element's P2. An element already at the next place, or the one after it, stays.
    void ChainElements();

    // Finds the nose. A knife whose contour does not pass through its origin but whose lowest point
    // is the lowest point of an arc (the knife editor's fillet of its tip corner draws it so) is
    // moved so that this point becomes its tip. When the tip is then the lowest point of an arc,
    // that arc is the nose, cut in two at the tip so that the contour has an element end there.
    void FindNose();
};

} // namespace torvex
