#include "app/main_window.h"
#include "app/program_windows.h"
#include "app/toolbars_chooser.h"
#include "app/toolpath_tree.h"
#include "geometry/model.h"
#include "material/outlines.h"
#include "operations/qt/nc_program_window.h"
#include "operations/qt/operation_windows.h"
#include "platform/errors.h"
#include "platform/file_dialogs.h"
#include "platform/message_sink.h"
#include "platform/qt/scene_view.h"
#include "platform/qt/tool_window.h"
#include "tests/app/program_windows_fixture.h"
#include "workspace/workspace.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>

using namespace torvex;
namespace fs = std::filesystem;

using MainWindowTest = torvex::testing::ProgramWindowsTest;
using torvex::testing::Models;

TEST_F(MainWindowTest, EveryWindowExistsOnceFloatingHiddenAboveTheMainWindow) {
    EXPECT_EQ(Main->windowTitle(), "Torvex - CAM");
    const std::vector<std::pair<ToolWindow*, const char*>> windows{
        {Windows.KnifePreview, ""},
        {Windows.SupportPopup, ""},
        {Windows.Chooser, "Toolbars"},
        {Windows.Roughing, "Roughing toolpath"},
        {Windows.Finishing, "Finishing toolpath"},
        {Windows.Grooving, "Grooving and parting"},
        {Windows.NcProgram, "NC code"},
        {Windows.ToolLibrary, "Tool library"}};
    for (const auto& [window, caption] : windows) {
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->windowTitle(), caption);
        EXPECT_EQ(window->parentWidget(), Main);
        EXPECT_EQ(window->windowType(), Qt::Tool);
        EXPECT_TRUE(window->isHidden());
    }
    for (ToolWindow* window :
         std::vector<ToolWindow*>{Windows.Chooser, Windows.Roughing, Windows.Finishing,
                                  Windows.Grooving, Windows.NcProgram, Windows.ToolLibrary})
        EXPECT_TRUE(window->windowFlags().testFlag(Qt::FramelessWindowHint));
    // The library opens with room for its forms: shown, it keeps its size.
    QSize library = Windows.ToolLibrary->size();
    EXPECT_EQ(library, library.expandedTo(Windows.ToolLibrary->minimumSizeHint()));
    EXPECT_EQ(Main->ModelDirectory(), Sample.Path / "Models");
}

TEST_F(MainWindowTest, AtStartTheTreeHoldsItsRootAndEveryToolpathCommandIsDisabled) {
    ASSERT_EQ(Main->Tree()->topLevelItemCount(), 1);
    EXPECT_EQ(Main->RootNode()->text(0), "Toolpaths");
    EXPECT_EQ(Main->RootNode()->childCount(), 0);
    for (const char* name :
         {"t1", "t2", "t3", "t4", "t5", "t6", "s1", "s2", "s3", "M", "MUP", "g1", "l1", "l2", "l3"})
        EXPECT_FALSE(Enabled(name)) << name;
    EXPECT_EQ(Control<QLineEdit>("M")->text(), "1");
    EXPECT_EQ(Control<QLabel>("l1")->text(), "Toolpath length :");
    EXPECT_EQ(Control<QLabel>("l2")->text(), "Current toolpath time :");
    EXPECT_EQ(Control<QLabel>("l3")->text(), "Total toolpath time :");
    EXPECT_EQ(Control<QPushButton>("s1")->text(), "Initialize Simulation");
    EXPECT_TRUE(Control<QAction>("p3")->isChecked());
    EXPECT_TRUE(Control<QAction>("m3")->isChecked());
}

TEST_F(MainWindowTest, LoadingEachSampleShowsItsPartAndStockAndSaysSo) {
    for (const char* name : {"arcs", "chamfered", "collared", "production", "taper"}) {
        Messages.Messages.clear();
        Load(Models / (std::string(name) + ".mdl"));
        MainScene& scene = Main->SceneObjects();
        ASSERT_GT(Work.SceneScale, 0) << name;
        EXPECT_EQ(scene.PartSolid.Nodes, Mapped(Work.Shaft.Points)) << name;
        EXPECT_EQ(scene.StockSolid.Nodes, Mapped(ProfileChain(Work.StockShaft))) << name;
        EXPECT_EQ(scene.PartSolid.Nodes.size(), Work.Shaft.Points.Count());
        EXPECT_TRUE(scene.PartSolid.Visible && scene.StockSolid.Visible);
        EXPECT_FALSE(scene.SimulationSolid.Visible);
        std::string upper = name;
        for (char& c : upper)
            c = static_cast<char>(std::toupper(c));
        EXPECT_EQ(Messages.Messages, std::vector<std::string>{"Model '" + upper + "' loaded"});
    }
    ASSERT_FALSE(Dialogs.Asked.empty());
    const FileDialogOptions& asked = Dialogs.Asked.back();
    EXPECT_EQ(asked.Filter, "Model files (*.mdl)|*.mdl|All files (*.*)|*.*");
    EXPECT_EQ(asked.DefaultExtension, ".mdl");
    EXPECT_EQ(asked.InitialDirectory, Main->ModelDirectory());
}

TEST_F(MainWindowTest, APartOfLengthHundredMapsOntoMinusFiveToFive) {
    fs::path model = Scratch("hundred.mdl");
    std::ofstream(model) << "line 0/0/0/20/\nline 0/20/100/20/\nline 100/20/100/0/\n";
    std::ofstream(fs::path(model.string() + "s")) << "line 0/0/0/25/\nline 0/25/100/25/\n";
    Load(model);
    const auto& nodes = Main->SceneObjects().PartSolid.Nodes;
    ASSERT_EQ(nodes.size(), 4u);
    EXPECT_EQ(nodes[0], (SolidNode{0, -5}));
    EXPECT_EQ(nodes[1], (SolidNode{2, -5}));
    EXPECT_EQ(nodes[2], (SolidNode{2, 5}));
    EXPECT_EQ(Main->SceneObjects().StockSolid.Nodes[1], (SolidNode{2.5, -5}));
}

TEST_F(MainWindowTest, TheNameInTheMessageDependsOnALowerCaseExtension) {
    for (const char* file : {"shaft1.mdl", "SHAFT1.MDL"}) {
        fs::path model = Scratch(file);
        fs::copy_file(Models / "collared.mdl", model, fs::copy_options::overwrite_existing);
        fs::copy_file(Models / "collared.mdls", model.string() + "s",
                      fs::copy_options::overwrite_existing);
        Load(model);
    }
    EXPECT_EQ(Messages.Messages,
              (std::vector<std::string>{"Model 'SHAFT1' loaded", "Model '' loaded"}));
}

TEST_F(MainWindowTest, AMissingStockCompanionIsReportedOnceBeforeTheLoadedMessage) {
    fs::path model = Scratch("lonely.mdl");
    std::ofstream(model) << "line 0/0/0/10/\nline 0/10/40/10/\nline 40/10/40/0/\n";
    fs::remove(model.string() + "s");
    Load(model);
    ASSERT_EQ(Messages.Messages.size(), 2u);
    EXPECT_EQ(Messages.Messages[0], FileHandlingErrorText);
    EXPECT_EQ(Messages.Messages[1].substr(0, 40), "Model 'LONELY' loaded without its stock:");
    EXPECT_FALSE(Main->SceneObjects().PartSolid.Nodes.empty());
    EXPECT_TRUE(Main->SceneObjects().StockSolid.Nodes.empty());
}

TEST_F(MainWindowTest, LoadingAModelStartsANewWorkspace) {
    Load(Models / "collared.mdl");
    AddToolpath("1-Roughing", {{80, 30}, {0, 30}});
    ClickNode(ToolpathNode(0));
    ASSERT_TRUE(Enabled("t1"));
    Load(Models / "taper.mdl");
    EXPECT_EQ(Work.ToolpathCount(), 0u);
    EXPECT_EQ(Main->RootNode()->childCount(), 0);
    EXPECT_TRUE(Main->SceneObjects().ToolpathLine.Nodes.empty());
    for (const char* name : {"t1", "t5", "t6", "s1", "g1"})
        EXPECT_FALSE(Enabled(name)) << name;
}

TEST_F(MainWindowTest, CancellingTheDialogChangesNothing) {
    Load(Models / "collared.mdl");
    AddToolpath("1-Roughing", {{80, 30}, {0, 30}});
    auto part = Main->SceneObjects().PartSolid.Nodes;
    auto line = Main->SceneObjects().ToolpathLine.Nodes.size();
    Messages.Messages.clear();
    Click("b0"); // no answer queued: cancelled
    EXPECT_EQ(Work.ToolpathCount(), 1u);
    EXPECT_EQ(Main->RootNode()->childCount(), 1);
    EXPECT_EQ(Main->SceneObjects().PartSolid.Nodes, part);
    EXPECT_EQ(Main->SceneObjects().ToolpathLine.Nodes.size(), line);
    EXPECT_TRUE(Messages.Messages.empty());
}

TEST_F(MainWindowTest, AFileGivenOnTheCommandLineOpensByItsExtension) {
    Main->OpenFile(Sample.Path / "Models" / "collared.mdl");
    EXPECT_EQ(Work.ModelFile, Sample.Path / "Models" / "collared.mdl");
    EXPECT_FALSE(Main->SceneObjects().PartSolid.Nodes.empty());
    fs::copy_file(Sample.Path / "Models" / "taper.mdl", Sample.Path / "Models" / "TAPER.MDL");
    for (const char* other : {"Knives/Rough80.knf", "Models/taper.mdls", "Models/TAPER.MDL"}) {
        try {
            Main->OpenFile(Sample.Path / other);
            ADD_FAILURE() << other << " opened";
        } catch (const FileError& error) {
            EXPECT_EQ(std::string(error.what()), "'" + (Sample.Path / other).string() +
                                                     "' cannot be opened: Torvex - CAM opens "
                                                     "models (.mdl), jobs (.tjob)");
        }
    }
    EXPECT_EQ(Work.ModelFile, Sample.Path / "Models" / "collared.mdl");
}

TEST_F(MainWindowTest, ANewToolpathBranchIsShownAndExpandedAloneWithItsTexts) {
    Load(Models / "collared.mdl");
    AddToolpath("1-Roughing", {{80, 30}, {0, 30}});
    AddToolpath("2-Finishing", {{80, 25}, {0, 25}});
    QTreeWidgetItem* first = ToolpathNode(0);
    QTreeWidgetItem* second = ToolpathNode(1);
    EXPECT_EQ(StateImage(first), HiddenState);
    EXPECT_EQ(StateImage(second), ShownState);
    EXPECT_TRUE(Main->RootNode()->isExpanded());
    EXPECT_FALSE(first->isExpanded());
    EXPECT_TRUE(second->isExpanded());
    ASSERT_EQ(second->childCount(), 2);
    QTreeWidgetItem* tool = second->child(0);
    EXPECT_EQ(tool->text(0), "Tool");
    EXPECT_TRUE(tool->isExpanded());
    EXPECT_EQ(tool->child(0)->text(0), "T1 Tip : CNMG");
    EXPECT_EQ(tool->child(1)->text(0), "Support : PCLNR");
    EXPECT_EQ(second->child(1)->text(0), "Parameters");
    EXPECT_EQ(second->child(1)->child(1)->text(0), "Offset : 1,5");
}

TEST_F(MainWindowTest, ClickingTheRootLeavesExpandAllCollapseAllAndTheWholeJob) {
    Load(Models / "collared.mdl");
    AddToolpath("1-Roughing", {{80, 30}, {0, 30}});
    ClickNode(ToolpathNode(0));
    ClickNode(Main->RootNode());
    for (const char* name : {"t1", "t2", "t3", "t4", "s2", "s3", "M", "MUP", "l1"})
        EXPECT_FALSE(Enabled(name)) << name;
    EXPECT_TRUE(Enabled("s1") && Enabled("g1")) << "the whole job is simulated and programmed";
    EXPECT_TRUE(Enabled("t5"));
    EXPECT_TRUE(Enabled("t6"));
    for (const char* item : {"i1", "i2", "i3", "i4"})
        EXPECT_FALSE(Control<QAction>(item)->isEnabled()) << item;
    EXPECT_EQ(Work.SelectedToolpathName, "Toolpaths");
}

TEST_F(MainWindowTest, ClickingAToolpathEnablesItsCommandsAndShowsItsVisibility) {
    Load(Models / "collared.mdl");
    AddToolpath("1-Roughing", {{80, 30}, {0, 30}});
    AddToolpath("2-Roughing", {{80, 25}, {0, 25}});
    ClickNode(ToolpathNode(0));
    for (const char* name : {"t1", "t2", "t3", "t4", "t5", "t6", "s1", "g1"})
        EXPECT_TRUE(Enabled(name)) << name;
    for (const char* name : {"s2", "s3", "M", "MUP"})
        EXPECT_FALSE(Enabled(name)) << name;
    EXPECT_FALSE(Control<QToolButton>("t1")->isChecked()); // hidden
    EXPECT_FALSE(Control<QAction>("i1")->isChecked());
    EXPECT_EQ(Work.SelectedToolpathName, "1-Roughing");
    ClickNode(ToolpathNode(1));
    EXPECT_TRUE(Control<QToolButton>("t1")->isChecked()); // shown
    EXPECT_TRUE(Control<QAction>("i1")->isChecked());
}

TEST_F(MainWindowTest, ARightClickOpensThePopupBesideThePointer) {
    Load(Models / "collared.mdl");
    AddToolpath("1-Roughing", {{80, 30}, {0, 30}});
    QRect place = Main->Tree()->visualItemRect(ToolpathNode(0));
    QTest::mousePress(Main->Tree()->viewport(), Qt::RightButton, {}, place.center());
    QMenu* popup = Main->PopupMenu();
    ASSERT_TRUE(QTest::qWaitFor([&] { return popup->isVisible(); }, 2000));
    EXPECT_EQ(popup->pos(), Main->Tree()->viewport()->mapToGlobal(place.center() + QPoint(8, 28)));
    QStringList items;
    for (QAction* action : popup->actions())
        items << action->text();
    EXPECT_EQ(items,
              (QStringList{"Visible", "Expand (recursive)", "Expand (r) and collapse others",
                           "Remove", "    ___________________", "Expand (r) all", "Collapse all"}));
    popup->close();
    QTest::mouseRelease(Main->Tree()->viewport(), Qt::RightButton, {}, place.center());
}

TEST_F(MainWindowTest, ARightClickBelowAToolpathSwitchesOffItsCommandsWithoutAPopup) {
    Load(Models / "collared.mdl");
    AddToolpath("1-Roughing", {{80, 30}, {0, 30}});
    ClickNode(ToolpathNode(0));
    ClickNode(ToolpathNode(0)->child(0), Qt::RightButton);
    EXPECT_FALSE(Main->PopupMenu()->isVisible());
    for (const char* name : {"t1", "t2", "t3", "t4", "t5", "t6", "s1", "g1", "M", "l1"})
        EXPECT_FALSE(Enabled(name)) << name;
    EXPECT_EQ(Work.SelectedToolpathName, "Tool");
}

TEST_F(MainWindowTest, APressBesideEveryNodeChangesNothing) {
    Load(Models / "collared.mdl");
    AddToolpath("1-Roughing", {{80, 30}, {0, 30}});
    ClickNode(ToolpathNode(0));
    QTest::mouseClick(Main->Tree()->viewport(), Qt::LeftButton, {},
                      QPoint(10, Main->Tree()->viewport()->height() - 5));
    EXPECT_EQ(Main->Tree()->currentItem(), ToolpathNode(0));
    EXPECT_TRUE(Enabled("t1"));
    EXPECT_EQ(Work.SelectedToolpathName, "1-Roughing");
}

TEST_F(MainWindowTest, VisibleShowsOneToolpathAtATime) {
    Load(Models / "collared.mdl");
    TToolpath& first = AddToolpath("1-Roughing", {{80, 30}, {40, 30}, {0, 30}});
    AddToolpath("2-Roughing", {{80, 25}, {0, 25}});
    ClickNode(ToolpathNode(0));
    Click("t1");
    EXPECT_EQ(StateImage(ToolpathNode(0)), ShownState);
    EXPECT_EQ(StateImage(ToolpathNode(1)), HiddenState);
    const auto& line = Main->SceneObjects().ToolpathLine.Nodes;
    ASSERT_EQ(line.size(), first.PathPoints.Count());
    EXPECT_EQ(line[1].Position, (Vec3{0, 0, 3.75})); // (40, 30) of a part 80 long
    EXPECT_TRUE(Control<QToolButton>("t1")->isChecked());
    Control<QAction>("i1")->trigger();
    EXPECT_EQ(StateImage(ToolpathNode(0)), HiddenState);
    EXPECT_TRUE(line.empty());
    EXPECT_FALSE(Control<QToolButton>("t1")->isChecked());
}

TEST_F(MainWindowTest, ANodeSelectsItsOwnToolpathWhateverTheNames) {
    Load(Models / "collared.mdl");
    TToolpath& first = AddToolpath("twin", {{80, 30}, {0, 30}});
    TToolpath& second = AddToolpath("twin", {{80, 25}, {40, 25}, {0, 25}});
    Main->Tree()->expandAll();
    ClickNode(ToolpathNode(1)->child(1)); // the second toolpath's "Parameters"
    EXPECT_EQ(Work.SelectedToolpath, &second);
    EXPECT_EQ(Work.SelectedToolpathName, "Parameters");
    ClickNode(ToolpathNode(0)->child(0)->child(0)); // the first one's tip
    EXPECT_EQ(Work.SelectedToolpath, &first);
    ClickNode(Main->RootNode());
    EXPECT_EQ(Work.SelectedToolpath, nullptr);
    // "Visible" shows the line of the node's toolpath, not of the first one of its name.
    ClickNode(ToolpathNode(1));
    Click("t1");
    Click("t1");
    EXPECT_EQ(StateImage(ToolpathNode(1)), ShownState);
    EXPECT_EQ(Main->SceneObjects().ToolpathLine.Nodes.size(), 3u);
}

TEST_F(MainWindowTest, RemovingANodeRemovesItsToolpathFromTheJobAndTheShownOnesLine) {
    Load(Models / "collared.mdl");
    AddToolpath("1-Roughing", {{80, 30}, {0, 30}});
    AddToolpath("2-Roughing", {{80, 25}, {0, 25}});
    ClickNode(ToolpathNode(0)); // hidden
    Click("t4");
    EXPECT_EQ(Main->RootNode()->childCount(), 1);
    EXPECT_EQ(Main->SceneObjects().ToolpathLine.Nodes.size(), 2u);
    ClickNode(ToolpathNode(0)); // shown
    Click("t4");
    EXPECT_EQ(Main->RootNode()->childCount(), 0);
    EXPECT_TRUE(Main->SceneObjects().ToolpathLine.Nodes.empty());
    EXPECT_EQ(Work.ToolpathCount(), 0u);
    EXPECT_EQ(Work.SelectedToolpath, nullptr);
}

TEST_F(MainWindowTest, TheExpandAndCollapseCommands) {
    Load(Models / "collared.mdl");
    AddToolpath("1-Roughing", {{80, 30}, {0, 30}});
    AddToolpath("2-Roughing", {{80, 25}, {0, 25}});
    ClickNode(ToolpathNode(1));
    Click("t6"); // collapse all
    EXPECT_TRUE(Main->RootNode()->isExpanded());
    EXPECT_FALSE(ToolpathNode(1)->isExpanded());
    ClickNode(ToolpathNode(0));
    Click("t2"); // expand recursively
    EXPECT_TRUE(ToolpathNode(0)->child(1)->isExpanded());
    Click("t5"); // expand all
    EXPECT_TRUE(ToolpathNode(1)->child(0)->isExpanded());
    ClickNode(ToolpathNode(1));
    Click("t3"); // expand this one, collapse the others
    EXPECT_FALSE(ToolpathNode(0)->isExpanded());
    EXPECT_TRUE(ToolpathNode(1)->child(1)->isExpanded());
}

TEST_F(MainWindowTest, AnErrorInAHandlerIsReportedAndTheWindowGoesOn) {
    // No model: the scene has no scale to draw the toolpath at.
    AddToolpath("1-Roughing", {{80, 30}, {0, 30}}, false);
    SetStateImage(ToolpathNode(0), HiddenState);
    ClickNode(ToolpathNode(0));
    Click("t1");
    EXPECT_EQ(Messages.Messages, std::vector<std::string>{"Floating point division by zero"});
    Load(Models / "collared.mdl");
    EXPECT_EQ(Messages.Messages.back(), "Model 'COLLARED' loaded");
}

TEST_F(MainWindowTest, EachViewCommandSetsItsCameraPosition) {
    const std::vector<std::pair<const char*, Vec3>> views{
        {"v1", {0, 10, 0.01}}, {"v2", {10, 0, 0.01}}, {"v3", {-10, 0, 0.01}},
        {"v4", {6, 6, 10}},    {"v5", {-6, 6, 10}},
    };
    Camera& camera = Main->SceneObjects().View();
    for (const auto& [action, offset] : views) {
        camera.Target = {1, 1, 1};
        Trigger(action);
        EXPECT_EQ(camera.Offset, offset) << action;
        EXPECT_EQ(camera.Target, (Vec3{0, 0, 0}));
        EXPECT_EQ(Main->SceneObjects().Contents.Light.Position, offset);
    }
    for (const char* top : {"ViewingToolsTop", "ViewingTools2Top", "NoOfSlicesTop"}) {
        Trigger("v4");
        Click(top);
        EXPECT_EQ(camera.Offset, (Vec3{0, 10, 0.01})) << top;
    }
    camera.Target = {1, 2, 3};
    Trigger("c");
    EXPECT_EQ(camera.Target, (Vec3{0, 0, 0}));
    EXPECT_EQ(camera.Offset, (Vec3{0, 10, 0.01}));
}

TEST_F(MainWindowTest, ZoomingInThenOutAndTheWheelChangeOnlyTheDistance) {
    Camera& camera = Main->SceneObjects().View();
    double distance = camera.DistanceToTarget();
    Trigger("zp");
    EXPECT_NEAR(camera.DistanceToTarget(), distance / 1.1, 1e-12);
    Trigger("zm");
    EXPECT_NEAR(camera.DistanceToTarget(), distance, 1e-12);
    QPointF at(50, 50);
    QWheelEvent notch(at, Main->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(Main->View()->Surface(), &notch);
    EXPECT_NEAR(camera.DistanceToTarget(), distance * 1.1, 1e-12);
    QWheelEvent back(at, Main->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(Main, &back); // over the window beside the view
    EXPECT_NEAR(camera.DistanceToTarget(), distance, 1e-12);
}

TEST_F(MainWindowTest, DraggingOrbitsWithTheLeftButtonAndPansWithTheRight) {
    Camera& camera = Main->SceneObjects().View();
    QWindow* view = Main->View()->Surface();
    auto drag = [&](Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
        QTest::mousePress(view, button, {}, QPoint(100, 100));
        QMouseEvent move(QEvent::MouseMove, QPointF(90, 104), view->mapToGlobal(QPointF(90, 104)),
                         Qt::NoButton, button, modifiers);
        QApplication::sendEvent(view, &move);
        QTest::mouseRelease(view, button, {}, QPoint(90, 104));
    };
    drag(Qt::LeftButton, Qt::NoModifier);
    EXPECT_NE(camera.Offset, (Vec3{6, 6, 10}));
    EXPECT_NEAR(camera.DistanceToTarget(), std::sqrt(172.0), 1e-9);
    EXPECT_EQ(camera.Target, (Vec3{0, 0, 0}));
    Vec3 offset = camera.Offset;
    drag(Qt::RightButton, Qt::NoModifier);
    EXPECT_NE(camera.Target, (Vec3{0, 0, 0}));
    EXPECT_EQ(camera.Offset, offset);
    Vec3 target = camera.Target;
    drag(Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(camera.Offset, offset);
    EXPECT_EQ(camera.Target, target);
    EXPECT_EQ(Main->SceneObjects().Contents.Light.Position, camera.Position());
}

TEST_F(MainWindowTest, DisplayModesAndSlices) {
    MainScene& scene = Main->SceneObjects();
    Trigger("m1");
    EXPECT_TRUE(scene.Contents.WireFrame);
    EXPECT_FALSE(scene.Contents.Light.Enabled);
    Trigger("m2");
    EXPECT_FALSE(scene.Contents.WireFrame);
    EXPECT_TRUE(scene.Contents.Light.Enabled);
    Trigger("m3");
    EXPECT_FALSE(scene.StockSolid.Visible);
    Trigger("m3");
    EXPECT_TRUE(scene.StockSolid.Visible);
    const std::vector<std::pair<const char*, int>> slices{
        {"p1", 8}, {"p2", 16}, {"p4", 64}, {"p3", 32}};
    for (const auto& [action, count] : slices) {
        Trigger(action);
        EXPECT_EQ(scene.PartSolid.Slices, count);
        EXPECT_EQ(scene.StockSolid.Slices, count);
        EXPECT_EQ(scene.SimulationSolid.Slices, count);
    }
}

TEST_F(MainWindowTest, TheTogglesShowTheirWindowsAndClosingAWindowReleasesItsToggle) {
    const std::vector<std::pair<const char*, ToolWindow*>> toggles{
        {"b1", Windows.ToolLibrary},
        {"FlatSpeedButton1", Windows.Roughing},
        {"FlatSpeedButton3", Windows.Finishing},
        {"FlatSpeedButton5", Windows.Grooving},
        {"FlatSpeedButton6", Windows.Threading},
        {"FlatSpeedButton4", Windows.Chooser}};
    for (const auto& [toggle, window] : toggles) {
        Click(toggle);
        EXPECT_TRUE(window->isVisible()) << toggle;
        Click(toggle);
        EXPECT_FALSE(window->isVisible()) << toggle;
        Click(toggle);
        window->close();
        EXPECT_FALSE(Control<QToolButton>(toggle)->isChecked()) << toggle;
    }
    Load(Models / "collared.mdl");
    AddToolpath("1-Roughing", {{80, 30}, {0, 30}});
    ClickNode(ToolpathNode(0));
    Click("g1");
    EXPECT_TRUE(Windows.NcProgram->isVisible());
}

TEST_F(MainWindowTest, TheChooserShowsEachToolbarWhileItsItemIsChecked) {
    QListWidget* list = Windows.Chooser->List();
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(0)->text(), "Viewing tools");
    EXPECT_EQ(list->item(1)->text(), "Viewing tools 2");
    EXPECT_EQ(list->item(2)->text(), "No. of slices");
    auto toolbars = Main->ViewToolbars();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(list->item(i)->checkState(), Qt::Checked);
        EXPECT_FALSE(toolbars[i]->isHidden());
    }
    list->item(1)->setCheckState(Qt::Unchecked);
    EXPECT_FALSE(toolbars[0]->isHidden());
    EXPECT_TRUE(toolbars[1]->isHidden());
    list->item(1)->setCheckState(Qt::Checked);
    EXPECT_FALSE(toolbars[1]->isHidden());
}

TEST_F(MainWindowTest, TheToolbarsDockWhereTheyWereLeft) {
    QToolBar* slices = Main->ViewToolbars()[2];
    Main->addToolBar(Qt::LeftToolBarArea, slices);
    Main->close();
    ProgramWindows again = CreateProgramWindows(Work, Dialogs, Messages);
    EXPECT_EQ(again.Main->toolBarArea(again.Main->ViewToolbars()[2]), Qt::LeftToolBarArea);
    EXPECT_EQ(again.Main->toolBarArea(again.Main->ViewToolbars()[0]), Qt::TopToolBarArea);
    for (QToolBar* bar : again.Main->ViewToolbars())
        EXPECT_FALSE(bar->isHidden());
    QSettings("MyCompany", "MyApp").clear();
}

TEST_F(MainWindowTest, LoadingAModelOverAJobAsksFirstAndItsNamesStartAnew) {
    Load(Models / "collared.mdl");
    AddToolpath("1-Roughing", {{90, 30}, {-5, 30}});
    AddToolpath("2-Roughing", {{90, 30}, {-5, 20}});
    Messages.Answer = false;
    Load(Models / "taper.mdl");
    EXPECT_EQ(Messages.Questions,
              std::vector<std::string>{"Discard the 2 toolpaths of the current job?"});
    EXPECT_EQ(Work.ToolpathCount(), 2u);
    EXPECT_EQ(Work.ModelFile.filename(), "collared.mdl");
    Messages.Answer = true;
    Load(Models / "taper.mdl");
    EXPECT_EQ(Work.ToolpathCount(), 0u);
    EXPECT_EQ(Main->RootNode()->childCount(), 0);
    EXPECT_EQ(Windows.Roughing->ToolpathName(), "1-Roughing");
    Load(Models / "collared.mdl");
    EXPECT_EQ(Messages.Questions.size(), 2u) << "no toolpath, no question";
}

TEST_F(MainWindowTest, ClosingTheMainWindowDropsTheModelAndEveryToolpath) {
    Load(Models / "collared.mdl");
    AddToolpath("1-Roughing", {{80, 30}, {0, 30}});
    AddToolpath("2-Roughing", {{80, 25}, {0, 25}});
    bool closed = false;
    QObject::connect(Main, &MainWindow::Closed, [&] { closed = true; });
    Main->close();
    EXPECT_TRUE(closed);
    EXPECT_EQ(Work.ToolpathCount(), 0u);
    EXPECT_EQ(Work.Shaft.Points.Count(), 0u);
    EXPECT_EQ(Work.StockShaft.Points.Count(), 0u);
    QSettings("MyCompany", "MyApp").clear();
}

TEST_F(MainWindowTest, TheViewShowsThePartAndTheStockOfALoadedModel) {
    SceneView* view = Main->View();
    const Colour& background = Main->SceneObjects().Contents.Background;
    QColor expected = QColor::fromRgbF(background.R, background.G, background.B);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !view->GrabFramebuffer().isNull(); }, 5000));
    auto drawnPixels = [&] {
        QImage image = view->GrabFramebuffer();
        int count = 0;
        for (int y = 0; y < image.height(); y += 2)
            for (int x = 0; x < image.width(); x += 2) {
                QColor c = image.pixelColor(x, y);
                if (std::abs(c.red() - expected.red()) + std::abs(c.green() - expected.green()) +
                        std::abs(c.blue() - expected.blue()) >
                    6)
                    ++count;
            }
        return count;
    };
    EXPECT_EQ(drawnPixels(), 0);
    Load(Models / "production.mdl");
    int withStock = drawnPixels();
    EXPECT_GT(withStock, view->width() * view->height() / 4 / 20);
    Trigger("m3");
    int partOnly = drawnPixels();
    EXPECT_GT(partOnly, 0);
    EXPECT_LT(partOnly, withStock);
}

TEST_F(MainWindowTest, TheFrameRateIsShownEverySecond) {
    QLabel* fps = Control<QLabel>("FPS");
    Main->View()->SetClockEnabled(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return fps->text() != "0.00 FPS"; }, 4000));
    Main->View()->SetClockEnabled(false);
    QString text = fps->text();
    EXPECT_TRUE(text.endsWith(" FPS"));
    QString number = text.chopped(4);
    int separator = number.size() - 3;
    ASSERT_GT(separator, 0);
    EXPECT_FALSE(number[separator].isDigit()); // two decimals
    EXPECT_TRUE(number[separator + 1].isDigit() && number[separator + 2].isDigit());
}
