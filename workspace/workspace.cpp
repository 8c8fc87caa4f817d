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
    SimStock = TShaft();
    ModelFile.clear();
    DiscardToolpaths();
}

} // namespace torvex
