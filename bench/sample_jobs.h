#pragma once

#include "toolpath/job.h"
#include "workspace/workspace.h"

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace torvex {

// A toolpath made the way the windows make it, on a sample model with the sample knives.
struct SampleJob {
    std::string Name; // e.g. "collared rough 0,2,4"
    std::unique_ptr<Workspace> Space;
    TToolpath* Toolpath = nullptr;
};

// A sample library knife as a tool of the given number; a tool without a knife for an empty name.
JobTool SampleTool(const std::filesystem::path& dataFolder, const std::string& knife, int number);

// The sample jobs' fields: roughing at Safe Z 5, offset 2, rest 0.5, depth 2, feeds 100 and 200
// mm/min and 1200 rev/min; finishing at Safe Z 5, offset 2, approach 1, 120 mm/min and 1500
// rev/min.
RoughingJob SampleRoughing(std::vector<RoughingOperation> operations, JobTool left, JobTool right);
FinishingJob SampleFinishing(std::vector<FinishingOperation> operations, JobTool left,
                             JobTool right);
// The sample grooving job: Safe Z 2, rest 0.5, the step left to the knife (80% of its edge), pecks
// of 1 mm, plunging at 60 and finishing at 40 mm/min, 800 rev/min; parting off at `partAt` down to
// the axis.
GroovingJob SampleGrooving(std::vector<GroovingOperation> operations, JobTool tool,
                           std::optional<double> partAt = std::nullopt);

// The sample threading job: the threaded sample's M24x1.5 from its free end at Z60 to Z42, the
// first cut 0.3 deep, the other values their defaults, Safe Z 1, 800 rev/min.
ThreadingJob SampleThreading(JobTool tool);

// The names of the sample models (without ".mdl"), sorted.
std::vector<std::string> SampleModels(const std::filesystem::path& dataFolder);

enum class SampleJobKind { Roughing, Finishing, Grooving, Threading };

// One job on a sample model (named without ".mdl"), with the operation codes in queue order and
// the sample library's knives of those names (none for an empty name), the left one as tool 1 and
// the right one as tool 2; a grooving job cuts with the left one and parts off at the part's right
// end; a threading job (no codes) cuts SampleThreading with the left one. Its name reads e.g.
// "collared rough 0,2,4". Throws when a sample file cannot be read.
SampleJob BuildSampleJob(const std::filesystem::path& dataFolder, const std::string& model,
                         SampleJobKind kind, std::initializer_list<uint8_t> codes,
                         const std::string& leftKnife, const std::string& rightKnife);

// For every model of the sample workspace, with Rough80 and Left45 and with Finish35: roughing with
// the operations 0,2,4 and 1,3, and finishing with 1,3 and 2,4. Throws when a sample file cannot be
// read.
std::vector<SampleJob> BuildSampleJobs(const std::filesystem::path& dataFolder);

} // namespace torvex
