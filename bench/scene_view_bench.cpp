// Frames per second of the main window's 3D view with the largest sample part at 64 slices: the
// rate the FPS panel shows while the frame clock runs, first with nothing to simulate, then during
// a simulation run of its roughing. Run it by hand on a display, for example under Xvfb with
// Mesa's software renderer:
//   xvfb-run -a -s "-screen 0 1920x1080x24" build/release/bench/bench_scene_view [seconds]
// With --show MULTIPLIER [VIEW] (an action's name, e.g. v1 for the top view) it plays the roughing
// of Models/production.mdl of the current directory to its end at that multiplier and stays open
// for a few seconds, for a look at the view; it prints "running" once the run has started and
// "done" at its end.
#include "app/main_window.h"
#include "app/program_windows.h"
#include "app/simulation_panel.h"
#include "geometry/number_text.h"
#include "operations/toolpath_building.h"
#include "platform/file_dialogs.h"
#include "platform/message_sink.h"
#include "platform/qt/scene_view.h"
#include "platform/text_file.h"
#include "toolpath/toolpath.h"
#include "workspace/workspace.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>

#include <cstring>
#include <filesystem>
#include <iostream>

namespace {

namespace fs = std::filesystem;

class ModelDialog : public torvex::FileDialogs {
public:
    explicit ModelDialog(fs::path model) : Model(std::move(model)) {}
    std::optional<fs::path> OpenFileName(const torvex::FileDialogOptions&) override {
        return Model;
    }
    std::optional<fs::path> SaveFileName(const torvex::FileDialogOptions&) override {
        return std::nullopt;
    }

private:
    fs::path Model;
};

void RunEventsFor(double seconds) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < seconds * 1000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

void RunEventsWhile(const std::function<bool()>& condition) {
    while (condition())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

// The part's roughing with the sample knives, added to the tree as the roughing window adds it,
// and its node clicked.
void AddRoughing(torvex::MainWindow& main, torvex::Workspace& workspace,
                 const fs::path& dataFolder) {
    auto knife = [&](const std::string& name, int number) {
        return torvex::JobTool{
            number, {"", name}, torvex::ReadTextLines(dataFolder / "Knives" / (name + ".knf"))};
    };
    torvex::RoughingJob job{{torvex::RoughingOperation::WholeLength,
                             torvex::RoughingOperation::LeftBelowTop,
                             torvex::RoughingOperation::RightBelowTop},
                            5,
                            2,
                            0.5,
                            2,
                            100,
                            200,
                            1200,
                            knife("Rough80", 1),
                            knife("Left45", 2),
                            std::nullopt};
    torvex::TToolpath* toolpath = &torvex::AddToolpath(workspace, job, "1-Roughing");
    main.DrawToolpath(*toolpath);
    main.AddToolpathNode(*toolpath, torvex::NodeTextsOf(*toolpath, '.'));
    QTreeWidgetItem* node = main.RootNode()->child(0);
    QPointF at = main.Tree()->visualItemRect(node).center();
    QMouseEvent press(QEvent::MouseButtonPress, at, main.Tree()->viewport()->mapToGlobal(at),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(main.Tree()->viewport(), &press);
}

double FramesPerSecondFor(torvex::SceneView& view, double seconds) {
    view.Counter.Reset(view.Now());
    RunEventsFor(seconds);
    return view.Counter.FramesPerSecond(view.Now());
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    bool show = argc > 2 && std::strcmp(argv[1], "--show") == 0;
    double seconds = !show && argc > 1 ? torvex::FileTextToFloat(argv[1]) : 5;
    fs::path dataFolder = show ? fs::current_path() : fs::path(TORVEX_DATA);
    fs::path model = dataFolder / "Models" / "production.mdl";
    torvex::Workspace workspace;
    workspace.StartupDirectory = dataFolder;
    torvex::RecordingMessageSink messages;
    ModelDialog dialogs(model);
    torvex::ProgramWindows windows = torvex::CreateProgramWindows(workspace, dialogs, messages);
    torvex::MainWindow& main = *windows.Main;
    main.ShowMaximised();
    RunEventsFor(1);
    main.findChild<QToolButton*>("b0")->click();
    main.findChild<QAction*>("p4")->trigger();
    torvex::SceneView& view = *main.View();
    auto* panel = main.findChild<torvex::SimulationPanel*>("SimulationPanel");
    AddRoughing(main, workspace, dataFolder);
    main.findChild<QPushButton*>("s1")->click();

    if (show) {
        auto* up = main.findChild<QWidget*>("MUP")->findChild<QToolButton*>("Up");
        for (double m = 1; m < torvex::FileTextToFloat(argv[2]); ++m)
            up->click();
        if (argc > 3)
            main.findChild<QAction*>(argv[3])->trigger();
        main.findChild<QToolButton*>("s2")->click();
        std::cout << "running" << std::endl;
        RunEventsWhile([&] { return panel->Playback().Running(); });
        std::cout << "done" << std::endl;
        RunEventsFor(8);
        return 0;
    }

    auto listener = view.Clock.Progress;
    view.Clock.Progress = [](double) {};
    view.SetClockEnabled(true);
    RunEventsFor(0.5); // the first frames build the meshes
    double idle = FramesPerSecondFor(view, seconds);
    view.SetClockEnabled(false);
    view.Clock.Progress = listener;

    main.findChild<QToolButton*>("s2")->click();
    RunEventsFor(0.5);
    double running = FramesPerSecondFor(view, seconds);
    bool stillRunning = panel->Playback().Running();
    main.findChild<QToolButton*>("s3")->click();

    std::cout << model.filename().string() << ", " << main.SceneObjects().PartSolid.Slices
              << " slices, " << main.SceneObjects().PartSolid.Nodes.size() << " nodes, view "
              << view.width() << " x " << view.height() << ": " << torvex::FormatFloat("0.0", idle)
              << " frames per second, " << torvex::FormatFloat("0.0", running)
              << " during a simulation run (" << main.SceneObjects().SimulationSolid.Nodes.size()
              << " stock nodes" << (stillRunning ? "" : ", ended before the measure did") << ")\n";
    return 0;
}
