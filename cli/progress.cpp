#include "cli/progress.h"

#include <cmath>

namespace torvex {

namespace {

using namespace std::chrono_literals;

// Work that ends sooner shows no progress at all; the line is written at most this often.
constexpr auto QuietFor = 1s;
constexpr auto WrittenEvery = 100ms;

} // namespace

TerminalProgress::TerminalProgress(std::ostream& terminal, bool isTerminal, Clock clock)
    : Terminal(terminal), IsTerminal(isTerminal), Now(std::move(clock)), Started(Now()),
      Written(Started) {}

void TerminalProgress::Tell(std::string_view stage, double share) {
    if (!IsTerminal)
        return;
    auto now = Now();
    if (now - Started < QuietFor || (!Shown.empty() && now - Written < WrittenEvery))
        return;
    std::string line(stage);
    line += share < 0 ? "..." : ": " + std::to_string(std::lround(share * 100)) + "%";
    if (line == Shown)
        return;
    // Over the line before, the end of a longer one blanked out.
    std::string padding(Shown.size() > line.size() ? Shown.size() - line.size() : 0, ' ');
    Terminal << '\r' << line << padding << std::flush;
    Shown = std::move(line);
    Written = now;
}

void TerminalProgress::Clear() {
    if (Shown.empty())
        return;
    Terminal << '\r' << std::string(Shown.size(), ' ') << '\r' << std::flush;
    Shown.clear();
}

ProgressClearingBuffer::int_type ProgressClearingBuffer::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof()))
        return traits_type::not_eof(c);
    Progress.Clear();
    return Target.sputc(traits_type::to_char_type(c));
}

std::streamsize ProgressClearingBuffer::xsputn(const char* text, std::streamsize count) {
    Progress.Clear();
    return Target.sputn(text, count);
}

} // namespace torvex
