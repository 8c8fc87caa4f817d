#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace torvex {

struct TPoint {
    double X = 0;
    double Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

// What an element is: "line", "arc", or "" for a record not recognised (any other text reads as
// ""). It is assigned and compared as that text, and kept in one byte: a part may have many
// thousand elements, asked their kind at every step.
class ElementKind {
public:
    constexpr ElementKind() = default;
    constexpr ElementKind(std::string_view text)
        : Value(text == "line"  ? Line
                : text == "arc" ? Arc
                                : None) {}
    constexpr ElementKind(const char* text) : ElementKind(std::string_view(text)) {}

    constexpr std::string_view Text() const {
        return Value == Line ? "line" : Value == Arc ? "arc" : "";
    }
    friend constexpr bool operator==(ElementKind, ElementKind) = default;

private:
    enum : unsigned char { None, Line, Arc } Value = None;
};

inline constexpr ElementKind LineKind{"line"};
inline constexpr ElementKind ArcKind{"arc"};

// One line or circular arc of a profile. For a line P1 and P2 are its ends. For an arc P1 and P2
// are opposite corners of the square around its full circle (centre their midpoint, radius half
// their X distance), P3 its start and P4 its end; it takes the upper half of the circle when P3
// lies left of P4 and the lower half when P3 lies right of P4. Mid is the midpoint of the ends.
struct TObj {
    ElementKind Kind;
    TPoint P1, P2, P3, P4, Mid;

    bool IsLine() const { return Kind == LineKind; }
    bool IsArc() const { return Kind == ArcKind; }
    TPoint Centre() const;
    double Radius() const;
};

using Tobjects = std::vector<TObj>;

// Fills the element from one element text record ("line x1/y1/x2/y2/" or "arc" with eight values,
// each closed by '/'). A text that does not start with a keyword leaves the element untouched. A
// value that is not a number, or a last value without its '/', throws ConversionError; the fields
// read before it keep their new values.
void ParseText(TObj& element, std::string_view text);

// Whether a record is the knife editor's arc: "arc" and six values, each closed by '/' (centre X
// and Y, then the end on the first line and the end on the second line). It carries no direction:
// the arc it means is the short one between its ends.
bool IsEditorArcRecord(std::string_view text);

// The short arc about `centre` from `first` to `second` as arcs of the eight-value form: the square
// around the circle through `first`, on the upper half when the arc's middle lies above the centre
// and on the lower half otherwise. An arc across the circle's leftmost or rightmost point is split
// there into two arcs, one on each half, since an arc element keeps to one half.
std::vector<TObj> ShortArcElements(const TPoint& centre, const TPoint& first, const TPoint& second);

// The arc element about `centre` from a to b (either order) on the upper or lower half of its
// circle, P3 and P4 ordered as that half wants them.
TObj HalfArcElement(const TPoint& centre, double radius, bool upperHalf, const TPoint& a,
                    const TPoint& b);

// Reads a knife editor's arc record as its short arc (ShortArcElements). A value that is not a
// number throws ConversionError.
std::vector<TObj> ParseEditorArc(std::string_view text);

// The texts of `count` values of a record from `position` (0-based) on, each closed by '/'. A
// value without its closing '/' throws ConversionError with the rest of the text.
std::vector<std::string_view> RecordValueTexts(std::string_view text, size_t position,
                                               size_t count);

// Copies Kind and all points, Mid included.
void AssignTo(const TObj& source, TObj& target);

// The element text record of an element, numbers in the general format with a decimal point.
std::string ElementText(const TObj& element);

} // namespace torvex
