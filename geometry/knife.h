#pragma once

#include "geometry/model.h"

namespace torvex {

// The outline of a cutting tip, drawn from its reference point at the origin.
class TKnife : public TModel {
public:
    // One element as the model reads it, or, for the knife editor's six-value arc, the short arc
    // between its ends as one or two arc elements.
    void AddRecord(std::string_view text) override;
    // Loads the elements, then (when there are any lines) chains and discretises them.
    void LoadFromLines(const std::vector<std::string>& lines) override;
    // Loads the elements, then chains and discretises them; a failure of those steps is passed
    // over silently.
    bool LoadFromFile(const std::filesystem::path& fileName, MessageSink& messages) override;
    // The model's discretisation, then the two points of the tip's edge on X = 0 put in path
    // order (from the larger Y down when the outline goes on below it).
    void BuildPoints() override;

    // Moves the elements into chain order from the origin, following each element's P1 from the
    // previous element's P2. An element already at the next place, or the one after it, stays.
    void ChainElements();
};

} // namespace torvex
