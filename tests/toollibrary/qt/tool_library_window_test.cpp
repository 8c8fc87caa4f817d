#include "toollibrary/qt/tool_library_window.h"

#include "tests/toollibrary/qt/library_window_fixture.h"

#include "platform/message_sink.h"
#include "platform/qt/tool_window.h"
#include "platform/text_file.h"
#include "tests/support/temp_folder.h"
#include "toollibrary/knife_file.h"
#include "toollibrary/qt/library_list.h"
#include "toollibrary/qt/tool_popups.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

using namespace torvex;
using ::testing::ElementsAre;
namespace fs = std::filesystem;

namespace {

class LibraryWindow : public LibraryWindowFixture {
protected:
    LibraryWindow() : LibraryWindowFixture("library-window", QSize(740, 480)) {}

    // Selects a row of a list as a click would, and returns the middle of its first cell.
    QPoint Select(LibraryList& list, int row) {
        list.selectRow(row);
        return list.visualRect(list.model()->index(row, 0)).center();
    }
    std::vector<std::string> Names(LibraryList& list) {
        std::vector<std::string> names;
        for (int row = 0; row < list.rowCount(); ++row)
            names.push_back(list.RowCells(row).front());
        return names;
    }
    void FillSlot(int number) {
        Select(Window->KnifeList(), 1);
        Window->DropOnSlot(number, 0);
        Select(Window->SupportList(), 0);
        Window->DropOnSlot(number, 1);
    }
};

} // namespace

TEST_F(LibraryWindow, KnifeAndSupportDroppedFromTheListsFillTheSlot) {
    EXPECT_TRUE(Messages.Messages.empty());
    FillSlot(7);
    const ToolSlotState& slot = Window->Slot(7).State();
    EXPECT_TRUE(slot.cutit && slot.coada);
    EXPECT_EQ(slot.Ncutit, "Finish35");
    EXPECT_EQ(slot.ToolType, "standard");
    EXPECT_EQ(slot.Ncoada, "SVJCR2020");
    EXPECT_EQ(slot.Data, ReadTextLines(Folder.Path / "Knives/Finish35.knf"));
    EXPECT_FALSE(Window->Slot(8).State().cutit);
}

TEST_F(LibraryWindow, RemoveBoughtEmptiesTheRightClickedSlotOnly) {
    QAction* bought = Window->SlotMenu().actions().at(2);
    bought->trigger(); // before any slot was pressed: nothing happens
    FillSlot(7);
    FillSlot(3);
    Window->SlotPressed(3);
    QTest::mouseClick(&Window->Slot(7), Qt::RightButton);
    EXPECT_EQ(Window->DraggedSlot(), 7);
    Window->SlotMenu().hide();
    EXPECT_EQ(bought->text(), "Remove &Bought");
    bought->trigger();
    EXPECT_FALSE(Window->Slot(7).State().cutit || Window->Slot(7).State().coada);
    EXPECT_EQ(Window->Slot(7).State().Ncutit, "");
    EXPECT_FALSE(Window->Slot(7).State().Data.empty());
    EXPECT_TRUE(Window->Slot(3).State().cutit && Window->Slot(3).State().coada);
}

TEST_F(LibraryWindow, PreviewLoadsTheCodeMemoAndShowsThePopupWithTheKnifesName) {
    QPoint row = Select(Window->KnifeList(), 1);
    Window->PreviewKnife(row);
    EXPECT_EQ(Window->CodeMemo().toPlainText().toStdString(),
              "line 0/0/3/1.73/\nline 3/1.73/3/10/\nline 3/10/-3/10/\nline -3/10/-3/1.73/\n"
              "line -3/1.73/0/0/");
    EXPECT_TRUE(KnifePopupWindow.isVisible());
    EXPECT_EQ(KnifePopupWindow.windowTitle(), "Finish35");
    EXPECT_TRUE(Messages.Messages.empty()) << Messages.Messages.front();
}

TEST_F(LibraryWindow, ModifyOfAStandardKnifeRegeneratesItsProfile) {
    auto lines = ReadTextLines(Folder.Path / "Knives/Left45.knf");
    KnifeFileFields knife = ReadKnifeFields(lines);
    lines.resize(KnifeHeaderLines);
    lines.push_back("line 0/0/99/99/");
    WriteTextLinesAtomically(Folder.Path / "Knives/Left45.knf", lines);
    Window->PreviewKnife(Select(Window->KnifeList(), 2));
    Window->ModifyKnife();
    std::string expected;
    for (const std::string& record : GenerateStandardProfile(ReadStandardValues(knife)))
        expected += (expected.empty() ? "" : "\n") + record;
    EXPECT_EQ(Window->CodeMemo().toPlainText().toStdString(), expected);
    EXPECT_FALSE(KnifePopupWindow.isVisible());
    EXPECT_TRUE(Messages.Messages.empty()) << Messages.Messages.front();
}

TEST_F(LibraryWindow, DeleteRemovesTheFileAndTheIndexLine) {
    Window->PreviewKnife(Select(Window->KnifeList(), 0));
    Window->DeleteKnife();
    EXPECT_FALSE(fs::exists(Folder.Path / "Knives/Rough80.knf"));
    std::vector<std::string> index = ReadTextLines(Folder.Path / "knives.dat");
    EXPECT_EQ(std::count(index.begin(), index.end(), "Rough80.knf"), 0);
    ASSERT_EQ(index.size(), 11u);
    EXPECT_EQ(index.front(), "Finish35.knf");
    std::vector<std::string> names = Names(Window->KnifeList());
    EXPECT_EQ(names.size(), index.size());
    EXPECT_EQ(names.front(), "Finish35");
}

TEST_F(LibraryWindow, ClickOnATitleSortsTheRowsShownIgnoringCase) {
    Window->KnifeList().SortByColumn(0);
    std::vector<std::string> names = Names(Window->KnifeList());
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end(), [](const auto& a, const auto& b) {
        return QString::fromStdString(a).compare(QString::fromStdString(b), Qt::CaseInsensitive) <
               0;
    }));
    EXPECT_EQ(names.front(), "Finish35");
    QHeaderView* header = Window->SupportList().horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionPosition(0) + 5, header->height() / 2));
    EXPECT_THAT(Names(Window->SupportList()), ElementsAre("PCLNR2525", "SVJCR2020"));
}

TEST_F(LibraryWindow, AddToLibrarySavesTheStandardKnifeItsFieldsDescribe) {
    auto field = [this](const char* name) { return Window->findChild<QLineEdit*>(name); };
    Window->PreviewKnife(Select(Window->KnifeList(), 1)); // the memo now holds another knife
    field("e1")->setText("New");
    const char* values[5] = {"0", "0", "5", "5", "10"};
    for (int i = 0; i < 5; ++i)
        field(QString("ee%1").arg(i + 1).toUtf8().constData())->setText(values[i]);
    Window->AddKnifeToLibrary();
    auto lines = ReadTextLines(Folder.Path / "Knives/New.knf");
    EXPECT_THAT(std::vector(lines.begin() + KnifeHeaderLines, lines.end()),
                ElementsAre("line 0/0/5/0/", "line 5/0/5/10/", "line 5/10/-5/10/",
                            "line -5/10/-5/0/", "line -5/0/0/0/"));
    EXPECT_EQ(Names(Window->KnifeList()).back(), "New");
}

TEST_F(LibraryWindow, ANoseRadiusRoundsTheSavedTipAndShowsInThePopupAndOnModify) {
    auto field = [this](const char* name) { return Window->findChild<QLineEdit*>(name); };
    field("e1")->setText("Nosed");
    const char* values[5] = {"30", "30", "5", "5", "10"};
    for (int i = 0; i < 5; ++i)
        field(QString("ee%1").arg(i + 1).toUtf8().constData())->setText(values[i]);
    field("NoseRadius")->setText("0.5");
    Window->AddKnifeToLibrary();
    auto lines = ReadTextLines(Folder.Path / "Knives/Nosed.knf");
    ASSERT_EQ(lines.size(), KnifeHeaderLines + 6);
    EXPECT_EQ(lines.back().rfind("arc ", 0), 0u);
    field("NoseRadius")->clear();
    Window->PreviewKnife(
        Select(Window->KnifeList(), static_cast<int>(Names(Window->KnifeList()).size()) - 1));
    EXPECT_EQ(Window->KnifePopupControls().findChild<QLabel*>("NoseRadius")->text(),
              "Nose radius : 0.5 mm");
    Window->ModifyKnife();
    EXPECT_EQ(field("NoseRadius")->text(), "0.5");
    EXPECT_TRUE(Messages.Messages.empty()) << Messages.Messages.front();
}

TEST_F(LibraryWindow, KnifeWithoutSizeIsRefusedBeforeTheCodeMemoChanges) {
    auto field = [this](const char* name) { return Window->findChild<QLineEdit*>(name); };
    Window->CodeMemo().setPlainText("line 1/1/2/2/");
    for (int i = 0; i < 5; ++i)
        field(QString("ee%1").arg(i + 1).toUtf8().constData())->setText("0");
    Window->findChild<QPushButton*>("bb1")->click();
    ASSERT_EQ(Messages.Messages.size(), 1u);
    EXPECT_EQ(Window->CodeMemo().toPlainText(), "line 1/1/2/2/");
}
