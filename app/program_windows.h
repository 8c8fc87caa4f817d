#pragma once

#include <memory>

namespace torvex {

class FileDialogs;
class MainWindow;
class MessageSink;
class FinishingWindow;
class NcProgramWindow;
class RoughingWindow;
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
    NcProgramWindow* NcProgram = nullptr;
    ToolWindow* ToolLibrary = nullptr;

    ProgramWindows();
    ProgramWindows(ProgramWindows&&) noexcept;
    ProgramWindows& operator=(ProgramWindows&&) noexcept;
    ~ProgramWindows();
};

// Creates the windows in the program's order: the main window, the knife preview, the support
// popup, the toolbars chooser, the roughing, finishing and NC program windows, and last the tool
// library window, which records the start-up directory.
ProgramWindows CreateProgramWindows(Workspace& workspace, FileDialogs& dialogs,
                                    MessageSink& messages);

} // namespace torvex
