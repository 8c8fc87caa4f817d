#include "cli/commands.h"
#include "cli/options.h"
#include "geometry/model_files.h"
#include "geometry/shaft.h"
#include "operations/setup.h"
#include "platform/text_file.h"

#include <ostream>

namespace torvex {

int RunFlip(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    ParsedOptions options(arguments, {"-o"}, {});
    std::string flipped = options.Required("-o");
    TShaft part;
    TShaft stock;
    if (!LoadModelFiles(options.Positional(), part, stock, err))
        return ExitFailure;
    double about = part.Points.Last().X;
    std::vector<std::string> partRecords = FlippedRecords(part, about);
    std::vector<std::string> stockRecords = FlippedRecords(stock, about);
    WriteTextLinesAtomically(flipped, partRecords);
    WriteTextLinesAtomically(StockCompanionPath(flipped), stockRecords);
    out << flipped << " and " << StockCompanionPath(flipped).string()
        << ": the part and its stock end for end\n";
    return ExitOk;
}

} // namespace torvex
