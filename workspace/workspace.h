#pragma once

#include "geometry/shaft.h"
#include "toolpath/setup.h"
#include "toolpath/toolpath.h"
#include "workspace/operation_queues.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace torvex {

// The state the windows share: one instance, created in main and handed to every window, so that
// each test can start from a fresh one.
class Workspace {
public:
    static constexpr size_t MaxToolpaths = 255;

    Workspace();

    TShaft Shaft;                    // the part
    TShaft StockShaft;               // the stock as displayed
    TShaft SimStock;                 // the stock the simulation cuts
    std::filesystem::path ModelFile; // the model file last loaded; its stock companion beside it
    std::string ModelName;           // the model's name, as a job file keeps it
    double SceneScale = 0;           // the part's length: the 3D view maps it onto 10 scene units
    std::vector<std::unique_ptr<TToolpath>> Toolpaths;
    // The toolpath of the node the user selected last (nullptr for none) and the text that node
    // shows; toolpaths may share a name.
    TToolpath* SelectedToolpath = nullptr;
    std::string SelectedToolpathName;
    // How the part is held and where program zero is: the toolpaths are built for it.
    torvex::Setup Setup;
    TRoughingQueue RoughingQueue;
    TFinishingQueue FinishingQueue;
    TGroovingQueue GroovingQueue;
    std::filesystem::path StartupDirectory;

    size_t ToolpathCount() const { return Toolpaths.size(); }
    // Drops every toolpath and the selection: a new model starts a new workspace.
    void DiscardToolpaths();
    // Empties the three shafts and drops every toolpath: the main window's close.
    void DiscardModels();
};

} // namespace torvex
