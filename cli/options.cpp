#include "cli/options.h"

#include "cli/commands.h"

namespace torvex {

ParsedOptions::ParsedOptions(const std::vector<std::string>& arguments,
                             const std::set<std::string>& valued,
                             const std::set<std::string>& flags,
                             const PositionalArguments& expected) {
    std::vector<std::string> positional;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument.size() < 2 || argument[0] != '-') {
            positional.push_back(argument);
        } else if (valued.contains(argument)) {
            if (i + 1 >= arguments.size())
                throw UsageError{"option " + argument + " needs a value"};
            if (!Values.emplace(argument, arguments[++i]).second)
                throw UsageError{"option " + argument + " is given twice"};
        } else if (flags.contains(argument)) {
            Flags.insert(argument);
        } else {
            throw UsageError{"unknown option " + argument};
        }
    }
    if (expected.Count == 0 && !positional.empty())
        throw UsageError{"unexpected argument '" + positional[0] + "'"};
    if (expected.Count == 1 && positional.size() != 1)
        throw UsageError{"expected exactly one " + expected.What};
    if (!positional.empty())
        PositionalArgument = positional[0];
}

std::optional<std::string> ParsedOptions::Value(const std::string& name) const {
    auto found = Values.find(name);
    if (found == Values.end())
        return std::nullopt;
    return found->second;
}

std::string ParsedOptions::Required(const std::string& name) const {
    auto value = Value(name);
    if (!value)
        throw UsageError{"option " + name + " is required"};
    return *value;
}

} // namespace torvex
