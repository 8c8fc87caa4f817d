#include "toollibrary/qt/tool_slot_widget.h"

#include "platform/qt/painter_canvas.h"

#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

namespace torvex {

namespace {

constexpr int SlotDragThreshold = 5;

} // namespace

bool IsLibraryListDrag(const QMimeData& data) {
    return data.hasFormat(LibraryListMime);
}

bool IsLibrarySlotDrag(const QMimeData& data) {
    return data.hasFormat(ToolSlotMime);
}

TTool2::TTool2(const SlotPictureSource& pictures, QWidget* parent)
    : QWidget(parent), Pictures(pictures) {
    setFixedSize(SlotWidth, SlotHeight);
    setAcceptDrops(true);
    setFocusPolicy(Qt::StrongFocus);
}

void TTool2::SetState(ToolSlotState next) {
    bool shownChanged = next.coada != Slot.coada || next.cutit != Slot.cutit ||
                        next.Ncoada != Slot.Ncoada || next.Ncutit != Slot.Ncutit;
    Slot = std::move(next);
    if (shownChanged)
        Update();
}

void TTool2::Update() {
    repaint();
}

void TTool2::DrawSlot(Canvas& canvas) {
    torvex::DrawSlot(canvas, Slot, SlotDesign::Base, Pictures.Folder, Pictures.Report);
}

void TTool2::paintEvent(QPaintEvent*) {
    QImage image(SlotWidth, SlotHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        PainterCanvas canvas(image);
        DrawSlot(canvas);
    }
    ++Draws;
    QPainter(this).drawImage(0, 0, image);
    if (hasFocus()) {
        QPainter painter(this);
        painter.setPen(QPen(palette().highlight().color(), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void TTool2::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && DragNumber > 0)
        PressPoint = event->position().toPoint();
    emit Pressed(event->button());
    QWidget::mousePressEvent(event);
}

void TTool2::mouseMoveEvent(QMouseEvent* event) {
    if (!PressPoint || !(event->buttons() & Qt::LeftButton))
        return;
    QPoint moved = event->position().toPoint() - *PressPoint;
    if (std::abs(moved.x()) < SlotDragThreshold && std::abs(moved.y()) < SlotDragThreshold)
        return;
    PressPoint.reset();
    auto* data = new QMimeData;
    data->setData(ToolSlotMime, QByteArray::fromStdString(SlotDragText({DragNumber, Slot})));
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    drag->exec(Qt::CopyAction);
}

void TTool2::mouseDoubleClickEvent(QMouseEvent*) {
    emit DoubleClicked();
    ClearPicture(Slot);
    Update();
}

void TTool2::dragEnterEvent(QDragEnterEvent* event) {
    if (DropRule && DropRule(*event->mimeData()))
        event->acceptProposedAction();
}

void TTool2::dragMoveEvent(QDragMoveEvent* event) {
    if (DropRule && DropRule(*event->mimeData()))
        event->acceptProposedAction();
}

void TTool2::dropEvent(QDropEvent* event) {
    if (!DropRule || !DropRule(*event->mimeData()))
        return;
    event->acceptProposedAction();
    emit Dropped(event->mimeData());
}

void TTool::DrawSlot(Canvas& canvas) {
    torvex::DrawSlot(canvas, State(), SlotDesign::Combined, PictureSource().Folder,
                     PictureSource().Report);
}

} // namespace torvex
