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

} // namespace

std::vector<SampleJob> BuildSampleJobs(const std::filesystem::path& dataFolder) {
    TToolSlotContent rough{ReadTextLines(dataFolder / "Knives/Rough80.knf"), "", "Rough80"};
    TToolSlotContent finish{ReadTextLines(dataFolder / "Knives/Finish35.knf"), "", "Finish35"};
    TToolSlotContent left{ReadTextLines(dataFolder / "Knives/Left45.knf"), "", "Left45"};
    const TRoughingFields roughing{"5", "2", "0.5", "2", "100", "200", "1200", "rough"};
    const TFinishingFields finishing{"5", "2", "1", "120", "1500", "finish"};

    std::vector<std::filesystem::path> models;
    for (const auto& entry : std::filesystem::directory_iterator(dataFolder / "Models"))
        if (entry.path().extension() == ".mdl")
            models.push_back(entry.path());
    std::sort(models.begin(), models.end());

    std::vector<SampleJob> jobs;
    for (const auto& model : models) {
        std::string stem = model.stem().string();
        for (auto codes : {std::initializer_list<uint8_t>{0, 2, 4}, {1, 3}}) {
            SampleJob job{stem + (codes.size() == 3 ? " rough 0,2,4" : " rough 1,3"),
                          LoadedWorkspace(model), nullptr};
            Enqueue(job.Space->RoughingQueue, codes);
            job.Toolpath = AddRoughingToolpath(*job.Space, roughing, rough, left, '.');
            jobs.push_back(std::move(job));
        }
        for (auto codes : {std::initializer_list<uint8_t>{1, 3}, {2, 4}}) {
            SampleJob job{stem + (*codes.begin() == 1 ? " finish 1,3" : " finish 2,4"),
                          LoadedWorkspace(model), nullptr};
            Enqueue(job.Space->FinishingQueue, codes);
            job.Toolpath = AddFinishingToolpath(*job.Space, finishing, finish, finish, '.');
            jobs.push_back(std::move(job));
        }
    }
    return jobs;
}

} // namespace torvex
