#include "geometry/model_files.h"

#include "platform/text_file.h"

namespace torvex {

std::filesystem::path StockCompanionPath(const std::filesystem::path& modelFile) {
    std::filesystem::path companion = modelFile;
    companion += "s";
    return companion;
}

bool LoadPartAndStock(const std::filesystem::path& modelFile, TShaft& part, TShaft& stock,
                      MessageSink& messages) {
    return LoadPartAndStock(modelFile, StockCompanionPath(modelFile), part, stock, messages);
}

bool LoadPartAndStock(const std::filesystem::path& modelFile,
                      const std::filesystem::path& stockFile, TShaft& part, TShaft& stock,
                      MessageSink& messages) {
    bool partLoaded = part.LoadFromFile(modelFile, messages);
    bool stockLoaded = stock.LoadFromFile(stockFile, messages);
    return partLoaded && stockLoaded;
}

std::vector<std::string> StockFileLines(const std::vector<TPoint>& profile) {
    std::vector<TPoint> closed;
    if (!profile.empty() && profile.front().Y != 0)
        closed.push_back({profile.front().X, 0});
    closed.insert(closed.end(), profile.begin(), profile.end());
    if (!profile.empty() && profile.back().Y != 0)
        closed.push_back({profile.back().X, 0});
    std::vector<std::string> lines;
    for (size_t k = 1; k < closed.size(); ++k) {
        if (closed[k] == closed[k - 1])
            continue;
        TObj line;
        line.Kind = "line";
        line.P1 = closed[k - 1];
        line.P2 = closed[k];
        lines.push_back(ElementText(line));
    }
    return lines;
}

void SaveStockFile(const std::filesystem::path& fileName, const std::vector<TPoint>& profile) {
    WriteTextLinesAtomically(fileName, StockFileLines(profile));
}

} // namespace torvex
