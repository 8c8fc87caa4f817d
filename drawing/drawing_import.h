#pragma once

#include "drawing/dxf_reader.h"
#include "drawing/imported_model.h"
#include "drawing/profile_finder.h"

#include <filesystem>
#include <string>

namespace torvex {

class MessageSink;

struct DrawingImportOptions {
    ProfileOptions Profile;
    StockAllowances Stock;
};

// A model made from a drawing: the part's profile, its stock bar and what was left out.
struct ImportedModel {
    Tobjects Part;
    std::vector<TPoint> StockBar;
    // "Skipped elements: ...; ignored: ..." or empty when everything in the drawing made the
    // profile.
    std::string Note;
};

// Finds the profile in a drawing read before and the stock bar around it. Throws DrawingError
// for a drawing the profile cannot be found in (the entities passed over named after the reason)
// and for negative allowances.
ImportedModel ImportModel(const DrawingContents& drawing, const DrawingImportOptions& options);

// The model file a drawing becomes: its name with ".mdl" in the models' folder.
std::filesystem::path ImportedModelFile(const std::filesystem::path& modelFolder,
                                        const std::filesystem::path& drawingFile);

// Writes the model and its stock companion (creating their folder), asking first whether to
// overwrite when either exists. False when the answer was no and nothing was written; throws
// FileError when a file cannot be written.
bool SaveImportedModel(const std::filesystem::path& modelFile, const ImportedModel& model,
                       MessageSink& messages);

// What the import left out: the pieces skipped (on the axis, below it, inside the part, on other
// layers) and the entities of other kinds ignored, with their counts.
std::string LeftOutNote(const DrawingContents& drawing, const DrawingProfile& profile);
// The entities of other kinds passed over, with their counts ("3 DIMENSION, 1 TEXT").
std::string IgnoredKinds(const DrawingContents& drawing);

} // namespace torvex
