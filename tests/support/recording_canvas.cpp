#include "tests/support/recording_canvas.h"

namespace torvex {

void RecordingCanvas::SetPenColour(Rgb colour) {
    ++Calls;
    PenColour = colour;
}

void RecordingCanvas::SetPenWidth(int width) {
    ++Calls;
    PenWidth = width;
}

void RecordingCanvas::SetBrush(Rgb colour, BrushStyle style) {
    ++Calls;
    BrushColour = colour;
    Brush = style;
}

void RecordingCanvas::SetFont(const std::string& name, int size, FontWeight) {
    ++Calls;
    FontName = name;
    FontSize = size;
}

void RecordingCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    ++Calls;
    Rectangles.push_back({x1, y1, x2, y2});
}

void RecordingCanvas::MoveTo(int x, int y) {
    ++Calls;
    CurrentX = x;
    CurrentY = y;
}

void RecordingCanvas::LineTo(int x, int y) {
    ++Calls;
    Segments.push_back({CurrentX, CurrentY, x, y, PenColour, PenWidth});
    CurrentX = x;
    CurrentY = y;
}

void RecordingCanvas::Arc(int x1, int y1, int x2, int y2, int startX, int startY, int endX,
                          int endY) {
    ++Calls;
    Arcs.push_back({x1, y1, x2, y2, startX, startY, endX, endY});
}

void RecordingCanvas::TextOut(int x, int y, const std::string& text) {
    ++Calls;
    Texts.push_back({x, y, text, FontName, FontSize});
}

int RecordingCanvas::TextWidth(const std::string& text) {
    return CharWidth * static_cast<int>(text.size());
}

void RecordingCanvas::FloodFill(int x, int y, Rgb border) {
    ++Calls;
    Fills.push_back({x, y, BrushColour, border});
}

void RecordingCanvas::DrawPicture(int x, int y, const std::filesystem::path& fileName) {
    ++Calls;
    Pictures.push_back({x, y, fileName.filename().string()});
}

std::vector<std::string> RecordingCanvas::Labels() const {
    std::vector<std::string> labels;
    for (const Text& text : Texts)
        labels.push_back(text.Value);
    return labels;
}

} // namespace torvex
