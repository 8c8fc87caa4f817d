#pragma once

#include "workspace/workspace.h"

#include <filesystem>
#include <memory>

namespace torvex {

// A generated stepped model (GeneratedSteppedModel) written as a model file with its stock
// companion in the temporary folder, removed again with the value.
class GeneratedModelFile {
public:
    explicit GeneratedModelFile(size_t elements);
    ~GeneratedModelFile();
    GeneratedModelFile(const GeneratedModelFile&) = delete;
    GeneratedModelFile& operator=(const GeneratedModelFile&) = delete;

    const std::filesystem::path& Path() const { return File; }

private:
    std::filesystem::path File;
};

// The model loaded into a fresh workspace. Throws FileError when it cannot be read.
std::unique_ptr<Workspace> LoadedGeneratedModel(const std::filesystem::path& modelFile);

// Adds the roughing of the README's road to the workspace: operations 0, 2 and 4 with the sample
// library's ShoulderL and ShoulderR as tools 1 and 2 (the sample jobs' fields).
TToolpath& AddShoulderRoughing(Workspace& workspace, const std::filesystem::path& dataFolder);
// Adds its finishing: operations 1 and 3 with FinishL and FinishR as tools 3 and 4.
TToolpath& AddFlankFinishing(Workspace& workspace, const std::filesystem::path& dataFolder);

} // namespace torvex
