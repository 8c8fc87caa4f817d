#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <stdexcept>
#include <string_view>

namespace torvex {

// Long work (a toolpath on a large part, the knife check, the simulation's stock) told how far it
// has come and asked to stop, by whoever waits for it: a window, the batch tool. The core's long
// loops call WorkStep; the token bound to their thread by a WorkScope hears it.
class WorkToken {
public:
    // Told what the work does and the share of it done, from 0 to 1, or -1 when the work cannot
    // tell; on the working thread, often, so it must be cheap.
    using Listener = std::function<void(std::string_view stage, double share)>;

    WorkToken() = default;
    explicit WorkToken(Listener listener) : Hears(std::move(listener)) {}
    WorkToken(const WorkToken&) = delete;
    WorkToken& operator=(const WorkToken&) = delete;

    // Asks the work to stop at its next step; from any thread.
    void Cancel() noexcept { Stop.store(true, std::memory_order_relaxed); }
    bool Cancelled() const noexcept { return Stop.load(std::memory_order_relaxed); }

private:
    friend void WorkStep(std::string_view, size_t, size_t);
    Listener Hears;
    std::atomic<bool> Stop{false};
};

// The work stopped because its token was cancelled: whatever it was making is to be dropped.
class WorkCancelled : public std::runtime_error {
public:
    WorkCancelled() : std::runtime_error("The work was cancelled.") {}
};

// Binds a token to the current thread while it lives (the one before it comes back after).
class WorkScope {
public:
    explicit WorkScope(WorkToken& token);
    ~WorkScope();
    WorkScope(const WorkScope&) = delete;
    WorkScope& operator=(const WorkScope&) = delete;

private:
    WorkToken* Before;
};

// A step of long work: `done` of `total` (total 0 when unknown). Tells the thread's token and
// throws WorkCancelled when it was cancelled; nothing without a token.
void WorkStep(std::string_view stage, size_t done, size_t total);

} // namespace torvex
