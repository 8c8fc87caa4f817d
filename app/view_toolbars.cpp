#include "app/view_toolbars.h"

#include "app/main_scene.h"
#include "platform/qt/qt_support.h"

#include <QAction>
#include <QActionGroup>
#include <QMainWindow>
#include <QToolBar>
#include <QToolButton>

#include <utility>

namespace torvex {

ViewToolbars::ViewToolbars(QMainWindow& window, MainScene& scene, MessageSink& messages,
                           std::function<void()> sceneChanged)
    : QObject(&window), Window(window), Scene3D(scene), Messages(messages),
      Changed(std::move(sceneChanged)) {
    BuildViewingTools();
    BuildViewingTools2();
    BuildSlices();
}

QToolBar* ViewToolbars::AddBar(const QString& title, const QString& name) {
    auto* bar = new QToolBar(title, &Window);
    bar->setObjectName(name);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    bar->toggleViewAction()->setVisible(false);
    Window.addToolBar(Qt::TopToolBarArea, bar);
    // The small button at the top of every view toolbar: the view from above, as v1.
    auto* top = new QToolButton(bar);
    top->setObjectName(name + "Top");
    top->setText(QString::fromUtf8("\u2302"));
    top->setToolTip("View from above");
    top->setAccessibleName("View from above");
    top->setAutoRaise(true);
    top->setFixedWidth(18);
    ConnectGuarded(top, &QToolButton::clicked, this, Messages, [this] {
        Scene3D.SetView(ViewDirection::Top);
        Changed();
    });
    bar->addWidget(top);
    return bar;
}

QAction* ViewToolbars::AddCommand(QToolBar* bar, const QString& name, const QString& text,
                                  const QString& tip, std::function<void()> command) {
    auto* action = new QAction(text, this);
    action->setObjectName(name);
    action->setToolTip(tip);
    bar->addAction(action);
    ConnectGuarded(action, &QAction::triggered, this, Messages, [this, command] {
        command();
        Changed();
    });
    return action;
}

void ViewToolbars::BuildViewingTools() {
    ViewingTools = AddBar("Viewing tools", "ViewingTools");
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
    Stock = AddCommand(ViewingTools, "m3", "Stock", "Show the stock", [] {});
    Stock->setCheckable(true);
    Stock->setChecked(true);
    ConnectGuarded(Stock, &QAction::toggled, this, Messages, [this](bool down) {
        Scene3D.SetStockVisible(down);
        Changed();
    });
}

void ViewToolbars::BuildViewingTools2() {
    ViewingTools2 = AddBar("Viewing tools 2", "ViewingTools2");
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
}

void ViewToolbars::BuildSlices() {
    Slices = AddBar("No. of slices", "NoOfSlices");
    auto* counts = new QActionGroup(this);
    const std::array<std::pair<int, const char*>, 4> sliceCounts{
        {{8, "8"}, {16, "16"}, {32, "32"}, {64, "64"}}};
    for (size_t k = 0; k < sliceCounts.size(); ++k) {
        int slices = sliceCounts[k].first;
        const char* caption = sliceCounts[k].second;
        QAction* p =
            AddCommand(Slices, QString("p%1").arg(k + 1), caption, QString(caption) + " slices",
                       [this, slices] { Scene3D.SetSlices(slices); });
        p->setCheckable(true);
        counts->addAction(p);
        p->setChecked(slices == 32);
    }
}

} // namespace torvex
