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
        {.Coolant = true, .OpenDoor = true, .ToolChange = {ToolChangePlace::Position, 40.5, 150}}};
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
