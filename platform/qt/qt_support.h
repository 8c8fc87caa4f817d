#pragma once

#include "platform/error_report.h"

#include <QObject>

#include <type_traits>

namespace torvex {

// Connects a signal to a handler that runs through the application's default error report. The
// handler takes the signal's arguments or none.
template <typename Sender, typename Signal, typename Handler>
QMetaObject::Connection ConnectGuarded(Sender* sender, Signal signal, QObject* context,
                                       MessageSink& report, Handler handler) {
    return QObject::connect(sender, signal, context, [&report, handler](auto&&... arguments) {
        RunGuarded(report, [&] {
            if constexpr (std::is_invocable_v<const Handler&, decltype(arguments)...>)
                handler(arguments...);
            else
                handler();
        });
    });
}

// The first character of the system's decimal separator, as the user's numbers are typed and
// shown.
char SystemDecimalSeparator();

} // namespace torvex
