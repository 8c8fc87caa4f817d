#pragma once

#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace torvex {

// The object name of the progress dialog RunWithProgress shows.
inline constexpr const char* WorkProgressName = "WorkProgress";

// Runs `work` on a thread of its own while the windows stay drawn. After a short while (so that
// quick work feels instant) a modal progress dialog titled `title` shows what the work does, how
// far it has come, and a Cancel button; until then the user's input waits. The work's long loops
// hear Cancel through the thread's WorkToken (platform/work_progress.h) and stop at their next
// step. True when the work finished and was not cancelled; false when it was cancelled, whenever
// Cancel came: what the work made is then to be dropped. The work's own exception is thrown again
// here, unless it was cancelled. The work must not touch widgets; what it reads must not change
// until this returns (the user's input is held back or goes to the modal dialog).
bool RunWithProgress(QWidget* parent, const QString& title, const std::function<void()>& work);

// The same for work with a result: nothing when cancelled.
template <class Result>
std::optional<Result> ResultWithProgress(QWidget* parent, const QString& title,
                                         const std::function<Result()>& work) {
    std::optional<Result> result;
    if (!RunWithProgress(parent, title, [&] { result.emplace(work()); }))
        return std::nullopt;
    return result;
}

} // namespace torvex
