#include "app/up_down.h"

#include "geometry/number_text.h"
#include "platform/errors.h"
#include "platform/qt/qt_support.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace torvex {

UpDown::UpDown(QLineEdit* associate, int minimum, int maximum, int position, QWidget* parent)
    : QWidget(parent), Associate(associate), Minimum(minimum), Maximum(maximum),
      Current(std::clamp(position, minimum, maximum)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int direction : {1, -1}) {
        auto* arrow = new QToolButton(this);
        arrow->setArrowType(direction > 0 ? Qt::UpArrow : Qt::DownArrow);
        arrow->setObjectName(direction > 0 ? "Up" : "Down");
        arrow->setFixedSize(18, 12);
        arrow->setAutoRepeat(true);
        connect(arrow, &QToolButton::clicked, this, [this, direction] {
            Step(direction);
            emit Changed();
        });
        layout->addWidget(arrow);
    }
    if (Associate != nullptr) {
        Associate->installEventFilter(this);
        connect(Associate, &QLineEdit::editingFinished, this, [this] {
            TakeTypedValue();
            emit Changed();
        });
    }
}

void UpDown::Step(int steps) {
    Current = std::clamp(Current + steps, Minimum, Maximum);
    Show();
}

void UpDown::TakeTypedValue() {
    try {
        double typed = TextToFloat(Associate->text().toStdString(), SystemDecimalSeparator());
        Current = static_cast<int>(std::clamp(std::round(typed), static_cast<double>(Minimum),
                                              static_cast<double>(Maximum)));
    } catch (const ConversionError&) {
        // Not a number: the position stays, and the edit shows it again.
    }
    Show();
}

bool UpDown::eventFilter(QObject* watched, QEvent* event) {
    if (watched != Associate || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    int steps = 0;
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Up:
        steps = 1;
        break;
    case Qt::Key_Down:
        steps = -1;
        break;
    case Qt::Key_PageUp:
        steps = PageStep;
        break;
    case Qt::Key_PageDown:
        steps = -PageStep;
        break;
    default:
        return QWidget::eventFilter(watched, event);
    }
    Step(steps);
    emit Changed();
    return true;
}

void UpDown::Show() {
    if (Associate != nullptr)
        Associate->setText(QString::fromStdString(FormatFloat("0.###", Current)));
}

} // namespace torvex
