#pragma once

#include "workspace/workspace.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace torvex {

// A toolpath made the way the windows make it, on a sample model with the sample knives.
struct SampleJob {
    std::string Name; // e.g. "collared rough 0,2,4"
    std::unique_ptr<Workspace> Space;
    TToolpath* Toolpath = nullptr;
};

// For every model of the sample workspace: roughing with the operations 0,2,4 and 1,3, and
// finishing with 1,3 and 2,4. Throws when a sample file cannot be read.
std::vector<SampleJob> BuildSampleJobs(const std::filesystem::path& dataFolder);

} // namespace torvex
