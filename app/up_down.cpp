#include "app/up_down.h"

#include "geometry/number_text.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

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
            emit Clicked();
        });
        layout->addWidget(arrow);
    }
}

void UpDown::Step(int steps) {
    Current = std::clamp(Current + steps, Minimum, Maximum);
    if (Associate != nullptr)
        Associate->setText(QString::fromStdString(FormatFloat("0.###", Current)));
}

} // namespace torvex
