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

    // On a screen of 1920 by 1080 pixels the operation windows stand side by side from the right
    // edge and the library to their left, so that none hides another's tool slots; the popups
    // stand over the library's lists.
    windows.KnifePreview = CreateToolWindow(main, "", Frame::SmallTool, QSize(210, 194),
                                            topRight + QPoint(-1225, 180));
    windows.SupportPopup =
        CreateToolWindow(main, "", Frame::SmallTool, QSize(104, 36), topRight + QPoint(-1225, 180));
    windows.Chooser = new ToolbarsChooser(main->ViewToolbars(), messages, main);
    windows.Chooser->move(screen.topLeft() + QPoint(430, 40));
    auto place = [](QWidget* window, QSize size, QPoint at) {
        window->resize(size);
        window->move(at);
    };
    // The library comes before the operation windows, whose slots take its tools.
    windows.ToolLibrary = CreateToolWindow(main, "Tool library", Frame::Borderless, QSize(740, 499),
                                           topRight + QPoint(-1445, 80));
    windows.ToolLibrary->SetStripText("Tool Library");
    windows.Library =
        new ToolLibraryWindow(workspace.StartupDirectory, *windows.KnifePreview,
                              *windows.SupportPopup, messages, windows.ToolLibrary->Body());
    auto* libraryLayout = new QVBoxLayout(windows.ToolLibrary->Body());
    libraryLayout->setContentsMargins(0, 0, 0, 0);
    libraryLayout->addWidget(windows.Library);
    LibraryPositions positions = [library = windows.Library] { return library->Positions(); };
    windows.Roughing = new RoughingWindow(workspace, windows.Library->SlotPictures(), positions,
                                          main->TreeDisplay(), *main, messages, main);
    place(windows.Roughing, QSize(330, 620), topRight + QPoint(-345, 80));
    windows.Finishing = new FinishingWindow(workspace, windows.Library->SlotPictures(), positions,
                                            main->TreeDisplay(), *main, messages, main);
    place(windows.Finishing, QSize(330, 540), topRight + QPoint(-690, 80));
    // Adding a toolpath in either window advances both default names; a new model starts a new
    // job, whose names start anew.
    const std::array<OperationWindow*, 2> operations{windows.Roughing, windows.Finishing};
    for (OperationWindow* window : operations) {
        for (OperationWindow* other : operations)
            QObject::connect(window, &OperationWindow::ToolpathAdded, other,
                             &OperationWindow::AdvanceName);
        QObject::connect(main, &MainWindow::ModelOpened, window, &OperationWindow::AdvanceName);
    }
    windows.NcProgram = new NcProgramWindow(workspace, dialogs, messages, main);
    place(windows.NcProgram, QSize(420, 700), topRight + QPoint(-1125, 80));

    main->BindToggle(main->ToolLibraryToggle(), windows.ToolLibrary);
    main->BindToggle(main->RoughingToggle(), windows.Roughing);
    main->BindToggle(main->FinishingToggle(), windows.Finishing);
    main->BindToggle(main->NcCodeToggle(), windows.NcProgram);
    main->BindToggle(main->ToolbarsToggle(), windows.Chooser);
    return windows;
}

} // namespace torvex
