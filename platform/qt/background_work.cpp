#include "platform/qt/background_work.h"

#include "platform/work_progress.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>

#include <atomic>
#include <exception>
#include <limits>
#include <mutex>
#include <string>
#include <thread>

namespace torvex {

namespace {

// Work that ends sooner shows no dialog; the dialog follows the work this often.
constexpr int ShowAfterMs = 400;
constexpr int UpdateEveryMs = 50;

// What the work last told, read by the user-interface thread.
struct Told {
    std::mutex Lock;
    std::string Stage;
    double Share = -1;
};

void Show(QProgressDialog& dialog, Told& told) {
    std::string stage;
    double share = 0;
    {
        std::lock_guard<std::mutex> lock(told.Lock);
        stage = told.Stage;
        share = told.Share;
    }
    if (!stage.empty())
        dialog.setLabelText(QString::fromStdString(stage + "..."));
    if (share < 0) {
        dialog.setRange(0, 0); // busy: the work cannot tell how far it has come
    } else {
        dialog.setRange(0, 1000);
        dialog.setValue(static_cast<int>(share * 1000));
    }
}

} // namespace

bool RunWithProgress(QWidget* parent, const QString& title, const std::function<void()>& work) {
    Told told;
    WorkToken token([&told](std::string_view stage, double share) {
        std::lock_guard<std::mutex> lock(told.Lock);
        if (told.Stage != stage)
            told.Stage = stage;
        told.Share = share;
    });

    QProgressDialog dialog(title, "Cancel", 0, 0, parent);
    dialog.setObjectName(WorkProgressName);
    dialog.setWindowTitle(title);
    dialog.setAccessibleName(title);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    // Shown by the timer below, not by the dialog's own clock.
    dialog.setMinimumDuration(std::numeric_limits<int>::max());
    dialog.hide();
    bool cancelled = false;
    QObject::connect(&dialog, &QProgressDialog::canceled, [&] {
        cancelled = true;
        token.Cancel();
    });

    QEventLoop loop;
    std::atomic<bool> finished{false};
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            WorkScope scope(token);
            work();
        } catch (const WorkCancelled&) {
        } catch (...) {
            failure = std::current_exception();
        }
        finished = true;
        // Wakes the loop below.
        QMetaObject::invokeMethod(
            &loop, [] {}, Qt::QueuedConnection);
    });

    QElapsedTimer clock;
    clock.start();
    QTimer ticker;
    ticker.setInterval(UpdateEveryMs);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        if (finished)
            return;
        if (!dialog.isVisible() && clock.elapsed() >= ShowAfterMs && !cancelled)
            dialog.show();
        if (dialog.isVisible())
            Show(dialog, told);
    });
    ticker.start();
    while (!finished) {
        // Until the dialog shows, nothing the user does may reach the windows the work reads.
        QEventLoop::ProcessEventsFlags flags = QEventLoop::WaitForMoreEvents;
        if (!dialog.isVisible())
            flags |= QEventLoop::ExcludeUserInputEvents;
        loop.processEvents(flags);
    }
    worker.join();
    ticker.stop();
    dialog.hide();
    if (cancelled)
        return false;
    if (failure)
        std::rethrow_exception(failure);
    return true;
}

} // namespace torvex
