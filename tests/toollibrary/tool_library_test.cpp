#include "toollibrary/tool_library.h"

#include "platform/errors.h"
#include "platform/message_sink.h"
#include "platform/text_file.h"
#include "tests/support/temp_folder.h"
#include "toollibrary/library_error.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

using namespace torvex;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
namespace fs = std::filesystem;

namespace {

class ToolLibraryTest : public ::testing::Test {
protected:
    ToolLibraryTest() : Folder("tool-library"), Library(Folder.Path) {}

    std::vector<std::string> Names(const ToolList& list) const {
        std::vector<std::string> names;
        for (const ListRow& row : list.Rows())
            names.push_back(row.Name());
        return names;
    }
    std::vector<std::string> Lines(const fs::path& relative) const {
        return ReadTextLines(Folder.Path / relative);
    }
    void Write(const fs::path& relative, const std::string& text) const {
        fs::create_directories((Folder.Path / relative).parent_path());
        std::ofstream(Folder.Path / relative, std::ios::binary) << text;
    }
    KnifeDefinition Knife(const std::string& name, const std::string& comments = "") const {
        return StandardKnife(name, comments, {0, 0, 5, 5, 10}, {});
    }

    TempFolder Folder;
    ToolLibrary Library;
    RecordingMessageSink Messages;
};

} // namespace

TEST_F(ToolLibraryTest, NewLibraryIsEmptyWithOneBlankRow) {
    Library.LoadToolLists(Messages);
    EXPECT_TRUE(Messages.Messages.empty());
    EXPECT_THAT(Library.Knives().Titles(), ElementsAre("Name", "Type", "Comments", "Nose radius"));
    EXPECT_THAT(Library.Supports().Titles(), ElementsAre("Name", "Comments"));
    EXPECT_EQ(Library.Knives().ItemCount(), 0u);
    ASSERT_EQ(Library.Knives().Rows().size(), 1u);
    EXPECT_THAT(Library.Knives().Rows()[0].Cells, ElementsAre("", "", "", ""));
    EXPECT_THAT(Library.Supports().Rows()[0].Cells, ElementsAre("", ""));
}

TEST_F(ToolLibraryTest, SampleLibraryListsInIndexOrder) {
    Folder.CopySampleLibrary(TORVEX_DATA);
    Library.LoadToolLists(Messages);
    EXPECT_TRUE(Messages.Messages.empty());
    EXPECT_THAT(Names(Library.Knives()),
                ElementsAre("Rough80", "Finish35", "Left45", "ShoulderL", "ShoulderR", "FinishL",
                            "FinishR", "Groove3", "Part2", "FinishL04", "FinishR04", "Thread60"));
    EXPECT_THAT(Library.Knives().Rows()[1].Cells,
                ElementsAre("Finish35", "standard", "Finishing tip, 35 degree point", ""));
    // A knife's nose radius, as its contour rounds its tip.
    EXPECT_EQ(Library.Knives().Rows()[9].Cells[3], "0.4");
    EXPECT_THAT(Names(Library.Supports()), ElementsAre("SVJCR2020", "PCLNR2525"));
}

TEST_F(ToolLibraryTest, SavedKnifeIsItsFileItsIndexLineAndItsRow) {
    Library.SaveKnife(Knife("Abc", "first"));
    EXPECT_THAT(Lines("Knives/Abc.knf"),
                ElementsAre("Abc", "first", "standard", "0", "0", "5", "5", "10", "0", "1",
                            "line 0/0/5/0/", "line 5/0/5/10/", "line 5/10/-5/10/",
                            "line -5/10/-5/0/", "line -5/0/0/0/"));
    EXPECT_THAT(Lines("knives.dat"), ElementsAre("Abc.knf"));
    EXPECT_THAT(Library.Knives().Rows()[0].Cells, ElementsAre("Abc", "standard", "first", ""));
    EXPECT_EQ(Library.ReadKnife("Abc"), Lines("Knives/Abc.knf"));
}

TEST_F(ToolLibraryTest, SavingAListedNameOverwritesInPlaceAndNamesAreCaseSensitive) {
    Library.SaveKnife(Knife("Abc", "first"));
    Library.SaveKnife(Knife("Other"));
    Library.SaveKnife(Knife("Abc", "second"));
    Library.SaveKnife(Knife("abc"));
    EXPECT_THAT(Lines("knives.dat"), ElementsAre("Abc.knf", "Other.knf", "abc.knf"));
    EXPECT_THAT(Names(Library.Knives()), ElementsAre("Abc", "Other", "abc"));
    EXPECT_EQ(Library.Knives().Rows()[0].Cells[2], "second");
    EXPECT_EQ(Lines("Knives/Abc.knf")[1], "second");

    ToolLibrary reloaded(Folder.Path);
    reloaded.LoadToolLists(Messages);
    EXPECT_THAT(Names(reloaded.Knives()), ElementsAre("Abc", "Other", "abc"));
}

TEST_F(ToolLibraryTest, SupportRoundTripAndDeletingTheLastLeavesAnEmptyIndex) {
    Library.SaveSupport("S1", "holder");
    EXPECT_THAT(Lines("Tails/S1.tai"), ElementsAre("S1", "holder"));
    EXPECT_THAT(Library.Supports().Rows()[0].Cells, ElementsAre("S1", "holder"));
    EXPECT_TRUE(Library.DeleteSupport("S1"));
    EXPECT_FALSE(fs::exists(Folder.Path / "Tails/S1.tai"));
    ASSERT_TRUE(fs::exists(Folder.Path / "tails.dat"));
    EXPECT_TRUE(Lines("tails.dat").empty());
    EXPECT_THAT(Library.Supports().Rows()[0].Cells, ElementsAre("", ""));
}

TEST_F(ToolLibraryTest, DeleteRemovesTheRowAndKeepsTheOthersInOrder) {
    for (const char* name : {"A", "B", "C"})
        Library.SaveKnife(Knife(name));
    EXPECT_TRUE(Library.DeleteKnife("B"));
    EXPECT_THAT(Lines("knives.dat"), ElementsAre("A.knf", "C.knf"));
    EXPECT_THAT(Names(Library.Knives()), ElementsAre("A", "C"));
    Library.SaveKnife(Knife("D"));
    EXPECT_THAT(Names(Library.Knives()), ElementsAre("A", "C", "D"));
    EXPECT_FALSE(Library.DeleteKnife("B"));
}

TEST_F(ToolLibraryTest, DeletingAnUnindexedKnifeRemovesItsFileAndLeavesTheIndex) {
    Library.SaveKnife(Knife("A"));
    Write("Knives/Loose.knf", "Loose\r\n");
    Write("knives.dat", "A.knf\r\n\r\n");
    EXPECT_TRUE(Library.DeleteKnife("Loose"));
    EXPECT_FALSE(fs::exists(Folder.Path / "Knives/Loose.knf"));
    EXPECT_THAT(Lines("knives.dat"), ElementsAre("A.knf", ""));
}

TEST_F(ToolLibraryTest, MissingFilesAreLeftOutAndNamedInOneMessage) {
    Write("knives.dat", "Gone.knf\r\n\r\nHere.knf\r\n../Escape.knf\r\n");
    Write("Knives/Here.knf", "Here\r\nc\r\nprofiled\r\n");
    Write("Escape.knf", "Escape\r\n");
    Write("tails.dat", "Lost.tai\r\nS.tai\r\n");
    Write("Tails/S.tai", "S\r\n");
    Library.LoadToolLists(Messages);
    EXPECT_THAT(Names(Library.Knives()), ElementsAre("Here"));
    EXPECT_THAT(Library.Knives().Rows()[0].Cells, ElementsAre("Here", "profiled", "c", ""));
    EXPECT_THAT(Library.Supports().Rows()[0].Cells, ElementsAre("S", ""));
    ASSERT_EQ(Messages.Messages.size(), 1u);
    EXPECT_THAT(Messages.Messages[0], HasSubstr("Knives/Gone.knf"));
    EXPECT_THAT(Messages.Messages[0], HasSubstr("Knives/../Escape.knf"));
    EXPECT_THAT(Messages.Messages[0], HasSubstr("Tails/Lost.tai"));

    // Saved again, the missing knife takes its place in index order.
    Library.SaveKnife(Knife("Gone"));
    EXPECT_THAT(Names(Library.Knives()), ElementsAre("Gone", "Here"));
    EXPECT_EQ(Lines("knives.dat").size(), 4u);
}

TEST_F(ToolLibraryTest, NamesThatEscapeTheirFolderAreRefusedBeforeAnythingChanges) {
    for (const char* name : {"", ".", "..", "a/b", "a\\b", "a\tb", "../x"}) {
        EXPECT_THROW(Library.SaveKnife(Knife(name)), LibraryError) << name;
        EXPECT_THROW(Library.SaveSupport(name, ""), LibraryError) << name;
        EXPECT_THROW(Library.DeleteKnife(name), LibraryError) << name;
        EXPECT_THROW(Library.ReadKnife(name), LibraryError) << name;
    }
    EXPECT_THROW(Library.SaveSupport("S", "two\nlines"), LibraryError);
    EXPECT_TRUE(fs::is_empty(Folder.Path));
}

TEST_F(ToolLibraryTest, FailedWriteChangesNeitherListNorIndexNorFolder) {
    Library.SaveKnife(Knife("A"));
    // An index that cannot be replaced: the new knife's file is taken back.
    fs::remove(Folder.Path / "knives.dat");
    fs::create_directory(Folder.Path / "knives.dat");
    EXPECT_THROW(Library.SaveKnife(Knife("B")), FileError);
    EXPECT_FALSE(fs::exists(Folder.Path / "Knives/B.knf"));
    EXPECT_THAT(Names(Library.Knives()), ElementsAre("A"));

    // A support folder that cannot be created.
    Write("Tails", "not a folder");
    EXPECT_THROW(Library.SaveSupport("S", ""), FileError);
    EXPECT_EQ(Library.Supports().ItemCount(), 0u);
    EXPECT_FALSE(fs::exists(Folder.Path / "tails.dat"));
}
