#include "bench/sample_jobs.h"
#include "checking/toolpath_check.h"
#include "geometry/model_files.h"
#include "operations/job_fields.h"
#include "operations/machine_limits.h"
#include "operations/program_generation.h"
#include "operations/setup.h"
#include "operations/toolpath_building.h"
#include "platform/errors.h"
#include "platform/message_sink.h"
#include "platform/text_file.h"
#include "platform/work_progress.h"
#include "workspace/workspace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <set>
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

JobTool Tool() {
    return Knife("Rough80", 1);
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

// The Z words of a program's lines, in order.
std::vector<double> ZWords(const std::vector<std::string>& program) {
    static const std::regex word(" Z(-?[0-9.]+)");
    std::vector<double> z;
    for (const std::string& line : program)
        for (std::sregex_iterator m(line.begin(), line.end(), word), end; m != end; ++m)
            z.push_back(std::stod((*m)[1]));
    return z;
}

double LeftmostMove(const TToolpath& toolpath) {
    double x = toolpath.PathPoints[0].X;
    for (const TPunct& p : toolpath.PathPoints)
        x = std::min(x, p.X);
    return x;
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

TEST_F(ToolpathBuilding, FinishingBuildsItsOwnOutlines) {
    using enum FinishingOperation;
    TToolpath toolpath = BuildFinishing(workspace.Shaft, workspace.StockShaft,
                                        Finishing({RightWithTop, LeftWithoutTop}));
    EXPECT_EQ(ToolChanges(toolpath).front(), "N0010 M06 T7");
    // Right with its top: the pass runs along the collar's flat to its far end, x = 30.
    ASSERT_EQ(toolpath.Operations.size(), 2u);
    const TPunct& endOfRight = toolpath.PathPoints[toolpath.Operations[0].EndMove - 2];
    EXPECT_EQ(endOfRight.X, 30);
    EXPECT_EQ(endOfRight.Y, 20);
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
    // Names count on from the highest number: a renamed or dropped toolpath makes no repeat.
    workspace.Toolpaths[0]->Name = "300-Roughing";
    workspace.Toolpaths[1]->Name = "x-2";
    EXPECT_EQ(NextToolpathName(workspace, "Roughing"), "301-Roughing");
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

TEST_F(ToolpathBuilding, WithAChuckNoKnifeComesNearerToTheJawsThanTheClearance) {
    using enum RoughingOperation;
    // Jaws ending at x 55, 3 mm clear: Rough80 reaches 4 mm to the left of its tip, Left45 2 mm.
    torvex::Setup chuck{WorkHolding::Chuck, 55, 3, ProgramZero::ProfileOrigin};
    TToolpath whole =
        BuildRoughing(workspace.Shaft, workspace.StockShaft, Roughing({WholeLength}), "r", chuck);
    EXPECT_EQ(LeftmostMove(whole), 62);
    EXPECT_EQ(whole.PathPoints[1].X, 62) << "the passes start at the limit";
    TToolpath flank = BuildRoughing(workspace.Shaft, workspace.StockShaft,
                                    Roughing({RightFromStock}), "r", chuck);
    EXPECT_EQ(LeftmostMove(flank), 60);
    TToolpath finish = BuildFinishing(workspace.Shaft, workspace.StockShaft,
                                      Finishing({FinishingOperation::RightWithTop}), "f", chuck);
    EXPECT_EQ(LeftmostMove(finish), 60);
    // Between centres the same jobs reach the collar and beyond.
    EXPECT_LT(LeftmostMove(
                  BuildRoughing(workspace.Shaft, workspace.StockShaft, Roughing({RightFromStock}))),
              60);
    for (const MachiningJob& fromTheLeft :
         {MachiningJob(Roughing({WholeLength, LeftBelowTop})),
          MachiningJob(Finishing({FinishingOperation::LeftWithoutTop}))}) {
        try {
            BuildToolpath(workspace.Shaft, workspace.StockShaft, fromTheLeft, "x", chuck);
            ADD_FAILURE() << "an operation from the left end built in a chuck";
        } catch (const OperationError& error) {
            EXPECT_STREQ(error.what(), LeftFlankInChuckText);
        }
    }
    chuck.JawFace = 75;
    EXPECT_THROW(
        BuildRoughing(workspace.Shaft, workspace.StockShaft, Roughing({WholeLength}), "r", chuck),
        OperationError);
}

TEST_F(ToolpathBuilding, TheFreeEndFaceAsZeroShiftsEveryZWordByThePartsLength) {
    AddToolpath(workspace, Roughing({RoughingOperation::WholeLength}), "r");
    std::vector<const TToolpath*> toolpaths = {workspace.Toolpaths[0].get()};
    ProgramSettings settings{DefaultDialectOptions(NcDialect::LinuxCnc), {}, {}};
    torvex::Setup freeEnd;
    freeEnd.Zero = ProgramZero::FreeEnd;
    std::vector<double> profile = ZWords(
        GenerateProgram(toolpaths, true, settings, {}, workspace.Shaft, workspace.StockShaft).Text);
    std::vector<double> shifted = ZWords(
        GenerateProgram(toolpaths, true, settings, freeEnd, workspace.Shaft, workspace.StockShaft)
            .Text);
    ASSERT_EQ(shifted.size(), profile.size());
    // The pass runs from 2 mm left of the part's left end to 2 mm beyond its right end, x = 80.
    EXPECT_EQ(profile.front(), -2);
    EXPECT_EQ(shifted.front(), -82);
    EXPECT_EQ(*std::max_element(shifted.begin(), shifted.end()), 2);
    for (size_t k = 0; k < profile.size(); ++k)
        EXPECT_NEAR(shifted[k], profile[k] - 80, 1e-9);
}

TEST_F(ToolpathBuilding, MovesIntoTheJawsAreCrashesAndTheirProgramIsRefused) {
    // Built between centres, the roughing starts left of the part, where the jaws now stand.
    AddToolpath(workspace, Roughing({RoughingOperation::WholeLength}), "r");
    std::vector<const TToolpath*> toolpaths = {workspace.Toolpaths[0].get()};
    torvex::Setup chuck;
    chuck.Holding = WorkHolding::Chuck;
    CheckResult result = CheckToolpaths(toolpaths, workspace.Shaft, workspace.StockShaft, chuck)[0];
    ASSERT_TRUE(result.HasCollision());
    EXPECT_EQ(result.Operations[0].First->Kind, CollisionKind::IntoChuck);
    try {
        GenerateProgram(toolpaths, false, {DefaultDialectOptions(NcDialect::Generic), {}, {}},
                        chuck, workspace.Shaft, workspace.StockShaft);
        FAIL();
    } catch (const OperationError& error) {
        EXPECT_EQ(std::string(error.what()).substr(0, 38), "N0020 would take the tool to Z-2, near")
            << error.what();
    }
    // A setup a toolpath cannot take changes nothing; taking one rebuilds the toolpaths for it.
    AddToolpath(workspace, Roughing({RoughingOperation::LeftBelowTop}), "l");
    EXPECT_THROW(ChangeSetup(workspace, chuck), OperationError);
    EXPECT_EQ(workspace.Setup, torvex::Setup{});
    EXPECT_EQ(LeftmostMove(*toolpaths[0]), -2);
    workspace.Toolpaths.pop_back();
    ChangeSetup(workspace, chuck);
    EXPECT_EQ(workspace.Setup, chuck);
    EXPECT_EQ(LeftmostMove(*toolpaths[0]), 7);
    EXPECT_FALSE(
        CheckToolpaths(toolpaths, workspace.Shaft, workspace.StockShaft, chuck)[0].HasCollision());
}

TEST(FlipPart, TwiceGivesThePartBackAndOnceTurnsItEndForEnd) {
    Workspace workspace;
    LoadModel(workspace, "production.mdl");
    TShaft part = workspace.Shaft;
    TShaft stock = workspace.StockShaft;
    FlipPart(part, stock);
    // The right end's 8 mm radius now lies at x 0, and the part keeps its length.
    EXPECT_EQ(part.Points[1].X, 0);
    EXPECT_EQ(part.Points[1].Y, 8);
    EXPECT_EQ(part.Points.Last().X, 180);
    EXPECT_EQ(part.MaxRadius, workspace.Shaft.MaxRadius);
    FlipPart(part, stock);
    EXPECT_EQ(FlippedRecords(part, 0), FlippedRecords(workspace.Shaft, 0));
    EXPECT_EQ(FlippedRecords(stock, 0), FlippedRecords(workspace.StockShaft, 0));
}

TEST(JobFields, AreConvertedWithTheSystemsSeparatorAndShownWithIt) {
    TRoughingFields comma = {"5", "2", "0,5", "1,5", "100", "200", "1200", "", ""};
    try {
        RoughingJobOf(comma, {RoughingOperation::WholeLength}, Tool(), Tool(), '.');
        FAIL();
    } catch (const ConversionError& error) {
        EXPECT_STREQ(error.what(), "Cutting depth : '1,5' is not a valid floating point value");
    }
    RoughingJob job = RoughingJobOf(comma, {RoughingOperation::WholeLength}, Tool(), Tool(), ',');
    EXPECT_EQ(job.Rest, 0.5);
    EXPECT_EQ(ParameterTexts(job, ','),
              (std::vector<std::string>{"SafeZ : 5", "Offset : 2", "Finishing rest : 0,5",
                                        "Cutting depth : 1,5", "Transv. cutting speed : 100",
                                        "Longit. cutting speed : 200", "Turning speed : 1200"}));
    EXPECT_EQ(ParameterTexts(FinishingJobOf(FinishingTexts(), {}, Tool(), Tool(), '.'), '.'),
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
            RoughingJobOf(fields, {RoughingOperation::WholeLength}, Tool(), Tool(), '.');
            ADD_FAILURE() << message;
        } catch (const OperationError& error) {
            EXPECT_STREQ(error.what(), message);
        }
        fields.*field = "0";
        bool mayBeZero =
            field == &TRoughingFields::Offset || field == &TRoughingFields::FinishingRest;
        if (mayBeZero)
            EXPECT_NO_THROW(
                RoughingJobOf(fields, {RoughingOperation::WholeLength}, Tool(), Tool(), '.'));
        else
            EXPECT_THROW(
                RoughingJobOf(fields, {RoughingOperation::WholeLength}, Tool(), Tool(), '.'),
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
            RoughingJobOf(fields, {RoughingOperation::WholeLength}, Tool(), Tool(), '.');
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
            FinishingJobOf(fields, {FinishingOperation::LeftWithoutTop}, Tool(), Tool(), '.');
            ADD_FAILURE() << message;
        } catch (const OperationError& error) {
            EXPECT_STREQ(error.what(), message);
        }
    }
}

TEST(JobFields, AQueuedOperationsToolNeedsAKnifeAndANumber) {
    using enum RoughingOperation;
    JobTool none;
    JobTool unnumbered = Tool();
    unnumbered.Number = 0;
    auto refusal = [](auto build) -> std::string {
        try {
            build();
        } catch (const OperationError& error) {
            return error.what();
        }
        return "accepted";
    };
    EXPECT_EQ(refusal([&] { RoughingJobOf(RoughingTexts(), {WholeLength}, none, Tool(), '.'); }),
              "No knife for the left tool (LTool :): a queued operation needs it.");
    EXPECT_EQ(refusal([&] {
                  FinishingJobOf(
                      FinishingTexts(), {FinishingOperation::RightWithTop}, Tool(), unnumbered, '.',
                      {{"--left-knife", "--right-knife"}, {"--left-tool", "--right-tool"}});
              }),
              "No tool number for the right tool (--right-tool): a queued operation needs it; "
              "give its library position, 1 to 20.");
    // A tool no queued operation uses may stay empty.
    EXPECT_EQ(refusal([&] { RoughingJobOf(RoughingTexts(), {LeftBelowTop}, Tool(), none, '.'); }),
              "accepted");
}

TEST_F(ToolpathBuilding, AToolpathFasterThanTheMachineIsRefusedNamingTheValueAndTheLimit) {
    TToolpath toolpath = BuildRoughing(workspace.Shaft, workspace.StockShaft,
                                       Roughing({RoughingOperation::WholeLength}));
    EXPECT_NO_THROW(RequireWithinLimits(toolpath, MachineLimits{}));
    auto refusal = [&toolpath](MachineLimits limits) -> std::string {
        try {
            RequireWithinLimits(toolpath, limits);
        } catch (const OperationError& error) {
            return error.what();
        }
        return "accepted";
    };
    EXPECT_EQ(refusal({1000, 10000}), "The turning speed 1200 rev/min is above the machine's Max "
                                      "spindle speed of 1000 rev/min.");
    // The first pass: down at 100 mm/min (N0030), along at 200 (N0040).
    EXPECT_EQ(refusal({4000, 150}), "The feed 200 mm/min of block N0040 is above the machine's "
                                    "Max feed of 150 mm/min.");
    EXPECT_EQ(refusal({1200, 200}), "accepted");
    // Under constant surface speed the spindle may turn up to its maximum.
    RoughingJob surface = Roughing({RoughingOperation::WholeLength});
    surface.Surface = SurfaceSpeed{150, 3000};
    toolpath = BuildRoughing(workspace.Shaft, workspace.StockShaft, surface);
    EXPECT_EQ(refusal({2500, 200}),
              "The maximum spindle speed 3000 rev/min of the constant surface "
              "speed is above the machine's Max spindle speed of 2500 "
              "rev/min.");
}

TEST(EndFaces, AFaceTheStockDoesNotReachBeyondIsNoOperation) {
    using enum RoughingOperation;
    JobTool left = Knife("ShoulderL", 1);
    JobTool right = Knife("ShoulderR", 2);
    // The collared bar ends with the part at both ends.
    Workspace collared;
    LoadModel(collared, "collared.mdl");
    TToolpath plain = BuildRoughing(
        collared.Shaft, collared.StockShaft,
        RoughingJobOf(RoughingTexts(), {LeftEndFace, RightEndFace, WholeLength}, left, right, '.'));
    ASSERT_EQ(plain.Operations.size(), 1u);
    EXPECT_EQ(ToolChanges(plain), (std::vector<std::string>{"N0010 M06 T1"}));
    // The grooved one reaches 4 beyond the right end: faced with the right tool.
    Workspace grooved;
    LoadModel(grooved, "grooved.mdl");
    TToolpath faced = BuildRoughing(
        grooved.Shaft, grooved.StockShaft,
        RoughingJobOf(RoughingTexts(), {RightEndFace, WholeLength}, left, right, '.'));
    ASSERT_EQ(faced.Operations.size(), 2u);
    EXPECT_EQ(faced.Operations[0].Kind, OperationKind::EndFacing);
    EXPECT_EQ(faced.Operations[0].Tool, ToolSide::Right);
    EXPECT_EQ(faced.NCBlocks()[1], "N0020 G00 X19.5 Z92");
}

TEST(Grooving, TheJobsOneToolMakesEveryMoveAsTheLeftTool) {
    using enum GroovingOperation;
    Workspace grooved;
    LoadModel(grooved, "grooved.mdl");
    TToolpath toolpath = AddToolpath(
        grooved, SampleGrooving({Grooves, PartOff}, Knife("Groove3", 5), 0), "1-Grooving");
    EXPECT_EQ(toolpath.Tool(ToolSide::Right).Number, 5);
    EXPECT_EQ(toolpath.RightKnife.Elements.size(), toolpath.LeftKnife.Elements.size());
    ASSERT_EQ(toolpath.Operations.size(), 2u);
    EXPECT_EQ(toolpath.Operations[0].Kind, OperationKind::Grooving);
    EXPECT_EQ(toolpath.Operations[1].Kind, OperationKind::PartingOff);
    EXPECT_EQ(ToolChanges(toolpath).size(), 2u);
    for (const TPunct& move : toolpath.PathPoints)
        EXPECT_EQ(move.Tool, ToolSide::Left);
    // Parting off at the left end face: the edge, 0 to 3 from the tip, left of it.
    const TPunct& cut = toolpath.PathPoints[toolpath.Operations[1].FirstMove];
    EXPECT_EQ(cut.X, -3);
}

TEST(Grooving, WhatTheKnifeCannotDoIsRefusedBeforeAnythingIsWritten) {
    using enum GroovingOperation;
    Workspace grooved;
    LoadModel(grooved, "grooved.mdl");
    Workspace production;
    LoadModel(production, "production.mdl");
    JobTool wide = {6,
                    {"", "Wide7"},
                    {"Wide7", "", "profiled", "0", "0", "0", "0", "0", "1", "1", "line 0/0/7/0/",
                     "line 7/0/7/9/", "line 7/9/0/9/", "line 0/9/0/0/"}};
    GroovingJob tooLongSteps = SampleGrooving({Grooves}, Knife("Groove3", 5));
    tooLongSteps.Step = 3.5;
    struct Case {
        const Workspace& Model;
        GroovingJob Job;
        const char* Message;
    };
    const std::vector<Case> cases = {
        {grooved, SampleGrooving({Grooves}, Knife("Finish35", 5)),
         "The knife Finish35 cuts with an edge 0 mm wide: grooving and parting take a cutting "
         "edge of at least 0.5 mm."},
        {grooved, SampleGrooving({Grooves}, {}),
         "The tool has no knife to groove with: drop a tool slot with a knife on \"Tool :\"."},
        {grooved, tooLongSteps, "Step must not be greater than the knife's cutting width, 3 mm."},
        {grooved, SampleGrooving({Grooves}, wide),
         "The groove from Z34 to Z40 (6 mm wide) is narrower than the knife's cutting edge (7 "
         "mm): the knife cannot enter it."},
        {production, SampleGrooving({Grooves}, Knife("Groove3", 5)),
         "The part has no groove: nowhere does its profile lie lower than its highest points on "
         "both sides."},
        {grooved, SampleGrooving({PartOff}, Knife("Part2", 5), 45),
         "Part off at Z must lie at or beyond one of the part's end faces, Z0 or Z90: between "
         "them the knife would cut into the part."},
    };
    for (const Case& c : cases) {
        try {
            BuildGrooving(c.Model.Shaft, c.Model.StockShaft, c.Job);
            ADD_FAILURE() << c.Message;
        } catch (const OperationError& error) {
            EXPECT_STREQ(error.what(), c.Message);
        }
    }
    // In a chuck whose jaws end at x 36, the groove from 34 to 40 and the left end are out of
    // reach; the right end can be parted off.
    torvex::Setup chuck{WorkHolding::Chuck, 36, 3, ProgramZero::ProfileOrigin};
    EXPECT_THROW(BuildGrooving(grooved.Shaft, grooved.StockShaft,
                               SampleGrooving({Grooves}, Knife("Groove3", 5)), "g", chuck),
                 OperationError);
    EXPECT_THROW(BuildGrooving(grooved.Shaft, grooved.StockShaft,
                               SampleGrooving({PartOff}, Knife("Part2", 5), 0), "p", chuck),
                 OperationError);
    EXPECT_NO_THROW(BuildGrooving(grooved.Shaft, grooved.StockShaft,
                                  SampleGrooving({PartOff}, Knife("Part2", 5), 90), "p", chuck));
}

TEST(JobFields, GroovingReadsThePartOffOnlyToPartOffAndAnEmptyStepLeavesItToTheKnife) {
    using enum GroovingOperation;
    TGroovingFields fields = {"2", "0,3", "", "1", "60", "40", "800", "", ""};
    GroovingJob grooves = GroovingJobOf(fields, {Grooves}, Tool(), ',');
    EXPECT_FALSE(grooves.Step);
    EXPECT_FALSE(grooves.PartAt);
    EXPECT_EQ(grooves.Rest, 0.3);
    EXPECT_EQ(ParameterTexts(grooves, ','),
              (std::vector<std::string>{"SafeZ : 2", "Finishing rest : 0,3",
                                        "Step : 80% of the cutting width", "Peck depth : 1",
                                        "Plunge speed : 60", "Finishing speed : 40",
                                        "Turning speed : 800"}));
    EXPECT_THROW(GroovingJobOf(fields, {PartOff}, Tool(), ','), ConversionError);
    fields.FinishingSpeed = ""; // not read to part off
    fields.PartOffAt = "92,5";
    fields.FinalRadius = "-1";
    try {
        GroovingJobOf(fields, {PartOff}, Tool(), ',');
        FAIL();
    } catch (const OperationError& error) {
        EXPECT_STREQ(error.what(), "Final radius must not be negative.");
    }
    fields.FinalRadius = "0";
    fields.Step = "-1"; // not read without the grooves
    EXPECT_EQ(GroovingJobOf(fields, {PartOff}, Tool(), ',').PartAt, 92.5);
    fields.PlungeSpeed = "0";
    try {
        GroovingJobOf(fields, {PartOff}, Tool(), ',');
        FAIL();
    } catch (const OperationError& error) {
        EXPECT_STREQ(error.what(), "Plunge speed must be greater than 0.");
    }
}

TEST_F(ToolpathBuilding, ListenedWorkTellsHowFarItCameAndCancelledWorkStopsLeavingNoToolpath) {
    RoughingJob job = Roughing({RoughingOperation::WholeLength});
    std::set<std::string> stages;
    std::vector<double> checked;
    WorkToken listening([&](std::string_view stage, double share) {
        stages.emplace(stage);
        if (stage == "Checking against the knives")
            checked.push_back(share);
    });
    {
        WorkScope scope(listening);
        TToolpath& toolpath = AddToolpath(workspace, job, "1-Roughing");
        CheckToolpath(toolpath, workspace.Shaft, workspace.StockShaft);
    }
    EXPECT_EQ(stages,
              (std::set<std::string>{"Building the toolpath", "Checking against the knives"}));
    ASSERT_FALSE(checked.empty());
    EXPECT_EQ(checked.front(), 0);
    EXPECT_TRUE(std::is_sorted(checked.begin(), checked.end()));
    EXPECT_LT(checked.back(), 1);

    WorkToken cancelled;
    cancelled.Cancel();
    WorkScope scope(cancelled);
    EXPECT_THROW(AddToolpath(workspace, job, "2-Roughing"), WorkCancelled);
    EXPECT_EQ(workspace.ToolpathCount(), 1u);
    EXPECT_THROW(CheckToolpath(*workspace.Toolpaths.front(), workspace.Shaft, workspace.StockShaft),
                 WorkCancelled);
}

TEST(Threading, RefusalsNameWhatIsWrongAndBuildNothing) {
    Workspace threaded;
    LoadModel(threaded, "threaded.mdl");
    auto job = [](auto change) {
        ThreadingJob j = SampleThreading(Knife("Thread60", 7));
        change(j);
        return j;
    };
    struct Case {
        ThreadingJob Job;
        const char* Message;
    };
    const std::vector<Case> cases = {
        {job([](ThreadingJob& j) { j.To = 60; }),
         "Thread from Z and Thread to Z are both Z60: a thread runs from the one to the other."},
        {job([](ThreadingJob& j) { j.FirstCut = 1; }),
         "First cut depth 1 mm is deeper than the thread, 0.92 mm deep."},
        {job([](ThreadingJob& j) { j.TurningSpeed = 4000; }),
         "Pitch 1.5 mm at 4000 rev/min makes the knife travel 6000 mm/min along the thread: a "
         "lathe keeps step with its spindle up to 5000 mm/min. Lower the turning speed to 3333 "
         "rev/min or less."},
        {job([](ThreadingJob& j) { j.To = 30; }),
         "The profile is no cylinder between Z60 and Z30: at Z40 its radius is 15. A thread is "
         "cut along a cylinder of the part."},
        {job([](ThreadingJob& j) { j.From = 62; }),
         "Thread from Z 62 lies beyond the part, which reaches from Z0 to Z60."},
        {job([](ThreadingJob& j) { j.Depth = 12; }),
         "Thread depth 12 mm reaches the axis: the thread's radius is 12 mm."},
    };
    for (const Case& c : cases) {
        try {
            BuildThreading(threaded.Shaft, threaded.StockShaft, c.Job);
            ADD_FAILURE() << c.Message;
        } catch (const OperationError& error) {
            EXPECT_STREQ(error.what(), c.Message);
        }
    }
    // A chuck whose jaws end at x 40 leaves the knife's left side short of 43.
    torvex::Setup chuck{WorkHolding::Chuck, 40, 3, ProgramZero::ProfileOrigin};
    EXPECT_THROW(BuildThreading(threaded.Shaft, threaded.StockShaft, job([](auto&) {}), "t", chuck),
                 OperationError);
    EXPECT_NO_THROW(BuildThreading(threaded.Shaft, threaded.StockShaft,
                                   job([](ThreadingJob& j) { j.To = 45; }), "t", chuck));
}

TEST(Threading, TheThreadIsTimedAtThePitchTimesTheTurningSpeedAndRecorded) {
    Workspace threaded;
    LoadModel(threaded, "threaded.mdl");
    TToolpath& toolpath =
        AddToolpath(threaded, SampleThreading(Knife("Thread60", 7)), "1-Threading");
    ASSERT_EQ(toolpath.Operations.size(), 1u);
    EXPECT_EQ(toolpath.Operations[0].Kind, OperationKind::Threading);
    EXPECT_EQ(ToolChanges(toolpath), std::vector<std::string>{"N0010 M06 T7"});
    std::optional<ThreadStretch> thread = toolpath.Thread();
    ASSERT_TRUE(thread);
    EXPECT_EQ(thread->Crest, 12);
    EXPECT_NEAR(thread->Root, 11.08, 1e-12) << "ISO depth of M24x1.5: 0.6134 x 1.5, to the um";
    size_t cuts = 0;
    for (const TPunct& move : toolpath.PathPoints) {
        EXPECT_TRUE(move.IsRapid() || move.Feed == 1.5 * 800);
        cuts += move.IsRapid() ? 0 : 1;
    }
    EXPECT_EQ(cuts, 11u) << "ten passes and the spring pass";
    EXPECT_THROW(RequireWithinLimits(toolpath, {4000, 1000}), OperationError);
}

TEST(JobFields, ThreadingTakesItsDefaultsForEmptyFieldsAndRefusesWhatNoCycleCuts) {
    TThreadingFields fields = {"60", "42", "1,5", "", "", "", "", "", "1", "800"};
    ThreadingJob job = ThreadingJobOf(fields, Knife("Thread60", 7), ',');
    EXPECT_FALSE(job.Depth);
    EXPECT_EQ(ThreadDepthOf(job), 0.92);
    EXPECT_EQ(FirstCutOf(job), 0.307);
    EXPECT_EQ(job.MinimumCut, 0.05);
    EXPECT_EQ(job.SpringPasses, 1);
    EXPECT_EQ(job.InfeedAngle, 29.5);
    EXPECT_EQ(ParameterTexts(job, ',')[3], "Thread depth : 0,92 (ISO metric)");
    const std::vector<std::pair<std::string TThreadingFields::*, std::string>> refused = {
        {&TThreadingFields::Pitch, "Pitch must be greater than 0."},
        {&TThreadingFields::Depth, "Thread depth must be greater than 0."},
        {&TThreadingFields::FirstCut, "First cut depth must be greater than 0."},
        {&TThreadingFields::MinimumCut, "Minimum cut must be greater than 0."},
        {&TThreadingFields::SpringPasses, "Spring passes must be a whole number from 0 to 99."},
        {&TThreadingFields::InfeedAngle, "Infeed angle must lie from 0 to 45 degrees."},
    };
    for (const auto& [field, message] : refused) {
        TThreadingFields wrong = fields;
        wrong.*field = field == &TThreadingFields::SpringPasses  ? "1,5"
                       : field == &TThreadingFields::InfeedAngle ? "60"
                                                                 : "0";
        try {
            ThreadingJobOf(wrong, Knife("Thread60", 7), ',');
            ADD_FAILURE() << message;
        } catch (const OperationError& error) {
            EXPECT_EQ(error.what(), message);
        }
    }
    EXPECT_THROW(ThreadingJobOf(fields, {}, ','), OperationError) << "no knife";
}
