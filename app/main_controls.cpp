#include "app/main_controls.h"

namespace torvex {

namespace {

void DisableSimulation(MainControlStates& states) {
    states.Initialize = false;
    states.Start = false;
    states.Stop = false;
    states.Multiplier = false;
    states.SaveStock = false;
    states.NcCode = false;
}

} // namespace

MainControlStates StartControlStates() {
    return {};
}

void DisableForModelLoad(MainControlStates& states) {
    states.TreeButtons.fill(false);
    DisableSimulation(states);
}

void EnableForRoot(MainControlStates& states, bool jobHasToolpaths) {
    states.Labels = false;
    states.PopupItems.fill(false);
    states.TreeButtons = {false, false, false, false, true, true};
    DisableSimulation(states);
    // The root stands for the whole job: it is simulated and programmed as one.
    states.Initialize = jobHasToolpaths;
    states.NcCode = jobHasToolpaths;
}

void EnableForToolpath(MainControlStates& states, bool shown) {
    states.PopupItems.fill(true);
    states.TreeButtons.fill(true);
    states.Initialize = true;
    states.NcCode = true;
    states.VisibleChecked = shown;
}

void EnableForSimulation(MainControlStates& states) {
    states.Labels = true;
    states.Start = true;
    states.Stop = true;
    states.Multiplier = true;
    states.SaveStock = true;
}

void DisableForDeeperNode(MainControlStates& states) {
    states.TreeButtons.fill(false);
    states.Labels = false;
    DisableSimulation(states);
}

} // namespace torvex
