#include "app/model_loading.h"
#include "geometry/model.h"
#include "platform/message_sink.h"
#include "workspace/workspace.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace torvex;
namespace fs = std::filesystem;

namespace {

const fs::path Models = fs::path(TORVEX_DATA) / "Models";

// A scratch folder, and the current directory put back afterwards.
class ModelLoading : public ::testing::Test {
protected:
    void SetUp() override {
        Folder = fs::temp_directory_path() /
                 ("torvex-model-loading-" +
                  std::to_string(::testing::UnitTest::GetInstance()->current_test_info()->line()));
        fs::create_directories(Folder);
        Before = fs::current_path();
    }
    void TearDown() override {
        fs::current_path(Before);
        fs::remove_all(Folder);
    }
    fs::path Write(const std::string& name, const std::string& content) {
        fs::path path = Folder / name;
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }

    fs::path Folder;
    fs::path Before;
    Workspace Work;
    RecordingMessageSink Messages;
};

} // namespace

TEST(ModelDisplayName, IsTheFileNameUpperCasedAndCutBeforeDotMdl) {
    EXPECT_EQ(ModelDisplayName("/home/shop/Models/shaft1.mdl"), "SHAFT1");
    EXPECT_EQ(ModelDisplayName("Models/Flange-2b.mdl"), "FLANGE-2B");
    EXPECT_EQ(ModelDisplayName("part.mdl.old.mdl"), "PART");
    EXPECT_EQ(ModelDisplayName("/x.mdl/shaft.mdl"), "SHAFT"); // the folder does not count
}

TEST(ModelDisplayName, WithoutALowerCaseDotMdlTheNameIsEmpty) {
    EXPECT_EQ(ModelDisplayName("/home/shop/SHAFT1.MDL"), "");
    EXPECT_EQ(ModelDisplayName("shaft1.txt"), "");
    EXPECT_EQ(ModelLoadedMessage("/home/shop/SHAFT1.MDL"), "Model '' loaded");
}

TEST(ModelDisplayName, OnlyAsciiLettersAreUpperCased) {
    EXPECT_EQ(ModelDisplayName("\xc3\xa4x_1.mdl"), "\xc3\xa4X_1");
    EXPECT_EQ(ModelLoadedMessage("arbre.mdl"), "Model 'ARBRE' loaded");
}

TEST_F(ModelLoading, EverySampleLoadsThePartAndBothStocksWithoutAMessage) {
    for (const char* name : {"arcs", "chamfered", "collared", "production", "taper"}) {
        fs::path model = Models / (std::string(name) + ".mdl");
        LoadModel(Work, model, Messages);
        EXPECT_TRUE(Messages.Messages.empty()) << name;
        EXPECT_GT(Work.Shaft.Length, 0) << name;
        EXPECT_EQ(Work.SceneScale, Work.Shaft.Length) << name;
        ASSERT_GT(Work.StockShaft.Points.Count(), 2u) << name;
        ASSERT_EQ(Work.SimStock.Points.Count(), Work.StockShaft.Points.Count());
        for (size_t i = 0; i < Work.StockShaft.Points.Count(); ++i) {
            EXPECT_EQ(Work.SimStock.Points[i].X, Work.StockShaft.Points[i].X);
            EXPECT_EQ(Work.SimStock.Points[i].Y, Work.StockShaft.Points[i].Y);
        }
    }
}

TEST_F(ModelLoading, ANewModelDropsEveryToolpath) {
    Work.Toolpaths.push_back(std::make_unique<TToolpath>());
    Work.Toolpaths.push_back(std::make_unique<TToolpath>());
    LoadModel(Work, Models / "taper.mdl", Messages);
    EXPECT_EQ(Work.ToolpathCount(), 0u);
}

TEST_F(ModelLoading, AMissingStockCompanionIsReportedOnceAndThePartStillLoads) {
    fs::path model =
        Write("lonely.mdl", "line 0/0/0/10/\r\nline 0/10/40/10/\r\nline 40/10/40/0/\r\n");
    LoadModel(Work, model, Messages);
    EXPECT_EQ(Messages.Messages, std::vector<std::string>{FileHandlingErrorText});
    EXPECT_EQ(Work.SceneScale, 40);
    EXPECT_EQ(Work.StockShaft.Points.Count(), 0u);
    EXPECT_EQ(Work.SimStock.Points.Count(), 0u);
}

TEST_F(ModelLoading, AModelThatCannotBeReadWholeChangesNothing) {
    LoadModel(Work, Models / "collared.mdl", Messages);
    Work.Toolpaths.push_back(std::make_unique<TToolpath>());
    Write("ghost.mdls", "line 0/0/0/12/\nline 0/12/50/12/\nline 50/12/50/0/\n");
    EXPECT_EQ(LoadModel(Work, Folder / "ghost.mdl", Messages), ModelLoad::NotLoaded);
    EXPECT_EQ(Messages.Messages, std::vector<std::string>{FileHandlingErrorText});
    // A coordinate beyond ten metres is refused with its file and line.
    Write("far.mdl", "line 0/0/0/10/\nline 0/10/1E12/10/\n");
    EXPECT_EQ(LoadModel(Work, Folder / "far.mdl", Messages), ModelLoad::NotLoaded);
    EXPECT_EQ(Messages.Messages.back(),
              "far.mdl, line 2: the coordinate 1000000000000 lies farther than 10000 mm from the "
              "origin.");
    EXPECT_EQ(Work.ModelName, "collared");
    EXPECT_EQ(Work.ToolpathCount(), 1u);
    EXPECT_GT(Work.Shaft.Points.Count(), 0u);
}

TEST_F(ModelLoading, LeavesTheCurrentDirectoryAlone) {
    Work.StartupDirectory = Folder;
    fs::path before = fs::current_path();
    LoadModel(Work, Models / "collared.mdl", Messages);
    EXPECT_EQ(fs::current_path(), before);
}
