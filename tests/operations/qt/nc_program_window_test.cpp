#include "bench/sample_jobs.h"
#include "checking/collision_check.h"
#include "geometry/model_files.h"
#include "operations/nc_program.h"
#include "operations/qt/nc_program_window.h"
#include "operations/toolpath_building.h"
#include "platform/message_sink.h"
#include "platform/text_file.h"
#include "tests/support/scripted_dialogs.h"
#include "workspace/workspace.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace torvex;
namespace fs = std::filesystem;

namespace {

std::string FileBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The window starts from the settings a test left: each test starts without any.
struct NoRememberedController {
    NoRememberedController() { QSettings("MyCompany", "MyApp").remove("NcProgram"); }
};

class NcProgramWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        RecordingMessageSink loading;
        ASSERT_TRUE(LoadPartAndStock(TORVEX_DATA "/Models/collared.mdl", Work.Shaft,
                                     Work.StockShaft, loading));
        JobTool knife = SampleTool(TORVEX_DATA, "Rough80", 1);
        AddToolpath(Work, SampleRoughing({RoughingOperation::WholeLength}, knife, knife),
                    "1-Roughing");
        Folder = fs::temp_directory_path() / "torvex-nc-window-test";
        fs::remove_all(Folder);
        fs::create_directories(Folder);
    }
    void TearDown() override { fs::remove_all(Folder); }

    template <typename T> T* Control(const char* name) {
        T* control = Window.findChild<T*>(name);
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    void Click(const char* name) { QTest::mouseClick(Control<QPushButton>(name), Qt::LeftButton); }
    QString Text() { return Control<QPlainTextEdit>("m1")->toPlainText(); }

    Workspace Work;
    torvex::testing::ScriptedDialogs Dialogs;
    RecordingMessageSink Messages;
    NoRememberedController Fresh;
    NcProgramWindow Window{Work, Dialogs, Messages, nullptr};
    fs::path Folder;
};

} // namespace

TEST_F(NcProgramWindowTest, GeneratesOnlyForTheSelectedToolpath) {
    Click("FlatButton2");
    EXPECT_EQ(Messages.Messages, std::vector<std::string>{NoToolpathSelectedText});
    EXPECT_TRUE(Text().isEmpty());
    // Nothing generated, nothing saved.
    fs::path file = Folder / "empty.nc";
    Dialogs.SaveAnswers.push_back(file);
    Click("FlatButton1");
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(Messages.Messages.back().substr(0, 30), "There is no program to save: p");
    Work.SelectedToolpath = Work.Toolpaths.front().get();
    for (int mask = 0; mask < 8; ++mask) {
        Control<QCheckBox>("c1")->setChecked(mask & 1);
        Control<QCheckBox>("c2")->setChecked(mask & 2);
        Control<QCheckBox>("c3")->setChecked(mask & 4);
        TToolpath copy = *Work.SelectedToolpath;
        std::vector<std::string> expected =
            GenerateNcProgram(copy, {.Coolant = (mask & 1) != 0,
                                     .AntiClockwise = (mask & 2) != 0,
                                     .OpenDoor = (mask & 4) != 0});
        Click("FlatButton2");
        EXPECT_EQ(Text().toStdString().substr(0, expected.front().size()), expected.front());
        EXPECT_EQ(Text().split('\n').last().toStdString(), expected.back()) << mask;
    }
}

TEST_F(NcProgramWindowTest, SavesTheTextAsItStandsWithCrLfAndAsksForTheNcFolder) {
    Work.StartupDirectory = Folder;
    Work.SelectedToolpath = Work.Toolpaths.front().get();
    Click("FlatButton2");
    Control<QPlainTextEdit>("m1")->appendPlainText("N9999 (edited by hand)");
    fs::path file = Folder / "part.nc";
    Dialogs.SaveAnswers.push_back(file);
    Click("FlatButton1");
    ASSERT_EQ(Dialogs.Asked.size(), 1u);
    EXPECT_EQ(Dialogs.Asked[0].InitialDirectory, Folder / "NC");
    EXPECT_EQ(Dialogs.Asked[0].DefaultExtension, "");
    std::string expected = Text().replace('\n', "\r\n").toStdString() + "\r\n";
    EXPECT_EQ(FileBytes(file), expected);
    // Cancelling writes nothing.
    fs::remove(file);
    Click("FlatButton1");
    EXPECT_FALSE(fs::exists(file));
}

TEST_F(NcProgramWindowTest, AFailedSaveShowsTheErrorKeepsTheTextAndLeavesNoFile) {
    Work.SelectedToolpath = Work.Toolpaths.front().get();
    Click("FlatButton2");
    QString before = Text();
    Dialogs.SaveAnswers.push_back(Folder / "missing folder" / "part.nc");
    Click("FlatButton1");
    ASSERT_EQ(Messages.Messages.size(), 1u);
    EXPECT_NE(Messages.Messages[0].find("part.nc"), std::string::npos);
    EXPECT_EQ(Text(), before);
    EXPECT_FALSE(fs::exists(Folder / "missing folder"));
}

TEST_F(NcProgramWindowTest, ControlsCarryAccessibleNames) {
    EXPECT_EQ(Control<QPlainTextEdit>("m1")->accessibleName(), "NC program");
    for (const char* name : {"FlatButton1", "FlatButton2"})
        EXPECT_FALSE(Control<QPushButton>(name)->text().isEmpty());
}

TEST_F(NcProgramWindowTest, WritesTheChosenControllersLanguageAndRemembersIt) {
    Work.SelectedToolpath = Work.Toolpaths.front().get();
    auto* controller = Control<QComboBox>("Controller");
    auto* diameter = Control<QCheckBox>("Diameter");
    EXPECT_EQ(controller->currentText(), "Generic");
    EXPECT_FALSE(diameter->isChecked());
    controller->setCurrentText("LinuxCNC");
    EXPECT_FALSE(Control<QCheckBox>("c3")->isEnabled()); // no standard door code
    diameter->setChecked(true);
    EXPECT_EQ(Control<QLabel>("XMode")->text(), "X words: diameter");
    Click("FlatButton2");
    EXPECT_EQ(Text().split('\n').first(), "G18 G21 G90 G91.1 G94 G40 G7");
    EXPECT_TRUE(Text().endsWith(" M30"));
    // A new window starts with the controller and the X mode of the last one.
    NcProgramWindow next(Work, Dialogs, Messages, nullptr);
    EXPECT_EQ(next.findChild<QComboBox*>("Controller")->currentText(), "LinuxCNC");
    EXPECT_TRUE(next.findChild<QCheckBox*>("Diameter")->isChecked());
    // Fanuc reads X as a diameter unless told otherwise, and opens the door with its own code.
    controller->setCurrentText("Fanuc");
    EXPECT_TRUE(diameter->isChecked());
    Control<QCheckBox>("c3")->setChecked(true);
    Click("FlatButton2");
    EXPECT_TRUE(Text().isEmpty()) << "no program for other settings is left to save";
    EXPECT_NE(Messages.Messages.back().find("door code"), std::string::npos);
    Control<QLineEdit>("DoorCode")->setText("M21");
    Click("FlatButton2");
    QStringList lines = Text().split('\n');
    EXPECT_EQ(lines.mid(0, 3), (QStringList{"%", "O0001", "G18 G21 G40 G97 G98"}));
    EXPECT_TRUE(lines.contains(QRegularExpression("^N\\d+ M21$")));
}

TEST_F(NcProgramWindowTest, ShowsTheKnifeCheckAboveTheProgramAndAsksBeforeSavingACollision) {
    Work.SelectedToolpath = Work.Toolpaths.front().get(); // the whole length: no collision
    Click("FlatButton2");
    EXPECT_EQ(Control<QLabel>("Verdict")->text(), "Checked against the knives: no collision");
    // The left side below the collar with Rough80: its flank reaches into the shoulder.
    JobTool knife = SampleTool(TORVEX_DATA, "Rough80", 1);
    Work.SelectedToolpath =
        &AddToolpath(Work, SampleRoughing({RoughingOperation::LeftBelowTop}, knife, knife), "side");
    std::vector<const TToolpath*> checked;
    QObject::connect(&Window, &NcProgramWindow::ToolpathChecked,
                     [&checked](const TToolpath* toolpath, const CheckResult& result) {
                         if (result.HasCollision())
                             checked.push_back(toolpath);
                     });
    Control<QCheckBox>("Diameter")->setChecked(true);
    Click("FlatButton2");
    QString verdict = Control<QLabel>("Verdict")->text();
    EXPECT_TRUE(verdict.startsWith("Checked against the knives: first collision N"));
    // Places in the program's own words, and the same program every time.
    EXPECT_TRUE(verdict.contains(", diameter ") && !verdict.contains("radius"))
        << verdict.toStdString();
    EXPECT_EQ(checked, std::vector<const TToolpath*>{Work.SelectedToolpath});
    QString first = Text();
    Click("FlatButton2");
    EXPECT_EQ(Text(), first);
    EXPECT_FALSE(Text().contains("collision")); // the program is only the program
    fs::path file = Folder / "side.nc";
    Messages.Answer = false;
    Dialogs.SaveAnswers.push_back(file);
    Click("FlatButton1");
    EXPECT_EQ(Messages.Questions.size(), 1u);
    EXPECT_FALSE(fs::exists(file));
    Messages.Answer = true;
    Click("FlatButton1");
    EXPECT_TRUE(fs::exists(file));
}

TEST_F(NcProgramWindowTest, AProgramBeyondTheMachinesLimitsIsRefusedAndNoneIsLeftToSave) {
    Work.SelectedToolpath = Work.Toolpaths.front().get();
    Click("FlatButton2");
    ASSERT_FALSE(Text().isEmpty());
    auto* feed = Control<QLineEdit>("MaxFeed");
    feed->setText("150");
    emit feed->editingFinished();
    Click("FlatButton2");
    EXPECT_NE(Messages.Messages.back().find("is above the machine's Max feed of 150 mm/min"),
              std::string::npos)
        << Messages.Messages.back();
    EXPECT_TRUE(Text().isEmpty());
    // The limit is the machine's: the next window starts with it.
    NcProgramWindow next{Work, Dialogs, Messages, nullptr};
    EXPECT_EQ(next.findChild<QLineEdit*>("MaxFeed")->text(), "150");
}

TEST_F(NcProgramWindowTest, AChuckRebuildsTheToolpathsClearOfItsJawsOrChangesNothing) {
    Work.SelectedToolpath = Work.Toolpaths.front().get();
    Control<QComboBox>("Zero")->setCurrentIndex(1);
    Control<QComboBox>("Holding")->setCurrentIndex(1);
    // Jaws at the stock's left end, 3 mm clear, Rough80 reaching 4 mm left of its tip; the part
    // ends at x 80.
    EXPECT_EQ(Work.Setup.Holding, WorkHolding::Chuck);
    EXPECT_EQ(Work.SelectedToolpath->PathPoints[1].X, 7);
    Click("FlatButton2");
    EXPECT_TRUE(Text().contains("G00 X27 Z-73")) << Text().toStdString();
    // Jaws reaching beyond the part are refused, and the setup stays as it was.
    auto* face = Control<QLineEdit>("JawFace");
    face->setText("78");
    emit face->editingFinished();
    EXPECT_NE(Messages.Messages.back().find("beyond the part's right end"), std::string::npos);
    EXPECT_FALSE(Work.Setup.JawFace);
    EXPECT_TRUE(face->text().isEmpty());
}
