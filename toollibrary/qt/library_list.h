#pragma once

#include "toollibrary/tool_list.h"

#include <QTableWidget>

#include <optional>
#include <vector>

namespace torvex {

// A library list as a string grid: the list's titles, 18-pixel rows, whole rows selected (several
// at once), a click on a title sorts the rows shown (ascending, case-insensitive), and a left drag
// of more than 10 pixels drags the list's kind (`source`: 0 knives, 1 supports).
class LibraryList : public QTableWidget {
    Q_OBJECT
public:
    LibraryList(int source, const std::vector<int>& columnWidths, QWidget* parent);

    void Show(const ToolList& list);
    // The first selected row in display order, and its Name cell (empty when none is selected).
    std::optional<int> FirstSelectedRow() const;
    std::string FirstSelectedName() const;
    // The row's cells in display order.
    std::vector<std::string> RowCells(int row) const;
    // Sorts the display by a column, as a click on its title does.
    void SortByColumn(int column);

signals:
    void DragStarted(int source);
    void Released(QPoint position);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int Source;
    std::optional<QPoint> PressPoint;
};

} // namespace torvex
