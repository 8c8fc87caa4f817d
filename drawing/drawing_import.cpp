#include "drawing/drawing_import.h"

#include "geometry/model_files.h"
#include "geometry/number_text.h"
#include "platform/errors.h"
#include "platform/message_sink.h"

#include <cmath>

namespace torvex {

namespace {

void AddCount(std::string& text, int count, const std::string& what) {
    if (count == 0)
        return;
    text += (text.empty() ? "" : ", ") + std::to_string(count) + " " + what;
}

} // namespace

std::string IgnoredKinds(const DrawingContents& drawing) {
    std::string ignored;
    for (const auto& [kind, count] : drawing.Ignored)
        AddCount(ignored, count, kind);
    return ignored;
}

std::string LeftOutNote(const DrawingContents& drawing, const DrawingProfile& profile) {
    std::string skipped;
    AddCount(skipped, profile.OnAxis, "on the axis");
    AddCount(skipped, profile.BelowAxis, "below the axis");
    AddCount(skipped, profile.Inner, "inside the part");
    AddCount(skipped, profile.OtherLayers, "on other layers");
    std::string ignored = IgnoredKinds(drawing);
    std::string note;
    if (!skipped.empty())
        note = "Skipped elements: " + skipped;
    if (!ignored.empty())
        note += (note.empty() ? "Ignored: " : "; ignored: ") + ignored;
    return note;
}

ImportedModel ImportModel(const DrawingContents& drawing, const DrawingImportOptions& options) {
    if (!(std::fabs(options.Profile.AxisY) <= LengthLimit))
        throw DrawingError("The axis at Y must lie within " + FormatFloat("0.###", LengthLimit) +
                           " mm of the drawing's origin");
    DrawingProfile profile;
    try {
        profile = FindProfile(drawing, options.Profile);
    } catch (const DrawingError& error) {
        // A spline or an ellipse passed over may be the missing piece: say so beside the reason.
        std::string ignored = IgnoredKinds(drawing);
        if (ignored.empty())
            throw;
        throw DrawingError(std::string(error.what()) + " (ignored: " + ignored + ")");
    }
    ImportedModel model;
    model.StockBar = StockBar(profile.Elements, options.Stock);
    model.Note = LeftOutNote(drawing, profile);
    model.Part = std::move(profile.Elements);
    return model;
}

std::filesystem::path ImportedModelFile(const std::filesystem::path& modelFolder,
                                        const std::filesystem::path& drawingFile) {
    std::filesystem::path name = drawingFile.stem();
    name += ".mdl";
    return modelFolder / name;
}

bool SaveImportedModel(const std::filesystem::path& modelFile, const ImportedModel& model,
                       MessageSink& messages) {
    if (std::filesystem::exists(modelFile) ||
        std::filesystem::exists(StockCompanionPath(modelFile))) {
        std::filesystem::path shown = modelFile.parent_path().filename() / modelFile.filename();
        if (!messages.Confirm(shown.string() + " already exists. Overwrite it and its stock?"))
            return false;
    }
    if (!modelFile.parent_path().empty())
        std::filesystem::create_directories(modelFile.parent_path());
    WriteModelFiles(modelFile, model.Part, model.StockBar);
    return true;
}

} // namespace torvex
