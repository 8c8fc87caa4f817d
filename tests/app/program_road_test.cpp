#include "bench/generated_jobs.h"
#include "cli/commands.h"
#include "operations/job_fields.h"
#include "operations/nc_program.h"
#include "operations/qt/nc_program_window.h"
#include "operations/qt/operation_windows.h"
#include "operations/toolpath_building.h"
#include "platform/qt/background_work.h"
#include "platform/qt/tool_window.h"
#include "platform/text_file.h"
#include "tests/app/program_windows_fixture.h"
#include "tests/support/job_args.h"
#include "toollibrary/qt/library_list.h"
#include "toollibrary/qt/tool_library_window.h"
#include "toollibrary/qt/tool_slot_widget.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

#include <fstream>
#include <sstream>

using namespace torvex;
using torvex::testing::Models;
namespace fs = std::filesystem;

namespace {

const std::string Knives = TORVEX_DATA "/Knives/";

std::string FileBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class ProgramRoadTest : public torvex::testing::ProgramWindowsTest {
protected:
    template <typename T> T* In(QWidget* window, const char* name) {
        T* control = window->findChild<T*>(name);
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    void Type(QWidget* window, const std::vector<std::pair<const char*, const char*>>& fields) {
        for (auto [name, text] : fields)
            In<QLineEdit>(window, name)->setText(text);
    }
    void Press(QWidget* window, const char* name) {
        QTest::mouseClick(In<QAbstractButton>(window, name), Qt::LeftButton);
    }
    // Puts a knife of the library's list and its first support into a library slot.
    void FillLibrarySlot(int number, const char* knife) {
        LibraryList& knives = Windows.Library->KnifeList();
        for (int row = 0; row < knives.rowCount(); ++row)
            if (knives.RowCells(row).front() == knife)
                knives.selectRow(row);
        Windows.Library->DropOnSlot(number, 0);
        Windows.Library->SupportList().selectRow(0);
        Windows.Library->DropOnSlot(number, 1);
    }
    // Drops library slots on the window's left and right slots, with the data their drags carry.
    void Mount(OperationWindow* window, int left, const char* leftKnife, int right,
               const char* rightKnife) {
        FillLibrarySlot(left, leftKnife);
        FillLibrarySlot(right, rightKnife);
        for (auto [slot, number] :
             {std::pair{window->LeftSlot(), left}, {window->RightSlot(), right}}) {
            QMimeData data;
            data.setData(ToolSlotMime, QByteArray::fromStdString(SlotDragText(
                                           {number, Windows.Library->Slot(number).State()})));
            emit slot->Dropped(&data);
        }
    }
    // The fields of the batch tool's roughing job, typed into the roughing window.
    void TypeRoughing() {
        Type(Windows.Roughing, {{"e1", "5"},
                                {"e2", "2"},
                                {"e6", "0.5"},
                                {"e3", "2"},
                                {"e4", "100"},
                                {"e5", "200"},
                                {"e7", "1200"}});
    }
    std::string SavedProgram(const NcProgramOptions& options) {
        NcProgramWindow* nc = Windows.NcProgram;
        In<QCheckBox>(nc, "c1")->setChecked(options.Coolant);
        In<QCheckBox>(nc, "c2")->setChecked(options.AntiClockwise);
        In<QCheckBox>(nc, "c3")->setChecked(options.OpenDoor);
        Press(nc, "FlatButton2");
        fs::path file = Scratch("road.nc");
        Dialogs.SaveAnswers.push_back(file);
        Press(nc, "FlatButton1");
        return FileBytes(file);
    }
    using Command = int (*)(const std::vector<std::string>&, std::ostream&, std::ostream&);
    std::string BatchProgram(Command run, std::vector<std::string> args,
                             const NcProgramOptions& options) {
        fs::path file = Scratch("batch.nc");
        args.insert(args.end(), {"-o", file.string()});
        if (options.Coolant)
            args.push_back("--coolant");
        if (options.AntiClockwise)
            args.push_back("--anticlockwise");
        if (options.OpenDoor)
            args.push_back("--door");
        std::ostringstream out, err;
        EXPECT_EQ(run(args, out, err), ExitOk) << err.str();
        return FileBytes(file);
    }
};

} // namespace

TEST_F(ProgramRoadTest, ARoughingToolpathFromTheWindowsIsSavedAsTheBatchToolWritesIt) {
    Load(Models / "collared.mdl");
    Mount(Windows.Roughing, 1, "Rough80", 2, "Left45");
    TypeRoughing();
    for (const char* button : {"FlatSpeedButton7", "FlatSpeedButton3", "FlatSpeedButton5"})
        Press(Windows.Roughing, button);
    const torvex::testing::Args job = torvex::testing::RoughArgs("collared.mdl", "0,2,4");
    for (int mask = 0; mask < 8; ++mask) {
        NcProgramOptions options{.Coolant = (mask & 1) != 0,
                                 .AntiClockwise = (mask & 2) != 0,
                                 .OpenDoor = (mask & 4) != 0};
        Press(Windows.Roughing, "Button1");
        ClickNode(ToolpathNode(mask));
        ASSERT_TRUE(Enabled("g1"));
        EXPECT_EQ(SavedProgram(options), BatchProgram(RunRough, job, options)) << mask;
    }
}

TEST_F(ProgramRoadTest, AFinishingToolpathFromTheWindowsIsSavedAsTheBatchToolWritesIt) {
    Load(Models / "arcs.mdl");
    Mount(Windows.Finishing, 3, "Finish35", 4, "Finish35");
    Type(Windows.Finishing, {{"e1", "5"}, {"e2", "2"}, {"e3", "1"}, {"e4", "120"}, {"e5", "1500"}});
    Press(Windows.Finishing, "FlatSpeedButton2"); // code 4
    Press(Windows.Finishing, "FlatSpeedButton3"); // code 1
    Press(Windows.Finishing, "Button1");
    ClickNode(ToolpathNode(0)->child(1)); // "Parameters" keeps its toolpath selected
    const std::vector<std::string> job = {(Models / "arcs.mdl").string(),
                                          "--ops",
                                          "4,1",
                                          "--safe",
                                          "5",
                                          "--offset",
                                          "2",
                                          "--speed",
                                          "1500",
                                          "--approach",
                                          "1",
                                          "--feed",
                                          "120",
                                          "--left-knife",
                                          Knives + "Finish35.knf",
                                          "--right-knife",
                                          Knives + "Finish35.knf",
                                          "--left-tool",
                                          "3",
                                          "--right-tool",
                                          "4"};
    EXPECT_EQ(SavedProgram({.Coolant = true}), BatchProgram(RunFinish, job, {.Coolant = true}));
}

TEST_F(ProgramRoadTest, AGroovingToolpathFromTheWindowIsSavedAsTheBatchToolWritesIt) {
    Load(Models / "grooved.mdl");
    FillLibrarySlot(5, "Groove3");
    QMimeData data;
    data.setData(ToolSlotMime,
                 QByteArray::fromStdString(SlotDragText({5, Windows.Library->Slot(5).State()})));
    emit Windows.Grooving->LeftSlot()->Dropped(&data);
    EXPECT_EQ(Windows.Grooving->RightSlot(), nullptr);
    Type(Windows.Grooving, {{"e1", "2"},
                            {"e2", "0.5"},
                            {"e3", ""},
                            {"e4", "1"},
                            {"e5", "60"},
                            {"e6", "40"},
                            {"e7", "800"},
                            {"e8", "90"},
                            {"e9", "0"}});
    Press(Windows.Grooving, "FlatSpeedButton3"); // part off
    Press(Windows.Grooving, "FlatSpeedButton2"); // the grooves, refused after it
    Press(Windows.Grooving, "Button1");
    Press(Windows.Grooving, "FlatSpeedButton6"); // Clear
    Press(Windows.Grooving, "FlatSpeedButton2");
    Press(Windows.Grooving, "FlatSpeedButton3");
    Press(Windows.Grooving, "Button1");
    ASSERT_EQ(Work.ToolpathCount(), 2u);
    EXPECT_EQ(Main->RootNode()->child(1)->text(0), "2-Grooving");
    EXPECT_EQ(In<QLineEdit>(Windows.Roughing, "namee")->text(), "3-Roughing");
    EXPECT_EQ(In<QLineEdit>(Windows.Grooving, "namee")->text(), "3-Grooving");
    ClickNode(ToolpathNode(1));
    torvex::testing::Args job = torvex::testing::GrooveArgs("grooved.mdl", "1,2");
    job.insert(job.end(), {"--part-at", "90", "--final-radius", "0"});
    EXPECT_EQ(SavedProgram({}), BatchProgram(RunGroove, job, {}));
    // A model loaded anew starts the names again.
    Load(Models / "grooved.mdl");
    EXPECT_EQ(In<QLineEdit>(Windows.Finishing, "namee")->text(), "1-Finishing");
}

TEST_F(ProgramRoadTest, AThreadingToolpathFromTheWindowIsSavedAsTheBatchToolWritesIt) {
    Load(Models / "threaded.mdl");
    FillLibrarySlot(7, "Thread60");
    QMimeData data;
    data.setData(ToolSlotMime,
                 QByteArray::fromStdString(SlotDragText({7, Windows.Library->Slot(7).State()})));
    emit Windows.Threading->LeftSlot()->Dropped(&data);
    // The defaults stand in their fields; the depth is left to the pitch.
    EXPECT_EQ(In<QLineEdit>(Windows.Threading, "e6")->text(), "0.05");
    EXPECT_EQ(In<QLineEdit>(Windows.Threading, "e7")->text(), "1");
    EXPECT_EQ(In<QLineEdit>(Windows.Threading, "e8")->text(), "29.5");
    Type(Windows.Threading,
         {{"e1", "60"}, {"e2", "42"}, {"e3", "1.5"}, {"e5", "0.3"}, {"e9", "1"}, {"e10", "800"}});
    Press(Windows.Threading, "FlatSpeedButton1"); // Preview: no queue to fill first
    EXPECT_GT(Main->SceneObjects().ThreadRootLine.Nodes.size(), 1u);
    EXPECT_TRUE(Main->SceneObjects().ToolpathLine.OverSolids) << "inside the part's cylinder";
    EXPECT_EQ(Work.ToolpathCount(), 0u);
    Press(Windows.Threading, "Button1");
    ASSERT_EQ(Work.ToolpathCount(), 1u) << Messages.Messages.back();
    EXPECT_EQ(Main->RootNode()->child(0)->text(0), "1-Threading");
    EXPECT_EQ(In<QLineEdit>(Windows.Threading, "namee")->text(), "2-Threading");
    ClickNode(ToolpathNode(0));
    EXPECT_EQ(SavedProgram({}), BatchProgram(RunThread, torvex::testing::ThreadArgs(), {}));
}

TEST_F(ProgramRoadTest, PreviewAndBadFieldsLeaveNoTraceAndNamesAdvanceTogether) {
    Load(Models / "collared.mdl");
    Mount(Windows.Roughing, 1, "Rough80", 2, "Left45");
    TypeRoughing();
    Press(Windows.Roughing, "FlatSpeedButton7");
    Press(Windows.Roughing, "FlatSpeedButton1"); // Preview
    EXPECT_EQ(Work.ToolpathCount(), 0u);
    EXPECT_EQ(Main->RootNode()->childCount(), 0);
    EXPECT_GT(Main->SceneObjects().ToolpathLine.Nodes.size(), 2u);
    In<QLineEdit>(Windows.Roughing, "e3")->setText("2,5x");
    Press(Windows.Roughing, "Button1");
    EXPECT_EQ(Messages.Messages.back(),
              "Cutting depth : '2,5x' is not a valid floating point value");
    EXPECT_EQ(Work.ToolpathCount(), 0u);
    EXPECT_EQ(In<QLineEdit>(Windows.Roughing, "namee")->text(), "1-Roughing");
    In<QLineEdit>(Windows.Roughing, "e3")->setText("2");
    Press(Windows.Roughing, "Button1");
    EXPECT_EQ(Work.ToolpathCount(), 1u);
    EXPECT_EQ(In<QLineEdit>(Windows.Roughing, "namee")->text(), "2-Roughing");
    EXPECT_EQ(In<QLineEdit>(Windows.Finishing, "namee")->text(), "2-Finishing");
    EXPECT_EQ(Main->RootNode()->child(0)->text(0), "1-Roughing");
}

TEST_F(ProgramRoadTest, ALongBuildCancelledLeavesTheTreeAndTheViewAsTheyWere) {
    GeneratedModelFile model(8000);
    Load(model.Path());
    ASSERT_GT(Work.Shaft.Elements.size(), 7000u);
    Mount(Windows.Roughing, 1, "ShoulderL", 2, "ShoulderR");
    TypeRoughing();
    for (const char* button : {"FlatSpeedButton7", "FlatSpeedButton3", "FlatSpeedButton5"})
        Press(Windows.Roughing, button);
    Press(Windows.Roughing, "Button1");
    ASSERT_EQ(Work.ToolpathCount(), 1u);
    const TToolpath* first = Work.Toolpaths.front().get();
    const auto line = Main->SceneObjects().ToolpathLine.Nodes;
    ASSERT_GT(line.size(), 1000u);

    const size_t messages = Messages.Messages.size();
    // Another cutting depth: a preview that went through would draw another line.
    Type(Windows.Roughing, {{"e3", "1.5"}});
    // Cancel is pressed as soon as the build is under way, whether or not its dialog shows yet.
    QTimer cancel;
    cancel.setInterval(0);
    QObject::connect(&cancel, &QTimer::timeout, [&] {
        for (QWidget* window :
             {static_cast<QWidget*>(Windows.Roughing), static_cast<QWidget*>(Windows.NcProgram)})
            if (auto* dialog = window->findChild<QProgressDialog*>(WorkProgressName))
                dialog->findChild<QPushButton*>()->click();
    });
    cancel.start();
    for (const char* button : {"FlatSpeedButton1", "Button1"}) { // Preview, Add toolpath
        Press(Windows.Roughing, button);
        EXPECT_EQ(Work.ToolpathCount(), 1u) << button;
        EXPECT_EQ(Work.Toolpaths.front().get(), first) << button;
        ASSERT_EQ(Main->RootNode()->childCount(), 1) << button;
        EXPECT_EQ(Main->RootNode()->child(0)->text(0), "1-Roughing") << button;
        EXPECT_EQ(Main->SceneObjects().ToolpathLine.Nodes, line) << button;
        EXPECT_EQ(In<QLineEdit>(Windows.Roughing, "namee")->text(), "2-Roughing") << button;
    }
    // Another program zero rebuilds the toolpath for it: cancelled, the setup stays as it was.
    const std::vector<TPoint> path = XYOf(first->PathPoints);
    In<QComboBox>(Windows.NcProgram, "Zero")->setCurrentIndex(1);
    EXPECT_EQ(In<QComboBox>(Windows.NcProgram, "Zero")->currentIndex(), 0);
    EXPECT_EQ(Work.Setup.Zero, ProgramZero::ProfileOrigin);
    EXPECT_EQ(XYOf(first->PathPoints), path);
    cancel.stop();
    EXPECT_EQ(Messages.Messages.size(), messages); // a cancelled build is no error
}

TEST_F(ProgramRoadTest, TakeToolListsTheLibraryPositionsAndTakesOneAsItsDropWould) {
    Load(Models / "collared.mdl");
    FillLibrarySlot(5, "ShoulderL");
    TTool* slot = Windows.Roughing->LeftSlot();
    QAction* take = nullptr;
    for (QAction* action : slot->actions())
        if (action->text() == "Take tool...")
            take = action;
    ASSERT_NE(take, nullptr);
    EXPECT_EQ(slot->contextMenuPolicy(), Qt::ActionsContextMenu);
    // The chooser lists the twenty positions; the fifth is taken.
    QStringList listed;
    auto choose = [&listed](int row) {
        QTimer::singleShot(0, [&listed, row] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            auto* list = dialog->findChild<QListWidget*>("Positions");
            listed.clear();
            for (int k = 0; k < list->count(); ++k)
                listed << list->item(k)->text();
            list->setCurrentRow(row);
            row < 0 ? dialog->reject() : dialog->accept();
        });
    };
    choose(4);
    take->trigger();
    ASSERT_EQ(listed.size(), 20);
    EXPECT_EQ(listed[4], "5: ShoulderL on SVJCR2020");
    EXPECT_EQ(listed[0], "1: empty");
    EXPECT_EQ(slot->State().Ncutit, "ShoulderL");
    // From the keyboard: Enter on the slot asks again; cancelled, the slot keeps its tool. The
    // slot hears keys only in its shown, active window.
    Windows.Roughing->show();
    Windows.Roughing->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Windows.Roughing));
    listed.clear();
    choose(-1);
    slot->setFocus();
    QTest::keyClick(slot, Qt::Key_Return);
    EXPECT_EQ(listed.size(), 20);
    EXPECT_EQ(slot->State().Ncutit, "ShoulderL");
    TypeRoughing();
    Press(Windows.Roughing, "FlatSpeedButton7");
    Press(Windows.Roughing, "Button1");
    ASSERT_EQ(Work.ToolpathCount(), 1u);
    EXPECT_EQ(Work.Toolpaths[0]->NCBlocks().front(), "N0010 M06 T5");
}

TEST_F(ProgramRoadTest, TheLibraryAndTheOperationWindowsOpenSideBySideOnTheScreen) {
    QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    ASSERT_GE(screen.width(), 1920);
    std::vector<QWidget*> windows{Windows.ToolLibrary, Windows.Roughing, Windows.Finishing};
    // Shown, each takes the room its controls need.
    for (QWidget* window : windows) {
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    }
    for (size_t i = 0; i < windows.size(); ++i) {
        QRect place = windows[i]->frameGeometry();
        EXPECT_TRUE(screen.contains(place)) << i;
        for (size_t j = i + 1; j < windows.size(); ++j)
            EXPECT_FALSE(place.intersects(windows[j]->frameGeometry())) << i << " " << j;
    }
}

TEST_F(ProgramRoadTest, FieldsStartTheNextRunWithWhatTheyLastHeld) {
    TypeRoughing();
    In<QLineEdit>(Windows.Finishing, "e4")->setText("120");
    ProgramWindows again = CreateProgramWindows(Work, Dialogs, Messages);
    EXPECT_EQ(In<QLineEdit>(again.Roughing, "e7")->text(), "1200");
    EXPECT_EQ(In<QLineEdit>(again.Roughing, "e6")->text(), "0.5");
    EXPECT_EQ(In<QLineEdit>(again.Finishing, "e4")->text(), "120");
    EXPECT_EQ(In<QLineEdit>(again.Finishing, "e1")->text(), "");
}

TEST_F(ProgramRoadTest, EveryControlOfTheOperationWindowsHasItsAccessibleName) {
    const std::vector<std::pair<const char*, const char*>> roughing = {
        {"e1", "Safe Z :"},
        {"e2", "Offset :"},
        {"e6", "Finishing rest :"},
        {"e3", "Cutting depth :"},
        {"e4", "Transversal speed"},
        {"e5", "Longitudinal speed"},
        {"e7", "Turning speed"},
        {"e8", "Surface speed :"},
        {"e9", "Max spindle speed :"},
        {"namee", "Toolpath name"},
        {"Tool1", "LTool :"},
        {"Tool2", "RTool :"},
        {"FlatSpeedButton7", "Whole length"},
        {"FlatSpeedButton2", "Left side from the stock radius"},
        {"FlatSpeedButton3", "Left side below the part's largest radius"},
        {"FlatSpeedButton4", "Right side from the stock radius"},
        {"FlatSpeedButton5", "Right side below the part's largest radius"},
        {"FlatSpeedButton8", "Left end face"},
        {"FlatSpeedButton9", "Right end face"}};
    const std::vector<std::pair<const char*, const char*>> finishing = {
        {"e3", "StartXOffset :"},
        {"e4", "Cutting speed :"},
        {"e5", "Turning speed :"},
        {"e6", "Surface speed :"},
        {"e7", "Max spindle speed :"},
        {"FlatSpeedButton3", "Left side without its top"},
        {"FlatSpeedButton7", "Left side with its top"},
        {"FlatSpeedButton5", "Right side without its top"},
        {"FlatSpeedButton2", "Right side with its top"}};
    const std::vector<std::pair<const char*, const char*>> grooving = {
        {"e1", "Safe Z :"},      {"e2", "Finishing rest :"},      {"e3", "Step :"},
        {"e4", "Peck depth :"},  {"e5", "Plunge speed"},          {"e6", "Finishing speed"},
        {"e7", "Turning speed"}, {"e8", "Part off at Z :"},       {"e9", "Final radius :"},
        {"Tool1", "Tool :"},     {"FlatSpeedButton2", "Grooves"}, {"FlatSpeedButton3", "Part off"}};
    const std::vector<std::pair<const char*, const char*>> threading = {
        {"e1", "Thread from Z :"}, {"e2", "Thread to Z :"},     {"e3", "Pitch :"},
        {"e4", "Thread depth :"},  {"e5", "First cut depth :"}, {"e6", "Minimum cut :"},
        {"e7", "Spring passes :"}, {"e8", "Infeed angle :"},    {"e9", "Safe Z :"},
        {"e10", "Turning speed"},  {"namee", "Toolpath name"},  {"Tool1", "Tool :"}};
    for (auto [window, names] : {std::pair{static_cast<QWidget*>(Windows.Roughing), roughing},
                                 std::pair{static_cast<QWidget*>(Windows.Finishing), finishing},
                                 std::pair{static_cast<QWidget*>(Windows.Grooving), grooving},
                                 std::pair{static_cast<QWidget*>(Windows.Threading), threading}}) {
        for (auto [name, accessible] : names) {
            auto* control = In<QWidget>(window, name);
            EXPECT_EQ(control->accessibleName(), accessible) << name;
            EXPECT_NE(control->focusPolicy(), Qt::NoFocus) << name;
        }
    }
    for (OperationWindow* window : {static_cast<OperationWindow*>(Windows.Roughing),
                                    static_cast<OperationWindow*>(Windows.Grooving),
                                    static_cast<OperationWindow*>(Windows.Threading)})
        for (QLabel* label : window->Body()->findChildren<QLabel*>()) {
            if (!label->text().isEmpty()) {
                EXPECT_NE(label->buddy(), nullptr) << label->text().toStdString();
            }
        }
    EXPECT_EQ(In<QPlainTextEdit>(Windows.NcProgram, "m1")->accessibleName(), "NC program");
}

TEST_F(ProgramRoadTest, ASlotHandsOverTheKnifeItShowsAndTheToolNumberItWasDroppedWith) {
    Load(Models / "collared.mdl");
    Mount(Windows.Roughing, 1, "ShoulderL", 2, "ShoulderR");
    Mount(Windows.Finishing, 3, "FinishL", 4, "FinishR");
    TypeRoughing();
    Press(Windows.Roughing, "Button1");
    EXPECT_EQ(Messages.Messages.back(), NoOperationQueuedText);
    Press(Windows.Roughing, "FlatSpeedButton7");
    Press(Windows.Roughing, "Button1");
    ASSERT_EQ(Work.ToolpathCount(), 1u);
    // The finishing window's drop of slot 3 does not change the roughing window's tool.
    EXPECT_EQ(Work.Toolpaths[0]->NCBlocks().front(), "N0010 M06 T1");
    EXPECT_EQ(ToolpathNode(0)->child(0)->child(0)->text(0), "T1 Tip : ShoulderL");
    EXPECT_FALSE(Work.Toolpaths[0]->LeftKnife.Points.Empty());
    // A double click takes the knife out of the slot: a toolpath whose queued operation needs
    // it is refused, by Preview as by Add toolpath.
    QTest::mouseDClick(Windows.Roughing->LeftSlot(), Qt::LeftButton);
    for (const char* command : {"FlatSpeedButton1", "Button1"}) {
        Messages.Messages.clear();
        Press(Windows.Roughing, command);
        EXPECT_EQ(Messages.Messages,
                  std::vector<std::string>{NoKnifeText(ToolSide::Left, SlotCaptions)});
    }
    EXPECT_EQ(Work.ToolpathCount(), 1u);
}

TEST_F(ProgramRoadTest, AJobSavedFromTheWindowsReopensInAFreshProgramWithTheSameProgram) {
    Load(Models / "production.mdl");
    Mount(Windows.Roughing, 1, "ShoulderL", 2, "ShoulderR");
    TypeRoughing();
    for (const char* button : {"FlatSpeedButton7", "FlatSpeedButton3", "FlatSpeedButton5"})
        Press(Windows.Roughing, button);
    Press(Windows.Roughing, "Button1");
    Mount(Windows.Finishing, 3, "FinishL", 4, "FinishR");
    Type(Windows.Finishing, {{"e1", "5"},
                             {"e2", "2"},
                             {"e3", "1"},
                             {"e4", "120"},
                             {"e5", "1500"},
                             {"e6", "150"},
                             {"e7", "2500"}});
    Press(Windows.Finishing, "FlatSpeedButton7"); // left with its top
    Press(Windows.Finishing, "FlatSpeedButton5"); // right without
    Press(Windows.Finishing, "Button1");
    ASSERT_EQ(Work.ToolpathCount(), 2u);

    auto wholeJob = [this](ProgramWindows& windows) {
        In<QComboBox>(windows.NcProgram, "ProgramOf")->setCurrentIndex(1);
        In<QComboBox>(windows.NcProgram, "Controller")->setCurrentIndex(1); // LinuxCNC
        QTest::mouseClick(In<QAbstractButton>(windows.NcProgram, "FlatButton2"), Qt::LeftButton);
        return In<QPlainTextEdit>(windows.NcProgram, "m1")->toPlainText().toStdString();
    };
    std::string program = wholeJob(Windows);
    // The finishing turns at constant surface speed, the roughing at its turning speed.
    EXPECT_NE(program.find(" G96 D2500 S150 M03\n"), std::string::npos) << program;
    EXPECT_EQ(In<QLabel>(Windows.NcProgram, "Verdict")->text().split('\n').front(),
              "Checked against the knives: no collision");
    fs::path job = Scratch("road.tjob");
    Dialogs.SaveAnswers.push_back(job);
    Click("SaveJob");

    Workspace fresh;
    fresh.StartupDirectory = Sample.Path;
    torvex::testing::ScriptedDialogs freshDialogs;
    RecordingMessageSink freshMessages;
    ProgramWindows reopened = CreateProgramWindows(fresh, freshDialogs, freshMessages);
    freshDialogs.Answers.push_back(job);
    QTest::mouseClick(reopened.Main->findChild<QAbstractButton*>("OpenJob"), Qt::LeftButton);
    EXPECT_TRUE(freshMessages.Messages.empty());
    ASSERT_EQ(fresh.ToolpathCount(), 2u);
    EXPECT_EQ(In<QLineEdit>(reopened.Grooving, "namee")->text(), "3-Grooving");
    EXPECT_EQ(reopened.Main->RootNode()->childCount(), 2);
    EXPECT_EQ(wholeJob(reopened), program);
    std::ostringstream out, err;
    ASSERT_EQ(RunJobFile({job.string(), "--dialect", "linuxcnc"}, out, err), ExitOk) << err.str();
    EXPECT_EQ(out.str(), program + "\n");
}
