#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace torvex {

// How many positional arguments a command takes (none or one), and what that one is called.
struct PositionalArguments {
    size_t Count = 1;
    std::string What = "model file";
};

// A command's arguments: its positional arguments and named options ("--depth 2", "--coolant").
class ParsedOptions {
public:
    // Throws UsageError for an unknown option, a value missing after an option that takes one, an
    // option given twice, or another count of positional arguments than the command takes.
    ParsedOptions(const std::vector<std::string>& arguments, const std::set<std::string>& valued,
                  const std::set<std::string>& flags, const PositionalArguments& positional = {});

    // The positional argument of a command that takes one.
    const std::string& Positional() const { return PositionalArgument; }
    bool Flag(const std::string& name) const { return Flags.contains(name); }
    std::optional<std::string> Value(const std::string& name) const;
    // The value of an option the command cannot do without; UsageError when it is missing.
    std::string Required(const std::string& name) const;

private:
    std::string PositionalArgument;
    std::map<std::string, std::string> Values;
    std::set<std::string> Flags;
};

} // namespace torvex
