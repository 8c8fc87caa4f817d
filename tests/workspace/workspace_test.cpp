#include "workspace/workspace.h"

#include <gtest/gtest.h>

using namespace torvex;

TEST(Workspace, DiscardingTheModelsEmptiesTheShaftsAndDropsTheToolpaths) {
    Workspace work;
    work.Shaft.LoadFromLines({"line 0/0/0/10/", "line 0/10/30/10/"});
    work.StockShaft.LoadFromLines({"line 0/0/0/12/"});
    work.Toolpaths.push_back(std::make_unique<TToolpath>());
    work.SelectedToolpath = work.Toolpaths.back().get();
    work.DiscardModels();
    EXPECT_EQ(work.SelectedToolpath, nullptr);
    EXPECT_TRUE(work.Shaft.Elements.empty());
    EXPECT_EQ(work.Shaft.Points.Count(), 0u);
    EXPECT_TRUE(work.StockShaft.Elements.empty());
    EXPECT_EQ(work.ToolpathCount(), 0u);
}
