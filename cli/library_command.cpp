#include "cli/commands.h"
#include "cli/options.h"
#include "cli/stream_messages.h"
#include "geometry/number_text.h"
#include "toollibrary/knife_form.h"
#include "toollibrary/library_error.h"
#include "toollibrary/tool_library.h"

#include <ostream>

namespace torvex {

namespace {

const std::set<std::string> KnifeOptions{"--k1",       "--k2",   "--left", "--right", "--height",
                                         "--comments", "--cuts", "--dir",  "--nose"};
const std::set<std::string> ItemOptions{"--comments", "--dir"};
const std::set<std::string> DirOption{"--dir"};

ToolLibrary LibraryOf(const ParsedOptions& options) {
    return ToolLibrary(options.Value("--dir").value_or("."));
}

KnifeDirections Directions(const std::optional<std::string>& cuts) {
    if (!cuts || *cuts == "right")
        return {false, true};
    if (*cuts == "left")
        return {true, false};
    if (*cuts == "both")
        return {true, true};
    throw UsageError{"--cuts takes left, right or both, not '" + *cuts + "'"};
}

int List(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    ParsedOptions options(arguments, DirOption, {}, {0, ""});
    ToolLibrary library = LibraryOf(options);
    StreamMessageSink messages(err);
    library.LoadToolLists(messages);
    const ToolList& knives = library.Knives();
    for (size_t i = 0; i < knives.ItemCount(); ++i) {
        const auto& cells = knives.Rows()[i].Cells;
        out << "knife\t" << cells[0] << '\t' << cells[1] << '\t' << cells[2] << '\n';
    }
    const ToolList& supports = library.Supports();
    for (size_t i = 0; i < supports.ItemCount(); ++i) {
        const auto& cells = supports.Rows()[i].Cells;
        out << "support\t" << cells[0] << '\t' << cells[1] << '\n';
    }
    return ExitOk;
}

int AddKnife(const std::vector<std::string>& arguments) {
    ParsedOptions options(arguments, KnifeOptions, {}, {1, "knife name"});
    KnifeDirections directions = Directions(options.Value("--cuts"));
    std::vector<std::string> texts;
    for (const char* name : {"--k1", "--k2", "--left", "--right", "--height"})
        texts.push_back(options.Required(name));
    StandardKnifeValues values{TextToFloat(texts[0], '.'), TextToFloat(texts[1], '.'),
                               TextToFloat(texts[2], '.'), TextToFloat(texts[3], '.'),
                               TextToFloat(texts[4], '.')};
    values.NoseRadius = FormNoseRadius(options.Value("--nose").value_or(""), '.');
    LibraryOf(options).SaveKnife(StandardKnife(
        options.Positional(), options.Value("--comments").value_or(""), values, directions));
    return ExitOk;
}

int AddSupport(const std::vector<std::string>& arguments) {
    ParsedOptions options(arguments, ItemOptions, {}, {1, "support name"});
    LibraryOf(options).SaveSupport(options.Positional(), options.Value("--comments").value_or(""));
    return ExitOk;
}

int Delete(const std::vector<std::string>& arguments, const std::string& noun) {
    ParsedOptions options(arguments, DirOption, {}, {1, noun + " name"});
    ToolLibrary library = LibraryOf(options);
    const std::string& name = options.Positional();
    bool removed = noun == "knife" ? library.DeleteKnife(name) : library.DeleteSupport(name);
    if (!removed)
        throw LibraryError("There is no " + noun + " \"" + name + "\" in the library.");
    return ExitOk;
}

} // namespace

int RunLibrary(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    if (arguments.empty())
        throw UsageError{"library needs a command: list, add-knife, add-support, delete-knife or "
                         "delete-support"};
    const std::string& command = arguments[0];
    std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
    if (command == "list")
        return List(rest, out, err);
    if (command == "add-knife")
        return AddKnife(rest);
    if (command == "add-support")
        return AddSupport(rest);
    if (command == "delete-knife")
        return Delete(rest, "knife");
    if (command == "delete-support")
        return Delete(rest, "support");
    throw UsageError{"unknown library command '" + command + "'"};
}

} // namespace torvex
