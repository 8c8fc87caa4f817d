#include "app/startup_directory.h"

#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

using namespace torvex;
namespace fs = std::filesystem;

namespace {

const fs::path Samples = TORVEX_DATA;

void Write(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << text;
}

std::string Read(const fs::path& file) {
    std::ifstream in(file);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class StartupDirectoryTest : public ::testing::Test {
protected:
    TempFolder Root{"startup-directory"};
    fs::path Current = Root.Path / "somewhere";
    fs::path Home = Root.Path / "home";
    fs::path Own = Home / "Torvex";

    void SetUp() override {
        fs::create_directories(Current);
        fs::create_directories(Home);
    }
};

TEST_F(StartupDirectoryTest, AFolderWithModelsOrAKnifeIndexIsAWorkspaceAndTheProgramStaysThere) {
    EXPECT_FALSE(IsWorkspace(Current));
    Write(Current / "Models", "a file, not the folder");
    EXPECT_FALSE(IsWorkspace(Current));
    Write(Current / "knives.dat", "");
    EXPECT_TRUE(IsWorkspace(Current));
    fs::path models = Root.Path / "models-only";
    fs::create_directories(models / "Models");
    EXPECT_TRUE(IsWorkspace(models));

    StartupChoice start = ChooseStartupDirectory(models, Home, Samples);
    EXPECT_EQ(start.Directory, models);
    EXPECT_EQ(start.Message, "");
    EXPECT_FALSE(fs::exists(Own));
}

TEST_F(StartupDirectoryTest, OutsideAWorkspaceTheFirstStartFillsTheOwnWorkspaceWithTheSamples) {
    StartupChoice start = ChooseStartupDirectory(Current, Home, Samples);
    EXPECT_EQ(start.Directory, Own);
    EXPECT_EQ(start.Message, "Working in " + Own.string() + ", made from the samples");
    for (const fs::directory_entry& sample : fs::recursive_directory_iterator(Samples)) {
        fs::path copy = Own / fs::relative(sample.path(), Samples);
        if (sample.is_regular_file()) {
            ASSERT_TRUE(fs::is_regular_file(copy)) << copy;
            EXPECT_EQ(Read(copy), Read(sample.path())) << copy;
        }
    }
    EXPECT_TRUE(fs::is_empty(Current));

    // Later starts leave the workspace as the user left it: a deleted sample stays deleted.
    fs::remove(Own / "Models" / "taper.mdl");
    start = ChooseStartupDirectory(Current, Home, Samples);
    EXPECT_EQ(start.Directory, Own);
    EXPECT_EQ(start.Message, "Working in " + Own.string());
    EXPECT_FALSE(fs::exists(Own / "Models" / "taper.mdl"));
}

TEST_F(StartupDirectoryTest, AnOwnFolderThatIsNoWorkspaceYetTakesTheSamplesWithoutLosingAFile) {
    Write(Own / "tails.dat", "my supports\r\n");
    Write(Own / "Knives" / "Rough80.knf", "my knife\r\n");
    Write(Own / "NC" / "part.nc", "N0001 M03 S1200\r\n");

    StartupChoice start = ChooseStartupDirectory(Current, Home, Samples);
    EXPECT_EQ(start.Directory, Own);
    EXPECT_EQ(Read(Own / "tails.dat"), "my supports\r\n");
    EXPECT_EQ(Read(Own / "Knives" / "Rough80.knf"), "my knife\r\n");
    EXPECT_EQ(Read(Own / "NC" / "part.nc"), "N0001 M03 S1200\r\n");
    EXPECT_EQ(Read(Own / "Knives" / "FinishL.knf"), Read(Samples / "Knives" / "FinishL.knf"));
    EXPECT_TRUE(IsWorkspace(Own));
}

TEST_F(StartupDirectoryTest, WithoutSamplesOrWithoutAPlaceForTheOwnWorkspaceTheStatusBarSaysWhy) {
    fs::path missing = Root.Path / "share" / "torvex" / "samples";
    StartupChoice start = ChooseStartupDirectory(Current, Home, missing);
    EXPECT_EQ(start.Directory, Own);
    EXPECT_EQ(start.Message, "Working in " + Own.string() + ": no samples in " + missing.string());
    EXPECT_TRUE(fs::is_directory(Own));

    fs::path blockedHome = Root.Path / "blocked";
    Write(blockedHome / "Torvex", "a file where the folder should be");
    start = ChooseStartupDirectory(Current, blockedHome, Samples);
    EXPECT_EQ(start.Directory, Current);
    EXPECT_EQ(start.Message.rfind("Working in " + Current.string() + ": " +
                                      (blockedHome / "Torvex").string() + " cannot be made (",
                                  0),
              0u)
        << start.Message;

    start = ChooseStartupDirectory(Current, "", Samples);
    EXPECT_EQ(start.Directory, Current);
    EXPECT_EQ(start.Message, "Working in " + Current.string() + ": there is no home folder");
}

} // namespace
