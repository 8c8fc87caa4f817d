#include "geometry/model_files.h"
#include "operations/job_fields.h"
#include "operations/toolpath_building.h"
#include "platform/errors.h"
#include "platform/message_sink.h"
#include "platform/text_file.h"
#include "workspace/workspace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <utility>

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

JobTool Knife(const char* name, int number) {
    return {number,
            {"SVJCR2020", name},
            ReadTextLines(DataPath(std::string("Knives/") + name + ".knf"))};
}

TRoughingFields RoughingTexts() {
    return {"5", "2", "0.5", "2", "100", "200", "1200", "", ""};
}

TFinishingFields FinishingTexts() {
    return {"5", "2", "1", "120", "1500", "", ""};
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
    RoughingJob Roughing(std::vector<RoughingOperation> operations) const {
        return RoughingJobOf(RoughingTexts(), std::move(operations), left, right, '.');
    }
    FinishingJob Finishing(std::vector<FinishingOperation> operations) const {
        return FinishingJobOf(FinishingTexts(), std::move(operations), left, right, '.');
    }
    Workspace workspace;
    JobTool left = Knife("Rough80", 3);
    JobTool right = Knife("Left45", 7);
};

} // namespace

TEST_F(ToolpathBuilding, EachOperationStartsWithItsToolsChangeAndRecordsItsMovesAndTool) {
    using enum RoughingOperation;
    TToolpath toolpath = BuildRoughing(workspace.Shaft, workspace.StockShaft,
                                       Roughing({WholeLength, RightBelowTop, LeftBelowTop}));
    EXPECT_EQ(ToolChanges(toolpath),
              (std::vector<std::string>{"N0010 M06 T3", ToolChanges(toolpath)[1],
                                        ToolChanges(toolpath)[2]}));
    EXPECT_EQ(ToolChanges(toolpath)[1].substr(5), " M06 T7");
    EXPECT_EQ(ToolChanges(toolpath)[2].substr(5), " M06 T3");
    ASSERT_EQ(toolpath.Operations.size(), 3u);
    EXPECT_EQ(toolpath.Operations[0].Kind, OperationKind::FullLengthRoughing);
    EXPECT_EQ(toolpath.Operations[1].Tool, ToolSide::Right);
    EXPECT_EQ(toolpath.Operations[2].EndMove, toolpath.PathPoints.Count());
    for (const ToolpathOperation& operation : toolpath.Operations) {
        EXPECT_EQ(toolpath.Blocks[operation.FirstBlock].Kind, BlockKind::ToolChange);
        for (size_t k = operation.FirstMove; k < operation.EndMove; ++k)
            EXPECT_EQ(toolpath.PathPoints[k].Tool, operation.Tool);
    }
    for (size_t i = 1; i < toolpath.Blocks.size(); ++i)
        EXPECT_LT(toolpath.Blocks[i - 1].Number, toolpath.Blocks[i].Number);
    EXPECT_EQ(toolpath.Blocks[1].X, 5 + 22) << "the retract level is Safe Z above the stock";
}

TEST_F(ToolpathBuilding, RapidMovesAreThoseOfG00BlocksWhateverTheirFeed) {
    using enum RoughingOperation;
    TRoughingFields fields = RoughingTexts();
    fields.LongitudinalSpeed = "6000";
    TToolpath toolpath = BuildRoughing(workspace.Shaft, workspace.StockShaft,
                                       RoughingJobOf(fields, {WholeLength}, left, right, '.'));
    size_t feedMovesAtRapidFeed = 0;
    for (const TPunct& p : toolpath.PathPoints) {
        auto block = std::find_if(toolpath.Blocks.begin(), toolpath.Blocks.end(),
                                  [&p](const NcBlock& b) { return b.Number == p.Block; });
        ASSERT_NE(block, toolpath.Blocks.end());
        EXPECT_EQ(p.IsRapid(), IsRapid(block->Kind)) << p.Block;
        feedMovesAtRapidFeed += !p.IsRapid() && p.Feed == 6000;
    }
    EXPECT_GT(feedMovesAtRapidFeed, 0u);
}

TEST_F(ToolpathBuilding, FinishingBuildsItsOwnOutlinesAndLeavesThePartsAsLoaded) {
    using enum FinishingOperation;
    Tobjects leftBefore = workspace.Shaft.LeftOutline.Elements;
    TToolpath toolpath = BuildFinishing(workspace.Shaft, workspace.StockShaft,
                                        Finishing({RightWithTop, LeftWithoutTop}));
    EXPECT_EQ(ToolChanges(toolpath).front(), "N0010 M06 T7");
    // Right with its top: the pass runs along the collar's flat to its far end, x = 30.
    ASSERT_EQ(toolpath.Operations.size(), 2u);
    const TPunct& endOfRight = toolpath.PathPoints[toolpath.Operations[0].EndMove - 2];
    EXPECT_EQ(endOfRight.X, 30);
    EXPECT_EQ(endOfRight.Y, 20);
    EXPECT_EQ(workspace.Shaft.LeftOutline.Elements.size(), leftBefore.size());
    EXPECT_EQ(ElementText(workspace.Shaft.LeftOutline.Elements.front()),
              ElementText(leftBefore.front()));
}

TEST_F(ToolpathBuilding, KnifeHeaderLinesAreNotContour) {
    JobTool named = left;
    named.KnifeFile[0] = "line knife";
    named.KnifeFile[1] = "arc-shaped tip, line 2";
    RoughingJob job = Roughing({RoughingOperation::WholeLength});
    job.Left = named;
    TToolpath toolpath = BuildRoughing(workspace.Shaft, workspace.StockShaft, job);
    EXPECT_EQ(toolpath.LeftKnife.Elements.size(), 5u);
}

TEST_F(ToolpathBuilding, AKnifeContourBeyondTenMetresIsRefusedWithItsLine) {
    RoughingJob job = Roughing({RoughingOperation::WholeLength});
    job.Left.KnifeFile.push_back("line 0/0/1E12/10/");
    try {
        BuildRoughing(workspace.Shaft, workspace.StockShaft, job);
        FAIL();
    } catch (const RangeError& error) {
        EXPECT_NE(std::string(error.what()).find("line 6: the coordinate 1000000000000"),
                  std::string::npos)
            << error.what();
    }
}

TEST_F(ToolpathBuilding, AddingStoresOnlyWholeBuildsAndNoMoreThan255) {
    RoughingJob zeroDepth = Roughing({RoughingOperation::WholeLength});
    zeroDepth.Depth = 0;
    EXPECT_THROW(AddToolpath(workspace, zeroDepth, "1-Roughing"), ArithmeticError);
    EXPECT_EQ(workspace.ToolpathCount(), 0u);
    MachiningJob finishing = Finishing({FinishingOperation::LeftWithoutTop});
    for (size_t i = 0; i < Workspace::MaxToolpaths; ++i)
        AddToolpath(workspace, finishing, NextToolpathName(workspace, "Finishing"));
    EXPECT_EQ(workspace.Toolpaths[1]->Name, "2-Finishing");
    EXPECT_THROW(AddToolpath(workspace, finishing, "x"), OperationError);
    EXPECT_EQ(workspace.ToolpathCount(), 255u);
}

TEST_F(ToolpathBuilding, NoPartOrNoStockIsRefusedWithAClearMessage) {
    TShaft none;
    try {
        BuildRoughing(none, workspace.StockShaft, Roughing({}));
        FAIL();
    } catch (const OperationError& error) {
        EXPECT_STREQ(error.what(), NoPartText);
    }
    try {
        BuildFinishing(workspace.Shaft, none, Finishing({}));
        FAIL();
    } catch (const OperationError& error) {
        EXPECT_STREQ(error.what(), NoStockText);
    }
}

TEST(JobFields, AreConvertedWithTheSystemsSeparatorAndShownWithIt) {
    TRoughingFields comma = {"5", "2", "0,5", "1,5", "100", "200", "1200", "", ""};
    try {
        RoughingJobOf(comma, {RoughingOperation::WholeLength}, {}, {}, '.');
        FAIL();
    } catch (const ConversionError& error) {
        EXPECT_STREQ(error.what(), "'1,5' is not a valid floating point value");
    }
    RoughingJob job = RoughingJobOf(comma, {RoughingOperation::WholeLength}, {}, {}, ',');
    EXPECT_EQ(job.Rest, 0.5);
    EXPECT_EQ(ParameterTexts(job, ','),
              (std::vector<std::string>{"SafeZ : 5", "Offset : 2", "Finishing rest : 0,5",
                                        "Cutting depth : 1,5", "Transv. cutting speed : 100",
                                        "Longit. cutting speed : 200", "Turning speed : 1200"}));
    EXPECT_EQ(ParameterTexts(FinishingJobOf(FinishingTexts(), {}, {}, {}, '.'), '.'),
              (std::vector<std::string>{"SafeZ : 5", "Offset : 2", "StartXOffset : 0",
                                        "Cutting speed : 120", "Turning speed : 1500"}))
        << "without operations the approach is not read";
}

TEST(JobFields, ASurfaceSpeedNeedsItsMaximumAndTheMaximumItsSurfaceSpeed) {
    TFinishingFields fields = FinishingTexts();
    EXPECT_FALSE(FinishingJobOf(fields, {}, {}, {}, '.').Surface);
    fields.SurfaceSpeed = "150,5";
    fields.MaxSpindleSpeed = "2500";
    FinishingJob job = FinishingJobOf(fields, {}, {}, {}, ',');
    EXPECT_EQ(job.Surface, (SurfaceSpeed{150.5, 2500}));
    EXPECT_EQ(ParameterTexts(job, ',').back(), "Max spindle speed : 2500");
    const std::vector<std::tuple<const char*, const char*, std::string>> refused = {
        {"150", "", SurfaceSpeedWithoutMaximumText},
        {"", "2500", MaximumWithoutSurfaceSpeedText},
        {"0", "2500", "Surface speed must be greater than 0."},
        {"150", "-1", "Max spindle speed must be greater than 0."}};
    for (const auto& [surface, maximum, message] : refused) {
        TRoughingFields roughing = RoughingTexts();
        roughing.SurfaceSpeed = surface;
        roughing.MaxSpindleSpeed = maximum;
        try {
            RoughingJobOf(roughing, {RoughingOperation::WholeLength}, {}, {}, '.');
            ADD_FAILURE() << message;
        } catch (const OperationError& error) {
            EXPECT_EQ(error.what(), message);
        }
    }
}

TEST(JobFields, FieldsAMachineDependsOnAreRefusedByName) {
    const std::vector<std::pair<std::string TRoughingFields::*, const char*>> roughing = {
        {&TRoughingFields::CuttingDepth, "Cutting depth must be greater than 0."},
        {&TRoughingFields::TransversalSpeed, "Transversal speed must be greater than 0."},
        {&TRoughingFields::LongitudinalSpeed, "Longitudinal speed must be greater than 0."},
        {&TRoughingFields::TurningSpeed, "Turning speed must be greater than 0."},
        {&TRoughingFields::SafeZ, "Safe Z must be greater than 0."},
        {&TRoughingFields::Offset, "Offset must not be negative."},
        {&TRoughingFields::FinishingRest, "Finishing rest must not be negative."},
    };
    for (const auto& [field, message] : roughing) {
        TRoughingFields fields = RoughingTexts();
        fields.*field = "-2";
        try {
            RoughingJobOf(fields, {RoughingOperation::WholeLength}, {}, {}, '.');
            ADD_FAILURE() << message;
        } catch (const OperationError& error) {
            EXPECT_STREQ(error.what(), message);
        }
        fields.*field = "0";
        bool mayBeZero =
            field == &TRoughingFields::Offset || field == &TRoughingFields::FinishingRest;
        if (mayBeZero)
            EXPECT_NO_THROW(RoughingJobOf(fields, {RoughingOperation::WholeLength}, {}, {}, '.'));
        else
            EXPECT_THROW(RoughingJobOf(fields, {RoughingOperation::WholeLength}, {}, {}, '.'),
                         OperationError);
    }
    // Lengths lie within ten metres: the knife check's integer geometry is exact up to there.
    for (auto [field, name] : {std::pair{&TRoughingFields::SafeZ, "Safe Z"},
                               {&TRoughingFields::Offset, "Offset"},
                               {&TRoughingFields::FinishingRest, "Finishing rest"},
                               {&TRoughingFields::CuttingDepth, "Cutting depth"}}) {
        TRoughingFields fields = RoughingTexts();
        fields.*field = "2147483648";
        try {
            RoughingJobOf(fields, {RoughingOperation::WholeLength}, {}, {}, '.');
            ADD_FAILURE() << name;
        } catch (const OperationError& error) {
            EXPECT_EQ(std::string(error.what()), std::string(name) + " must not exceed 10000 mm.");
        }
    }
    const std::vector<std::pair<std::string TFinishingFields::*, const char*>> finishing = {
        {&TFinishingFields::CuttingSpeed, "Cutting speed must be greater than 0."},
        {&TFinishingFields::TurningSpeed, "Turning speed must be greater than 0."},
        {&TFinishingFields::SafeZ, "Safe Z must be greater than 0."},
        {&TFinishingFields::Offset, "Offset must not be negative."},
        {&TFinishingFields::StartXOffset, "StartXOffset must not be negative."},
    };
    for (const auto& [field, message] : finishing) {
        TFinishingFields fields = FinishingTexts();
        fields.*field = "-5";
        try {
            FinishingJobOf(fields, {FinishingOperation::LeftWithoutTop}, {}, {}, '.');
            ADD_FAILURE() << message;
        } catch (const OperationError& error) {
            EXPECT_STREQ(error.what(), message);
        }
    }
}
