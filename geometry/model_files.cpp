#include "geometry/model_files.h"

namespace torvex {

std::filesystem::path StockCompanionPath(const std::filesystem::path& modelFile) {
    std::filesystem::path companion = modelFile;
    companion += "s";
    return companion;
}

bool LoadPartAndStock(const std::filesystem::path& modelFile, TShaft& part, TShaft& stock,
                      MessageSink& messages) {
    bool partLoaded = part.LoadFromFile(modelFile, messages);
    stock.IsStock = true;
    bool stockLoaded = stock.LoadFromFile(StockCompanionPath(modelFile), messages);
    return partLoaded && stockLoaded;
}

} // namespace torvex
