#include "geometry/model_files.h"
#include "operations/toolpath_building.h"
#include "platform/errors.h"
#include "platform/message_sink.h"
#include "platform/text_file.h"
#include "workspace/workspace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

using namespace torvex;

namespace {

std::string DataPath(const std::string& name) {
    return std::string(TORVEX_DATA) + "/" + name;
}

void LoadModel(Workspace& workspace, const char* model) {
    RecordingMessageSink messages;
    ASSERT_TRUE(LoadPartAndStock(DataPath(std::string("Models/") + model), workspace.Shaft,
                                 workspace.StockShaft, messages));
}

TToolSlotContent Knife(const char* name) {
    return {ReadTextLines(DataPath(std::string("Knives/") + name + ".knf")), "SVJCR2020", name};
}

TRoughingFields Roughing() {
    return {"5", "2", "0.5", "2", "100", "200", "1200", "1-Roughing"};
}

TFinishingFields Finishing() {
    return {"5", "2", "1", "120", "1500", "1-Finishing"};
}

std::vector<std::string> ToolChanges(const TToolpath& toolpath) {
    std::vector<std::string> blocks;
    for (const std::string& block : toolpath.NCBlocks())
        if (block.find(" M06 ") != std::string::npos)
            blocks.push_back(block);
    return blocks;
}

class ToolpathBuilding : public ::testing::Test {
protected:
    void SetUp() override { LoadModel(workspace, "collared.mdl"); }
    Workspace workspace;
    TToolSlotContent left = Knife("Rough80");
    TToolSlotContent right = Knife("Left45");
};

} // namespace

TEST_F(ToolpathBuilding, ToolChangesComeBeforeEachOperationWithTheSidesToolNumber) {
    workspace.LeftToolNo = 3;
    workspace.RightToolNo = 7;
    workspace.RoughingQueue.Add(RoughingOperation::WholeLength);
    workspace.RoughingQueue.Add(RoughingOperation::LeftBelowTop);
    workspace.RoughingQueue.Add(RoughingOperation::RightBelowTop);
    TToolpath* toolpath = AddRoughingToolpath(workspace, Roughing(), left, right, '.');
    ASSERT_NE(toolpath, nullptr);
    EXPECT_EQ(toolpath->NCBlocks().front(), "N0010 M06 T3");
    EXPECT_EQ(toolpath->NCBlocks()[1].substr(0, 9), "N0020 G00");
    std::vector<std::string> changes = ToolChanges(*toolpath);
    ASSERT_EQ(changes.size(), 3u);
    EXPECT_EQ(changes[1].substr(5), " M06 T3");
    EXPECT_EQ(changes[2].substr(5), " M06 T7");
    // Each tool change takes the number after the blocks before it.
    for (size_t i = 1; i < toolpath->NCBlocks().size(); ++i)
        EXPECT_LT(std::stoi(toolpath->NCBlocks()[i - 1].substr(1, 4)),
                  std::stoi(toolpath->NCBlocks()[i].substr(1, 4)));
    EXPECT_EQ(toolpath->PathType, "Rough");
    EXPECT_EQ(toolpath->CuttingFeed, 100);
    EXPECT_EQ(toolpath->LongitudinalFeed, 200);
    EXPECT_EQ(toolpath->TurningSpeed, 1200);
    EXPECT_EQ(toolpath->RapidFeed, 6000);
    EXPECT_EQ(toolpath->SafeX, 5 + 22);
    EXPECT_EQ(toolpath->LeftToolNames.TipName, "Rough80");
    EXPECT_EQ(workspace.ToolpathCount(), 1u);
}

TEST_F(ToolpathBuilding, PreviewWritesNoToolChangeAndStoresNothing) {
    workspace.RoughingQueue.Add(RoughingOperation::WholeLength);
    TRoughingFields fields = Roughing();
    auto preview = BuildRoughingToolpath(workspace, fields, left, right, {});
    EXPECT_TRUE(ToolChanges(*preview).empty());
    EXPECT_EQ(preview->NCBlocks().front().substr(0, 5), "N0010");
    EXPECT_EQ(workspace.ToolpathCount(), 0u);
    // An empty queue previews an empty path; adding does nothing at all.
    workspace.RoughingQueue.Clear();
    EXPECT_TRUE(BuildRoughingToolpath(workspace, fields, left, right, {})->PathPoints.Empty());
    EXPECT_EQ(AddRoughingToolpath(workspace, fields, left, right, '.'), nullptr);
}

TEST_F(ToolpathBuilding, ViewpointCallbackRunsAfterEveryRoughingOperation) {
    workspace.RoughingQueue.Add(RoughingOperation::WholeLength);
    workspace.RoughingQueue.Add(RoughingOperation::RightBelowTop);
    int calls = 0;
    AddRoughingToolpath(workspace, Roughing(), left, right, '.', [&calls] { ++calls; });
    EXPECT_EQ(calls, 2);
}

TEST_F(ToolpathBuilding, BadFieldIsCaughtBeforeAnythingIsStored) {
    workspace.RoughingQueue.Add(RoughingOperation::WholeLength);
    AddRoughingToolpath(workspace, Roughing(), left, right, '.');
    TRoughingFields bad = Roughing();
    bad.CuttingDepth = "2mm";
    try {
        AddRoughingToolpath(workspace, bad, left, right, '.');
        FAIL();
    } catch (const ConversionError& error) {
        EXPECT_STREQ(error.what(), "'2mm' is not a valid floating point value");
    }
    EXPECT_EQ(workspace.ToolpathCount(), 1u);
    EXPECT_EQ(NextRoughingName(workspace), "2-Roughing");
    EXPECT_EQ(NextFinishingName(workspace), "2-Finishing");
    // The fields follow the system's separator.
    TRoughingFields comma = {"5", "2", "0,5", "2", "100", "200", "1200", "c"};
    EXPECT_THROW(AddRoughingToolpath(workspace, comma, left, right, '.'), ConversionError);
    EXPECT_NE(AddRoughingToolpath(workspace, comma, left, right, ','), nullptr);
}

TEST_F(ToolpathBuilding, FailingStrategyStoresNothing) {
    workspace.RoughingQueue.Add(RoughingOperation::WholeLength);
    TRoughingFields zeroDepth = Roughing();
    zeroDepth.CuttingDepth = "0";
    EXPECT_THROW(AddRoughingToolpath(workspace, zeroDepth, left, right, '.'), OperationError);
    EXPECT_EQ(workspace.ToolpathCount(), 0u);
}

TEST_F(ToolpathBuilding, NoPartOrNoStockIsRefusedWithAClearMessage) {
    Workspace empty;
    empty.RoughingQueue.Add(RoughingOperation::WholeLength);
    try {
        AddRoughingToolpath(empty, Roughing(), left, right, '.');
        FAIL();
    } catch (const OperationError& error) {
        EXPECT_STREQ(error.what(), NoPartText);
    }
    LoadModel(empty, "chamfered.mdl");
    empty.StockShaft = TShaft();
    EXPECT_THROW(AddRoughingToolpath(empty, Roughing(), left, right, '.'), OperationError);
    EXPECT_EQ(empty.ToolpathCount(), 0u);
}

TEST_F(ToolpathBuilding, The256thToolpathIsRefused) {
    workspace.FinishingQueue.Add(FinishingOperation::LeftWithoutTop);
    for (size_t i = 0; i < Workspace::MaxToolpaths; ++i)
        ASSERT_NE(AddFinishingToolpath(workspace, Finishing(), left, right, '.'), nullptr);
    EXPECT_THROW(AddFinishingToolpath(workspace, Finishing(), left, right, '.'), OperationError);
    EXPECT_EQ(workspace.ToolpathCount(), 255u);
}

TEST_F(ToolpathBuilding, KnifeHeaderLinesAreNotContour) {
    TToolSlotContent named = left;
    named.Data[0] = "line knife";
    named.Data[1] = "arc-shaped tip, line 2";
    workspace.RoughingQueue.Add(RoughingOperation::WholeLength);
    TToolpath* toolpath = AddRoughingToolpath(workspace, Roughing(), named, right, '.');
    ASSERT_NE(toolpath, nullptr);
    EXPECT_EQ(toolpath->LeftKnife.Elements.size(), 5u);
    EXPECT_TRUE(KnifeContourLines({"only", "a", "header"}).empty());
}

TEST_F(ToolpathBuilding, FinishingRightThenLeftWithItsOwnOutlinesAndTools) {
    workspace.LeftToolNo = 2;
    workspace.RightToolNo = 9;
    workspace.FinishingQueue.Add(FinishingOperation::RightWithTop);
    workspace.FinishingQueue.Add(FinishingOperation::LeftWithoutTop);
    TToolpath* toolpath = AddFinishingToolpath(workspace, Finishing(), left, right, '.');
    ASSERT_NE(toolpath, nullptr);
    EXPECT_EQ(toolpath->PathType, "Finish");
    EXPECT_EQ(toolpath->LongitudinalFeed, 0);
    EXPECT_EQ(toolpath->CuttingFeed, 120);
    std::vector<std::string> changes = ToolChanges(*toolpath);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0], "N0010 M06 T9");
    EXPECT_EQ(changes[1].substr(5), " M06 T2");
    // Keep right flat: the right outline ends with the collar; the left one without it.
    EXPECT_EQ(ElementText(workspace.Shaft.RightOutline.Elements.back()), "line 30/20/50/20/");
    EXPECT_EQ(ElementText(workspace.Shaft.LeftOutline.Elements.back()), "line 30/10/30/20/");
    EXPECT_EQ(NextRoughingName(workspace), "2-Roughing");
    // The queue and its flags stay for the next toolpath.
    EXPECT_EQ(workspace.FinishingQueue.Codes,
              (std::vector{FinishingOperation::RightWithTop, FinishingOperation::LeftWithoutTop}));
    EXPECT_TRUE(workspace.FinishingQueue.KeepRightFlat);
    ASSERT_NE(AddFinishingToolpath(workspace, Finishing(), left, right, '.'), nullptr);
    EXPECT_EQ(ToolChanges(*workspace.Toolpaths[1]).front(), "N0010 M06 T9");
}

TEST(ParameterTexts, ShowTheFieldsAsTyped) {
    TRoughingFields rough = {"5", "2", "0,5", "1,5", "100", "200", "1200", "x"};
    EXPECT_EQ(RoughingParameterTexts(rough),
              (std::vector<std::string>{"SafeZ : 5", "Offset : 2", "Finishing rest : 0,5",
                                        "Cutting depth : 1,5", "Transv. cutting speed : 100",
                                        "Longit. cutting speed : 200", "Turning speed : 1200"}));
    EXPECT_EQ(FinishingParameterTexts({"5", "2", "1", "120", "1500", "y"}),
              (std::vector<std::string>{"SafeZ : 5", "Offset : 2", "StartXOffset : 1",
                                        "Cutting speed : 120", "Turning speed : 1500"}));
}

TEST_F(ToolpathBuilding, FieldsAMachineDependsOnAreRefusedByNameBeforeAnythingIsBuilt) {
    workspace.RoughingQueue.Add(RoughingOperation::WholeLength);
    workspace.FinishingQueue.Add(FinishingOperation::LeftWithoutTop);
    const std::vector<std::pair<std::string TRoughingFields::*, const char*>> roughing = {
        {&TRoughingFields::CuttingDepth, "Cutting depth must be greater than 0."},
        {&TRoughingFields::TransversalSpeed, "Transversal speed must be greater than 0."},
        {&TRoughingFields::LongitudinalSpeed, "Longitudinal speed must be greater than 0."},
        {&TRoughingFields::TurningSpeed, "Turning speed must be greater than 0."},
        {&TRoughingFields::SafeZ, "Safe Z must be greater than 0."},
    };
    for (const auto& [field, message] : roughing) {
        for (const char* value : {"0", "-2"}) {
            TRoughingFields fields = Roughing();
            fields.*field = value;
            try {
                AddRoughingToolpath(workspace, fields, left, right, '.');
                ADD_FAILURE() << message << " accepted " << value;
            } catch (const OperationError& error) {
                EXPECT_STREQ(error.what(), message);
            }
        }
    }
    for (auto [field, message] :
         {std::pair{&TRoughingFields::Offset, "Offset must not be negative."},
          {&TRoughingFields::FinishingRest, "Finishing rest must not be negative."}}) {
        TRoughingFields fields = Roughing();
        fields.*field = "-0.1";
        try {
            AddRoughingToolpath(workspace, fields, left, right, '.');
            ADD_FAILURE() << message;
        } catch (const OperationError& error) {
            EXPECT_STREQ(error.what(), message);
        }
        fields.*field = "0"; // no offset and no rest are allowed
        EXPECT_NE(AddRoughingToolpath(workspace, fields, left, right, '.'), nullptr);
    }
    const std::vector<std::pair<std::string TFinishingFields::*, const char*>> finishing = {
        {&TFinishingFields::CuttingSpeed, "Cutting speed must be greater than 0."},
        {&TFinishingFields::TurningSpeed, "Turning speed must be greater than 0."},
        {&TFinishingFields::SafeZ, "Safe Z must be greater than 0."},
        {&TFinishingFields::Offset, "Offset must not be negative."},
        {&TFinishingFields::StartXOffset, "StartXOffset must not be negative."},
    };
    size_t stored = workspace.ToolpathCount();
    for (const auto& [field, message] : finishing) {
        TFinishingFields fields = Finishing();
        fields.*field = "-5";
        try {
            AddFinishingToolpath(workspace, fields, left, right, '.');
            ADD_FAILURE() << message;
        } catch (const OperationError& error) {
            EXPECT_STREQ(error.what(), message);
        }
    }
    EXPECT_EQ(workspace.ToolpathCount(), stored);
}

TEST_F(ToolpathBuilding, EveryMoveKnowsItsKindAndTheToolThatMakesIt) {
    // Whole length and left side with the left tool, right side with the right tool; G00 blocks
    // make the rapid moves, even with a cutting feed typed as the rapid traverse's 6000 mm/min.
    workspace.RoughingQueue.Add(RoughingOperation::WholeLength);
    workspace.RoughingQueue.Add(RoughingOperation::RightBelowTop);
    workspace.RoughingQueue.Add(RoughingOperation::LeftBelowTop);
    TRoughingFields fields = Roughing();
    fields.LongitudinalSpeed = "6000";
    TToolpath* toolpath = AddRoughingToolpath(workspace, fields, left, right, '.');
    ASSERT_NE(toolpath, nullptr);
    std::map<int32_t, const NcBlock*> blocks;
    for (const NcBlock& block : toolpath->Blocks)
        blocks[block.Number] = &block;
    std::vector<int32_t> changes; // before the whole length, the right side, the left side
    for (const NcBlock& block : toolpath->Blocks)
        if (block.Kind == BlockKind::ToolChange)
            changes.push_back(block.Number);
    ASSERT_EQ(changes.size(), 3u);
    size_t feedMovesAtRapidFeed = 0;
    for (const TPunct& p : toolpath->PathPoints) {
        ASSERT_TRUE(blocks.contains(p.Block)) << p.Block;
        EXPECT_EQ(p.IsRapid(), IsRapid(blocks[p.Block]->Kind)) << p.Block;
        bool rightSide = p.Block > changes[1] && p.Block < changes[2];
        EXPECT_EQ(p.Tool, rightSide ? ToolSide::Right : ToolSide::Left) << p.Block;
        feedMovesAtRapidFeed += !p.IsRapid() && p.Feed == 6000;
    }
    EXPECT_GT(feedMovesAtRapidFeed, 0u);
}
