#include "app/main_window.h"
#include "app/program_windows.h"
#include "platform/qt/message_box_sink.h"
#include "platform/qt/qt_file_dialogs.h"
#include "workspace/workspace.h"

#include <QApplication>

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
    return application.exec();
}
