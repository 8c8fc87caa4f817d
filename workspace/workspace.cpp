#include "workspace/workspace.h"

namespace torvex {

Workspace::Workspace() {
    DiscardModels();
}

TToolpath* Workspace::FindToolpath(const std::string& name) const {
    for (const auto& toolpath : Toolpaths)
        if (toolpath->Name == name)
            return toolpath.get();
    return nullptr;
}

void Workspace::DiscardToolpaths() {
    Toolpaths.clear();
}

void Workspace::DiscardModels() {
    Shaft = TShaft();
    StockShaft = TShaft();
    StockShaft.IsStock = true;
    SimStock = TShaft();
    SimStock.IsStock = true;
    DiscardToolpaths();
}

} // namespace torvex
