#include "app/workspace.h"

namespace torvex {

Workspace::Workspace() {
    StockShaft.IsStock = true;
    SimStock.IsStock = true;
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

} // namespace torvex
