#include "toollibrary/qt/library_list.h"

#include "toollibrary/qt/tool_slot_widget.h"

#include <QDrag>
#include <QHeaderView>
#include <QMimeData>
#include <QMouseEvent>

#include <algorithm>

namespace torvex {

namespace {

constexpr int ListDragThreshold = 10;
constexpr int RowHeight = 18;

} // namespace

LibraryList::LibraryList(int source, const std::vector<int>& columnWidths, QWidget* parent)
    : QTableWidget(parent), Source(source) {
    setColumnCount(static_cast<int>(columnWidths.size()));
    for (size_t i = 0; i < columnWidths.size(); ++i)
        setColumnWidth(static_cast<int>(i), columnWidths[i]);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(RowHeight);
    verticalHeader()->setMinimumSectionSize(RowHeight);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setWordWrap(false);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &LibraryList::SortByColumn);
}

void LibraryList::Show(const ToolList& list) {
    QStringList titles;
    for (const std::string& title : list.Titles())
        titles << QString::fromStdString(title);
    setHorizontalHeaderLabels(titles);
    const auto& rows = list.Rows();
    setRowCount(static_cast<int>(rows.size()));
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < rows[r].Cells.size(); ++c)
            setItem(static_cast<int>(r), static_cast<int>(c),
                    new QTableWidgetItem(QString::fromStdString(rows[r].Cells[c])));
}

std::optional<int> LibraryList::FirstSelectedRow() const {
    std::optional<int> first;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        first = std::min(first.value_or(index.row()), index.row());
    return first;
}

std::string LibraryList::FirstSelectedName() const {
    std::optional<int> first = FirstSelectedRow();
    return first ? RowCells(*first).front() : std::string();
}

std::vector<std::string> LibraryList::RowCells(int row) const {
    std::vector<std::string> cells;
    for (int c = 0; c < columnCount(); ++c)
        cells.push_back(item(row, c) ? item(row, c)->text().toStdString() : std::string());
    return cells;
}

void LibraryList::SortByColumn(int column) {
    std::vector<std::vector<std::string>> rows;
    for (int r = 0; r < rowCount(); ++r)
        rows.push_back(RowCells(r));
    std::stable_sort(rows.begin(), rows.end(), [column](const auto& a, const auto& b) {
        return QString::fromStdString(a[column]).compare(QString::fromStdString(b[column]),
                                                         Qt::CaseInsensitive) < 0;
    });
    clearSelection();
    for (int r = 0; r < rowCount(); ++r)
        for (int c = 0; c < columnCount(); ++c)
            item(r, c)->setText(QString::fromStdString(rows[r][c]));
}

void LibraryList::mousePressEvent(QMouseEvent* event) {
    QTableWidget::mousePressEvent(event);
    if (event->buttons() == Qt::LeftButton)
        PressPoint = event->position().toPoint();
}

void LibraryList::mouseMoveEvent(QMouseEvent* event) {
    if (!PressPoint || event->buttons() != Qt::LeftButton) {
        QTableWidget::mouseMoveEvent(event);
        return;
    }
    QPoint moved = event->position().toPoint() - *PressPoint;
    if (std::abs(moved.x()) <= ListDragThreshold && std::abs(moved.y()) <= ListDragThreshold)
        return;
    PressPoint.reset();
    emit DragStarted(Source);
    auto* data = new QMimeData;
    data->setData(LibraryListMime, QByteArray::number(Source));
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    drag->exec(Qt::CopyAction);
}

void LibraryList::mouseReleaseEvent(QMouseEvent* event) {
    QTableWidget::mouseReleaseEvent(event);
    bool wasClick = PressPoint.has_value();
    PressPoint.reset();
    if (wasClick && event->button() == Qt::LeftButton)
        emit Released(event->position().toPoint());
}

} // namespace torvex
