#include "platform/qt/painter_canvas.h"

#include "platform/errors.h"

#include <QFontMetrics>

#include <cmath>
#include <numbers>
#include <vector>

namespace torvex {

namespace {

QColor ToQColor(Rgb colour) {
    return QColor(colour.R, colour.G, colour.B);
}

// The angle in degrees, counter-clockwise on the screen, of the ray from the centre to a point.
double RayAngle(QPointF centre, QPointF point) {
    return std::atan2(centre.y() - point.y(), point.x() - centre.x()) * 180 / std::numbers::pi;
}

} // namespace

PainterCanvas::PainterCanvas(QImage& image) : Image(image), Painter(&image) {
    Font.setFamilies({"Small Fonts", "DejaVu Sans", "Sans Serif"});
    Font.setPointSize(7);
    ApplyState();
}

PainterCanvas::~PainterCanvas() = default;

void PainterCanvas::ApplyState() {
    Painter.setRenderHint(QPainter::Antialiasing, false);
    Painter.setRenderHint(QPainter::TextAntialiasing, true);
    QPen pen(Pen);
    pen.setWidth(PenWidth);
    Painter.setPen(pen);
    Painter.setBrush(Brush == BrushStyle::Solid ? QBrush(BrushColour) : QBrush(Qt::NoBrush));
    Painter.setFont(Font);
}

void PainterCanvas::SetPenColour(Rgb colour) {
    Pen = ToQColor(colour);
    ApplyState();
}

void PainterCanvas::SetPenWidth(int width) {
    PenWidth = width;
    ApplyState();
}

void PainterCanvas::SetBrush(Rgb colour, BrushStyle style) {
    BrushColour = ToQColor(colour);
    Brush = style;
    ApplyState();
}

void PainterCanvas::SetFont(const std::string& name, int size, FontWeight weight) {
    Font.setFamilies({QString::fromStdString(name), "DejaVu Sans", "Sans Serif"});
    Font.setPointSize(size);
    Font.setBold(weight == FontWeight::Bold);
    ApplyState();
}

void PainterCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    Painter.drawRect(QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1)).adjusted(0, 0, -1, -1));
}

void PainterCanvas::MoveTo(int x, int y) {
    Current = QPoint(x, y);
}

void PainterCanvas::LineTo(int x, int y) {
    QPoint next(x, y);
    Painter.drawLine(Current, next);
    Current = next;
}

void PainterCanvas::Arc(int x1, int y1, int x2, int y2, int startX, int startY, int endX,
                        int endY) {
    QRectF box(QPointF(x1, y1), QPointF(x2, y2));
    double start = RayAngle(box.center(), QPointF(startX, startY));
    double span = RayAngle(box.center(), QPointF(endX, endY)) - start;
    if (span <= 0)
        span += 360;
    Painter.drawArc(box, static_cast<int>(std::lround(start * 16)),
                    static_cast<int>(std::lround(span * 16)));
}

void PainterCanvas::TextOut(int x, int y, const std::string& text) {
    QFontMetrics metrics(Font);
    Painter.drawText(QPoint(x, y + metrics.ascent()), QString::fromStdString(text));
}

int PainterCanvas::TextWidth(const std::string& text) {
    return QFontMetrics(Font).horizontalAdvance(QString::fromStdString(text));
}

void PainterCanvas::FloodFill(int x, int y, Rgb border) {
    if (!Image.rect().contains(x, y) || Brush == BrushStyle::Clear)
        return;
    Painter.end();
    const QRgb stop = ToQColor(border).rgb();
    const QRgb fill = BrushColour.rgb();
    auto open = [&](int px, int py) {
        QRgb pixel = Image.pixel(px, py) | 0xff000000u;
        return pixel != (stop | 0xff000000u) && pixel != (fill | 0xff000000u);
    };
    std::vector<QPoint> pending{{x, y}};
    while (!pending.empty()) {
        QPoint p = pending.back();
        pending.pop_back();
        if (!Image.rect().contains(p) || !open(p.x(), p.y()))
            continue;
        int left = p.x(), right = p.x();
        while (left > 0 && open(left - 1, p.y()))
            --left;
        while (right + 1 < Image.width() && open(right + 1, p.y()))
            ++right;
        for (int px = left; px <= right; ++px) {
            Image.setPixel(px, p.y(), fill);
            pending.emplace_back(px, p.y() - 1);
            pending.emplace_back(px, p.y() + 1);
        }
    }
    Painter.begin(&Image);
    ApplyState();
}

void PainterCanvas::DrawPicture(int x, int y, const std::filesystem::path& fileName) {
    QImage picture(QString::fromStdString(fileName.string()));
    if (picture.isNull())
        throw FileError("Cannot open file \"" + fileName.string() + "\"");
    Painter.drawImage(QPoint(x, y), picture);
}

} // namespace torvex
