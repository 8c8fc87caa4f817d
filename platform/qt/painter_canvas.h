#pragma once

#include "platform/canvas.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPoint>

namespace torvex {

// The canvas of the program's pictures: a QPainter on a QImage. Lines and text are drawn without
// smoothing, pixel for pixel, as the drawings' positions are worked out in whole pixels.
class PainterCanvas : public Canvas {
public:
    explicit PainterCanvas(QImage& image);
    ~PainterCanvas() override;
    PainterCanvas(const PainterCanvas&) = delete;
    PainterCanvas& operator=(const PainterCanvas&) = delete;

    void SetPenColour(Rgb colour) override;
    void SetPenWidth(int width) override;
    void SetBrush(Rgb colour, BrushStyle style) override;
    void SetFont(const std::string& name, int size, FontWeight weight) override;
    void Rectangle(int x1, int y1, int x2, int y2) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Arc(int x1, int y1, int x2, int y2, int startX, int startY, int endX, int endY) override;
    void TextOut(int x, int y, const std::string& text) override;
    int TextWidth(const std::string& text) override;
    void FloodFill(int x, int y, Rgb border) override;
    void DrawPicture(int x, int y, const std::filesystem::path& fileName) override;

private:
    void ApplyState();

    QImage& Image;
    QPainter Painter;
    QColor Pen = Qt::black;
    int PenWidth = 1;
    QColor BrushColour = Qt::white;
    BrushStyle Brush = BrushStyle::Solid;
    QFont Font;
    QPoint Current;
};

} // namespace torvex
