#include "drawing/drawing_import.h"

namespace torvex {

namespace {

void AddCount(std::string& text, int count, const std::string& what) {
    if (count == 0)
        return;
    text += (text.empty() ? "" : ", ") + std::to_string(count) + " " + what;
}

} // namespace

std::string LeftOutNote(const DrawingContents& drawing, const DrawingProfile& profile) {
    std::string skipped;
    AddCount(skipped, profile.OnAxis, "on the axis");
    AddCount(skipped, profile.BelowAxis, "below the axis");
    AddCount(skipped, profile.Inner, "inside the part");
    AddCount(skipped, profile.OtherLayers, "on other layers");
    std::string ignored;
    for (const auto& [kind, count] : drawing.Ignored)
        AddCount(ignored, count, kind);
    std::string note;
    if (!skipped.empty())
        note = "Skipped elements: " + skipped;
    if (!ignored.empty())
        note += (note.empty() ? "Ignored: " : "; ignored: ") + ignored;
    return note;
}

ImportedModel ImportModel(const DrawingContents& drawing, const DrawingImportOptions& options) {
    DrawingProfile profile = FindProfile(drawing, options.Profile);
    ImportedModel model;
    model.StockBar = StockBar(profile.Elements, options.Stock);
    model.Note = LeftOutNote(drawing, profile);
    model.Part = std::move(profile.Elements);
    return model;
}

} // namespace torvex
