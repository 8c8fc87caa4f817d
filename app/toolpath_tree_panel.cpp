#include "app/toolpath_tree_panel.h"

#include "app/main_scene.h"
#include "app/toolpath_tree.h"
#include "platform/qt/qt_support.h"
#include "workspace/workspace.h"

#include <QAction>
#include <QGridLayout>
#include <QMenu>
#include <QMouseEvent>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace torvex {

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

ToolpathTreePanel::ToolpathTreePanel(Workspace& workspace, MainScene& scene,
                                     MainControlStates& controls, MessageSink& messages,
                                     QWidget* parent)
    : QWidget(parent), Work(workspace), Scene3D(scene), Controls(controls), Messages(messages) {
    setObjectName("ToolpathTreePanel");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    ToolpathTree = new QTreeWidget(this);
    ToolpathTree->setObjectName("tv1");
    ToolpathTree->setAccessibleName("Toolpaths");
    ToolpathTree->setHeaderHidden(true);
    ToolpathTree->setItemDelegate(new NodeIconDelegate(ToolpathTree));
    ToolpathTree->setIconSize(QSize(34, 16));
    ToolpathTree->viewport()->installEventFilter(this);
    Root = AddNode(ToolpathTree->invisibleRootItem(), "Toolpaths", 0, 1);
    layout->addWidget(ToolpathTree, 1);
    BuildPopupMenu();
    BuildButtons();
}

void ToolpathTreePanel::BuildPopupMenu() {
    Popup = new QMenu(this);
    Popup->setObjectName("PopupMenu1");
    const std::array<std::pair<const char*, void (ToolpathTreePanel::*)()>, 6> items{{
        {"Visible", &ToolpathTreePanel::VisibleCommand},
        {"Expand (recursive)", &ToolpathTreePanel::ExpandCommand},
        {"Expand (r) and collapse others", &ToolpathTreePanel::ExpandAndCollapseOthersCommand},
        {"Remove", &ToolpathTreePanel::RemoveCommand},
        {"Expand (r) all", &ToolpathTreePanel::ExpandAllCommand},
        {"Collapse all", &ToolpathTreePanel::CollapseAllCommand},
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

void ToolpathTreePanel::BuildButtons() {
    // The buttons under the tree do what the popup's items do.
    const std::array<const char*, 6> captions{"Visible", "Expand",     "Expand only",
                                              "Remove",  "Expand all", "Collapse all"};
    auto* buttons = new QGridLayout;
    buttons->setSpacing(3);
    for (size_t k = 0; k < TreeButtons.size(); ++k) {
        auto* button = new QToolButton(this);
        button->setObjectName(QString("t%1").arg(k + 1));
        button->setText(captions[k]);
        button->setToolTip(PopupItems[k]->text());
        button->setAccessibleName(PopupItems[k]->text());
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        QAction* item = PopupItems[k];
        ConnectGuarded(button, &QToolButton::clicked, this, Messages, [item] { item->trigger(); });
        buttons->addWidget(button, static_cast<int>(k / 3), static_cast<int>(k % 3));
        TreeButtons[k] = button;
    }
    TreeButtons[0]->setCheckable(true);
    static_cast<QVBoxLayout*>(layout())->addLayout(buttons);
}

void ToolpathTreePanel::ApplyControlStates() {
    for (size_t k = 0; k < TreeButtons.size(); ++k)
        TreeButtons[k]->setEnabled(Controls.TreeButtons[k]);
    for (size_t k = 0; k < Controls.PopupItems.size(); ++k)
        PopupItems[k]->setEnabled(Controls.PopupItems[k]);
    PopupItems[0]->setChecked(Controls.VisibleChecked);
    TreeButtons[0]->setChecked(Controls.VisibleChecked);
}

void ToolpathTreePanel::Clear() {
    qDeleteAll(Root->takeChildren());
}

void ToolpathTreePanel::HideShownToolpaths() {
    for (int i = 0; i < Root->childCount(); ++i)
        if (StateImage(Root->child(i)) == ShownState)
            SetStateImage(Root->child(i), HiddenState);
}

void ToolpathTreePanel::NodePressed(QMouseEvent* event) {
    QPoint at = event->position().toPoint();
    QTreeWidgetItem* node = ToolpathTree->itemAt(at);
    if (node == nullptr)
        return;
    ToolpathTree->setCurrentItem(node);
    int level = NodeLevel(node);
    if (level == 0)
        EnableForRoot(Controls, !Work.Toolpaths.empty());
    else if (level == 1)
        EnableForToolpath(Controls, StateImage(node) != HiddenState);
    Work.SelectedToolpath = ToolpathOf(node);
    Work.SelectedToolpathName = node->text(0).toStdString();
    bool rightAlone = event->button() == Qt::RightButton && event->buttons() == Qt::RightButton &&
                      event->modifiers() == Qt::NoModifier;
    if (rightAlone && level > 1)
        DisableForDeeperNode(Controls);
    ApplyControlStates();
    emit ControlsChanged();
    if (rightAlone && level <= 1)
        Popup->popup(ToolpathTree->viewport()->mapToGlobal(QPoint(at.x() + 8, at.y() + 28)));
}

void ToolpathTreePanel::VisibleCommand() {
    QTreeWidgetItem* node = ToolpathTree->currentItem();
    TToolpath* toolpath = Work.SelectedToolpath;
    if (node == nullptr || toolpath == nullptr)
        return;
    if (StateImage(node) == ShownState) {
        SetStateImage(node, HiddenState);
        Scene3D.ClearToolpathLine();
    } else if (StateImage(node) == HiddenState) {
        ShowToolpathOf(node, *toolpath);
    }
    Controls.VisibleChecked = StateImage(node) == ShownState;
    ApplyControlStates();
    emit SceneChanged();
}

void ToolpathTreePanel::ShowToolpathOf(QTreeWidgetItem* node, const TToolpath& toolpath) {
    HideShownToolpaths();
    SetStateImage(node, ShownState);
    Scene3D.ShowToolpath(toolpath, Work.SceneScale);
}

void ToolpathTreePanel::ShowSelectedToolpath() {
    for (int i = 0; i < Root->childCount(); ++i) {
        QTreeWidgetItem* node = Root->child(i);
        if (Work.SelectedToolpath == nullptr || ToolpathOf(node) != Work.SelectedToolpath ||
            StateImage(node) != HiddenState)
            continue;
        ShowToolpathOf(node, *Work.SelectedToolpath);
        if (node == ToolpathTree->currentItem())
            Controls.VisibleChecked = true;
        ApplyControlStates();
        emit SceneChanged();
        return;
    }
}

void ToolpathTreePanel::ExpandCommand() {
    if (QTreeWidgetItem* node = ToolpathTree->currentItem())
        ExpandRecursively(node);
}

void ToolpathTreePanel::ExpandAndCollapseOthersCommand() {
    CollapseAllButRoot(ToolpathTree);
    ExpandCommand();
}

void ToolpathTreePanel::RemoveCommand() {
    QTreeWidgetItem* node = ToolpathTree->currentItem();
    if (node == nullptr || node == Root)
        return;
    bool shown = StateImage(node) == ShownState;
    // A toolpath's node stands for it in the job: removing the node removes the toolpath.
    if (NodeLevel(node) == 1) {
        TToolpath* toolpath = ToolpathOf(node);
        if (Work.SelectedToolpath == toolpath) {
            Work.SelectedToolpath = nullptr;
            Work.SelectedToolpathName.clear();
        }
        std::erase_if(Work.Toolpaths, [toolpath](const auto& t) { return t.get() == toolpath; });
    }
    delete node;
    ToolpathTree->setCurrentItem(nullptr);
    ToolpathTree->clearSelection();
    if (shown) {
        Scene3D.ClearToolpathLine();
        emit SceneChanged();
    }
}

void ToolpathTreePanel::ExpandAllCommand() {
    ExpandRecursively(Root);
}

void ToolpathTreePanel::CollapseAllCommand() {
    CollapseAllButRoot(ToolpathTree);
}

void ToolpathTreePanel::AddToolpathNode(TToolpath& toolpath, const ToolpathNodeTexts& texts) {
    HideShownToolpaths();
    QTreeWidgetItem* node = AddNode(Root, Text(texts.Name), 2, 3, ShownState);
    SetToolpathOf(node, &toolpath);
    QTreeWidgetItem* tool = AddNode(node, "Tool", 6, 7);
    for (const std::string& line : texts.Tools)
        AddNode(tool, Text(line), -1, -1);
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

bool ToolpathTreePanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ToolpathTree->viewport() && event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        // A press beside every node changes nothing, not even the selection.
        if (ToolpathTree->itemAt(mouse->position().toPoint()) == nullptr)
            return true;
        RunGuarded(Messages, [&] { NodePressed(mouse); });
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace torvex
