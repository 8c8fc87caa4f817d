#include "bench/sample_jobs.h"
#include "checking/toolpath_check.h"
#include "geometry/model_files.h"
#include "operations/job_file.h"
#include "operations/toolpath_building.h"
#include "platform/message_sink.h"
#include "platform/text_file.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

using namespace torvex;

namespace {

const std::filesystem::path Data = TORVEX_DATA;

std::vector<const TToolpath*> Toolpaths(const std::vector<std::unique_ptr<TToolpath>>& owned) {
    std::vector<const TToolpath*> toolpaths;
    for (const auto& t : owned)
        toolpaths.push_back(t.get());
    return toolpaths;
}

std::vector<std::string> WholeJobText(const std::vector<std::unique_ptr<TToolpath>>& toolpaths,
                                      const ProgramSettings& settings) {
    return NcProgramText(ProgramFor(Toolpaths(toolpaths), true, settings).Blocks, settings.Dialect);
}

// The sample job file with one field changed by `change`.
std::string Changed(const std::function<void(nlohmann::json&)>& change) {
    std::string text;
    for (const std::string& line : ReadTextLines(Data / "Jobs" / "production.tjob"))
        text += line + "\n";
    nlohmann::json job = nlohmann::json::parse(text);
    change(job);
    return job.dump();
}

} // namespace

TEST(JobFile, SavedAndOpenedAgainGivesTheSamePrograms) {
    Workspace workspace;
    RecordingMessageSink messages;
    ASSERT_TRUE(LoadPartAndStock(Data / "Models" / "arcs.mdl", workspace.Shaft,
                                 workspace.StockShaft, messages));
    workspace.ModelName = "arcs";
    using enum RoughingOperation;
    AddToolpath(workspace,
                SampleRoughing({WholeLength, LeftBelowTop, RightBelowTop},
                               SampleTool(Data, "ShoulderL", 7), SampleTool(Data, "ShoulderR", 12)),
                "1-Roughing");
    FinishingJob finishing =
        SampleFinishing({FinishingOperation::RightWithTop, FinishingOperation::LeftWithoutTop},
                        SampleTool(Data, "FinishL", 3), SampleTool(Data, "FinishR", 4));
    finishing.Surface = SurfaceSpeed{180, 3000};
    AddToolpath(workspace, finishing, "2-Finishing");
    ProgramSettings settings{
        DefaultDialectOptions(NcDialect::Fanuc),
        {.Coolant = true, .OpenDoor = true, .ToolChange = {ToolChangePlace::Position, 40.5, 150}},
        {}};
    settings.Dialect.DoorCode = "M21";
    settings.Dialect.ProgramNumber = 42;

    JobFile saved = JobOfWorkspace(workspace, settings);
    OpenedJob opened = OpenJob(ReadJobFileText(JobFileText(saved)));
    EXPECT_EQ(opened.ModelName, "arcs");
    EXPECT_EQ(opened.Part.Length, workspace.Shaft.Length);
    ASSERT_EQ(opened.Toolpaths.size(), 2u);
    EXPECT_EQ(opened.Toolpaths[1]->Name, "2-Finishing");
    EXPECT_EQ(WholeJobText(opened.Toolpaths, opened.Program),
              WholeJobText(workspace.Toolpaths, settings));
    for (size_t k = 0; k < 2; ++k)
        EXPECT_EQ(opened.Toolpaths[k]->NCBlocks(), workspace.Toolpaths[k]->NCBlocks());
    EXPECT_FALSE(opened.Toolpaths[0]->Surface());
    EXPECT_EQ(opened.Toolpaths[1]->Surface(), (SurfaceSpeed{180, 3000}));
}

TEST(JobFile, TheSampleJobRoughsAndFinishesWithoutACollisionAndLeavesNothing) {
    OpenedJob job = OpenJob(ReadJobFile(Data / "Jobs" / "production.tjob"));
    std::vector<CheckResult> results =
        CheckToolpaths(Toolpaths(job.Toolpaths), job.Part, job.Stock);
    ASSERT_EQ(results.size(), 2u);
    for (const CheckResult& result : results)
        EXPECT_FALSE(result.HasCollision());
    EXPECT_LT(results.back().MaterialLeft, 0.03);
    // Checked alone on the raw bar, the finishing would leave the bar standing.
    EXPECT_GT(CheckToolpath(*job.Toolpaths[1], job.Part, job.Stock).MaterialLeft, 1);
}

TEST(JobFile, TheSetupTravelsWithTheJobAndItsToolpathsAreBuiltForIt) {
    JobFile file = ReadJobFile(Data / "Jobs" / "production-chucked.tjob");
    EXPECT_EQ(file.Setup,
              (torvex::Setup{WorkHolding::Chuck, std::nullopt, 3, ProgramZero::FreeEnd}));
    file.Setup.JawFace = -2.5;
    JobFile again = ReadJobFileText(JobFileText(file));
    EXPECT_EQ(again.Setup, file.Setup);
    OpenedJob job = OpenJob(again);
    EXPECT_EQ(job.Setup, file.Setup);
    std::vector<CheckResult> results =
        CheckToolpaths(Toolpaths(job.Toolpaths), job.Part, job.Stock, job.Setup);
    for (const CheckResult& result : results)
        EXPECT_FALSE(result.HasCollision());
    // A file without a setup is held between centres with the profile's origin as zero.
    EXPECT_EQ(ReadJobFileText(Changed([](nlohmann::json& j) { j.erase("setup"); })).Setup,
              torvex::Setup{});
    // The sample job works the left flank, which a chuck at the left end hides.
    try {
        OpenJob(ReadJobFileText(Changed([](nlohmann::json& j) {
            j["setup"] = {{"holding", "chuck"}};
        })));
        FAIL();
    } catch (const JobFileError& error) {
        EXPECT_NE(std::string(error.what()).find("Flip the part"), std::string::npos);
    }
}

TEST(JobFile, AFileTheWindowsWouldRefuseIsRefusedNamingTheField) {
    using Json = nlohmann::json;
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"{ not json", "is not JSON"},
        {Changed([](Json& j) { j["format"] = "other"; }), "\"format\""},
        {Changed([](Json& j) { j["version"] = 2; }), "another version"},
        {Changed([](Json& j) { j["toolpaths"][0].erase("depth"); }), "toolpaths[0].depth"},
        {Changed([](Json& j) { j["toolpaths"][0]["depth"] = "2"; }),
         "toolpaths[0].depth must be a number"},
        {Changed([](Json& j) { j["toolpaths"][0]["depth"] = -1; }),
         "toolpaths[0].depth: Cutting depth must be greater than 0."},
        {Changed([](Json& j) {
             j["toolpaths"][1]["operations"] = {2, 7};
         }),
         "toolpaths[1].operations[1]"},
        {Changed([](Json& j) { j["toolpaths"][1]["left"]["tool"] = 21; }),
         "toolpaths[1].left.tool must be a whole number from 0 to 20"},
        {Changed([](Json& j) { j["part"][3] = "line 1/x/2/"; }), "part[3]"},
        {Changed([](Json& j) { // the records run together: one wall and nothing else
             j["part"] = {"line 0/0/0/7/\nline 0/7/20/7/\nline 20/7/20/0/"};
         }),
         "part: its profile has no length along the axis"},
        {Changed([](Json& j) { j["toolpaths"][1]["surface_speed"] = 150; }),
         "toolpaths[1].max_spindle_speed: A surface speed needs a maximum spindle speed"},
        {Changed([](Json& j) {
             j["toolpaths"][1]["surface_speed"] = 150;
             j["toolpaths"][1]["max_spindle_speed"] = "2500";
         }),
         "toolpaths[1].max_spindle_speed must be a number"},
        {Changed([](Json& j) {
             j["program"]["tool_change"] = Json{{"x", 10}, {"z", 200}};
         }),
         "program.tool_change"},
        {Changed([](Json& j) {
             j["setup"] = {{"holding", "vice"}};
         }),
         "setup.holding"},
        {Changed([](Json& j) { j["toolpaths"][1]["right"]["tool"] = 0; }),
         "toolpaths[1]: No tool number for the right tool (right.tool)"},
        {Changed([](Json& j) {
             j["setup"] = {{"holding", "chuck"}, {"jaw_clearance", -1}};
         }),
         "setup.jaw_clearance"},
    };
    for (const auto& [text, named] : cases) {
        try {
            OpenJob(ReadJobFileText(text));
            ADD_FAILURE() << named << " accepted";
        } catch (const JobFileError& error) {
            EXPECT_NE(std::string(error.what()).find(named), std::string::npos) << error.what();
        }
    }
}

TEST(JobFile, AGroovingToolpathKeepsItsOneToolItsOpenStepAndItsPartOff) {
    Workspace workspace;
    RecordingMessageSink messages;
    ASSERT_TRUE(LoadPartAndStock(Data / "Models" / "grooved.mdl", workspace.Shaft,
                                 workspace.StockShaft, messages));
    using enum GroovingOperation;
    GroovingJob stepped = SampleGrooving({Grooves}, SampleTool(Data, "Groove3", 5));
    stepped.Step = 1.5;
    AddToolpath(workspace, stepped, "1-Grooving");
    AddToolpath(workspace, SampleGrooving({Grooves, PartOff}, SampleTool(Data, "Part2", 6), 90),
                "2-Grooving");
    ProgramSettings settings{DefaultDialectOptions(NcDialect::LinuxCnc), {}, {}};
    std::string text = JobFileText(JobOfWorkspace(workspace, settings));
    nlohmann::json json = nlohmann::json::parse(text);
    EXPECT_EQ(json["toolpaths"][0]["kind"], "grooving");
    EXPECT_TRUE(json["toolpaths"][0]["part_at"].is_null());
    EXPECT_TRUE(json["toolpaths"][1]["step"].is_null());
    EXPECT_EQ(json["toolpaths"][1]["tool"]["knife"], "Part2");
    OpenedJob opened = OpenJob(ReadJobFileText(text));
    ASSERT_EQ(opened.Toolpaths.size(), 2u);
    for (size_t k = 0; k < 2; ++k)
        EXPECT_EQ(opened.Toolpaths[k]->NCBlocks(), workspace.Toolpaths[k]->NCBlocks());
    const GroovingJob& reopened = std::get<GroovingJob>(opened.Toolpaths[1]->Job);
    EXPECT_EQ(reopened.PartAt, 90);
    EXPECT_FALSE(reopened.Step);
}

TEST(JobFile, AGroovingToolpathTheWindowWouldRefuseIsRefusedNamingTheField) {
    using Json = nlohmann::json;
    auto withGrooving = [](const std::function<void(Json&)>& change) {
        return Changed([&change](Json& j) {
            Json grooving = {{"kind", "grooving"},
                             {"name", "3-Grooving"},
                             {"operations", {1, 2}},
                             {"safe", 2},
                             {"rest", 0.5},
                             {"step", nullptr},
                             {"peck", 1},
                             {"plunge", 60},
                             {"feed", 40},
                             {"speed", 800},
                             {"part_at", 180},
                             {"final_radius", 0},
                             {"tool", j["toolpaths"][0]["left"]}};
            change(grooving);
            j["toolpaths"].push_back(grooving);
        });
    };
    const std::vector<std::pair<std::string, std::string>> cases = {
        {withGrooving([](Json& g) { g["peck"] = -1; }),
         "toolpaths[2].peck: Peck depth must not be negative."},
        {withGrooving([](Json& g) { g["step"] = 0; }),
         "toolpaths[2].step: Step must be greater than 0."},
        {withGrooving([](Json& g) { g["part_at"] = nullptr; }),
         "toolpaths[2].part_at must be a number"},
        {withGrooving([](Json& g) {
             g["operations"] = {2, 1};
         }),
         "toolpaths[2].operations[1]"},
        {withGrooving([](Json& g) { g.erase("tool"); }), "toolpaths[2].tool"},
        {withGrooving([](Json& g) { g["kind"] = "knurling"; }),
         "toolpaths[2].kind must be \"roughing\", \"finishing\", \"grooving\" or \"threading\""},
    };
    for (const auto& [text, named] : cases) {
        try {
            ReadJobFileText(text);
            ADD_FAILURE() << named << " accepted";
        } catch (const JobFileError& error) {
            EXPECT_NE(std::string(error.what()).find(named), std::string::npos) << error.what();
        }
    }
}

TEST(JobFile, AThreadingToolpathKeepsItsFieldsAndLeavesTheDepthToThePitch) {
    Workspace workspace;
    RecordingMessageSink messages;
    ASSERT_TRUE(LoadPartAndStock(Data / "Models" / "threaded.mdl", workspace.Shaft,
                                 workspace.StockShaft, messages));
    ThreadingJob job = SampleThreading(SampleTool(Data, "Thread60", 7));
    job.SpringPasses = 2;
    job.InfeedAngle = 30;
    AddToolpath(workspace, job, "1-Threading");
    ProgramSettings settings{DefaultDialectOptions(NcDialect::Fanuc), {}, {}};
    std::string text = JobFileText(JobOfWorkspace(workspace, settings));
    nlohmann::json json = nlohmann::json::parse(text);
    EXPECT_EQ(json["toolpaths"][0]["kind"], "threading");
    EXPECT_TRUE(json["toolpaths"][0]["depth"].is_null());
    EXPECT_EQ(json["toolpaths"][0]["first_cut"], 0.3);
    OpenedJob opened = OpenJob(ReadJobFileText(text));
    ASSERT_EQ(opened.Toolpaths.size(), 1u);
    EXPECT_EQ(opened.Toolpaths[0]->NCBlocks(), workspace.Toolpaths[0]->NCBlocks());
    const ThreadingJob& reopened = std::get<ThreadingJob>(opened.Toolpaths[0]->Job);
    EXPECT_FALSE(reopened.Depth);
    EXPECT_EQ(reopened.SpringPasses, 2);
    EXPECT_EQ(reopened.InfeedAngle, 30);
    json["toolpaths"][0]["spring_passes"] = 1.5;
    EXPECT_THROW(ReadJobFileText(json.dump()), JobFileError);
    json["toolpaths"][0]["spring_passes"] = 1;
    json["toolpaths"][0]["infeed_angle"] = 50;
    try {
        ReadJobFileText(json.dump());
        FAIL();
    } catch (const JobFileError& error) {
        EXPECT_STREQ(error.what(), "The job file's field toolpaths[0].infeed_angle: Infeed angle "
                                   "must lie from 0 to 45 degrees.");
    }
}
