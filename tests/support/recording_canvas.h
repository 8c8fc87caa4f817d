#pragma once

#include "platform/canvas.h"

#include <string>
#include <vector>

namespace torvex {

// A canvas that keeps what is drawn on it, so that tests can check pixels and labels. Every
// character is CharWidth pixels wide.
class RecordingCanvas : public Canvas {
public:
    struct Segment {
        int X1, Y1, X2, Y2;
        Rgb Colour;
        int Width;
        friend bool operator==(const Segment&, const Segment&) = default;
    };
    struct Text {
        int X, Y;
        std::string Value;
        std::string Font;
        int Size;
        friend bool operator==(const Text&, const Text&) = default;
    };
    struct ArcCall {
        int X1, Y1, X2, Y2, StartX, StartY, EndX, EndY;
        friend bool operator==(const ArcCall&, const ArcCall&) = default;
    };
    struct Fill {
        int X, Y;
        Rgb Brush, Border;
        friend bool operator==(const Fill&, const Fill&) = default;
    };
    struct Picture {
        int X, Y;
        std::string FileName;
        friend bool operator==(const Picture&, const Picture&) = default;
    };

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

    // Whether anything at all was drawn or set.
    bool Untouched() const { return Calls == 0; }
    // The labels, in drawing order.
    std::vector<std::string> Labels() const;

    static constexpr int CharWidth = 4;
    std::vector<Segment> Segments;
    std::vector<Text> Texts;
    std::vector<ArcCall> Arcs;
    std::vector<Fill> Fills;
    std::vector<Picture> Pictures;
    std::vector<std::vector<int>> Rectangles;
    Rgb PenColour = Black;
    int PenWidth = 1;
    Rgb BrushColour = White;
    BrushStyle Brush = BrushStyle::Solid;
    std::string FontName;
    int FontSize = 0;

private:
    int CurrentX = 0;
    int CurrentY = 0;
    int Calls = 0;
};

} // namespace torvex
