#pragma once

#include <QWidget>

class QLineEdit;

namespace torvex {

// A pair of arrow buttons that step a whole number between Minimum and Maximum and write it into
// the edit they are associated with. Typing into the edit does not move the position.
class UpDown : public QWidget {
    Q_OBJECT
public:
    UpDown(QLineEdit* associate, int minimum, int maximum, int position, QWidget* parent);

    int Position() const { return Current; }
    // Steps by `steps` (negative: down), clamped to the range, then writes the edit.
    void Step(int steps);

signals:
    // After every click on either arrow, once the edit shows the new position.
    void Clicked();

private:
    QLineEdit* Associate;
    int Minimum;
    int Maximum;
    int Current;
};

} // namespace torvex
