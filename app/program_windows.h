#pragma once

#include <memory>

namespace torvex {

class FileDialogs;
class MainWindow;
class MessageSink;
class FinishingWindow;
class GroovingWindow;
class ThreadingWindow;
class NcProgramWindow;
class RoughingWindow;
class ToolLibraryWindow;
class ToolWindow;
class ToolbarsChooser;
class Workspace;

// Every window of the program, each created once. The others belong to the main window and float
// above it, hidden until its toggles show them.
struct ProgramWindows {
    std::unique_ptr<MainWindow> Main;
    ToolWindow* KnifePreview = nullptr;
    ToolWindow* SupportPopup = nullptr;
    ToolbarsChooser* Chooser = nullptr;
    RoughingWindow* Roughing = nullptr;
    FinishingWindow* Finishing = nullptr;
    GroovingWindow* Grooving = nullptr;
    ThreadingWindow* Threading = nullptr;
    NcProgramWindow* NcProgram = nullptr;
    ToolWindow* ToolLibrary = nullptr;
    ToolLibraryWindow* Library = nullptr; // the controls of ToolLibrary and of the two popups

    ProgramWindows();
    ProgramWindows(ProgramWindows&&) noexcept;
    ProgramWindows& operator=(ProgramWindows&&) noexcept;
    ~ProgramWindows();
};

// Creates the windows: the main window, the knife preview, the support popup, the toolbars
// chooser, the tool library window (which reads the library in the workspace's start-up
// directory, set beforehand), and the roughing, finishing, grooving, threading and NC program
// windows, whose tool slots take the library's tools.
ProgramWindows CreateProgramWindows(Workspace& workspace, FileDialogs& dialogs,
                                    MessageSink& messages);

} // namespace torvex
