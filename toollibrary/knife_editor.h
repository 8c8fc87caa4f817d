#pragma once

#include "toollibrary/knife_editor_corner.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace torvex {

// The profiled knife editor without its window. The contour is the Code memo's records, which the
// window hands over as lines; the editor keeps its modes, its selection and the hidden list of the
// line ends it made. A window reads its controls, calls the event functions, then sets its
// buttons from the state and redraws as the result says. A refused action throws
// KnifeEditorError (or ConversionError for a field that is not a number) before anything changes.

enum class PickMode : uint8_t { None = 0, From = 1, To = 2 };
enum class EditorOperation : uint8_t { None, Change, Delete, Chamfer, Fillet };

struct EditorState {
    PickMode Pick = PickMode::None;
    EditorOperation Operation = EditorOperation::None;
    uint8_t SelectionState = 0; // 1 while SelectedLine is selected
    EditorSegment SelectedLine;
    EditorSegment SecondLine;
    // The line last found under the pointer while the dimensions button was down.
    std::optional<EditorSegment> HoverSegment;
};

// The texts of the fields under "From point" (e11, e12) and "To point" (e13, e14).
struct LineFields {
    std::string FromX, FromY, ToX, ToY;
};

// The drawing frame after a line was added: the window sets these and keeps FramePixels.
struct EditorFrameFit {
    double FrameSize = 0;
    int FrameX0 = 0;
    int FrameY0 = 0;
};

enum class EditorRedraw : uint8_t {
    None,            // the picture stays; the next pointer move redraws it
    Clear,           // clear the picture
    Contour,         // clear it and draw the contour (DrawContour)
    LastDimensioned, // clear it and draw the line records, the last dimensioned
};

struct EditorResult {
    EditorRedraw Redraw = EditorRedraw::None;
    std::optional<EditorFrameFit> Frame; // set when the frame was fitted anew
};

struct PixelPoint {
    int X = 0;
    int Y = 0;
};
// Maps a point of the drawing to its pixel through the window's frame.
using PixelOf = std::function<PixelPoint(const TPoint&)>;

// What a pointer move over the picture shows.
struct PickMarker {
    TPoint Point;
    std::string XLabel, YLabel; // "X 2.5" and "Y 0", written in bold beside the green square
};
struct PointerView {
    bool Redraw = false;                      // clear the picture and draw the contour
    std::optional<EditorSegment> Dimensioned; // dimension this line
    bool Highlighted = false;                 // and draw it once more in blue
    std::optional<PickMarker> Marker;         // the line end the next click picks
};

// The pointer over the picture at pixel (X, Y), with what the window knows there.
struct PointerEvent {
    int X = 0;
    int Y = 0;
    bool ProfiledTabActive = true;
    bool DimensionsDown = true;
    // The last line record whose pixel box, widened by 4 pixels, holds the pointer (found as the
    // knife popup finds it); looked for only while the dimensions button is down.
    std::optional<EditorSegment> UnderPointer;
};

// The caption of the apply button: "Apply", "Change" or "Delete".
const char* ApplyCaption(EditorOperation operation);

// Fits the frame to the line ends of the point list and the origin: the larger extent spans
// framePixels, the box is centred on a picture of the given height.
EditorFrameFit FitFrameToPoints(const std::vector<std::string>& pointList, int framePixels,
                                int pictureHeight);

class KnifeEditor {
public:
    EditorState State;
    // One entry per line end made by the editor, "x/y/", in order of creation, duplicates kept.
    std::vector<std::string> PointList;
    char DecimalSeparator = '.'; // of the fields and the labels; records use the decimal point
    int FramePixels = 120;
    int PictureHeight = 150;

    // Pick buttons: operation mode none; picking From (To) while the button is down.
    void PickFromClicked(bool down);
    void PickToClicked(bool down);
    // Operation buttons: pick mode none; the operation while its button is down.
    void OperationClicked(EditorOperation operation, bool down);
    // The copy button: From := To.
    static void CopyToIntoFrom(LineFields& fields);
    // "Clear": empties the contour and the point list; modes and selection stay.
    EditorResult Clear(std::vector<std::string>& code);
    // The apply button: adds the line of the fields (fitting the frame), or changes or deletes
    // the selected line, by the operation mode.
    EditorResult Apply(std::vector<std::string>& code, const LineFields& fields);
    // The dimensions button released: the contour drawn without dimensions.
    static EditorResult DimensionsReleased(const std::vector<std::string>& code);

    PointerView PointerMoved(const std::vector<std::string>& code, const PointerEvent& pointer,
                             const PixelOf& pixelOf);
    // Right button: the selection cleared, picking ended.
    EditorResult RightPressed();
    // Left button: picks a line end into the fields, or selects the line under the pointer, or
    // with a line selected already, chamfers or fillets the corner of the two.
    EditorResult LeftPressed(std::vector<std::string>& code, LineFields& fields,
                             const CornerSizes& sizes, const PixelOf& pixelOf, int x, int y);

    // The line to draw in red, while one is selected.
    std::optional<EditorSegment> RedLine() const;

private:
    EditorResult AddLine(std::vector<std::string>& code, const LineFields& fields);
    EditorResult ChangeLine(std::vector<std::string>& code, const LineFields& fields);
    EditorResult DeleteLine(std::vector<std::string>& code);
    void CutSelectedCorner(std::vector<std::string>& code, const EditorSegment& second,
                           CornerKind kind, const CornerSizes& sizes);
    void ReplaceEnds(const EditorSegment& old, const TPoint& newEnd, const TPoint& farEnd);
    void RemoveEntry(const TPoint& end);
    std::optional<size_t> EntryWithinReach(const PixelOf& pixelOf, int x, int y, bool last) const;
    EditorSegment ConvertFields(const LineFields& fields) const;
};

// The index of the first line record whose values equal the line's, however they were typed.
std::optional<size_t> FindLineRecord(const std::vector<std::string>& code,
                                     const EditorSegment& line);

} // namespace torvex
