#include "cli/commands.h"
#include "platform/errors.h"
#include "platform/text_file.h"
#include "tests/support/temp_folder.h"
#include "toollibrary/knife_file.h"
#include "toollibrary/library_error.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

using namespace torvex;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
namespace fs = std::filesystem;

namespace {

using Args = std::vector<std::string>;

class LibraryCommand : public ::testing::Test {
protected:
    LibraryCommand() : Folder("library-command") {}

    int Run(Args arguments) {
        Out.str("");
        Err.str("");
        arguments.push_back("--dir");
        arguments.push_back(Folder.Path.string());
        return RunLibrary(arguments, Out, Err);
    }
    std::string List() {
        EXPECT_EQ(Run({"list"}), ExitOk);
        return Out.str();
    }
    std::vector<std::string> Lines(const fs::path& relative) const {
        return ReadTextLines(Folder.Path / relative);
    }
    Args Knife(const std::string& name) const {
        return {"add-knife", name, "--k1",    "30", "--k2",     "30",
                "--left",    "3",  "--right", "3",  "--height", "10"};
    }

    TempFolder Folder;
    std::ostringstream Out, Err;
};

} // namespace

TEST_F(LibraryCommand, ListPrintsKnivesThenSupportsInIndexOrder) {
    Folder.CopySampleLibrary(TORVEX_DATA);
    EXPECT_EQ(List(), "knife\tRough80\tstandard\tRoughing tip, both directions\n"
                      "knife\tFinish35\tstandard\tFinishing tip, 35 degree point\n"
                      "knife\tLeft45\tstandard\tCuts towards the left\n"
                      "knife\tShoulderL\tprofiled\tRoughing tip for the left flank: cuts towards "
                      "the right, up to shoulders\n"
                      "knife\tShoulderR\tprofiled\tRoughing tip for the right flank: cuts towards "
                      "the left, up to shoulders\n"
                      "knife\tFinishL\tprofiled\tFinishing tip for the left flank: cuts towards "
                      "the right, 35 degree point\n"
                      "knife\tFinishR\tprofiled\tFinishing tip for the right flank: cuts towards "
                      "the left, 35 degree point\n"
                      "knife\tGroove3\tprofiled\tGrooving tip 3 wide, square corners, tip at its "
                      "left corner\n"
                      "knife\tPart2\tprofiled\tParting blade 2 wide, square corners, tip at its "
                      "left corner\n"
                      "knife\tFinishL04\tprofiled\tFinishing tip for the left flank: cuts towards "
                      "the right, 35 degree point, 0.4 mm nose\n"
                      "knife\tFinishR04\tprofiled\tFinishing tip for the right flank: cuts towards "
                      "the left, 35 degree point, 0.4 mm nose\n"
                      "knife\tThread60\tprofiled\tThreading insert, 60 degree point on the axis "
                      "of its V, for pitches up to 3 mm\n"
                      "support\tSVJCR2020\tHolder 20x20, right hand\n"
                      "support\tPCLNR2525\tHolder 25x25, lever clamp\n");
    EXPECT_EQ(Err.str(), "");
}

TEST_F(LibraryCommand, ListOfAnEmptyFolderIsEmptyAndMissingFilesAreNamed) {
    EXPECT_EQ(List(), "");
    Folder.CopySampleLibrary(TORVEX_DATA);
    fs::remove(Folder.Path / "Knives/Finish35.knf");
    EXPECT_THAT(List(), ::testing::Not(HasSubstr("Finish35")));
    EXPECT_THAT(Out.str(), HasSubstr("knife\tLeft45"));
    EXPECT_THAT(Err.str(), HasSubstr("Knives/Finish35.knf"));
}

TEST_F(LibraryCommand, AddKnifeWritesAStandardKnifeThatCutsRightByDefault) {
    EXPECT_EQ(Run(Knife("T2")), ExitOk);
    EXPECT_THAT(Lines("Knives/T2.knf"),
                ElementsAre("T2", "", "standard", "30", "30", "3", "3", "10", "0", "1",
                            "line 0/0/3/1.73/", "line 3/1.73/3/10/", "line 3/10/-3/10/",
                            "line -3/10/-3/1.73/", "line -3/1.73/0/0/"));

    Args both = Knife("T2");
    both.insert(both.end(), {"--cuts", "both", "--comments", "two ways"});
    EXPECT_EQ(Run(both), ExitOk);
    EXPECT_EQ(Lines("Knives/T2.knf")[8], "1");
    EXPECT_THAT(List(), HasSubstr("knife\tT2\tstandard\ttwo ways\n"));
    EXPECT_EQ(Lines("knives.dat").back(), "T2.knf");

    Args nosed = Knife("T2");
    nosed.insert(nosed.end(), {"--nose", "0.4"});
    EXPECT_EQ(Run(nosed), ExitOk);
    EXPECT_EQ(NoseRadiusText(ReadKnifeFields(Lines("Knives/T2.knf")).Contour), "0.4");
}

TEST_F(LibraryCommand, RefusedKnivesChangeNothing) {
    Args comma = Knife("K");
    comma[5] = "2,5";
    EXPECT_THROW(
        {
            try {
                Run(comma);
            } catch (const ConversionError& error) {
                EXPECT_STREQ(error.what(), "'2,5' is not a valid floating point value");
                throw;
            }
        },
        ConversionError);
    Args flat = {"add-knife", "K", "--k1",    "0", "--k2",     "0",
                 "--left",    "0", "--right", "0", "--height", "0"};
    EXPECT_THROW(Run(flat), LibraryError);
    Args upright = {"add-knife", "K", "--k1",    "90", "--k2",     "90",
                    "--left",    "2", "--right", "2",  "--height", "10"};
    EXPECT_THROW(Run(upright), LibraryError);
    EXPECT_THROW(Run(Knife("../K")), LibraryError);
    Args negative = Knife("K");
    negative.insert(negative.end(), {"--nose", "-1"});
    EXPECT_THROW(Run(negative), LibraryError);
    EXPECT_TRUE(fs::is_empty(Folder.Path));
}

TEST_F(LibraryCommand, UsageErrors) {
    Args missingHeight = Knife("K");
    missingHeight.resize(missingHeight.size() - 2);
    Args badCuts = Knife("K");
    badCuts.insert(badCuts.end(), {"--cuts", "up"});
    for (const Args& args : {Args{}, Args{"show"}, Args{"list", "extra"}, missingHeight, badCuts,
                             Args{"add-support"}, Args{"delete-knife", "A", "B"}})
        EXPECT_THROW(RunLibrary(args, Out, Err), UsageError);
    EXPECT_TRUE(fs::is_empty(Folder.Path));
}

TEST_F(LibraryCommand, SupportsAndKnivesAreAddedAndDeleted) {
    EXPECT_EQ(Run({"add-support", "S1", "--comments", "holder"}), ExitOk);
    EXPECT_EQ(Run(Knife("K1")), ExitOk);
    EXPECT_EQ(List(), "knife\tK1\tstandard\t\nsupport\tS1\tholder\n");
    EXPECT_EQ(Run({"delete-support", "S1"}), ExitOk);
    EXPECT_EQ(Run({"delete-knife", "K1"}), ExitOk);
    EXPECT_EQ(List(), "");
    EXPECT_FALSE(fs::exists(Folder.Path / "Knives/K1.knf"));
    EXPECT_THROW(Run({"delete-knife", "K1"}), LibraryError);
    EXPECT_THROW(Run({"delete-support", "a/b"}), LibraryError);
}
