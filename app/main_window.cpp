#include "app/main_window.h"

#include "app/import_drawing_dialog.h"
#include "app/model_loading.h"
#include "app/simulation_panel.h"
#include "app/toolpath_tree_panel.h"
#include "app/view_toolbars.h"
#include "drawing/drawing_import.h"
#include "geometry/number_text.h"
#include "operations/job_file.h"
#include "operations/toolpath_building.h"
#include "platform/errors.h"
#include "platform/file_dialogs.h"
#include "platform/qt/background_work.h"
#include "platform/qt/program_settings.h"
#include "platform/qt/qt_support.h"
#include "platform/qt/scene_view.h"
#include "platform/qt/tool_window.h"
#include "workspace/workspace.h"

#include <QAbstractButton>
#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace torvex {

namespace {

// Where the toolbar control keeps the dock positions of the three view toolbars.
constexpr const char* ToolbarPositionsKey = "ToolBars/State";

constexpr const char* ModelFilter = "Model files (*.mdl)|*.mdl|All files (*.*)|*.*";
constexpr const char* JobFilter = "Job files (*.tjob)|*.tjob|All files (*.*)|*.*";
constexpr const char* DrawingFilter = "DXF drawings (*.dxf *.DXF)|*.dxf;*.DXF|All files (*.*)|*.*";

constexpr const char* SidePanelStyle = R"(
#SidePanel QLabel#Heading { font-weight: bold; padding: 2px 0; }
)";

constexpr const char* FrameRateStyle = R"(
#ViewStrip { background: #2a2f38; }
QLabel { color: #d8dee9; font-family: monospace; }
)";

QToolButton* MakeToggle(QWidget* parent, const QString& name, const QString& caption) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(caption);
    button->setCheckable(true);
    button->setAutoRaise(true);
    return button;
}

// A command of the bar: its icon beside its caption, its shortcut and tooltip.
QToolButton* MakeCommand(QToolBar* bar, const QString& name, const QString& caption,
                         QStyle::StandardPixmap icon, const QKeySequence& shortcut,
                         const QString& tip) {
    auto* button = new QToolButton(bar);
    button->setObjectName(name);
    button->setText(caption);
    button->setIcon(bar->style()->standardIcon(icon));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    button->setShortcut(shortcut);
    button->setToolTip(tip);
    bar->addWidget(button);
    return button;
}

} // namespace

MainWindow::MainWindow(Workspace& workspace, FileDialogs& dialogs, MessageSink& messages)
    : Work(workspace), Dialogs(dialogs), Messages(messages),
      ModelFolder(workspace.StartupDirectory / "Models") {
    setObjectName("MAIN");
    setWindowTitle("Torvex - CAM");
    // The border offers the system menu and a minimise button, as the caption-bar button does.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    BuildCommandBar();
    Toolbars = new torvex::ViewToolbars(*this, Scene3D, Messages, [this] { SceneChanged(); });
    auto* splitter = new QSplitter(this);
    splitter->addWidget(BuildSidePanel());
    splitter->addWidget(BuildViewPanel());
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({300, 1600});
    setCentralWidget(splitter);
    ApplyControlStates();
    RestoreToolbarPositions();

    FrameRateTimer = new QTimer(this);
    FrameRateTimer->setInterval(1000);
    ConnectGuarded(FrameRateTimer, &QTimer::timeout, this, Messages, [this] { ShowFrameRate(); });
    FrameRateTimer->start();
}

MainWindow::~MainWindow() = default;

std::array<QToolBar*, 3> MainWindow::ViewToolbars() const {
    return Toolbars->Bars();
}

ToolpathTreeDisplay& MainWindow::TreeDisplay() {
    return *TreePanel;
}

QTreeWidget* MainWindow::Tree() const {
    return TreePanel->Tree();
}

QTreeWidgetItem* MainWindow::RootNode() const {
    return TreePanel->RootNode();
}

QMenu* MainWindow::PopupMenu() const {
    return TreePanel->PopupMenu();
}

void MainWindow::BuildCommandBar() {
    auto* bar = addToolBar("Commands");
    bar->setObjectName("Commands");
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->toggleViewAction()->setVisible(false);
    bar->setIconSize(QSize(20, 20));
    b0 = MakeCommand(bar, "b0", "Load model", QStyle::SP_DialogOpenButton, QKeySequence::Open,
                     "Load model (Ctrl+O)");
    ConnectGuarded(b0, &QToolButton::clicked, this, Messages, [this] { LoadModelCommand(); });
    b2 = MakeCommand(bar, "b2", "Import drawing...", QStyle::SP_FileDialogContentsView,
                     QKeySequence("Ctrl+I"),
                     "Import drawing: the part's profile from a DXF drawing (Ctrl+I)");
    b2->setAccessibleName("Import drawing");
    ConnectGuarded(b2, &QToolButton::clicked, this, Messages, [this] { ImportDrawingCommand(); });
    OpenJobButton = MakeCommand(bar, "OpenJob", "Open job...", QStyle::SP_DirOpenIcon,
                                QKeySequence("Ctrl+Shift+O"),
                                "Open job: a job file's model, toolpaths and program settings "
                                "(Ctrl+Shift+O)");
    OpenJobButton->setAccessibleName("Open job");
    ConnectGuarded(OpenJobButton, &QToolButton::clicked, this, Messages,
                   [this] { OpenJobCommand(); });
    SaveJob = MakeCommand(bar, "SaveJob", "Save job...", QStyle::SP_DialogSaveButton,
                          QKeySequence("Ctrl+Shift+S"),
                          "Save job: the model, the toolpaths and the program settings in one "
                          "file (Ctrl+Shift+S)");
    SaveJob->setAccessibleName("Save job");
    ConnectGuarded(SaveJob, &QToolButton::clicked, this, Messages, [this] { SaveJobCommand(); });
    FlipPart = MakeCommand(bar, "FlipPart", "Flip part", QStyle::SP_BrowserReload, QKeySequence(),
                           "Flip part: mirror the part and its stock end for end, so that the "
                           "other end faces the tailstock");
    FlipPart->setAccessibleName("Flip part");
    ConnectGuarded(FlipPart, &QToolButton::clicked, this, Messages, [this] { FlipPartCommand(); });
    bar->addSeparator();
    b1 = MakeToggle(bar, "b1", "Tool Library");
    FlatSpeedButton1 = MakeToggle(bar, "FlatSpeedButton1", "Roughing");
    FlatSpeedButton3 = MakeToggle(bar, "FlatSpeedButton3", "Finishing");
    FlatSpeedButton5 = MakeToggle(bar, "FlatSpeedButton5", "Grooving");
    FlatSpeedButton5->setToolTip("Grooving and parting");
    FlatSpeedButton6 = MakeToggle(bar, "FlatSpeedButton6", "Threading");
    g1 = MakeToggle(bar, "g1", "NC code");
    FlatSpeedButton4 = MakeToggle(bar, "FlatSpeedButton4", "Toolbars");
    for (QToolButton* toggle :
         {b1, FlatSpeedButton1, FlatSpeedButton3, FlatSpeedButton5, FlatSpeedButton6, g1})
        bar->addWidget(toggle);
    bar->addSeparator();
    bar->addWidget(FlatSpeedButton4);
}

QWidget* MainWindow::BuildSidePanel() {
    auto* panel = new QWidget(this);
    panel->setObjectName("SidePanel");
    panel->setStyleSheet(SidePanelStyle);
    panel->setMinimumWidth(260);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(6, 6, 4, 6);
    TreePanel = new ToolpathTreePanel(Work, Scene3D, Controls, Messages, panel);
    ConnectGuarded(TreePanel, &ToolpathTreePanel::ControlsChanged, this, Messages,
                   [this] { ApplyControlStates(); });
    ConnectGuarded(TreePanel, &ToolpathTreePanel::SceneChanged, this, Messages,
                   [this] { SceneChanged(); });
    layout->addWidget(TreePanel, 1);
    Simulation = new SimulationPanel(Work, Scene3D, Controls, Dialogs, Messages, panel);
    ConnectGuarded(Simulation, &SimulationPanel::ControlsChanged, this, Messages,
                   [this] { ApplyControlStates(); });
    ConnectGuarded(Simulation, &SimulationPanel::ShowToolpathRequested, this, Messages,
                   [this] { TreePanel->ShowSelectedToolpath(); });
    layout->addWidget(Simulation);
    return panel;
}

QWidget* MainWindow::BuildViewPanel() {
    auto* panel = new QWidget(this);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    // The frame rate sits on a strip along the view's top edge: widgets cannot overlap the view's
    // native window.
    auto* strip = new QWidget(panel);
    strip->setObjectName("ViewStrip");
    strip->setAttribute(Qt::WA_StyledBackground);
    strip->setStyleSheet(FrameRateStyle);
    auto* stripLayout = new QHBoxLayout(strip);
    stripLayout->setContentsMargins(6, 2, 6, 2);
    FPS = new QLabel(strip);
    FPS->setObjectName("FPS");
    FPS->setText(QString::fromStdString(FormatFloat("0.00", 0, SystemDecimalSeparator()) + " FPS"));
    stripLayout->addWidget(FPS);
    stripLayout->addStretch(1);
    layout->addWidget(strip);

    ViewWidget = new SceneView(Scene3D.Contents, Messages, panel);
    ViewWidget->setObjectName("GLSceneViewer1");
    ConnectGuarded(ViewWidget, &SceneView::MousePressed, this, Messages,
                   [this](QPoint position) { ViewMouseDown(position); });
    ConnectGuarded(
        ViewWidget, &SceneView::MouseMoved, this, Messages,
        [this](QPoint position, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
            ViewMouseMove(position, buttons, modifiers);
        });
    ConnectGuarded(ViewWidget, &SceneView::WheelTurned, this, Messages,
                   [this](int delta) { Zoom(delta); });
    layout->addWidget(ViewWidget, 1);
    Simulation->AttachView(*ViewWidget);
    return panel;
}

void MainWindow::BindToggle(QAbstractButton* toggle, QWidget* window) {
    ConnectGuarded(toggle, &QAbstractButton::toggled, this, Messages, [window](bool down) {
        window->setVisible(down);
        if (down)
            window->raise();
    });
    if (auto* tool = qobject_cast<ToolWindow*>(window))
        ConnectGuarded(tool, &ToolWindow::Closed, toggle, Messages,
                       [toggle] { toggle->setChecked(false); });
}

void MainWindow::ShowMaximised() {
    if (QScreen* screen = this->screen())
        setGeometry(screen->availableGeometry());
    showMaximized();
}

void MainWindow::ApplyControlStates() {
    TreePanel->ApplyControlStates();
    Simulation->ApplyControlStates(Controls);
    g1->setEnabled(Controls.NcCode);
}

void MainWindow::SceneChanged() {
    ViewWidget->Redraw();
}

void MainWindow::LoadModelCommand() {
    FileDialogOptions options{"Open", ModelFilter, ".mdl", ModelFolder, ""};
    if (std::optional<std::filesystem::path> file = Dialogs.OpenFileName(options))
        OpenModel(*file);
}

void MainWindow::ImportDrawingCommand() {
    FileDialogOptions options{"Import drawing", DrawingFilter, ".dxf",
                              ModelFolder.parent_path() / "Drawings", ""};
    std::optional<std::filesystem::path> file = Dialogs.OpenFileName(options);
    if (!file)
        return;
    std::optional<DrawingContents> drawing = ResultWithProgress<DrawingContents>(
        this, "Importing the drawing", [&] { return ReadDxfFile(*file); });
    if (!drawing)
        return;
    ImportDrawingDialog dialog(std::move(*drawing),
                               QString::fromStdString(file->filename().string()), Messages, this);
    if (dialog.exec() != QDialog::Accepted || !dialog.Model())
        return;
    std::filesystem::path model = ImportedModelFile(ModelFolder, *file);
    if (SaveImportedModel(model, *dialog.Model(), Messages))
        OpenModel(model);
}

void MainWindow::OpenModel(const std::filesystem::path& file) {
    if (!MayDiscardToolpaths(Work, Messages))
        return;
    ModelLoad outcome = LoadModel(Work, file, Messages);
    if (outcome != ModelLoad::NotLoaded)
        ShowNewModel();
    Messages.ShowMessage(ModelLoadMessage(file, outcome));
}

void MainWindow::ShowNewModel() {
    TreePanel->Clear();
    DisableForModelLoad(Controls);
    Simulation->Discard();
    ApplyControlStates();
    Scene3D.ShowModel(Work.Shaft, Work.StockShaft, Work.SceneScale);
    Scene3D.ShowChuck(Work.Setup, Work.StockShaft, Work.SceneScale);
    // The stock is shown again: its toggle follows.
    Toolbars->StockToggle()->setChecked(true);
    SceneChanged();
    emit ModelOpened();
}

void MainWindow::FlipPartCommand() {
    RequireModel(Work.Shaft, Work.StockShaft);
    if (!Work.Toolpaths.empty() &&
        !Messages.Confirm("Flipping the part drops " + JobToolpathsText(Work) +
                          " of the job, made for the other end. Flip it?"))
        return;
    FlipWorkspacePart(Work);
    ShowNewModel();
    ShowStatus("Part flipped end for end");
}

void MainWindow::ShowCollisions(const TToolpath* toolpath, const CheckResult& result) {
    if (toolpath == nullptr || toolpath != Work.SelectedToolpath)
        return;
    Scene3D.ShowCollisions(*toolpath, result, Work.SceneScale);
    SceneChanged();
}

void MainWindow::ShowSetup() {
    Scene3D.ShowChuck(Work.Setup, Work.StockShaft, Work.SceneScale);
    if (Work.SelectedToolpath != nullptr)
        Scene3D.ShowToolpath(*Work.SelectedToolpath, Work.SceneScale);
    SceneChanged();
}

void MainWindow::SetProgramSettings(std::function<ProgramSettings()> read,
                                    std::function<void(const ProgramSettings&)> show) {
    ReadProgramSettings = std::move(read);
    ShowProgramSettings = std::move(show);
}

void MainWindow::SaveJobCommand() {
    RequireModel(Work.Shaft, Work.StockShaft);
    ProgramSettings settings = ReadProgramSettings ? ReadProgramSettings() : ProgramSettings{};
    std::string name = Work.ModelName.empty() ? "job" : Work.ModelName;
    FileDialogOptions options{"Save job", JobFilter, ".tjob", Work.StartupDirectory / "Jobs",
                              name + ".tjob"};
    if (std::optional<std::filesystem::path> file = Dialogs.SaveFileName(options))
        SaveJobFile(*file, JobOfWorkspace(Work, settings));
}

void MainWindow::OpenJobCommand() {
    FileDialogOptions options{"Open job", JobFilter, ".tjob", Work.StartupDirectory / "Jobs", ""};
    if (std::optional<std::filesystem::path> file = Dialogs.OpenFileName(options))
        OpenJob(*file);
}

void MainWindow::OpenJob(const std::filesystem::path& file) {
    // Everything is read and built before anything of the open job changes.
    std::optional<OpenedJob> opened = ResultWithProgress<OpenedJob>(
        this, "Opening the job", [&] { return torvex::OpenJob(ReadJobFile(file)); });
    if (!opened)
        return;
    OpenedJob& job = *opened;
    ProgramSettings settings = job.Program;
    if (!MayDiscardToolpaths(Work, Messages))
        return;
    DisableForModelLoad(Controls);
    Simulation->Discard();
    ApplyControlStates();
    Scene3D.ClearToolpathLine();
    TreePanel->Clear();
    UseJob(Work, std::move(job));
    Scene3D.ShowModel(Work.Shaft, Work.StockShaft, Work.SceneScale);
    Scene3D.ShowChuck(Work.Setup, Work.StockShaft, Work.SceneScale);
    Toolbars->StockToggle()->setChecked(true);
    char separator = SystemDecimalSeparator();
    for (const auto& toolpath : Work.Toolpaths)
        TreePanel->AddToolpathNode(*toolpath, NodeTextsOf(*toolpath, separator));
    if (!Work.Toolpaths.empty())
        Scene3D.ShowToolpath(*Work.Toolpaths.back(), Work.SceneScale);
    if (ShowProgramSettings)
        ShowProgramSettings(settings);
    SceneChanged();
    emit ModelOpened();
    ShowStatus("Job '" + file.filename().string() +
               "' opened: " + std::to_string(Work.Toolpaths.size()) + " toolpaths");
}

void MainWindow::OpenFile(const std::filesystem::path& file) {
    struct Opener {
        const char* Extension;
        const char* Kinds;
        void (MainWindow::*Open)(const std::filesystem::path&);
    };
    static constexpr Opener Openers[] = {
        {".mdl", "models (.mdl)", &MainWindow::OpenModel},
        {".tjob", "jobs (.tjob)", &MainWindow::OpenJob},
    };
    std::string kinds;
    for (const Opener& opener : Openers) {
        if (file.extension() == opener.Extension)
            return (this->*opener.Open)(file);
        kinds += (kinds.empty() ? "" : ", ") + std::string(opener.Kinds);
    }
    throw FileError("'" + file.string() + "' cannot be opened: Torvex - CAM opens " + kinds);
}

void MainWindow::ShowStatus(const std::string& text) {
    statusBar()->showMessage(QString::fromStdString(text));
}

void MainWindow::AddToolpathNode(TToolpath& toolpath, const ToolpathNodeTexts& texts) {
    TreePanel->AddToolpathNode(toolpath, texts);
}

void MainWindow::DrawToolpath(const TToolpath& toolpath) {
    Scene3D.ShowToolpath(toolpath, Work.SceneScale);
    SceneChanged();
}

void MainWindow::ResetViewpoint() {
    Scene3D.ResetViewpoint();
    SceneChanged();
}

void MainWindow::ViewMouseDown(QPoint position) {
    LastMouseX = static_cast<int16_t>(position.x());
    LastMouseY = static_cast<int16_t>(position.y());
}

void MainWindow::ViewMouseMove(QPoint position, Qt::MouseButtons buttons,
                               Qt::KeyboardModifiers modifiers) {
    int dx = LastMouseX - position.x();
    int dy = LastMouseY - position.y();
    ViewMouseDown(position);
    if (modifiers != Qt::NoModifier)
        return;
    if (buttons == Qt::LeftButton)
        Scene3D.Orbit(dx, dy);
    else if (buttons == Qt::RightButton)
        Scene3D.Pan(dx, dy);
    else
        return;
    SceneChanged();
}

void MainWindow::Zoom(int wheelDelta) {
    Scene3D.Wheel(wheelDelta);
    SceneChanged();
}

void MainWindow::wheelEvent(QWheelEvent* event) {
    RunGuarded(Messages, [&] { Zoom(event->angleDelta().y()); });
    event->accept();
}

void MainWindow::ShowFrameRate() {
    double now = ViewWidget->Now();
    double rate = ViewWidget->Counter.FramesPerSecond(now);
    ViewWidget->Counter.Reset(now);
    FPS->setText(
        QString::fromStdString(FormatFloat("0.00", rate, SystemDecimalSeparator()) + " FPS"));
}

void MainWindow::RestoreToolbarPositions() {
    QSettings settings = StoredSettings();
    restoreState(settings.value(ToolbarPositionsKey).toByteArray());
    // The chooser starts with every toolbar checked, so every toolbar starts visible.
    for (QToolBar* bar : ViewToolbars())
        bar->setVisible(true);
}

void MainWindow::SaveToolbarPositions() const {
    QSettings settings = StoredSettings();
    settings.setValue(ToolbarPositionsKey, saveState());
}

void MainWindow::closeEvent(QCloseEvent* event) {
    RunGuarded(Messages, [this] {
        SaveToolbarPositions();
        Scene3D.ClearToolpathLine();
        Work.DiscardModels();
    });
    event->accept();
    emit Closed();
}

} // namespace torvex
