#pragma once

#include <QWidget>

class QLineEdit;

namespace torvex {

// A pair of arrow buttons that step a whole number between Minimum and Maximum and write it into
// the edit they are associated with. The edit steps it too: the up and down arrow keys by one, the
// page keys by ten, and a number typed into it counts once Enter is pressed or it loses the focus
// (rounded and kept in the range; a text that is no number gives the position back).
class UpDown : public QWidget {
    Q_OBJECT
public:
    static constexpr int PageStep = 10;

    UpDown(QLineEdit* associate, int minimum, int maximum, int position, QWidget* parent);

    int Position() const { return Current; }
    // Steps by `steps` (negative: down), clamped to the range, then writes the edit.
    void Step(int steps);
    // Takes the edit's text as the position (see above).
    void TakeTypedValue();

signals:
    // After every change by the arrows, the keys or a typed value, once the edit shows the new
    // position.
    void Changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Show();

    QLineEdit* Associate;
    int Minimum;
    int Maximum;
    int Current;
};

} // namespace torvex
