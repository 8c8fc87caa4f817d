#include "app/model_loading.h"

#include "geometry/model_files.h"
#include "operations/setup.h"
#include "platform/message_sink.h"
#include "workspace/workspace.h"

#include <utility>

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

std::string JobToolpathsText(const Workspace& workspace) {
    size_t count = workspace.ToolpathCount();
    return count == 1 ? "the toolpath" : "the " + std::to_string(count) + " toolpaths";
}

bool MayDiscardToolpaths(const Workspace& workspace, MessageSink& messages) {
    return workspace.ToolpathCount() == 0 ||
           messages.Confirm("Discard " + JobToolpathsText(workspace) + " of the current job?");
}

std::string ModelLoadMessage(const std::filesystem::path& modelFile, ModelLoad outcome) {
    std::string name = "Model '" + ModelDisplayName(modelFile) + "'";
    switch (outcome) {
    case ModelLoad::Loaded:
        break;
    case ModelLoad::LoadedWithoutStock:
        return name + " loaded without its stock: its stock file " +
               StockCompanionPath(modelFile).filename().string() +
               " could not be read, and no toolpath can be built without one.";
    case ModelLoad::NotLoaded:
        return name + " was not loaded: the model and the toolpaths open before are kept.";
    }
    return ModelLoadedMessage(modelFile);
}

ModelLoad LoadModel(Workspace& workspace, const std::filesystem::path& modelFile,
                    MessageSink& messages) {
    TShaft part;
    TShaft stock;
    bool partRead = part.LoadFromFile(modelFile, messages);
    if (!partRead || part.Points.Empty())
        return ModelLoad::NotLoaded;
    bool stockRead = stock.LoadFromFile(StockCompanionPath(modelFile), messages);
    workspace.DiscardToolpaths();
    workspace.ModelFile = std::filesystem::absolute(modelFile);
    workspace.ModelName = modelFile.stem().string();
    workspace.Shaft = std::move(part);
    workspace.StockShaft = stockRead ? std::move(stock) : TShaft();
    workspace.SceneScale = workspace.Shaft.Length;
    workspace.SimStock = workspace.StockShaft;
    return stockRead && !workspace.StockShaft.Points.Empty() ? ModelLoad::Loaded
                                                             : ModelLoad::LoadedWithoutStock;
}

void ReloadSimulationStock(Workspace& workspace, MessageSink& messages) {
    if (workspace.ModelFile.empty())
        return;
    workspace.SimStock.LoadFromFile(StockCompanionPath(workspace.ModelFile), messages);
}

void FlipWorkspacePart(Workspace& workspace) {
    workspace.DiscardToolpaths();
    FlipPart(workspace.Shaft, workspace.StockShaft);
    workspace.SimStock = workspace.StockShaft;
    workspace.ModelFile.clear();
    workspace.ModelName += "-flipped";
}

} // namespace torvex
