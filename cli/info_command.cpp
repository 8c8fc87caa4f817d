#include "cli/commands.h"
#include "cli/options.h"
#include "geometry/number_text.h"
#include "geometry/shaft.h"

#include <ostream>

namespace torvex {

namespace {

void PrintOutline(std::ostream& out, const char* title, const TModel& outline) {
    out << title << '\n';
    for (const TObj& element : outline.Elements)
        out << ElementText(element) << '\n';
}

} // namespace

int RunInfo(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    const std::string modelFile = ParsedOptions(arguments, {}, {}).Positional();
    TShaft part;
    TShaft stock;
    if (!LoadModelFiles(modelFile, part, stock, err))
        return ExitFailure;
    out << "Length: " << FloatToText(part.Length) << '\n';
    out << "MaxRadius: " << FloatToText(part.MaxRadius) << '\n';
    out << "Elements: " << part.Elements.size() << '\n';
    out << "Points: " << part.Points.Count() << '\n';
    out << "StockLength: " << FloatToText(stock.Length) << '\n';
    out << "StockMaxRadius: " << FloatToText(stock.MaxRadius) << '\n';
    part.BuildSideOutlines(EntryCorner::Drop, FlatTop::Drop, FlatTop::Drop);
    PrintOutline(out, "LeftOutline:", part.LeftOutline);
    PrintOutline(out, "RightOutline:", part.RightOutline);
    return ExitOk;
}

} // namespace torvex
