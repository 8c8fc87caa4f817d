#include "operations/qt/operation_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace torvex {

namespace {

// The shaft in a 16 x 16 square, y downwards: stock top at 3, the collar from x 6 to 10 up to 5,
// the flanks at 9 with a taper to the ends at 2.5 and 13.5 (the stock reaches beyond them), the
// axis at 14.
constexpr double StockTop = 3;
constexpr double CollarTop = 5;
constexpr double FlankTop = 9;
constexpr double Axis = 14;
constexpr double PartEnd = 2.5;

const QPolygonF& Profile() {
    static const QPolygonF profile({{PartEnd, Axis},
                                    {PartEnd, 11},
                                    {4, FlankTop},
                                    {6, FlankTop},
                                    {6, CollarTop},
                                    {10, CollarTop},
                                    {10, FlankTop},
                                    {12, FlankTop},
                                    {16 - PartEnd, 11},
                                    {16 - PartEnd, Axis}});
    return profile;
}

// A shaft with a groove in its top, from x 7 to 9 down to 8, ending at 13.
constexpr double GrooveTop = 5;
constexpr double GrooveFloor = 8;
constexpr double GroovedEnd = 13;

const QPolygonF& GroovedProfile() {
    static const QPolygonF profile({{1, Axis},
                                    {1, GrooveTop},
                                    {7, GrooveTop},
                                    {7, GrooveFloor},
                                    {9, GrooveFloor},
                                    {9, GrooveTop},
                                    {GroovedEnd, GrooveTop},
                                    {GroovedEnd, Axis}});
    return profile;
}

QPolygonF Mirrored(const QPolygonF& polygon) {
    QPolygonF mirrored;
    for (const QPointF& p : polygon)
        mirrored << QPointF(16 - p.x(), p.y());
    return mirrored;
}

// The region of the left flank above the profile, from `top` down to the collar's wall.
QPolygonF LeftRegion(double top) {
    return QPolygonF(
        {{0.5, top}, {6, top}, {6, FlankTop}, {4, FlankTop}, {PartEnd, 11}, {0.5, 11}});
}

// Starts the picture: the stock's outline and the part, filled.
void BeginPicture(int size, QPainter& painter, QPixmap& pixmap,
                  const QPolygonF& profile = Profile()) {
    pixmap = QPixmap(size, size);
    pixmap.fill(Qt::transparent);
    painter.begin(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 16.0, size / 16.0);
    painter.setPen(QPen(QColor("#78909c"), 0.6, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(0.5, StockTop, 15, Axis - StockTop));
    painter.setPen(QPen(QColor("#37474f"), 0.8));
    painter.setBrush(QColor("#b0bec5"));
    painter.drawPolygon(profile);
}

const QColor Removed("#e53935");

void ShadeRemoved(QPainter& painter) {
    painter.setPen(Qt::NoPen);
    QColor shade = Removed;
    shade.setAlpha(170);
    painter.setBrush(shade);
}

} // namespace

QPixmap OperationIcon(RoughingOperation operation, int size) {
    using enum RoughingOperation;
    QPixmap pixmap;
    QPainter painter;
    BeginPicture(size, painter, pixmap);
    ShadeRemoved(painter);
    bool fromStock = operation == LeftFromStock || operation == RightFromStock;
    QPolygonF region = LeftRegion(fromStock ? StockTop : CollarTop);
    switch (operation) {
    case WholeLength:
        painter.drawRect(QRectF(0.5, StockTop, 15, CollarTop - StockTop));
        break;
    case LeftFromStock:
    case LeftBelowTop:
        painter.drawPolygon(region);
        break;
    case RightFromStock:
    case RightBelowTop:
        painter.drawPolygon(Mirrored(region));
        break;
    case LeftEndFace:
        painter.drawRect(QRectF(0.5, StockTop, PartEnd - 0.5, Axis - StockTop));
        break;
    case RightEndFace:
        painter.drawRect(QRectF(16 - PartEnd, StockTop, PartEnd - 0.5, Axis - StockTop));
        break;
    }
    painter.end();
    return pixmap;
}

QPixmap OperationIcon(GroovingOperation operation, int size) {
    QPixmap pixmap;
    QPainter painter;
    BeginPicture(size, painter, pixmap, GroovedProfile());
    ShadeRemoved(painter);
    if (operation == GroovingOperation::Grooves)
        painter.drawRect(QRectF(7, StockTop, 2, GrooveFloor - StockTop));
    else
        painter.drawRect(QRectF(GroovedEnd, StockTop, 1.2, Axis - StockTop));
    painter.end();
    return pixmap;
}

QPixmap OperationIcon(FinishingOperation operation, int size) {
    using enum FinishingOperation;
    QPixmap pixmap;
    QPainter painter;
    BeginPicture(size, painter, pixmap);
    QPolygonF left({{PartEnd, 11}, {4, FlankTop}, {6, FlankTop}, {6, CollarTop}});
    if (operation == LeftWithTop || operation == RightWithTop)
        left << QPointF(8, CollarTop);
    bool right = operation == RightWithoutTop || operation == RightWithTop;
    painter.setPen(QPen(Removed, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(right ? Mirrored(left) : left);
    painter.end();
    return pixmap;
}

} // namespace torvex
