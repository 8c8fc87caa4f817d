#include "bench/sample_jobs.h"

#include "geometry/model_files.h"
#include "operations/toolpath_building.h"
#include "platform/errors.h"
#include "platform/message_sink.h"
#include "platform/text_file.h"
#include "toolpath/job.h"

#include <algorithm>
#include <utility>

namespace torvex {

namespace {

std::unique_ptr<Workspace> LoadedWorkspace(const std::filesystem::path& model) {
    auto workspace = std::make_unique<Workspace>();
    RecordingMessageSink messages;
    if (!LoadPartAndStock(model, workspace->Shaft, workspace->StockShaft, messages))
        throw FileError("Cannot load the sample model \"" + model.string() + "\"");
    return workspace;
}

} // namespace

JobTool SampleTool(const std::filesystem::path& dataFolder, const std::string& knife, int number) {
    JobTool tool;
    tool.Number = number;
    if (!knife.empty()) {
        tool.Names.TipName = knife;
        tool.KnifeFile = ReadTextLines(dataFolder / "Knives" / (knife + ".knf"));
    }
    return tool;
}

RoughingJob SampleRoughing(std::vector<RoughingOperation> operations, JobTool left, JobTool right) {
    return {std::move(operations), 5,           2, 0.5, 2, 100, 200, 1200, std::move(left),
            std::move(right),      std::nullopt};
}

FinishingJob SampleFinishing(std::vector<FinishingOperation> operations, JobTool left,
                             JobTool right) {
    return {std::move(operations), 5,           2, 1, 120, 1500, std::move(left),
            std::move(right),      std::nullopt};
}

GroovingJob SampleGrooving(std::vector<GroovingOperation> operations, JobTool tool,
                           std::optional<double> partAt) {
    GroovingJob job;
    job.Operations = std::move(operations);
    job.SafeZ = 2;
    job.Rest = 0.5;
    job.Peck = 1;
    job.PlungeFeed = 60;
    job.FinishingFeed = 40;
    job.TurningSpeed = 800;
    job.PartAt = partAt;
    job.Tool = std::move(tool);
    return job;
}

ThreadingJob SampleThreading(JobTool tool) {
    ThreadingJob job;
    job.From = 60;
    job.To = 42;
    job.Pitch = 1.5;
    job.FirstCut = 0.3;
    job.SafeZ = 1;
    job.TurningSpeed = 800;
    job.Tool = std::move(tool);
    return job;
}

SampleJob BuildSampleJob(const std::filesystem::path& dataFolder, const std::string& model,
                         SampleJobKind kind, std::initializer_list<uint8_t> codes,
                         const std::string& leftKnife, const std::string& rightKnife) {
    const char* kindName = kind == SampleJobKind::Roughing    ? "rough"
                           : kind == SampleJobKind::Finishing ? "finish"
                           : kind == SampleJobKind::Grooving  ? "groove"
                                                              : "thread";
    std::string name = model + " " + kindName + " ";
    for (uint8_t code : codes)
        name.append(name.back() == ' ' ? "" : ",").append(std::to_string(code));
    SampleJob job{name, LoadedWorkspace(dataFolder / "Models" / (model + ".mdl")), nullptr};
    JobTool left = SampleTool(dataFolder, leftKnife, 1);
    JobTool right = SampleTool(dataFolder, rightKnife, 2);
    MachiningJob machining;
    if (kind == SampleJobKind::Roughing) {
        std::vector<RoughingOperation> operations;
        for (uint8_t code : codes)
            operations.push_back(*RoughingOperationOf(code));
        machining = SampleRoughing(operations, left, right);
    } else if (kind == SampleJobKind::Finishing) {
        std::vector<FinishingOperation> operations;
        for (uint8_t code : codes)
            operations.push_back(*FinishingOperationOf(code));
        machining = SampleFinishing(operations, left, right);
    } else if (kind == SampleJobKind::Threading) {
        machining = SampleThreading(left);
    } else {
        std::vector<GroovingOperation> operations;
        for (uint8_t code : codes)
            operations.push_back(*GroovingOperationOf(code));
        machining = SampleGrooving(operations, left, job.Space->Shaft.Points.Last().X);
    }
    job.Toolpath = &AddToolpath(*job.Space, machining, kindName);
    return job;
}

std::vector<std::string> SampleModels(const std::filesystem::path& dataFolder) {
    std::vector<std::string> models;
    for (const auto& entry : std::filesystem::directory_iterator(dataFolder / "Models"))
        if (entry.path().extension() == ".mdl")
            models.push_back(entry.path().stem().string());
    std::sort(models.begin(), models.end());
    return models;
}

std::vector<SampleJob> BuildSampleJobs(const std::filesystem::path& dataFolder) {
    std::vector<SampleJob> jobs;
    for (const auto& model : SampleModels(dataFolder)) {
        for (auto codes : {std::initializer_list<uint8_t>{0, 2, 4}, {1, 3}})
            jobs.push_back(BuildSampleJob(dataFolder, model, SampleJobKind::Roughing, codes,
                                          "Rough80", "Left45"));
        for (auto codes : {std::initializer_list<uint8_t>{1, 3}, {2, 4}})
            jobs.push_back(BuildSampleJob(dataFolder, model, SampleJobKind::Finishing, codes,
                                          "Finish35", "Finish35"));
    }
    return jobs;
}

} // namespace torvex
