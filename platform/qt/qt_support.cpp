#include "platform/qt/qt_support.h"

#include <QLocale>

namespace torvex {

char SystemDecimalSeparator() {
    QString separator = QLocale::system().decimalPoint();
    if (separator.size() != 1 || separator[0].unicode() > 0x7f)
        return '.';
    return static_cast<char>(separator[0].unicode());
}

} // namespace torvex
