#pragma once

#include <QSettings>

namespace torvex {

// The program's settings (~/.config/MyCompany/MyApp.conf): the toolbars' places, the NC program
// window's choices and the operation windows' fields.
inline QSettings StoredSettings() {
    return QSettings("MyCompany", "MyApp");
}

} // namespace torvex
