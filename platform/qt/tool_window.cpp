#include "platform/qt/tool_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace torvex {

namespace {

constexpr const char* BorderlessStyle = R"(
torvex--ToolWindow { background: palette(window); border: 1px solid #2f3b4c; }
#CaptionStrip { background: #2f3b4c; }
#CaptionStrip QLabel { color: white; font-weight: bold; }
#CaptionStrip QToolButton { color: white; border: none; padding: 0 6px; }
#CaptionStrip QToolButton:hover { background: #c0392b; }
)";

} // namespace

ToolWindow::ToolWindow(const QString& caption, Frame frame, QWidget* parent) : QWidget(parent) {
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    if (frame == Frame::SmallTool) {
        setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    } else {
        setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
        setAttribute(Qt::WA_StyledBackground);
        setStyleSheet(BorderlessStyle);
        layout->setContentsMargins(1, 1, 1, 1);
        CaptionStrip = new QWidget(this);
        CaptionStrip->setObjectName("CaptionStrip");
        CaptionStrip->setAttribute(Qt::WA_StyledBackground);
        CaptionStrip->installEventFilter(this);
        auto* strip = new QHBoxLayout(CaptionStrip);
        strip->setContentsMargins(8, 3, 2, 3);
        CaptionLabel = new QLabel(caption, CaptionStrip);
        auto* close = new QToolButton(CaptionStrip);
        close->setObjectName("CloseButton");
        close->setText(QString::fromUtf8("\u2715"));
        close->setToolTip("Close");
        connect(close, &QToolButton::clicked, this, &QWidget::close);
        strip->addWidget(CaptionLabel, 1);
        strip->addWidget(close);
        layout->addWidget(CaptionStrip);
    }
    BodyWidget = new QWidget(this);
    layout->addWidget(BodyWidget, 1);
}

void ToolWindow::SetCaption(const QString& caption) {
    setWindowTitle(caption);
    SetStripText(caption);
}

void ToolWindow::SetStripText(const QString& text) {
    if (CaptionLabel != nullptr)
        CaptionLabel->setText(text);
}

void ToolWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (event->isAccepted())
        emit Closed();
}

bool ToolWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != CaptionStrip)
        return QWidget::eventFilter(watched, event);
    QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseMove) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        QPoint at = mouse->globalPosition().toPoint();
        if (type == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
            Dragging = true;
            DragOffset = at - frameGeometry().topLeft();
            return true;
        }
        if (type == QEvent::MouseMove && Dragging) {
            move(at - DragOffset);
            return true;
        }
    } else if (type == QEvent::MouseButtonRelease) {
        Dragging = false;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace torvex
