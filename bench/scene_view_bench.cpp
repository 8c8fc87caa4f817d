// Frames per second of the main window's 3D view with the largest sample part at 64 slices: the
// rate the FPS panel shows while the frame clock runs. Run it by hand on a display, for example
// under Xvfb with Mesa's software renderer:
//   xvfb-run -a -s "-screen 0 1920x1080x24" build/release/bench/bench_scene_view [seconds]
#include "app/main_window.h"
#include "app/program_windows.h"
#include "geometry/number_text.h"
#include "platform/file_dialogs.h"
#include "platform/message_sink.h"
#include "platform/qt/scene_view.h"
#include "workspace/workspace.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QToolButton>

#include <filesystem>
#include <iostream>

namespace {

class ModelDialog : public torvex::FileDialogs {
public:
    explicit ModelDialog(std::filesystem::path model) : Model(std::move(model)) {}
    std::optional<std::filesystem::path> OpenFileName(const torvex::FileDialogOptions&) override {
        return Model;
    }
    std::optional<std::filesystem::path> SaveFileName(const torvex::FileDialogOptions&) override {
        return std::nullopt;
    }

private:
    std::filesystem::path Model;
};

void RunEventsFor(double seconds) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < seconds * 1000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    double seconds = argc > 1 ? torvex::FileTextToFloat(argv[1]) : 5;
    std::filesystem::path model = std::filesystem::path(TORVEX_DATA) / "Models" / "production.mdl";
    torvex::Workspace workspace;
    torvex::RecordingMessageSink messages;
    ModelDialog dialogs(model);
    torvex::ProgramWindows windows = torvex::CreateProgramWindows(workspace, dialogs, messages);
    torvex::MainWindow& main = *windows.Main;
    main.ShowMaximised();
    RunEventsFor(1);
    main.findChild<QToolButton*>("b0")->click();
    main.findChild<QAction*>("p4")->trigger();
    torvex::SceneView& view = *main.View();

    view.Clock.Progress = [](double) {};
    view.SetClockEnabled(true);
    RunEventsFor(0.5); // the first frames build the meshes
    view.Counter.Reset(view.Now());
    RunEventsFor(seconds);
    double rate = view.Counter.FramesPerSecond(view.Now());
    view.SetClockEnabled(false);

    std::cout << model.filename().string() << ", " << main.SceneObjects().PartSolid.Slices
              << " slices, " << main.SceneObjects().PartSolid.Nodes.size() << " nodes, view "
              << view.width() << " x " << view.height() << ": " << torvex::FormatFloat("0.0", rate)
              << " frames per second\n";
    return 0;
}
