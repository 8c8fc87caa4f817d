#include "cli/commands.h"

#include <exception>
#include <iostream>
#include <string>
#include <vector>

namespace {

const char* const UsageText = R"(usage: torvex-nc COMMAND ARGUMENTS

commands:
  info MODEL    the measures and side outlines of a model file and its stock companion (MODEL + "s")
)";

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    if (arguments.empty() || arguments[0] == "--help" || arguments[0] == "-h") {
        (arguments.empty() ? std::cerr : std::cout) << UsageText;
        return arguments.empty() ? torvex::ExitUsage : torvex::ExitOk;
    }
    std::string command = arguments[0];
    arguments.erase(arguments.begin());
    try {
        if (command == "info")
            return torvex::RunInfo(arguments, std::cout, std::cerr);
        throw torvex::UsageError{"unknown command '" + command + "'"};
    } catch (const torvex::UsageError& error) {
        std::cerr << "torvex-nc: " << error.Text << "\n" << UsageText;
        return torvex::ExitUsage;
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
        return torvex::ExitFailure;
    }
}
