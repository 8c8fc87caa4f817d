#include "bench/sample_jobs.h"

#include "geometry/model_files.h"
#include "operations/toolpath_building.h"
#include "platform/errors.h"
#include "platform/message_sink.h"
#include "platform/text_file.h"

#include <algorithm>

namespace torvex {

namespace {

void Enqueue(TRoughingQueue& queue, std::initializer_list<uint8_t> codes) {
    for (uint8_t code : codes)
        queue.Add(*RoughingOperationOf(code));
}

void Enqueue(TFinishingQueue& queue, std::initializer_list<uint8_t> codes) {
    for (uint8_t code : codes)
        queue.Add(*FinishingOperationOf(code));
}

std::unique_ptr<Workspace> LoadedWorkspace(const std::filesystem::path& model) {
    auto workspace = std::make_unique<Workspace>();
    RecordingMessageSink messages;
    if (!LoadPartAndStock(model, workspace->Shaft, workspace->StockShaft, messages))
        throw FileError("Cannot load the sample model \"" + model.string() + "\"");
    workspace->LeftToolNo = 1;
    workspace->RightToolNo = 2;
    return workspace;
}

TToolSlotContent SampleKnife(const std::filesystem::path& dataFolder, const std::string& name) {
    if (name.empty())
        return {};
    return {ReadTextLines(dataFolder / "Knives" / (name + ".knf")), "", name};
}

} // namespace

SampleJob BuildSampleJob(const std::filesystem::path& dataFolder, const std::string& model,
                         SampleJobKind kind, std::initializer_list<uint8_t> codes,
                         const std::string& leftKnife, const std::string& rightKnife) {
    const TRoughingFields roughing{"5", "2", "0.5", "2", "100", "200", "1200", "rough"};
    const TFinishingFields finishing{"5", "2", "1", "120", "1500", "finish"};
    bool rough = kind == SampleJobKind::Roughing;
    std::string name = model + (rough ? " rough " : " finish ");
    for (uint8_t code : codes)
        name += (name.back() == ' ' ? "" : ",") + std::to_string(code);
    SampleJob job{name, LoadedWorkspace(dataFolder / "Models" / (model + ".mdl")), nullptr};
    TToolSlotContent left = SampleKnife(dataFolder, leftKnife);
    TToolSlotContent right = SampleKnife(dataFolder, rightKnife);
    if (rough) {
        Enqueue(job.Space->RoughingQueue, codes);
        job.Toolpath = AddRoughingToolpath(*job.Space, roughing, left, right, '.');
    } else {
        Enqueue(job.Space->FinishingQueue, codes);
        job.Toolpath = AddFinishingToolpath(*job.Space, finishing, left, right, '.');
    }
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
