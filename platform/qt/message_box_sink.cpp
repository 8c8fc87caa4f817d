#include "platform/qt/message_box_sink.h"

#include <QApplication>
#include <QMessageBox>

namespace torvex {

void MessageBoxSink::ShowMessage(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(),
                    QString::fromStdString(text), QMessageBox::Ok, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace torvex
