#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace torvex {

struct Rgb {
    uint8_t R = 0;
    uint8_t G = 0;
    uint8_t B = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb Black{0, 0, 0};
inline constexpr Rgb White{255, 255, 255};
inline constexpr Rgb Silver{192, 192, 192};
inline constexpr Rgb Red{255, 0, 0};

enum class BrushStyle : uint8_t { Solid, Clear };
enum class FontWeight : uint8_t { Normal, Bold };

// A 2D drawing surface in pixels, x to the right and y downwards. The contour drawings and the tool
// slot pictures draw only through it: the program over a picture, the tests over a recorder.
class Canvas {
public:
    virtual ~Canvas() = default;

    virtual void SetPenColour(Rgb colour) = 0;
    virtual void SetPenWidth(int width) = 0;
    virtual void SetBrush(Rgb colour, BrushStyle style) = 0;
    virtual void SetFont(const std::string& name, int size, FontWeight weight) = 0;

    // Filled with the brush and outlined with the pen; the outline runs from (x1, y1) to
    // (x2 - 1, y2 - 1).
    virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
    virtual void MoveTo(int x, int y) = 0;
    // A line with the pen from the current point to (x, y), which becomes the current point.
    virtual void LineTo(int x, int y) = 0;
    // The part of the ellipse inside the rectangle (x1, y1)-(x2, y2) that runs counter-clockwise
    // from the ray towards (startX, startY) to the ray towards (endX, endY).
    virtual void Arc(int x1, int y1, int x2, int y2, int startX, int startY, int endX,
                     int endY) = 0;
    // Text with the font, its top left corner at (x, y); the background follows the brush style.
    virtual void TextOut(int x, int y, const std::string& text) = 0;
    virtual int TextWidth(const std::string& text) = 0;
    // Fills with the brush from (x, y) outwards up to pixels of the border colour.
    virtual void FloodFill(int x, int y, Rgb border) = 0;
    // Draws a picture file with its top left corner at (x, y). Throws FileError when the file
    // cannot be read.
    virtual void DrawPicture(int x, int y, const std::filesystem::path& fileName) = 0;
};

} // namespace torvex
