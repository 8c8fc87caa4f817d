#pragma once

#include <array>

namespace torvex {

// Which of the main window's tree and simulation controls are enabled, and whether "Visible" shows
// as checked. The window shows this state; the rules below change it.
struct MainControlStates {
    std::array<bool, 6> TreeButtons{}; // t1 to t6
    std::array<bool, 4> PopupItems{};  // i1 to i4; "Expand (r) all" and "Collapse all" always work
    bool VisibleChecked = false;       // i1 checked and t1 pressed
    bool Initialize = false;           // s1
    bool Start = false;                // s2
    bool Stop = false;                 // s3
    bool Multiplier = false;           // M with its up-down
    bool SaveStock = false;            // "Save stock..."
    bool NcCode = false;               // g1
    bool Labels = false;               // l1 to l3
    friend bool operator==(const MainControlStates&, const MainControlStates&) = default;
};

// At start: every toolpath and simulation control and "NC code" disabled.
MainControlStates StartControlStates();
// "Load model" disables the tree buttons, the simulation controls and "NC code".
void DisableForModelLoad(MainControlStates& states);
// A click on the root: of the tree's commands only "Expand (r) all" and "Collapse all" stay
// usable; the root stands for the whole job, so while the job has toolpaths "Initialize
// Simulation" and "NC code" are usable too.
void EnableForRoot(MainControlStates& states, bool jobHasToolpaths);
// A click on a toolpath node: its commands, "Initialize Simulation" and "NC code"; "Visible"
// checked when the toolpath is shown.
void EnableForToolpath(MainControlStates& states, bool shown);
// "Initialize Simulation": the labels, start and stop, the multiplier and "Save stock...".
void EnableForSimulation(MainControlStates& states);
// A right click on a node below a toolpath: the tree buttons, the simulation and "NC code" off.
void DisableForDeeperNode(MainControlStates& states);

} // namespace torvex
