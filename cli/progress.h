#pragma once

#include "platform/work_progress.h"

#include <chrono>
#include <functional>
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>

namespace torvex {

// The batch tool's progress on standard error: once the work has run longer than a second, what
// it does and how far it has come, on one line written over in place. Only on a terminal: a file
// or a pipe gets nothing.
class TerminalProgress {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    TerminalProgress(std::ostream& terminal, bool isTerminal,
                     Clock clock = std::chrono::steady_clock::now);

    // Hears the work's steps (a WorkToken's listener).
    void Tell(std::string_view stage, double share);
    // Takes the progress line away, if one is shown, so that other text starts on a clean line.
    void Clear();

private:
    std::ostream& Terminal;
    bool IsTerminal;
    Clock Now;
    std::chrono::steady_clock::time_point Started;
    std::chrono::steady_clock::time_point Written;
    std::string Shown;
};

// A stream buffer that takes the progress line away before it passes text on to `target`, so that
// messages never run on from a progress line.
class ProgressClearingBuffer : public std::streambuf {
public:
    ProgressClearingBuffer(std::streambuf& target, TerminalProgress& progress)
        : Target(target), Progress(progress) {}

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* text, std::streamsize count) override;
    int sync() override { return Target.pubsync(); }

private:
    std::streambuf& Target;
    TerminalProgress& Progress;
};

} // namespace torvex
