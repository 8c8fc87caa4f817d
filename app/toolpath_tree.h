#pragma once

#include <QStyledItemDelegate>

#include <vector>

class QTreeWidget;
class QTreeWidgetItem;

namespace torvex {

class TToolpath;

// The toolpath tree's nodes carry image indices as the operation windows give them: an image and
// a selected image (-1 for none) and, on toolpath nodes, a state image (1 hidden, 2 shown; 0 for
// none). Images 0 and 1: the root; 2 and 3: a toolpath; 6 and 7: "Tool"; 8 and 9: "Parameters".
inline constexpr int HiddenState = 1;
inline constexpr int ShownState = 2;

QTreeWidgetItem* AddNode(QTreeWidgetItem* parent, const QString& text, int image, int selectedImage,
                         int stateImage = 0);
int StateImage(const QTreeWidgetItem* node);
void SetStateImage(QTreeWidgetItem* node, int stateImage);
// 0 for the root, 1 for a toolpath, 2 and more below.
int NodeLevel(const QTreeWidgetItem* node);
// A toolpath node stands for its toolpath, and every node below it for the same one; the root
// stands for none.
void SetToolpathOf(QTreeWidgetItem* node, TToolpath* toolpath);
TToolpath* ToolpathOf(const QTreeWidgetItem* node);

// Every node in display order, the root first.
std::vector<QTreeWidgetItem*> NodesInOrder(QTreeWidget* tree);
void ExpandRecursively(QTreeWidgetItem* node);
void CollapseAllButRoot(QTreeWidget* tree);

// Draws each node's icon at its own width, so that state images widen only the nodes that have
// one.
class NodeIconDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

} // namespace torvex
