#include "cli/progress.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace torvex;
using namespace std::chrono_literals;

namespace {

// A clock the test moves by hand.
struct HandClock {
    std::chrono::steady_clock::time_point Now{};
    TerminalProgress::Clock Reader() {
        return [this] { return Now; };
    }
};

} // namespace

TEST(TerminalProgress, ShowsLongWorkOnATerminalOnlyAndClearsItBeforeOtherText) {
    HandClock clock;
    std::ostringstream file;
    TerminalProgress quiet(file, false, clock.Reader());
    std::ostringstream terminal;
    TerminalProgress onTerminal(terminal, true, clock.Reader());
    for (TerminalProgress* progress : {&quiet, &onTerminal})
        progress->Tell("Checking against the knives", 0.1);
    EXPECT_EQ(terminal.str(), ""); // within the first second

    clock.Now += 1500ms;
    for (TerminalProgress* progress : {&quiet, &onTerminal})
        progress->Tell("Checking against the knives", 0.42);
    EXPECT_EQ(terminal.str(), "\rChecking against the knives: 42%");
    clock.Now += 10ms; // too soon to write again
    onTerminal.Tell("Checking against the knives", 0.5);
    clock.Now += 200ms;
    onTerminal.Tell("Simulating", -1);
    const std::string first = "Checking against the knives: 42%";
    const std::string second = "Simulating...";
    const std::string shown =
        "\r" + first + "\r" + second + std::string(first.size() - second.size(), ' ');
    EXPECT_EQ(terminal.str(), shown);

    // Text written through the clearing buffer starts on a blank line; the line goes once.
    ProgressClearingBuffer buffer(*terminal.rdbuf(), onTerminal);
    std::ostream err(&buffer);
    err << "verdict\n"
        << "more\n";
    EXPECT_EQ(terminal.str(), shown + "\r" + std::string(second.size(), ' ') + "\rverdict\nmore\n");
    EXPECT_EQ(file.str(), "");
}
