#include "workspace/workspace.h"

namespace torvex {

Workspace::Workspace() {
    DiscardModels();
}

void Workspace::DiscardToolpaths() {
    SelectedToolpath = nullptr;
    SelectedToolpathName.clear();
    Toolpaths.clear();
}

void Workspace::DiscardModels() {
    Shaft = TShaft();
    StockShaft = TShaft();
    StockShaft.IsStock = true;
    SimStock = TShaft();
    SimStock.IsStock = true;
    ModelFile.clear();
    DiscardToolpaths();
}

} // namespace torvex
