#include "platform/file_dialogs.h"

#include <algorithm>

namespace torvex {

namespace {

std::vector<std::string> SplitAt(std::string_view text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (true) {
        size_t end = text.find(separator, start);
        parts.emplace_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

} // namespace

std::vector<std::string> DialogFilterEntries(std::string_view filter) {
    std::vector<std::string> entries;
    if (filter.empty())
        return entries;
    std::vector<std::string> parts = SplitAt(filter, '|');
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        const std::string& caption = parts[i];
        std::string patterns = parts[i + 1].empty() ? std::string(1, '*') : parts[i + 1];
        std::replace(patterns.begin(), patterns.end(), ';', ' ');
        if (!caption.empty() && caption.back() == ')' && caption.find('(') != std::string::npos)
            entries.push_back(caption);
        else
            entries.emplace_back(caption).append(" (").append(patterns).append(")");
    }
    return entries;
}

} // namespace torvex
