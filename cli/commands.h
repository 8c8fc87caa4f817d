#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace torvex {

// Exit statuses of the batch tool.
inline constexpr int ExitOk = 0;
inline constexpr int ExitFailure = 1;
inline constexpr int ExitUsage = 2;

// A command line the tool cannot make sense of; its text says what was wrong.
struct UsageError {
    std::string Text;
};

// `info MODEL`: the part's and the stock's measures and the part's side outlines.
int RunInfo(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

} // namespace torvex
