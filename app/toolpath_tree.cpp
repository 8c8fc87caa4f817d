#include "app/toolpath_tree.h"

#include <QPainter>
#include <QPainterPath>
#include <QTreeWidget>

namespace torvex {

namespace {

constexpr int ImageRole = Qt::UserRole + 1;
constexpr int SelectedImageRole = Qt::UserRole + 2;
constexpr int StateImageRole = Qt::UserRole + 3;
constexpr int ToolpathRole = Qt::UserRole + 4;
constexpr int IconSize = 16;
constexpr int StateGap = 2;

void DrawImage(QPainter& p, int image) {
    bool selected = image % 2 == 1;
    QColor ink = selected ? QColor("#1565c0") : QColor("#37474f");
    p.setPen(QPen(ink, 1.4));
    switch (image / 2) {
    case 0: { // the root: a stack of paths
        for (int y : {4, 8, 12})
            p.drawLine(3, y, 13, y);
        break;
    }
    case 1: { // a toolpath: a stepped cutting path
        QPainterPath path;
        path.moveTo(2, 13);
        path.lineTo(2, 5);
        path.lineTo(7, 5);
        path.lineTo(7, 9);
        path.lineTo(14, 9);
        path.lineTo(14, 3);
        p.setPen(QPen(selected ? QColor("#2e7d32") : QColor("#43a047"), 1.8));
        p.drawPath(path);
        break;
    }
    case 3: { // "Tool": a knife tip on its support
        p.setBrush(selected ? QColor("#ffca28") : QColor("#b0bec5"));
        p.drawPolygon(QPolygon({QPoint(3, 3), QPoint(13, 3), QPoint(13, 9), QPoint(6, 14)}));
        break;
    }
    case 4: { // "Parameters": a short list
        for (int y : {4, 8, 12}) {
            p.drawPoint(3, y);
            p.drawLine(6, y, 13, y);
        }
        break;
    }
    default:
        break;
    }
}

void DrawStateImage(QPainter& p, int stateImage) {
    bool shown = stateImage == ShownState;
    QColor ink = shown ? QColor("#2e7d32") : QColor("#9e9e9e");
    p.setPen(QPen(ink, 1.3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(1.5, 4.5, 13, 7));
    if (shown) {
        p.setBrush(ink);
        p.drawEllipse(QRectF(5.5, 5.5, 5, 5));
    } else {
        p.drawLine(3, 13, 13, 3);
    }
}

QPixmap NodePixmap(int image, int stateImage) {
    int width = IconSize;
    if (stateImage > 0)
        width += IconSize + StateGap;
    QPixmap pixmap(width, IconSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    if (stateImage > 0) {
        DrawStateImage(p, stateImage);
        p.translate(IconSize + StateGap, 0);
    }
    if (image >= 0)
        DrawImage(p, image);
    return pixmap;
}

void UpdateIcon(QTreeWidgetItem* node) {
    int image = node->data(0, ImageRole).toInt();
    int selectedImage = node->data(0, SelectedImageRole).toInt();
    int stateImage = StateImage(node);
    if (image < 0 && stateImage == 0) {
        node->setIcon(0, QIcon());
        return;
    }
    QIcon icon;
    icon.addPixmap(NodePixmap(image, stateImage), QIcon::Normal);
    icon.addPixmap(NodePixmap(selectedImage, stateImage), QIcon::Selected);
    node->setIcon(0, icon);
}

void AppendInOrder(QTreeWidgetItem* node, std::vector<QTreeWidgetItem*>& nodes) {
    nodes.push_back(node);
    for (int i = 0; i < node->childCount(); ++i)
        AppendInOrder(node->child(i), nodes);
}

} // namespace

QTreeWidgetItem* AddNode(QTreeWidgetItem* parent, const QString& text, int image, int selectedImage,
                         int stateImage) {
    auto* node = new QTreeWidgetItem(parent, QStringList{text});
    node->setData(0, ImageRole, image);
    node->setData(0, SelectedImageRole, selectedImage);
    node->setData(0, StateImageRole, stateImage);
    UpdateIcon(node);
    return node;
}

int StateImage(const QTreeWidgetItem* node) {
    return node->data(0, StateImageRole).toInt();
}

void SetStateImage(QTreeWidgetItem* node, int stateImage) {
    node->setData(0, StateImageRole, stateImage);
    UpdateIcon(node);
}

int NodeLevel(const QTreeWidgetItem* node) {
    int level = 0;
    for (const QTreeWidgetItem* parent = node->parent(); parent != nullptr;
         parent = parent->parent())
        ++level;
    return level;
}

void SetToolpathOf(QTreeWidgetItem* node, TToolpath* toolpath) {
    node->setData(0, ToolpathRole, QVariant::fromValue(reinterpret_cast<quintptr>(toolpath)));
}

TToolpath* ToolpathOf(const QTreeWidgetItem* node) {
    for (; node != nullptr; node = node->parent()) {
        QVariant toolpath = node->data(0, ToolpathRole);
        if (toolpath.isValid())
            return reinterpret_cast<TToolpath*>(toolpath.value<quintptr>());
    }
    return nullptr;
}

std::vector<QTreeWidgetItem*> NodesInOrder(QTreeWidget* tree) {
    std::vector<QTreeWidgetItem*> nodes;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        AppendInOrder(tree->topLevelItem(i), nodes);
    return nodes;
}

void ExpandRecursively(QTreeWidgetItem* node) {
    node->setExpanded(true);
    for (int i = 0; i < node->childCount(); ++i)
        ExpandRecursively(node->child(i));
}

void CollapseAllButRoot(QTreeWidget* tree) {
    for (QTreeWidgetItem* node : NodesInOrder(tree))
        if (node->parent() != nullptr)
            node->setExpanded(false);
}

void NodeIconDelegate::initStyleOption(QStyleOptionViewItem* option,
                                       const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    if (!option->icon.isNull())
        option->decorationSize = option->icon.actualSize(QSize(4 * IconSize, IconSize));
}

} // namespace torvex
