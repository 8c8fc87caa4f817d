#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace torvex {

// One row of a library list: the cells under the list's titles, the name first, and the index
// line the item was read from (its position and its text).
struct ListRow {
    std::vector<std::string> Cells;
    size_t IndexLine = 0;
    std::string IndexEntry;
    const std::string& Name() const { return Cells.front(); }
};

// A list of the library window: a title row, then one row per item in index order. When the
// list holds no item it shows one blank row, so Rows() is never empty.
class ToolList {
public:
    explicit ToolList(std::vector<std::string> titles);

    const std::vector<std::string>& Titles() const { return TitleCells; }
    const std::vector<ListRow>& Rows() const { return Items.empty() ? BlankRows : Items; }
    size_t ItemCount() const { return Items.size(); }
    // The first item row with exactly this name.
    std::optional<size_t> Find(const std::string& name) const;

    void Clear() { Items.clear(); }
    // Puts a row among the others in index order.
    void Insert(ListRow row);
    void SetCells(size_t row, std::vector<std::string> cells);
    // Takes out the rows read from this index entry; when `removedLine` says which index line
    // went, the rows below it move up one line.
    void RemoveEntry(const std::string& entry, std::optional<size_t> removedLine);

private:
    std::vector<std::string> TitleCells;
    std::vector<ListRow> Items;
    std::vector<ListRow> BlankRows;
};

} // namespace torvex
