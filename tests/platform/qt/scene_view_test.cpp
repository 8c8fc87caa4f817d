#include "platform/error_report.h"
#include "platform/qt/message_box_sink.h"
#include "platform/qt/qt_support.h"
#include "platform/qt/scene_view.h"
#include "platform/qt/tool_window.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace torvex;

namespace {

// A shaft-like solid in front of the camera.
Scene SolidScene() {
    Scene scene;
    RevolutionSolid& solid = scene.Solids.emplace_back();
    solid.Nodes = {{0, -4}, {1.5, -4}, {1.5, 0}, {2.5, 0}, {2.5, 4}, {0, 4}};
    solid.NormalsInward = true;
    solid.Material = {0.6f, 0.7f, 0.8f, 1};
    scene.View.Offset = {6, 6, 10};
    scene.Light.Position = scene.View.Position();
    return scene;
}

// Shows the view and waits until it has drawn its first frame.
void Show(SceneView& view, QSize size) {
    view.resize(size);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !view.GrabFramebuffer().isNull(); }, 5000));
}

int PixelsUnlike(const QImage& image, const Colour& background) {
    QColor expected = QColor::fromRgbF(background.R, background.G, background.B);
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - expected.red()) + std::abs(c.green() - expected.green()) +
                    std::abs(c.blue() - expected.blue()) >
                6)
                ++count;
        }
    return count;
}

} // namespace

TEST(SceneView, DrawsAVisibleSolidAndNothingElse) {
    Scene scene = SolidScene();
    RecordingMessageSink errors;
    SceneView view(scene, errors);
    Show(view, QSize(320, 240));
    int filled = PixelsUnlike(view.GrabFramebuffer(), scene.Background);
    EXPECT_GT(filled, 320 * 240 / 20);
    scene.WireFrame = true;
    scene.Light.Enabled = false;
    int wire = PixelsUnlike(view.GrabFramebuffer(), scene.Background);
    EXPECT_GT(wire, 0);
    EXPECT_LT(wire, filled);
    scene.Solids.front().Visible = false;
    EXPECT_EQ(PixelsUnlike(view.GrabFramebuffer(), scene.Background), 0);
}

TEST(SceneView, DrawsExtrusionsLinesAndTransparentSolids) {
    Scene scene;
    scene.View.Offset = {0, 0, 10};
    RecordingMessageSink errors;
    SceneView view(scene, errors);
    Show(view, QSize(320, 240));
    EXPECT_EQ(PixelsUnlike(view.GrabFramebuffer(), scene.Background), 0);
    Extrusion& tool = scene.Extrusions.emplace_back();
    tool.Contour = {{0, 0}, {1, 0}, {1, 1}, {0.5, 0.3}, {0, 1}}; // concave: needs the tessellator
    scene.View.Offset = {0, 10, 0.01};
    int extrusion = PixelsUnlike(view.GrabFramebuffer(), scene.Background);
    EXPECT_GT(extrusion, 100);
    tool.Visible = false;
    Polyline& line = scene.Lines.emplace_back();
    line.Nodes = {{{-3, 0, -1}, {1, 0, 0, 1}}, {{3, 0, 1}, {0, 1, 0, 1}}};
    int solid = PixelsUnlike(view.GrabFramebuffer(), scene.Background);
    EXPECT_GT(solid, 20);
    line.Nodes[1].Style = LineStyle::Dashed;
    int dashed = PixelsUnlike(view.GrabFramebuffer(), scene.Background);
    EXPECT_GT(dashed, 10);
    EXPECT_LT(dashed, solid);
    line.Visible = false;
    scene.Legend = {{"Rapid move", {1, 0.75f, 0.2f, 1}, LineStyle::Dashed}};
    EXPECT_GT(PixelsUnlike(view.GrabFramebuffer(), scene.Background), 100);
    scene.Legend.clear();
    RevolutionSolid& glass = scene.Solids.emplace_back();
    glass.Nodes = {{0, -2}, {1, -2}, {1, 2}, {0, 2}};
    glass.Transparent = true;
    glass.Material = {0.8f, 0.8f, 0.8f, 0.5f};
    EXPECT_GT(PixelsUnlike(view.GrabFramebuffer(), scene.Background), 1000);
    EXPECT_TRUE(errors.Messages.empty());
}

TEST(SceneView, TheEnabledClockDrivesFramesAndTellsTheScaledTime) {
    Scene scene = SolidScene();
    RecordingMessageSink errors;
    SceneView view(scene, errors);
    Show(view, QSize(160, 120));
    std::vector<double> times;
    view.Clock.Progress = [&](double t) { times.push_back(t); };
    view.Clock.Reset(view.Now());
    view.Clock.SetMultiplier(2, view.Now());
    view.SetClockEnabled(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return times.size() >= 5; }, 10000));
    for (size_t i = 1; i < times.size(); ++i)
        EXPECT_GE(times[i], times[i - 1]);
    EXPECT_LE(times.back(), 2 * view.Now());
    EXPECT_GE(view.Counter.FrameCount(), 5);
    view.SetClockEnabled(false);
    QTest::qWait(50);
    size_t stopped = times.size();
    QTest::qWait(100);
    EXPECT_EQ(times.size(), stopped);
}

TEST(SceneView, AnErrorOfTheClocksListenerIsReportedAndStopsNothingElse) {
    Scene scene = SolidScene();
    RecordingMessageSink errors;
    SceneView view(scene, errors);
    Show(view, QSize(160, 120));
    view.Clock.Progress = [&](double) {
        view.SetClockEnabled(false);
        throw std::runtime_error("Floating point division by zero");
    };
    view.SetClockEnabled(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !errors.Messages.empty(); }, 10000));
    EXPECT_EQ(errors.Messages.front(), "Floating point division by zero");
}

TEST(SceneView, ReportsMousePressesAndMovesWithTheirButtons) {
    Scene scene;
    RecordingMessageSink errors;
    SceneView view(scene, errors);
    Show(view, QSize(160, 120));
    QSignalSpy pressed(&view, &SceneView::MousePressed);
    QSignalSpy moved(&view, &SceneView::MouseMoved);
    QWindow* surface = view.Surface();
    QSignalSpy wheel(&view, &SceneView::WheelTurned);
    QTest::mousePress(surface, Qt::RightButton, {}, QPoint(10, 20));
    QMouseEvent move(QEvent::MouseMove, QPointF(30, 25), surface->mapToGlobal(QPointF(30, 25)),
                     Qt::NoButton, Qt::RightButton, Qt::ShiftModifier);
    QApplication::sendEvent(surface, &move);
    QTest::mouseRelease(surface, Qt::RightButton, {}, QPoint(30, 25));
    QWheelEvent turn(QPointF(30, 25), surface->mapToGlobal(QPointF(30, 25)), QPoint(),
                     QPoint(0, -240), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(surface, &turn);
    ASSERT_EQ(wheel.count(), 1);
    EXPECT_EQ(wheel[0][0].toInt(), -240);
    ASSERT_EQ(pressed.count(), 1);
    EXPECT_EQ(pressed[0][0].toPoint(), QPoint(10, 20));
    bool dragged = false;
    for (const QList<QVariant>& move : moved)
        dragged |=
            move[0].toPoint() == QPoint(30, 25) &&
            move[1].value<Qt::MouseButtons>() == Qt::MouseButtons(Qt::RightButton) &&
            move[2].value<Qt::KeyboardModifiers>() == Qt::KeyboardModifiers(Qt::ShiftModifier);
    EXPECT_TRUE(dragged);
}

TEST(ToolWindow, ABorderlessWindowFloatsAboveItsParentAndItsCrossClosesIt) {
    QWidget main;
    ToolWindow window("Roughing toolpath", ToolWindow::Frame::Borderless, &main);
    EXPECT_TRUE(window.isWindow());
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(window.windowType(), Qt::Tool);
    EXPECT_EQ(window.windowTitle(), "Roughing toolpath");
    EXPECT_TRUE(window.isHidden());
    QSignalSpy closed(&window, &ToolWindow::Closed);
    window.show();
    auto* cross = window.findChild<QToolButton*>("CloseButton");
    ASSERT_NE(cross, nullptr);
    QTest::mouseClick(cross, Qt::LeftButton);
    EXPECT_EQ(closed.count(), 1);
    EXPECT_TRUE(window.isHidden());
    window.hide(); // hiding alone is not closing
    EXPECT_EQ(closed.count(), 1);
}

TEST(ToolWindow, ASmallToolWindowTakesTheWindowManagersTitleBar) {
    QWidget main;
    ToolWindow popup("", ToolWindow::Frame::SmallTool, &main);
    EXPECT_FALSE(popup.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(popup.windowType(), Qt::Tool);
    EXPECT_EQ(popup.findChild<QToolButton*>("CloseButton"), nullptr);
    popup.SetCaption("Rough80");
    EXPECT_EQ(popup.windowTitle(), "Rough80");
}

TEST(ToolWindow, DraggingTheCaptionStripMovesTheWindow) {
    QWidget main;
    ToolWindow window("NC code", ToolWindow::Frame::Borderless, &main);
    window.resize(200, 100);
    window.move(100, 100);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QWidget* strip = window.findChild<QWidget*>("CaptionStrip");
    ASSERT_NE(strip, nullptr);
    QPoint before = window.pos();
    QTest::mousePress(strip, Qt::LeftButton, {}, QPoint(20, 5));
    QMouseEvent move(QEvent::MouseMove, QPointF(70, 35), strip->mapToGlobal(QPointF(70, 35)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(strip, &move);
    QTest::mouseRelease(strip, Qt::LeftButton, {}, QPoint(70, 35));
    EXPECT_EQ(window.pos(), before + QPoint(50, 30));
}

TEST(ConnectGuarded, AnErrorInAHandlerIsShownAndTheSignalsArgumentsArrive) {
    RecordingMessageSink report;
    QLineEdit edit;
    QString seen;
    ConnectGuarded(&edit, &QLineEdit::textChanged, &edit, report, [&](const QString& text) {
        seen = text;
        throw std::runtime_error("'" + text.toStdString() +
                                 "' is not a valid floating point value");
    });
    ConnectGuarded(&edit, &QLineEdit::textChanged, &edit, report, [&] { seen += "!"; });
    edit.setText("abc");
    EXPECT_EQ(seen, "abc!");
    EXPECT_EQ(report.Messages,
              std::vector<std::string>{"'abc' is not a valid floating point value"});
}

TEST(MessageBoxSink, ShowsAModalBoxTitledWithTheApplicationsName) {
    QString title, text;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        box->accept();
    });
    MessageBoxSink sink;
    sink.ShowMessage("Model 'SHAFT1' loaded");
    EXPECT_EQ(title, "Torvex - CAM");
    EXPECT_EQ(text, "Model 'SHAFT1' loaded");
}
