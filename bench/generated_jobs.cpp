#include "bench/generated_jobs.h"

#include "bench/model_generator.h"
#include "bench/sample_jobs.h"
#include "geometry/model_files.h"
#include "operations/toolpath_building.h"
#include "platform/errors.h"
#include "platform/message_sink.h"

#include <string>
#include <unistd.h>

namespace torvex {

GeneratedModelFile::GeneratedModelFile(size_t elements)
    : File(std::filesystem::temp_directory_path() /
           ("torvex-generated-" + std::to_string(elements) + "-" + std::to_string(getpid()) +
            ".mdl")) {
    WriteGeneratedModel(File, GeneratedSteppedModel(elements));
}

GeneratedModelFile::~GeneratedModelFile() {
    std::error_code ignored;
    std::filesystem::remove(File, ignored);
    std::filesystem::remove(StockCompanionPath(File), ignored);
}

std::unique_ptr<Workspace> LoadedGeneratedModel(const std::filesystem::path& modelFile) {
    auto workspace = std::make_unique<Workspace>();
    RecordingMessageSink messages;
    if (!LoadPartAndStock(modelFile, workspace->Shaft, workspace->StockShaft, messages))
        throw FileError("Cannot load the generated model \"" + modelFile.string() + "\"");
    return workspace;
}

TToolpath& AddShoulderRoughing(Workspace& workspace, const std::filesystem::path& dataFolder) {
    RoughingJob job = SampleRoughing(
        {RoughingOperation::WholeLength, RoughingOperation::LeftBelowTop,
         RoughingOperation::RightBelowTop},
        SampleTool(dataFolder, "ShoulderL", 1), SampleTool(dataFolder, "ShoulderR", 2));
    return AddToolpath(workspace, job, NextToolpathName(workspace, "Roughing"));
}

TToolpath& AddFlankFinishing(Workspace& workspace, const std::filesystem::path& dataFolder) {
    FinishingJob job =
        SampleFinishing({FinishingOperation::LeftWithoutTop, FinishingOperation::RightWithoutTop},
                        SampleTool(dataFolder, "FinishL", 3), SampleTool(dataFolder, "FinishR", 4));
    return AddToolpath(workspace, job, NextToolpathName(workspace, "Finishing"));
}

} // namespace torvex
