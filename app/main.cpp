#include "app/main_window.h"
#include "app/program_windows.h"
#include "platform/qt/message_box_sink.h"
#include "platform/qt/qt_file_dialogs.h"
#include "workspace/workspace.h"

#include "platform/error_report.h"

#include <QApplication>
#include <QTimer>

#include <filesystem>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Torvex - CAM");
    torvex::Workspace workspace;
    torvex::MessageBoxSink messages;
    torvex::QtFileDialogs dialogs;
    torvex::ProgramWindows windows = torvex::CreateProgramWindows(workspace, dialogs, messages);
    QObject::connect(windows.Main.get(), &torvex::MainWindow::Closed, &application,
                     &QApplication::quit);
    windows.Main->ShowMaximised();
    // A model named on the command line opens once the window is up.
    if (argc > 1) {
        std::filesystem::path model = argv[1];
        QTimer::singleShot(0, windows.Main.get(), [&windows, &messages, model] {
            torvex::RunGuarded(messages, [&] { windows.Main->OpenModel(model); });
        });
    }
    return application.exec();
}
