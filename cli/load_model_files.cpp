#include "cli/commands.h"
#include "cli/stream_messages.h"
#include "geometry/model_files.h"

#include <ostream>

namespace torvex {

bool LoadModelFiles(const std::string& modelFile, TShaft& part, TShaft& stock, std::ostream& err) {
    StreamMessageSink messages(err);
    if (LoadPartAndStock(modelFile, part, stock, messages))
        return true;
    err << "torvex-nc: cannot load the model '" << modelFile << "' or its stock '"
        << StockCompanionPath(modelFile).string() << "'\n";
    return false;
}

} // namespace torvex
