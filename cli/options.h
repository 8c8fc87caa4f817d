#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace torvex {

// A command's arguments: one positional argument and named options ("--depth 2", "--coolant").
class ParsedOptions {
public:
    // Throws UsageError for an unknown option, a value missing after an option that takes one, an
    // option given twice, or a positional argument count other than one.
    ParsedOptions(const std::vector<std::string>& arguments, const std::set<std::string>& valued,
                  const std::set<std::string>& flags);

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
