#include "app/main_window.h"
#include "app/program_windows.h"
#include "app/startup_directory.h"
#include "platform/qt/message_box_sink.h"
#include "platform/qt/qt_file_dialogs.h"
#include "workspace/workspace.h"

#include "platform/error_report.h"

#include <QApplication>
#include <QTimer>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>

namespace {

const char* const HelpText = R"(Usage: torvex-cam [FILE]
  or:  torvex-cam --help | --version
Turning toolpaths and NC programs for two-axis CNC lathes: load the half-profile of a turned part
and its stock, keep a library of knives and supports, define roughing and finishing toolpaths,
watch them cut the stock in a 3D simulation and save the NC program for the machine.

FILE, a model (.mdl), opens at start as "Load model" opens it.

The program reads and writes its models (Models/), its tool library (Knives/, Tails/,
knives.dat, tails.dat) and its NC programs (NC/) in the folder it is started in, when that folder
holds a Models/ folder or a knives.dat. Started anywhere else (from the menu, or by opening a
model in a file manager) it works in ~/Torvex, which it fills with the sample workspace while
that is not a workspace yet, never overwriting a file there; the status bar says so.

Options:
  -h, --help     print this help and exit
  --version      print the version and exit
Qt's own options (-platform NAME, -display DISPLAY, ...) are understood too.
)";

// --help and --version are answered before the application is made, so that they need no display.
bool AnswersInformationOption(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::cout << HelpText;
            return true;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::cout << "torvex-cam (Torvex - CAM) " TORVEX_VERSION "\n";
            return true;
        }
    }
    return false;
}

// The installed samples lie beside the executable's folder, whatever the prefix.
std::filesystem::path InstalledSamples() {
    std::filesystem::path executable = QCoreApplication::applicationFilePath().toStdString();
    return (executable.parent_path() / TORVEX_SAMPLES_FROM_BINDIR).lexically_normal();
}

} // namespace

int main(int argc, char* argv[]) {
    if (AnswersInformationOption(argc, argv))
        return EXIT_SUCCESS;
    QApplication application(argc, argv);
    QApplication::setApplicationName("Torvex - CAM");
    QGuiApplication::setDesktopFileName("org.torvex.TorvexCAM");
    std::error_code unusable;
    const char* home = std::getenv("HOME");
    torvex::StartupChoice start = torvex::ChooseStartupDirectory(
        std::filesystem::current_path(unusable), home ? home : "", InstalledSamples());
    torvex::Workspace workspace;
    workspace.StartupDirectory = start.Directory;
    torvex::MessageBoxSink messages;
    torvex::QtFileDialogs dialogs;
    torvex::ProgramWindows windows = torvex::CreateProgramWindows(workspace, dialogs, messages);
    QObject::connect(windows.Main.get(), &torvex::MainWindow::Closed, &application,
                     &QApplication::quit);
    windows.Main->ShowMaximised();
    if (!start.Message.empty())
        windows.Main->ShowStatus(start.Message);
    // A file named on the command line opens once the window is up.
    if (argc > 1) {
        std::filesystem::path file = std::filesystem::absolute(argv[1], unusable);
        QTimer::singleShot(0, windows.Main.get(), [&windows, &messages, file] {
            torvex::RunGuarded(messages, [&] { windows.Main->OpenFile(file); });
        });
    }
    return application.exec();
}
