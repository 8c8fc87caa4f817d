#include "app/main_controls.h"

#include <gtest/gtest.h>

using namespace torvex;

namespace {

// Every control on, "Visible" checked: the rules must switch off what they list.
MainControlStates AllOn() {
    MainControlStates states;
    states.TreeButtons.fill(true);
    states.PopupItems.fill(true);
    states.VisibleChecked = true;
    states.Initialize = states.Start = states.Stop = states.Multiplier = true;
    states.NcCode = states.Labels = true;
    return states;
}

} // namespace

TEST(MainControls, AtStartEverythingIsOff) {
    MainControlStates states = StartControlStates();
    for (bool enabled : states.TreeButtons)
        EXPECT_FALSE(enabled);
    EXPECT_FALSE(states.Initialize || states.Start || states.Stop || states.Multiplier ||
                 states.NcCode || states.Labels);
}

TEST(MainControls, LoadingAModelSwitchesOffTheTreeButtonsSimulationAndNcCode) {
    MainControlStates states = AllOn();
    DisableForModelLoad(states);
    MainControlStates expected = AllOn();
    expected.TreeButtons.fill(false);
    expected.Initialize = expected.Start = expected.Stop = expected.Multiplier = false;
    expected.NcCode = false;
    EXPECT_EQ(states, expected); // the labels and popup items are not touched
}

TEST(MainControls, TheRootLeavesExpandAllAndCollapseAllAndTheWholeJobsCommands) {
    MainControlStates states = AllOn();
    EnableForRoot(states, false);
    EXPECT_EQ(states.TreeButtons, (std::array<bool, 6>{false, false, false, false, true, true}));
    EXPECT_EQ(states.PopupItems, (std::array<bool, 4>{}));
    EXPECT_FALSE(states.Initialize || states.Start || states.Stop || states.Multiplier ||
                 states.NcCode || states.Labels);
    EnableForRoot(states, true);
    EXPECT_TRUE(states.Initialize && states.NcCode);
    EXPECT_FALSE(states.Start || states.Stop);
}

TEST(MainControls, AToolpathEnablesItsCommandsAndShowsWhetherItIsVisible) {
    for (bool shown : {false, true}) {
        MainControlStates states = StartControlStates();
        EnableForToolpath(states, shown);
        EXPECT_EQ(states.TreeButtons, (std::array<bool, 6>{true, true, true, true, true, true}));
        EXPECT_EQ(states.PopupItems, (std::array<bool, 4>{true, true, true, true}));
        EXPECT_TRUE(states.Initialize);
        EXPECT_TRUE(states.NcCode);
        EXPECT_EQ(states.VisibleChecked, shown);
        // Playing needs "Initialize Simulation" first.
        EXPECT_FALSE(states.Start || states.Stop || states.Multiplier || states.Labels);
    }
}

TEST(MainControls, ARightClickBelowAToolpathSwitchesOffItsCommands) {
    MainControlStates states = AllOn();
    DisableForDeeperNode(states);
    EXPECT_EQ(states.TreeButtons, (std::array<bool, 6>{}));
    EXPECT_FALSE(states.Initialize || states.Start || states.Stop || states.Multiplier ||
                 states.NcCode || states.Labels);
    EXPECT_EQ(states.PopupItems, (std::array<bool, 4>{true, true, true, true}));
}
