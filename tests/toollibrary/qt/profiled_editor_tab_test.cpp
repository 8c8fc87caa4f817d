#include "bench/sample_jobs.h"
#include "toollibrary/qt/profiled_editor_tab.h"

#include "tests/toollibrary/qt/library_window_fixture.h"

#include "geometry/model_files.h"
#include "operations/toolpath_building.h"
#include "platform/message_sink.h"
#include "platform/qt/tool_window.h"
#include "simulation/move_by_move.h"
#include "tests/support/temp_folder.h"
#include "toollibrary/knife_file.h"
#include "toollibrary/knife_frame.h"
#include "toollibrary/knife_picture.h"
#include "toollibrary/qt/library_list.h"
#include "toollibrary/qt/tool_library_window.h"
#include "toollibrary/qt/tool_popups.h"
#include "workspace/operation_queues.h"
#include "workspace/workspace.h"

#include <QApplication>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

using namespace torvex;
using ::testing::Contains;
using ::testing::ElementsAre;
namespace fs = std::filesystem;

namespace {

class ProfiledEditor : public LibraryWindowFixture {
protected:
    ProfiledEditor() : LibraryWindowFixture("profiled-editor", QSize(900, 480)) {
        Window->findChild<QTabWidget*>("Tabs")->setCurrentIndex(1);
        Window->KnifeKindTabs().setCurrentIndex(1);
        Picture = Window->findChild<QLabel*>("Drawing");
    }

    template <typename T> T* Control(const char* name) { return Window->findChild<T*>(name); }
    void Click(const char* button) { Control<QAbstractButton>(button)->click(); }

    // Types a line into the four fields and presses "Apply"; the frame follows the new line.
    void AddLine(const char* x1, const char* y1, const char* x2, const char* y2) {
        Control<QLineEdit>("e11")->setText(x1);
        Control<QLineEdit>("e12")->setText(y1);
        Control<QLineEdit>("e13")->setText(x2);
        Control<QLineEdit>("e14")->setText(y2);
        Click("bapply");
        EditorFrameFit fit =
            FitFrameToPoints(Window->ProfiledEditor().Editor().PointList, 120, KnifePictureHeight);
        Frame = {fit.FrameSize, 120, fit.FrameX0, fit.FrameY0};
    }
    QPoint PixelOf(TPoint p) const { return {CanvasX(Frame, p.X), CanvasY(Frame, p.Y)}; }
    void MoveTo(TPoint p) {
        QPointF at = PixelOf(p);
        QMouseEvent move(QEvent::MouseMove, at, Picture->mapToGlobal(at), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(Picture, &move);
    }
    // Moves the pointer to the point of the drawing and presses a button there.
    void ClickAt(TPoint p, Qt::MouseButton button = Qt::LeftButton) {
        MoveTo(p);
        QPointF at = PixelOf(p);
        QMouseEvent press(QEvent::MouseButtonPress, at, Picture->mapToGlobal(at), button, button,
                          Qt::NoModifier);
        QApplication::sendEvent(Picture, &press);
    }
    std::vector<std::string> Code() const {
        return ReadLines(Window->CodeMemo().toPlainText().toStdString());
    }
    static std::vector<std::string> ReadLines(const std::string& text) {
        std::vector<std::string> lines;
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find('\n', start);
            lines.push_back(text.substr(start, end - start));
            start = end == std::string::npos ? text.size() : end + 1;
        }
        return lines;
    }

    QLabel* Picture = nullptr;
    DrawingFrame Frame;
};

bool DarkNear(const QImage& image, QPoint at) {
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            if (qGray(image.pixel(at.x() + dx, at.y() + dy)) < 128)
                return true;
    return false;
}

} // namespace

TEST_F(ProfiledEditor, LinesAreAddedChangedInPlaceAndDeletedByClickingTheDrawing) {
    AddLine("0", "0", "10", "0");
    AddLine("10", "0", "10", "10");
    ASSERT_THAT(Code(), ElementsAre("line 0/0/10/0/", "line 10/0/10/10/"));

    Click("b1");
    ClickAt({5, 0});
    EXPECT_EQ(Control<QLineEdit>("e11")->text(), "0");
    EXPECT_EQ(Control<QLineEdit>("e13")->text(), "10");
    EXPECT_EQ(Control<QPushButton>("bapply")->text(), "Change");
    Control<QLineEdit>("e13")->setText("8");
    Click("bapply");
    EXPECT_THAT(Code(), ElementsAre("line 0/0/8/0/", "line 10/0/10/10/"));

    Click("b2");
    EXPECT_FALSE(Control<QToolButton>("b1")->isChecked());
    ClickAt({10, 5});
    Click("bapply");
    EXPECT_THAT(Code(), ElementsAre("line 0/0/8/0/"));
    EXPECT_THAT(Messages.Messages, ElementsAre());
}

TEST_F(ProfiledEditor, RightClickLeavesPickModeSoTheNextLeftClickFillsNothing) {
    AddLine("0", "0", "10", "0");
    Click("fsp2");
    Click("fsp1");
    EXPECT_FALSE(Control<QToolButton>("fsp2")->isChecked());
    ClickAt({10, 0});
    EXPECT_EQ(Control<QLineEdit>("e11")->text(), "10");

    ClickAt({10, 0}, Qt::RightButton);
    EXPECT_FALSE(Control<QToolButton>("fsp1")->isChecked());
    Control<QLineEdit>("e11")->clear();
    ClickAt({10, 0});
    EXPECT_TRUE(Control<QLineEdit>("e11")->text().isEmpty());
}

TEST_F(ProfiledEditor, ReleasedChamferButtonLeavesTheNextClicksWithoutEffect) {
    AddLine("0", "0", "10", "0");
    AddLine("0", "0", "0", "10");
    Click("b3");
    Click("b3");
    ClickAt({5, 0});
    ClickAt({0, 5});
    EXPECT_EQ(Window->ProfiledEditor().Editor().State.SelectionState, 0);
    EXPECT_THAT(Code(), ElementsAre("line 0/0/10/0/", "line 0/0/0/10/"));
}

TEST_F(ProfiledEditor, FilletedKnifeIsSavedPreviewedMountedAndCutsInTheSimulation) {
    // A grooving tip 4 wide with its tip in the middle, the right corner rounded.
    AddLine("0", "0", "2", "0");
    AddLine("2", "0", "2", "10");
    AddLine("2", "10", "-2", "10");
    AddLine("-2", "10", "-2", "0");
    AddLine("-2", "0", "0", "0");
    Click("b4");
    Control<QDoubleSpinBox>("eo1")->setValue(1);
    ClickAt({1, 0});
    ClickAt({2, 5});
    ASSERT_THAT(Code(), ElementsAre("line 0/0/1/0/", "line 2/1/2/10/", "line 2/10/-2/10/",
                                    "line -2/10/-2/0/", "line -2/0/0/0/", "arc 1/1/1/0/2/1/"));
    ASSERT_THAT(Messages.Messages, ElementsAre());

    // The line under the pointer is dimensioned on the picture.
    Click("b4");
    MoveTo({0, 10});
    EXPECT_EQ(Window->ProfiledEditor().Editor().State.HoverSegment,
              (EditorSegment{{2, 10}, {-2, 10}}));
    EXPECT_EQ(Picture->pixmap().toImage().pixel(PixelOf({1, 10})), qRgb(0, 0, 255));

    Control<QLineEdit>("e1")->setText("Groove4R1");
    Control<QLineEdit>("e2")->setText("Grooving tip, its right corner rounded");
    Click("AddToLibrary");
    ASSERT_THAT(Messages.Messages, ElementsAre());
    LibraryList& knives = Window->KnifeList();
    int row = -1;
    for (int i = 0; i < knives.rowCount(); ++i)
        if (knives.RowCells(i).front() == "Groove4R1")
            row = i;
    ASSERT_GE(row, 0);
    EXPECT_THAT(knives.RowCells(row), Contains("profiled"));

    // The preview draws the arc: its middle, on the side of the corner, is drawn.
    knives.selectRow(row);
    Window->PreviewKnife(knives.visualRect(knives.model()->index(row, 0)).center());
    KnifeFileFields saved = ReadKnifeFields(Window->Library().ReadKnife("Groove4R1"));
    EXPECT_EQ(saved.Kind, "profiled");
    DrawingFrame preview;
    preview.FramePixels = 120;
    FitKnifeFrame(preview, saved);
    double half = std::sqrt(0.5);
    TPoint middle{1 + half, 1 - half};
    EXPECT_TRUE(DarkNear(Window->KnifePopupControls().Picture(),
                         {CanvasX(preview, middle.X), CanvasY(preview, middle.Y)}));

    Window->DropOnSlot(4, 0);
    const ToolSlotState& slot = Window->Slot(4).State();
    ASSERT_EQ(slot.Ncutit, "Groove4R1");
    JobTool knife{4, {"SVJCR2020", slot.Ncutit}, slot.Data};

    Workspace workspace;
    RecordingMessageSink loading;
    ASSERT_TRUE(LoadPartAndStock(fs::path(TORVEX_DATA) / "Models/collared.mdl", workspace.Shaft,
                                 workspace.StockShaft, loading));
    TToolpath* toolpath = &AddToolpath(
        workspace, SampleRoughing({RoughingOperation::WholeLength}, knife, knife), "1-Roughing");
    // The rounded corner is part of the tool's outline.
    bool arcInOutline = false;
    for (const TPunct& p : toolpath->LeftKnife.Points)
        arcInOutline |= std::abs(std::hypot(p.X - 1, p.Y - 1) - 1) < 1e-6 && p.X > 1 && p.X < 2;
    EXPECT_TRUE(arcInOutline);
    PointChain bar = ProfileChain(workspace.StockShaft);
    TSimulation simulation(*toolpath, TMaterial(bar));
    RunMoveByMove(simulation);
    EXPECT_NE(simulation.Stock(), bar);
}
