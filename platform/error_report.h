#pragma once

#include "platform/message_sink.h"

#include <exception>
#include <utility>

namespace torvex {

inline constexpr const char* UnknownErrorText = "An unexpected error occurred.";

// The application's default error report: every window event handler runs through it, so that an
// error ends the handler, its text is shown in a message box and the program goes on with the
// state reached. No exception crosses the toolkit's signal boundary.
template <typename Handler> void RunGuarded(MessageSink& report, Handler&& handler) {
    try {
        std::forward<Handler>(handler)();
    } catch (const std::exception& error) {
        report.ShowMessage(error.what());
    } catch (...) {
        report.ShowMessage(UnknownErrorText);
    }
}

} // namespace torvex
