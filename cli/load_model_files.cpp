#include "cli/commands.h"
#include "cli/stream_messages.h"
#include "geometry/model_files.h"

#include <ostream>

namespace torvex {

bool LoadModelFiles(const std::string& modelFile, TShaft& part, TShaft& stock, std::ostream& err,
                    const std::optional<std::string>& stockFile) {
    StreamMessageSink messages(err);
    std::string stockPath = stockFile.value_or(StockCompanionPath(modelFile).string());
    if (LoadPartAndStock(modelFile, stockPath, part, stock, messages))
        return true;
    err << "torvex-nc: cannot load the model '" << modelFile << "' or its stock '" << stockPath
        << "'\n";
    return false;
}

} // namespace torvex
