#include "app/main_window.h"

#include "app/model_loading.h"
#include "app/toolpath_tree.h"
#include "app/up_down.h"
#include "geometry/number_text.h"
#include "platform/file_dialogs.h"
#include "platform/qt/qt_support.h"
#include "platform/qt/scene_view.h"
#include "platform/qt/tool_window.h"
#include "workspace/workspace.h"

#include <QAbstractButton>
#include <QActionGroup>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace torvex {

namespace {

// Where the toolbar control keeps the dock positions of the three view toolbars.
constexpr const char* SettingsOrganisation = "MyCompany";
constexpr const char* SettingsApplication = "MyApp";
constexpr const char* ToolbarPositionsKey = "ToolBars/State";

constexpr const char* ModelFilter = "Model files (*.mdl)|*.mdl|All files (*.*)|*.*";

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

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

MainWindow::MainWindow(Workspace& workspace, FileDialogs& dialogs, MessageSink& messages)
    : Work(workspace), Dialogs(dialogs), Messages(messages),
      ModelFolder(std::filesystem::current_path() / "Models") {
    setObjectName("MAIN");
    setWindowTitle("Torvex - CAM");
    // The border offers the system menu and a minimise button, as the caption-bar button does.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    BuildCommandBar();
    BuildViewToolbars();
    BuildPopupMenu();
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
    connect(FrameRateTimer, &QTimer::timeout, this, &MainWindow::ShowFrameRate);
    FrameRateTimer->start();
}

MainWindow::~MainWindow() = default;

template <typename Handler> void MainWindow::Guarded(Handler&& handler) {
    RunGuarded(Messages, std::forward<Handler>(handler));
}

void MainWindow::BuildCommandBar() {
    auto* bar = addToolBar("Commands");
    bar->setObjectName("Commands");
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->toggleViewAction()->setVisible(false);
    bar->setIconSize(QSize(20, 20));
    b0 = new QToolButton(bar);
    b0->setObjectName("b0");
    b0->setText("Load model");
    b0->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    b0->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    b0->setAutoRaise(true);
    ConnectGuarded(b0, &QToolButton::clicked, this, Messages, [this] { LoadModelCommand(); });
    bar->addWidget(b0);
    bar->addSeparator();
    b1 = MakeToggle(bar, "b1", "Tool Library");
    FlatSpeedButton1 = MakeToggle(bar, "FlatSpeedButton1", "Roughing");
    FlatSpeedButton3 = MakeToggle(bar, "FlatSpeedButton3", "Finishing");
    g1 = MakeToggle(bar, "g1", "NC code");
    FlatSpeedButton4 = MakeToggle(bar, "FlatSpeedButton4", "Toolbars");
    for (QToolButton* toggle : {b1, FlatSpeedButton1, FlatSpeedButton3, g1})
        bar->addWidget(toggle);
    bar->addSeparator();
    bar->addWidget(FlatSpeedButton4);
}

QToolBar* MainWindow::AddViewToolbar(const QString& title, const QString& name) {
    auto* bar = new QToolBar(title, this);
    bar->setObjectName(name);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    bar->toggleViewAction()->setVisible(false);
    addToolBar(Qt::TopToolBarArea, bar);
    // The small button at the top of every view toolbar: the view from above, as v1.
    auto* top = new QToolButton(bar);
    top->setObjectName(name + "Top");
    top->setText(QString::fromUtf8("\u2302"));
    top->setToolTip("View from above");
    top->setAutoRaise(true);
    top->setFixedWidth(18);
    ConnectGuarded(top, &QToolButton::clicked, this, Messages, [this] {
        Scene3D.SetView(ViewDirection::Top);
        SceneChanged();
    });
    bar->addWidget(top);
    return bar;
}

QAction* MainWindow::AddCommand(QToolBar* bar, const QString& name, const QString& text,
                                const QString& tip, std::function<void()> command) {
    auto* action = new QAction(text, this);
    action->setObjectName(name);
    action->setToolTip(tip);
    bar->addAction(action);
    ConnectGuarded(action, &QAction::triggered, this, Messages, [this, command] {
        command();
        SceneChanged();
    });
    return action;
}

void MainWindow::BuildViewToolbars() {
    ViewingTools = AddViewToolbar("Viewing tools", "ViewingTools");
    auto* modes = new QActionGroup(this);
    QAction* m1 = AddCommand(ViewingTools, "m1", "Wire frame", "Solids as wire frames",
                             [this] { Scene3D.SetWireFrame(true); });
    QAction* m2 = AddCommand(ViewingTools, "m2", "Filled", "Solids filled and lit",
                             [this] { Scene3D.SetWireFrame(false); });
    for (QAction* mode : {m1, m2}) {
        mode->setCheckable(true);
        modes->addAction(mode);
    }
    m2->setChecked(true);
    StockToggle = AddCommand(ViewingTools, "m3", "Stock", "Show the stock", [] {});
    StockToggle->setCheckable(true);
    StockToggle->setChecked(true);
    ConnectGuarded(StockToggle, &QAction::toggled, this, Messages, [this](bool down) {
        Scene3D.SetStockVisible(down);
        SceneChanged();
    });

    ViewingTools2 = AddViewToolbar("Viewing tools 2", "ViewingTools2");
    const std::array<std::pair<ViewDirection, const char*>, 5> views{{
        {ViewDirection::Top, "Top"},
        {ViewDirection::Right, "Right"},
        {ViewDirection::Left, "Left"},
        {ViewDirection::FrontRight, "Front right"},
        {ViewDirection::FrontLeft, "Front left"},
    }};
    for (size_t k = 0; k < views.size(); ++k) {
        ViewDirection direction = views[k].first;
        AddCommand(ViewingTools2, QString("v%1").arg(k + 1), views[k].second,
                   QString("View from the %1").arg(QString(views[k].second).toLower()),
                   [this, direction] { Scene3D.SetView(direction); });
    }
    ViewingTools2->addSeparator();
    AddCommand(ViewingTools2, "c", "Centre", "Look at the centre again",
               [this] { Scene3D.Recentre(); });
    AddCommand(ViewingTools2, "zp", "Zoom in", "Closer", [this] { Scene3D.Zoom(-1); });
    AddCommand(ViewingTools2, "zm", "Zoom out", "Farther", [this] { Scene3D.Zoom(1); });

    Slices = AddViewToolbar("No. of slices", "NoOfSlices");
    auto* counts = new QActionGroup(this);
    struct SliceCount {
        int Slices;
        const char* Caption;
        const char* Tip;
    };
    const std::array<SliceCount, 4> sliceCounts{{{8, "8", "8 slices"},
                                                 {16, "16", "16 slices"},
                                                 {32, "32", "32 slices"},
                                                 {64, "64", "64 slices"}}};
    for (size_t k = 0; k < sliceCounts.size(); ++k) {
        int slices = sliceCounts[k].Slices;
        QAction* p = AddCommand(Slices, QString("p%1").arg(k + 1), sliceCounts[k].Caption,
                                sliceCounts[k].Tip, [this, slices] { Scene3D.SetSlices(slices); });
        p->setCheckable(true);
        counts->addAction(p);
        p->setChecked(slices == 32);
    }
}

void MainWindow::BuildPopupMenu() {
    Popup = new QMenu(this);
    Popup->setObjectName("PopupMenu1");
    const std::array<std::pair<const char*, void (MainWindow::*)()>, 6> items{{
        {"Visible", &MainWindow::VisibleCommand},
        {"Expand (recursive)", &MainWindow::ExpandCommand},
        {"Expand (r) and collapse others", &MainWindow::ExpandAndCollapseOthersCommand},
        {"Remove", &MainWindow::RemoveCommand},
        {"Expand (r) all", &MainWindow::ExpandAllCommand},
        {"Collapse all", &MainWindow::CollapseAllCommand},
    }};
    for (size_t k = 0; k < items.size(); ++k) {
        if (k == 4) {
            QAction* separator = Popup->addAction("    ___________________");
            separator->setObjectName("N1");
            separator->setEnabled(false);
        }
        auto command = items[k].second;
        PopupItems[k] = Popup->addAction(items[k].first);
        PopupItems[k]->setObjectName(QString("i%1").arg(k + 1));
        ConnectGuarded(PopupItems[k], &QAction::triggered, this, Messages,
                       [this, command] { (this->*command)(); });
    }
    PopupItems[0]->setCheckable(true);
}

QWidget* MainWindow::BuildSidePanel() {
    auto* panel = new QWidget(this);
    panel->setObjectName("SidePanel");
    panel->setStyleSheet(SidePanelStyle);
    panel->setMinimumWidth(260);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(6, 6, 4, 6);

    ToolpathTree = new QTreeWidget(panel);
    ToolpathTree->setObjectName("tv1");
    ToolpathTree->setHeaderHidden(true);
    ToolpathTree->setItemDelegate(new NodeIconDelegate(ToolpathTree));
    ToolpathTree->setIconSize(QSize(34, 16));
    ToolpathTree->viewport()->installEventFilter(this);
    Root = AddNode(ToolpathTree->invisibleRootItem(), "Toolpaths", 0, 1);
    layout->addWidget(ToolpathTree, 1);

    // The buttons under the tree do what the popup's items do.
    const std::array<const char*, 6> captions{"Visible", "Expand",     "Expand only",
                                              "Remove",  "Expand all", "Collapse all"};
    auto* buttons = new QGridLayout;
    buttons->setSpacing(3);
    for (size_t k = 0; k < TreeButtons.size(); ++k) {
        auto* button = new QToolButton(panel);
        button->setObjectName(QString("t%1").arg(k + 1));
        button->setText(captions[k]);
        button->setToolTip(PopupItems[k]->text());
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        QAction* item = PopupItems[k];
        ConnectGuarded(button, &QToolButton::clicked, this, Messages, [item] { item->trigger(); });
        buttons->addWidget(button, static_cast<int>(k / 3), static_cast<int>(k % 3));
        TreeButtons[k] = button;
    }
    TreeButtons[0]->setCheckable(true);
    layout->addLayout(buttons);

    auto* simulation = new QGroupBox("Simulation", panel);
    auto* simulationLayout = new QVBoxLayout(simulation);
    s1 = new QPushButton("Initialize Simulation", simulation);
    s1->setObjectName("s1");
    simulationLayout->addWidget(s1);
    auto* play = new QHBoxLayout;
    s2 = new QToolButton(simulation);
    s2->setObjectName("s2");
    s2->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    s2->setToolTip("Start");
    s3 = new QToolButton(simulation);
    s3->setObjectName("s3");
    s3->setIcon(style()->standardIcon(QStyle::SP_MediaStop));
    s3->setToolTip("Stop");
    M = new QLineEdit("1", simulation);
    M->setObjectName("M");
    M->setToolTip("Time multiplier");
    M->setFixedWidth(44);
    M->setAlignment(Qt::AlignRight);
    MUP = new UpDown(M, 0, 100, 1, simulation);
    MUP->setObjectName("MUP");
    play->addWidget(s2);
    play->addWidget(s3);
    play->addStretch(1);
    play->addWidget(M);
    play->addWidget(MUP);
    simulationLayout->addLayout(play);
    const std::array<const char*, 3> labelTexts{
        "Toolpath length :", "Current toolpath time :", "Total toolpath time :"};
    for (size_t k = 0; k < Labels.size(); ++k) {
        Labels[k] = new QLabel(labelTexts[k], simulation);
        Labels[k]->setObjectName(QString("l%1").arg(k + 1));
        simulationLayout->addWidget(Labels[k]);
    }
    layout->addWidget(simulation);
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
    FPS->setText(Text(FormatFloat("0.00", 0, SystemDecimalSeparator()) + " FPS"));
    stripLayout->addWidget(FPS);
    stripLayout->addStretch(1);
    layout->addWidget(strip);

    ViewWidget = new SceneView(Scene3D.Contents, Messages, panel);
    ViewWidget->setObjectName("GLSceneViewer1");
    connect(ViewWidget, &SceneView::MousePressed, this,
            [this](QPoint position) { Guarded([&] { ViewMouseDown(position); }); });
    connect(ViewWidget, &SceneView::MouseMoved, this,
            [this](QPoint position, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
                Guarded([&] { ViewMouseMove(position, buttons, modifiers); });
            });
    connect(ViewWidget, &SceneView::WheelTurned, this,
            [this](int delta) { Guarded([&] { Zoom(delta); }); });
    layout->addWidget(ViewWidget, 1);
    return panel;
}

void MainWindow::BindToggle(QAbstractButton* toggle, QWidget* window) {
    ConnectGuarded(toggle, &QAbstractButton::toggled, this, Messages, [window](bool down) {
        window->setVisible(down);
        if (down)
            window->raise();
    });
    if (auto* tool = qobject_cast<ToolWindow*>(window))
        connect(tool, &ToolWindow::Closed, toggle, [toggle] { toggle->setChecked(false); });
}

void MainWindow::ShowMaximised() {
    if (QScreen* screen = this->screen())
        setGeometry(screen->availableGeometry());
    showMaximized();
}

void MainWindow::ApplyControlStates() {
    for (size_t k = 0; k < TreeButtons.size(); ++k)
        TreeButtons[k]->setEnabled(Controls.TreeButtons[k]);
    for (size_t k = 0; k < Controls.PopupItems.size(); ++k)
        PopupItems[k]->setEnabled(Controls.PopupItems[k]);
    PopupItems[0]->setChecked(Controls.VisibleChecked);
    TreeButtons[0]->setChecked(Controls.VisibleChecked);
    s1->setEnabled(Controls.Initialize);
    s2->setEnabled(Controls.Start);
    s3->setEnabled(Controls.Stop);
    M->setEnabled(Controls.Multiplier);
    MUP->setEnabled(Controls.Multiplier);
    g1->setEnabled(Controls.NcCode);
    for (QLabel* label : Labels)
        label->setEnabled(Controls.Labels);
}

void MainWindow::SceneChanged() {
    ViewWidget->Redraw();
}

void MainWindow::ClearTree() {
    qDeleteAll(Root->takeChildren());
}

void MainWindow::HideShownToolpaths() {
    for (int i = 0; i < Root->childCount(); ++i)
        if (StateImage(Root->child(i)) == ShownState)
            SetStateImage(Root->child(i), HiddenState);
}

void MainWindow::LoadModelCommand() {
    FileDialogOptions options{"Open", ModelFilter, ".mdl", ModelFolder};
    std::optional<std::filesystem::path> file = Dialogs.OpenFileName(options);
    if (!file)
        return;
    DisableForModelLoad(Controls);
    ApplyControlStates();
    Scene3D.ClearToolpathLine();
    ClearTree();
    LoadModel(Work, *file, Messages);
    Scene3D.ShowModel(Work.Shaft, Work.StockShaft, Work.SceneScale);
    // The stock is shown again: its toggle follows.
    StockToggle->setChecked(true);
    SceneChanged();
    Messages.ShowMessage(ModelLoadedMessage(*file));
}

void MainWindow::TreeMouseDown(QMouseEvent* event) {
    QPoint at = event->position().toPoint();
    QTreeWidgetItem* node = ToolpathTree->itemAt(at);
    if (node == nullptr)
        return;
    ToolpathTree->setCurrentItem(node);
    int level = NodeLevel(node);
    if (level == 0)
        EnableForRoot(Controls);
    else if (level == 1)
        EnableForToolpath(Controls, StateImage(node) != HiddenState);
    ApplyControlStates();
    Work.SelectedToolpathName = node->text(0).toStdString();
    bool rightAlone = event->button() == Qt::RightButton && event->buttons() == Qt::RightButton &&
                      event->modifiers() == Qt::NoModifier;
    if (!rightAlone)
        return;
    if (level <= 1) {
        Popup->popup(ToolpathTree->viewport()->mapToGlobal(QPoint(at.x() + 8, at.y() + 28)));
    } else {
        DisableForDeeperNode(Controls);
        ApplyControlStates();
    }
}

void MainWindow::VisibleCommand() {
    QTreeWidgetItem* node = ToolpathTree->currentItem();
    TToolpath* toolpath = Work.FindToolpath(Work.SelectedToolpathName);
    if (node == nullptr || toolpath == nullptr)
        return;
    if (StateImage(node) == ShownState) {
        SetStateImage(node, HiddenState);
        Scene3D.ClearToolpathLine();
    } else if (StateImage(node) == HiddenState) {
        HideShownToolpaths();
        SetStateImage(node, ShownState);
        Scene3D.ShowToolpath(*toolpath, Work.SceneScale);
    }
    Controls.VisibleChecked = StateImage(node) == ShownState;
    ApplyControlStates();
    SceneChanged();
}

void MainWindow::ExpandCommand() {
    if (QTreeWidgetItem* node = ToolpathTree->currentItem())
        ExpandRecursively(node);
}

void MainWindow::ExpandAndCollapseOthersCommand() {
    CollapseAllButRoot(ToolpathTree);
    ExpandCommand();
}

void MainWindow::RemoveCommand() {
    QTreeWidgetItem* node = ToolpathTree->currentItem();
    if (node == nullptr || node == Root)
        return;
    bool shown = StateImage(node) == ShownState;
    delete node;
    ToolpathTree->setCurrentItem(nullptr);
    ToolpathTree->clearSelection();
    if (shown) {
        Scene3D.ClearToolpathLine();
        SceneChanged();
    }
}

void MainWindow::ExpandAllCommand() {
    ExpandRecursively(Root);
}

void MainWindow::CollapseAllCommand() {
    CollapseAllButRoot(ToolpathTree);
}

void MainWindow::AddToolpathNode(const ToolpathNodeTexts& texts) {
    HideShownToolpaths();
    QTreeWidgetItem* node = AddNode(Root, Text(texts.Name), 2, 3, ShownState);
    QTreeWidgetItem* tool = AddNode(node, "Tool", 6, 7);
    AddNode(tool, Text("Tip : " + texts.TipName), -1, -1);
    AddNode(tool, Text("Support : " + texts.SupportName), -1, -1);
    QTreeWidgetItem* parameters = AddNode(node, "Parameters", 8, 9);
    for (const std::string& parameter : texts.Parameters)
        AddNode(parameters, Text(parameter), -1, -1);
    Root->setExpanded(true);
    CollapseAllButRoot(ToolpathTree);
    for (QTreeWidgetItem* candidate : NodesInOrder(ToolpathTree)) {
        if (candidate != Root && candidate->text(0) == Text(texts.Name)) {
            ExpandRecursively(candidate);
            break;
        }
    }
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
    Guarded([&] { Zoom(event->angleDelta().y()); });
    event->accept();
}

void MainWindow::ShowFrameRate() {
    double now = ViewWidget->Now();
    double rate = ViewWidget->Counter.FramesPerSecond(now);
    Guarded(
        [&] { FPS->setText(Text(FormatFloat("0.00", rate, SystemDecimalSeparator()) + " FPS")); });
    ViewWidget->Counter.Reset(now);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ToolpathTree->viewport() && event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        // A press beside every node changes nothing, not even the selection.
        if (ToolpathTree->itemAt(mouse->position().toPoint()) == nullptr)
            return true;
        Guarded([&] { TreeMouseDown(mouse); });
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::RestoreToolbarPositions() {
    QSettings settings(SettingsOrganisation, SettingsApplication);
    restoreState(settings.value(ToolbarPositionsKey).toByteArray());
    // The chooser starts with every toolbar checked, so every toolbar starts visible.
    for (QToolBar* bar : ViewToolbars())
        bar->setVisible(true);
}

void MainWindow::SaveToolbarPositions() const {
    QSettings settings(SettingsOrganisation, SettingsApplication);
    settings.setValue(ToolbarPositionsKey, saveState());
}

void MainWindow::closeEvent(QCloseEvent* event) {
    Guarded([this] {
        SaveToolbarPositions();
        Scene3D.ClearToolpathLine();
        Work.DiscardModels();
    });
    event->accept();
    emit Closed();
}

} // namespace torvex
