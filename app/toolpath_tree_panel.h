#pragma once

#include "app/main_controls.h"
#include "operations/toolpath_display.h"

#include <QWidget>

#include <array>

class QAction;
class QMenu;
class QMouseEvent;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace torvex {

class MainScene;
class MessageSink;
class Workspace;

// The tree of toolpaths with its buttons and popup menu. A click on a node selects the toolpath it
// stands for (none for the root) and sets which commands are usable; "Visible" shows or hides the
// selected toolpath's line in the scene.
class ToolpathTreePanel : public QWidget, public ToolpathTreeDisplay {
    Q_OBJECT
public:
    ToolpathTreePanel(Workspace& workspace, MainScene& scene, MainControlStates& controls,
                      MessageSink& messages, QWidget* parent);

    void AddToolpathNode(TToolpath& toolpath, const ToolpathNodeTexts& texts) override;
    // Every branch removed: a new model starts with an empty tree.
    void Clear();
    // Shows the enabled and checked states of the tree's controls.
    void ApplyControlStates();

    void VisibleCommand();
    // Shows the selected toolpath's path if its node has it hidden.
    void ShowSelectedToolpath();
    void ExpandCommand();
    void ExpandAndCollapseOthersCommand();
    void RemoveCommand();
    void ExpandAllCommand();
    void CollapseAllCommand();

    QTreeWidget* Tree() const { return ToolpathTree; }
    QTreeWidgetItem* RootNode() const { return Root; }
    QMenu* PopupMenu() const { return Popup; }

signals:
    // The control states changed: the other panels show theirs.
    void ControlsChanged();
    // The scene's toolpath line changed.
    void SceneChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildPopupMenu();
    void BuildButtons();
    void NodePressed(QMouseEvent* event);
    void HideShownToolpaths();
    void ShowToolpathOf(QTreeWidgetItem* node, const TToolpath& toolpath);

    Workspace& Work;
    MainScene& Scene3D;
    MainControlStates& Controls;
    MessageSink& Messages;
    QTreeWidget* ToolpathTree = nullptr;
    QTreeWidgetItem* Root = nullptr;
    std::array<QToolButton*, 6> TreeButtons{};
    QMenu* Popup = nullptr;
    std::array<QAction*, 6> PopupItems{};
};

} // namespace torvex
