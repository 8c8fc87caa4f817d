#include "cli/commands.h"
#include "cli/options.h"
#include "drawing/drawing_import.h"
#include "geometry/model_files.h"
#include "geometry/number_text.h"

#include <ostream>

namespace torvex {

namespace {

double NumberOption(const ParsedOptions& options, const std::string& name, double otherwise) {
    std::optional<std::string> text = options.Value(name);
    return text ? TextToFloat(*text, '.') : otherwise;
}

} // namespace

int RunImportDxf(const std::vector<std::string>& arguments, std::ostream& out, std::ostream&) {
    const ParsedOptions options(
        arguments, {"-o", "--axis-y", "--layer", "--stock-allowance", "--face-allowance"}, {},
        {1, "drawing file"});
    const std::filesystem::path modelFile = options.Required("-o");
    DrawingImportOptions import;
    import.Profile.AxisY = NumberOption(options, "--axis-y", 0);
    import.Profile.Layer = options.Value("--layer").value_or("");
    import.Stock.Radial = NumberOption(options, "--stock-allowance", import.Stock.Radial);
    import.Stock.Facing = NumberOption(options, "--face-allowance", import.Stock.Facing);

    ImportedModel model = ImportModel(ReadDxfFile(options.Positional()), import);
    WriteModelFiles(modelFile, model.Part, model.StockBar);
    out << "Model: " << modelFile.string() << ", " << model.Part.size() << " elements, length "
        << FormatFloat("0.###", ProfileLength(model.Part)) << ", largest radius "
        << FormatFloat("0.###", ProfileMaxRadius(model.Part)) << '\n';
    out << "Stock: " << StockCompanionPath(modelFile).string() << ", length "
        << FormatFloat("0.###", model.StockBar.back().X) << ", radius "
        << FormatFloat("0.###", model.StockBar.back().Y) << '\n';
    if (!model.Note.empty())
        out << model.Note << '\n';
    return ExitOk;
}

} // namespace torvex
