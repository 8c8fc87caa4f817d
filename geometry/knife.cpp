#include "geometry/knife.h"

#include <exception>
#include <utility>

namespace torvex {

void TKnife::ChainElements() {
    TPoint current{0, 0};
    size_t placed = 0;
    bool exchanged = true;
    while (exchanged) {
        exchanged = false;
        for (size_t j = 0; j < Elements.size(); ++j) {
            if (Elements[j].P1 == current && j >= placed + 2) {
                current = Elements[j].P2;
                std::swap(Elements[placed], Elements[j]);
                ++placed;
                exchanged = true;
            }
        }
    }
}

void TKnife::BuildPoints() {
    TModel::BuildPoints();
    const TPunctArray& points = Points.Items();
    for (size_t i = 0; i + 1 < points.size(); ++i) {
        const TPunct& a = points[i];
        const TPunct& b = points[i + 1];
        if (a.X == 0 && b.X == 0 && a.Y < b.Y && i + 2 < points.size() &&
            points[i + 2].X > 0.0001 && points[i + 2].Y < b.Y) {
            Points.ExchangeY(i, i + 1);
            return;
        }
    }
}

void TKnife::AddRecord(std::string_view text) {
    if (!IsEditorArcRecord(text)) {
        TModel::AddRecord(text);
        return;
    }
    for (const TObj& arc : ParseEditorArc(text))
        AddElement(arc);
}

void TKnife::LoadFromLines(const std::vector<std::string>& lines) {
    TModel::LoadFromLines(lines);
    if (lines.empty())
        return;
    ChainElements();
    BuildPoints();
}

bool TKnife::LoadFromFile(const std::filesystem::path& fileName, MessageSink& messages) {
    bool loaded = TModel::LoadFromFile(fileName, messages);
    try {
        ChainElements();
        BuildPoints();
    } catch (const std::exception&) {
        // The knife keeps the state reached; the loader has already reported an unreadable file.
    }
    return loaded;
}

} // namespace torvex
