#include "app/program_windows.h"

#include "app/main_window.h"
#include "app/toolbars_chooser.h"
#include "operations/qt/nc_program_window.h"
#include "operations/qt/operation_windows.h"
#include "platform/qt/tool_window.h"
#include "toollibrary/qt/tool_library_window.h"
#include "workspace/workspace.h"

#include <QGuiApplication>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

#include <array>

namespace torvex {

namespace {

ToolWindow* CreateToolWindow(QWidget* main, const QString& caption, ToolWindow::Frame frame,
                             QSize size, QPoint place) {
    auto* window = new ToolWindow(caption, frame, main);
    window->resize(size);
    window->move(place);
    return window;
}

} // namespace

ProgramWindows::ProgramWindows() = default;
ProgramWindows::ProgramWindows(ProgramWindows&&) noexcept = default;
ProgramWindows& ProgramWindows::operator=(ProgramWindows&&) noexcept = default;
ProgramWindows::~ProgramWindows() = default;

ProgramWindows CreateProgramWindows(Workspace& workspace, FileDialogs& dialogs,
                                    MessageSink& messages) {
    ProgramWindows windows;
    windows.Main = std::make_unique<MainWindow>(workspace, dialogs, messages);
    MainWindow* main = windows.Main.get();
    QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QPoint topRight = screen.topRight();
    using Frame = ToolWindow::Frame;

    // The operation windows stand side by side from the right edge, the library over them, the
    // popups over the library's lists.
    windows.KnifePreview = CreateToolWindow(main, "", Frame::SmallTool, QSize(210, 194),
                                            topRight + QPoint(-1000, 180));
    windows.SupportPopup =
        CreateToolWindow(main, "", Frame::SmallTool, QSize(104, 36), topRight + QPoint(-1000, 180));
    windows.Chooser = new ToolbarsChooser(main->ViewToolbars(), messages, main);
    windows.Chooser->move(screen.topLeft() + QPoint(430, 40));
    auto place = [](QWidget* window, QSize size, QPoint at) {
        window->resize(size);
        window->move(at);
    };
    // The library comes before the operation windows, whose slots take its tools.
    windows.ToolLibrary = CreateToolWindow(main, "Tool library", Frame::Borderless, QSize(740, 499),
                                           topRight + QPoint(-1220, 80));
    windows.ToolLibrary->SetStripText("Tool Library");
    windows.Library =
        new ToolLibraryWindow(workspace.StartupDirectory, *windows.KnifePreview,
                              *windows.SupportPopup, messages, windows.ToolLibrary->Body());
    auto* libraryLayout = new QVBoxLayout(windows.ToolLibrary->Body());
    libraryLayout->setContentsMargins(0, 0, 0, 0);
    libraryLayout->addWidget(windows.Library);
    windows.Roughing = new RoughingWindow(workspace, windows.Library->SlotPictures(),
                                          main->TreeDisplay(), *main, messages, main);
    place(windows.Roughing, QSize(330, 620), topRight + QPoint(-345, 80));
    windows.Finishing = new FinishingWindow(workspace, windows.Library->SlotPictures(),
                                            main->TreeDisplay(), *main, messages, main);
    place(windows.Finishing, QSize(330, 540), topRight + QPoint(-690, 80));
    windows.Grooving = new GroovingWindow(workspace, windows.Library->SlotPictures(),
                                          main->TreeDisplay(), *main, messages, main);
    place(windows.Grooving, QSize(330, 600), topRight + QPoint(-1035, 80));
    // Adding a toolpath in any operation window advances every default name.
    const std::array<OperationWindow*, 3> operationWindows = {windows.Roughing, windows.Finishing,
                                                              windows.Grooving};
    for (OperationWindow* window : operationWindows) {
        for (OperationWindow* other : operationWindows)
            QObject::connect(window, &OperationWindow::ToolpathAdded, other,
                             &OperationWindow::AdvanceName);
        QObject::connect(main, &MainWindow::ToolpathsReplaced, window,
                         &OperationWindow::AdvanceName);
    }
    windows.NcProgram = new NcProgramWindow(workspace, dialogs, messages, main);
    NcProgramWindow* program = windows.NcProgram;
    main->SetProgramSettings([program] { return program->Settings(); },
                             [program](const ProgramSettings& s) { program->ShowSettings(s); });
    place(windows.NcProgram, QSize(420, 700), topRight + QPoint(-1125, 80));

    main->BindToggle(main->ToolLibraryToggle(), windows.ToolLibrary);
    main->BindToggle(main->RoughingToggle(), windows.Roughing);
    main->BindToggle(main->FinishingToggle(), windows.Finishing);
    main->BindToggle(main->GroovingToggle(), windows.Grooving);
    main->BindToggle(main->NcCodeToggle(), windows.NcProgram);
    main->BindToggle(main->ToolbarsToggle(), windows.Chooser);
    return windows;
}

} // namespace torvex
