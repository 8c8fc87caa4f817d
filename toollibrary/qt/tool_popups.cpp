#include "toollibrary/qt/tool_popups.h"

#include "toollibrary/knife_picture.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace torvex {

namespace {

QPushButton* SmallButton(QWidget* parent, const char* text) {
    auto* button = new QPushButton(text, parent);
    QFont font = button->font();
    font.setPixelSize(9);
    button->setFont(font);
    button->setObjectName(text);
    return button;
}

} // namespace

void PaintWhite(QWidget* widget) {
    widget->setAutoFillBackground(true);
    QPalette white = widget->palette();
    white.setColor(QPalette::Window, Qt::white);
    widget->setPalette(white);
}

QToolButton* DirectionButton(QWidget* parent, const char* name, bool left) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setArrowType(left ? Qt::LeftArrow : Qt::RightArrow);
    button->setCheckable(true);
    const char* operation = left ? "Cuts towards the left" : "Cuts towards the right";
    button->setToolTip(operation);
    button->setAccessibleName(operation);
    return button;
}

KnifePopup::KnifePopup(QWidget* parent)
    : QWidget(parent), PictureImage(KnifePictureWidth, KnifePictureHeight, QImage::Format_RGB32) {
    PictureImage.fill(Qt::white);
    PaintWhite(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    PictureLabel = new QLabel(this);
    PictureLabel->setObjectName("KnifePicture");
    PictureLabel->setAccessibleName("Knife picture");
    PictureLabel->setFixedSize(KnifePictureWidth, KnifePictureHeight);
    PictureLabel->setMouseTracking(true);
    PictureLabel->installEventFilter(this);
    layout->addWidget(PictureLabel);
    auto* row = new QHBoxLayout;
    auto* directions = new QWidget(this);
    auto* directionLayout = new QHBoxLayout(directions);
    directionLayout->setContentsMargins(0, 0, 0, 0);
    LeftDirection = DirectionButton(directions, "sp1", true);
    RightDirection = DirectionButton(directions, "sp2", false);
    directionLayout->addWidget(LeftDirection);
    directionLayout->addWidget(RightDirection);
    directions->setEnabled(false);
    row->addWidget(directions);
    Nose = new QLabel(this);
    Nose->setObjectName("NoseRadius");
    row->addWidget(Nose);
    row->addStretch(1);
    Modify = SmallButton(this, "Modify");
    Delete = SmallButton(this, "Delete");
    row->addWidget(Modify);
    row->addWidget(Delete);
    layout->addLayout(row);
    ShowPicture();
}

void KnifePopup::ShowPicture() {
    PictureLabel->setPixmap(QPixmap::fromImage(PictureImage));
}

void KnifePopup::ShowDirections(KnifeDirections directions) {
    LeftDirection->setChecked(directions.CutsLeft);
    RightDirection->setChecked(directions.CutsRight);
}

void KnifePopup::ShowNoseRadius(const std::string& radius) {
    Nose->setText(radius.empty()
                      ? QString("Sharp tip")
                      : QString("Nose radius : %1 mm").arg(QString::fromStdString(radius)));
}

KnifeDirections KnifePopup::Directions() const {
    return {LeftDirection->isChecked(), RightDirection->isChecked()};
}

bool KnifePopup::eventFilter(QObject* watched, QEvent* event) {
    if (watched == PictureLabel && event->type() == QEvent::MouseMove)
        emit PointerMoved(static_cast<QMouseEvent*>(event)->position().toPoint());
    return QWidget::eventFilter(watched, event);
}

SupportPopup::SupportPopup(QWidget* parent) : QWidget(parent) {
    PaintWhite(this);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    Modify = SmallButton(this, "Modify");
    Delete = SmallButton(this, "Delete");
    layout->addWidget(Modify);
    layout->addWidget(Delete);
}

} // namespace torvex
