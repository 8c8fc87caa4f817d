#include "app/model_loading.h"

#include "geometry/model_files.h"
#include "platform/message_sink.h"
#include "workspace/workspace.h"

namespace torvex {

std::string ModelDisplayName(const std::filesystem::path& modelFile) {
    std::string name = modelFile.filename().string();
    size_t extension = name.find(".mdl");
    if (extension == std::string::npos)
        return "";
    name.resize(extension);
    for (char& c : name)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return name;
}

std::string ModelLoadedMessage(const std::filesystem::path& modelFile) {
    return "Model '" + ModelDisplayName(modelFile) + "' loaded";
}

bool MayDiscardToolpaths(const Workspace& workspace, MessageSink& messages) {
    size_t count = workspace.ToolpathCount();
    if (count == 0)
        return true;
    std::string toolpaths =
        count == 1 ? "the toolpath" : "the " + std::to_string(count) + " toolpaths";
    return messages.Confirm("Discard " + toolpaths + " of the current job?");
}

void LoadModel(Workspace& workspace, const std::filesystem::path& modelFile,
               MessageSink& messages) {
    workspace.DiscardToolpaths();
    workspace.ModelFile = std::filesystem::absolute(modelFile);
    LoadPartAndStock(modelFile, workspace.Shaft, workspace.StockShaft, messages);
    workspace.SceneScale = workspace.Shaft.Length;
    workspace.SimStock = workspace.StockShaft;
}

void ReloadSimulationStock(Workspace& workspace, MessageSink& messages) {
    if (workspace.ModelFile.empty())
        return;
    workspace.SimStock.LoadFromFile(StockCompanionPath(workspace.ModelFile), messages,
                                    ShaftKind::Stock);
}

} // namespace torvex
