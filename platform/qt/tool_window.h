#pragma once

#include <QWidget>

class QLabel;

namespace torvex {

// A window that floats above its parent, the main window. Borderless windows draw their own
// caption strip (drag it to move the window, its cross closes it); small tool windows take the
// window manager's narrow title bar with a close box. Either way closing only hides the window.
class ToolWindow : public QWidget {
    Q_OBJECT
public:
    enum class Frame { Borderless, SmallTool };

    ToolWindow(const QString& caption, Frame frame, QWidget* parent);

    // Where the window's own controls go.
    QWidget* Body() const { return BodyWidget; }
    void SetCaption(const QString& caption);
    // The text of the caption strip alone, when it differs from the window's caption.
    void SetStripText(const QString& text);

signals:
    void Closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* BodyWidget = nullptr;
    QWidget* CaptionStrip = nullptr;
    QLabel* CaptionLabel = nullptr;
    QPoint DragOffset;
    bool Dragging = false;
};

} // namespace torvex
