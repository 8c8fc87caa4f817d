#include "toollibrary/tool_list.h"

#include <algorithm>

namespace torvex {

ToolList::ToolList(std::vector<std::string> titles)
    : TitleCells(std::move(titles)), BlankRows{ListRow{
                                         std::vector<std::string>(TitleCells.size()), 0, {}}} {}

std::optional<size_t> ToolList::Find(const std::string& name) const {
    auto found = std::find_if(Items.begin(), Items.end(),
                              [&name](const ListRow& row) { return row.Name() == name; });
    if (found == Items.end())
        return std::nullopt;
    return static_cast<size_t>(found - Items.begin());
}

void ToolList::Insert(ListRow row) {
    auto place =
        std::upper_bound(Items.begin(), Items.end(), row.IndexLine,
                         [](size_t line, const ListRow& other) { return line < other.IndexLine; });
    Items.insert(place, std::move(row));
}

void ToolList::SetCells(size_t row, std::vector<std::string> cells) {
    Items.at(row).Cells = std::move(cells);
}

void ToolList::RemoveEntry(const std::string& entry, std::optional<size_t> removedLine) {
    std::erase_if(Items, [&entry](const ListRow& row) { return row.IndexEntry == entry; });
    if (!removedLine)
        return;
    for (ListRow& row : Items)
        if (row.IndexLine > *removedLine)
            --row.IndexLine;
}

} // namespace torvex
