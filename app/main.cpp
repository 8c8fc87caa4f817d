#include "app/main_window.h"
#include "app/program_windows.h"
#include "app/workspace.h"
#include "platform/message_box_sink.h"
#include "platform/qt_file_dialogs.h"

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
