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

#include <algorithm>
#include <array>

namespace torvex {

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

    // The operation windows stand side by side from the right edge and the library to their left,
    // as wide as its forms need, so that on a screen of 1920 by 1080 pixels none hides another's
    // tool slots; the popups stand over the library's lists.
    constexpr int Gap = 15;
    const QPoint roughingAt = topRight + QPoint(-345, 80);
    const QPoint finishingAt = roughingAt - QPoint(330 + Gap, 0);
    auto place = [](QWidget* window, QSize size, QPoint at) {
        window->resize(size);
        window->move(at);
    };
    windows.KnifePreview = new ToolWindow("", Frame::SmallTool, main);
    windows.SupportPopup = new ToolWindow("", Frame::SmallTool, main);
    windows.Chooser = new ToolbarsChooser(main->ViewToolbars(), messages, main);
    windows.Chooser->move(screen.topLeft() + QPoint(430, 40));
    // The library comes before the operation windows, whose slots take its tools.
    windows.ToolLibrary = new ToolWindow("Tool library", Frame::Borderless, main);
    windows.ToolLibrary->SetStripText("Tool Library");
    windows.Library =
        new ToolLibraryWindow(workspace.StartupDirectory, *windows.KnifePreview,
                              *windows.SupportPopup, messages, windows.ToolLibrary->Body());
    auto* libraryLayout = new QVBoxLayout(windows.ToolLibrary->Body());
    libraryLayout->setContentsMargins(0, 0, 0, 0);
    libraryLayout->addWidget(windows.Library);
    QSize librarySize = QSize(740, 499).expandedTo(windows.ToolLibrary->minimumSizeHint());
    QPoint libraryAt(std::max(screen.left(), finishingAt.x() - Gap - librarySize.width()),
                     finishingAt.y());
    place(windows.ToolLibrary, librarySize, libraryAt);
    place(windows.KnifePreview, QSize(210, 194), libraryAt + QPoint(220, 100));
    place(windows.SupportPopup, QSize(104, 36), libraryAt + QPoint(220, 100));
    LibraryPositions positions = [library = windows.Library] { return library->Positions(); };
    windows.Roughing = new RoughingWindow(workspace, windows.Library->SlotPictures(), positions,
                                          main->TreeDisplay(), *main, messages, main);
    place(windows.Roughing, QSize(330, 620), roughingAt);
    windows.Finishing = new FinishingWindow(workspace, windows.Library->SlotPictures(), positions,
                                            main->TreeDisplay(), *main, messages, main);
    place(windows.Finishing, QSize(330, 540), finishingAt);
    // The grooving window takes the finishing window's place: the screen holds no fourth column.
    windows.Grooving = new GroovingWindow(workspace, windows.Library->SlotPictures(), positions,
                                          main->TreeDisplay(), *main, messages, main);
    place(windows.Grooving, QSize(330, 600), finishingAt + QPoint(0, 30));
    // The threading window likewise takes the roughing window's.
    windows.Threading = new ThreadingWindow(workspace, windows.Library->SlotPictures(), positions,
                                            main->TreeDisplay(), *main, messages, main);
    place(windows.Threading, QSize(330, 520), roughingAt + QPoint(0, 30));
    // Adding a toolpath in any operation window advances every default name; a new model starts a
    // new job, whose names start anew.
    const std::array<OperationWindow*, 4> operations{windows.Roughing, windows.Finishing,
                                                     windows.Grooving, windows.Threading};
    for (OperationWindow* window : operations) {
        for (OperationWindow* other : operations)
            QObject::connect(window, &OperationWindow::ToolpathAdded, other,
                             &OperationWindow::AdvanceName);
        QObject::connect(main, &MainWindow::ModelOpened, window, &OperationWindow::AdvanceName);
    }
    windows.NcProgram = new NcProgramWindow(workspace, dialogs, messages, main);
    NcProgramWindow* program = windows.NcProgram;
    main->SetProgramSettings([program] { return program->Settings(); },
                             [program](const ProgramSettings& s) { program->ShowSettings(s); });
    QObject::connect(program, &NcProgramWindow::SetupChanged, main, &MainWindow::ShowSetup);
    QObject::connect(program, &NcProgramWindow::ToolpathChecked, main, &MainWindow::ShowCollisions);
    place(windows.NcProgram, QSize(420, 700), topRight + QPoint(-1125, 80));

    main->BindToggle(main->ToolLibraryToggle(), windows.ToolLibrary);
    main->BindToggle(main->RoughingToggle(), windows.Roughing);
    main->BindToggle(main->FinishingToggle(), windows.Finishing);
    main->BindToggle(main->GroovingToggle(), windows.Grooving);
    main->BindToggle(main->ThreadingToggle(), windows.Threading);
    main->BindToggle(main->NcCodeToggle(), windows.NcProgram);
    main->BindToggle(main->ToolbarsToggle(), windows.Chooser);
    return windows;
}

} // namespace torvex
