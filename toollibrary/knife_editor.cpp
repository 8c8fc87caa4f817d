#include "toollibrary/knife_editor.h"

#include "geometry/number_text.h"
#include "platform/errors.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string_view>

namespace torvex {

namespace {

constexpr int PickReach = 4;

constexpr const char* SameEndsText = "The two ends of a line must not be the same point.";
constexpr const char* NothingToChangeText = "Click the line to change first.";
constexpr const char* NothingToDeleteText = "Click the line to delete first.";

// The two values of a point list entry, "x/y/".
TPoint EntryPoint(const std::string& entry) {
    size_t first = entry.find('/');
    size_t second = first == std::string::npos ? first : entry.find('/', first + 1);
    if (second == std::string::npos)
        throw ConversionError(entry);
    return {FileTextToFloat(std::string_view(entry).substr(0, first)),
            FileTextToFloat(std::string_view(entry).substr(first + 1, second - first - 1))};
}

std::string Entry(const TPoint& p) {
    return FloatToText(p.X) + "/" + FloatToText(p.Y) + "/";
}

std::string TypedEntry(const std::string& x, const std::string& y) {
    return x + "/" + y + "/";
}

int Round(double value) {
    return static_cast<int>(std::nearbyint(value));
}

std::string NotInContourText(const EditorSegment& line, char separator) {
    auto point = [separator](const TPoint& p) {
        return "(" + FloatToText(p.X, separator) + "; " + FloatToText(p.Y, separator) + ")";
    };
    return "The line from " + point(line.A) + " to " + point(line.B) +
           " is not in the contour; nothing was changed.";
}

} // namespace

const char* ApplyCaption(EditorOperation operation) {
    switch (operation) {
    case EditorOperation::Change:
        return "Change";
    case EditorOperation::Delete:
        return "Delete";
    default:
        return "Apply";
    }
}

EditorFrameFit FitFrameToPoints(const std::vector<std::string>& pointList, int framePixels,
                                int pictureHeight) {
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    for (const std::string& entry : pointList) {
        TPoint p = EntryPoint(entry);
        minX = std::min(minX, p.X);
        maxX = std::max(maxX, p.X);
        minY = std::min(minY, p.Y);
        maxY = std::max(maxY, p.Y);
    }
    double width = std::fabs(maxX - minX);
    double height = std::fabs(maxY - minY);
    EditorFrameFit fit;
    fit.FrameSize = width >= height ? width : height;
    fit.FrameX0 = 70 - Round(SafeDivide((maxX - std::fabs(minX)) * framePixels, fit.FrameSize)) / 2;
    fit.FrameY0 = (pictureHeight - Round(SafeDivide(height * framePixels, fit.FrameSize))) / 2 - 5;
    return fit;
}

std::optional<size_t> FindLineRecord(const std::vector<std::string>& code,
                                     const EditorSegment& line) {
    for (size_t i = 0; i < code.size(); ++i) {
        if (code[i].rfind("line ", 0) != 0)
            continue;
        TObj element;
        try {
            ParseText(element, code[i]);
        } catch (const ConversionError&) {
            continue;
        }
        if (element.P1 == line.A && element.P2 == line.B)
            return i;
    }
    return std::nullopt;
}

void KnifeEditor::PickFromClicked(bool down) {
    State.Operation = EditorOperation::None;
    State.Pick = down ? PickMode::From : PickMode::None;
}

void KnifeEditor::PickToClicked(bool down) {
    State.Operation = EditorOperation::None;
    State.Pick = down ? PickMode::To : PickMode::None;
}

void KnifeEditor::OperationClicked(EditorOperation operation, bool down) {
    State.Pick = PickMode::None;
    State.Operation = down ? operation : EditorOperation::None;
}

void KnifeEditor::CopyToIntoFrom(LineFields& fields) {
    fields.FromX = fields.ToX;
    fields.FromY = fields.ToY;
}

EditorResult KnifeEditor::Clear(std::vector<std::string>& code) {
    code.clear();
    PointList.clear();
    return {EditorRedraw::Clear, std::nullopt};
}

EditorResult KnifeEditor::DimensionsReleased(const std::vector<std::string>& code) {
    return {code.empty() ? EditorRedraw::None : EditorRedraw::Contour, std::nullopt};
}

EditorSegment KnifeEditor::ConvertFields(const LineFields& fields) const {
    EditorSegment line;
    line.A.X = TextToFloat(fields.FromX, DecimalSeparator);
    line.A.Y = TextToFloat(fields.FromY, DecimalSeparator);
    line.B.X = TextToFloat(fields.ToX, DecimalSeparator);
    line.B.Y = TextToFloat(fields.ToY, DecimalSeparator);
    if (line.A == line.B)
        throw KnifeEditorError(SameEndsText);
    return line;
}

EditorResult KnifeEditor::Apply(std::vector<std::string>& code, const LineFields& fields) {
    switch (State.Operation) {
    case EditorOperation::Change:
        return ChangeLine(code, fields);
    case EditorOperation::Delete:
        return DeleteLine(code);
    default:
        return AddLine(code, fields);
    }
}

EditorResult KnifeEditor::AddLine(std::vector<std::string>& code, const LineFields& fields) {
    ConvertFields(fields);
    std::vector<std::string> entries = PointList;
    entries.push_back(TypedEntry(fields.FromX, fields.FromY));
    entries.push_back(TypedEntry(fields.ToX, fields.ToY));
    EditorFrameFit fit = FitFrameToPoints(entries, FramePixels, PictureHeight);
    State.Pick = PickMode::None;
    PointList = std::move(entries);
    code.push_back("line " + TypedEntry(fields.FromX, fields.FromY) +
                   TypedEntry(fields.ToX, fields.ToY));
    return {EditorRedraw::LastDimensioned, fit};
}

EditorResult KnifeEditor::ChangeLine(std::vector<std::string>& code, const LineFields& fields) {
    ConvertFields(fields);
    if (State.SelectionState != 1)
        throw KnifeEditorError(NothingToChangeText);
    std::optional<size_t> index = FindLineRecord(code, State.SelectedLine);
    if (!index)
        throw KnifeEditorError(NotInContourText(State.SelectedLine, DecimalSeparator));
    code[*index] =
        "line " + TypedEntry(fields.FromX, fields.FromY) + TypedEntry(fields.ToX, fields.ToY);
    PointList.push_back(TypedEntry(fields.FromX, fields.FromY));
    PointList.push_back(TypedEntry(fields.ToX, fields.ToY));
    RemoveEntry(State.SelectedLine.A);
    RemoveEntry(State.SelectedLine.B);
    State.SelectionState = 0;
    return {EditorRedraw::LastDimensioned, std::nullopt};
}

EditorResult KnifeEditor::DeleteLine(std::vector<std::string>& code) {
    if (State.SelectionState != 1)
        throw KnifeEditorError(NothingToDeleteText);
    std::optional<size_t> index = FindLineRecord(code, State.SelectedLine);
    if (!index)
        throw KnifeEditorError(NotInContourText(State.SelectedLine, DecimalSeparator));
    code.erase(code.begin() + static_cast<std::ptrdiff_t>(*index));
    RemoveEntry(State.SelectedLine.A);
    RemoveEntry(State.SelectedLine.B);
    State.SelectionState = 0;
    return {EditorRedraw::LastDimensioned, std::nullopt};
}

void KnifeEditor::RemoveEntry(const TPoint& end) {
    for (auto it = PointList.begin(); it != PointList.end(); ++it) {
        if (EntryPoint(*it) == end) {
            PointList.erase(it);
            return;
        }
    }
}

void KnifeEditor::ReplaceEnds(const EditorSegment& old, const TPoint& newEnd,
                              const TPoint& farEnd) {
    PointList.push_back(Entry(newEnd));
    PointList.push_back(Entry(farEnd));
    RemoveEntry(old.A);
    RemoveEntry(old.B);
}

void KnifeEditor::CutSelectedCorner(std::vector<std::string>& code, const EditorSegment& second,
                                    CornerKind kind, const CornerSizes& sizes) {
    CornerCut cut = CutCorner(State.SelectedLine, second, kind, sizes);
    std::optional<size_t> first = FindLineRecord(code, State.SelectedLine);
    if (!first)
        throw KnifeEditorError(NotInContourText(State.SelectedLine, DecimalSeparator));
    std::optional<size_t> other = FindLineRecord(code, second);
    if (!other)
        throw KnifeEditorError(NotInContourText(second, DecimalSeparator));
    code[*first] = LineRecord(cut.First);
    code[*other] = LineRecord(cut.Second);
    code.push_back(cut.Record);
    ReplaceEnds(State.SelectedLine, cut.FirstNew, cut.FirstFar);
    ReplaceEnds(second, cut.SecondNew, cut.SecondFar);
    State.SecondLine = second;
    State.SelectionState = 0;
}

std::optional<size_t> KnifeEditor::EntryWithinReach(const PixelOf& pixelOf, int x, int y,
                                                    bool last) const {
    std::optional<size_t> found;
    for (size_t i = 0; i < PointList.size(); ++i) {
        PixelPoint pixel = pixelOf(EntryPoint(PointList[i]));
        if (std::abs(pixel.X - x) <= PickReach && std::abs(pixel.Y - y) <= PickReach) {
            found = i;
            if (!last)
                break;
        }
    }
    return found;
}

PointerView KnifeEditor::PointerMoved(const std::vector<std::string>& code,
                                      const PointerEvent& pointer, const PixelOf& pixelOf) {
    PointerView view;
    if (pointer.ProfiledTabActive && !code.empty()) {
        view.Redraw = true;
        if (pointer.DimensionsDown && pointer.UnderPointer) {
            State.HoverSegment = pointer.UnderPointer;
            view.Dimensioned = pointer.UnderPointer;
            view.Highlighted =
                !(State.SelectionState == 1 && *pointer.UnderPointer == State.SelectedLine);
        }
    }
    // While picking, the picture shows the contour and the end within reach, nothing else.
    if (State.Pick != PickMode::None && !PointList.empty()) {
        view = PointerView{};
        view.Redraw = true;
        if (std::optional<size_t> i = EntryWithinReach(pixelOf, pointer.X, pointer.Y, false)) {
            TPoint p = EntryPoint(PointList[*i]);
            view.Marker = PickMarker{p, "X " + FormatFloat("0.##", p.X, DecimalSeparator),
                                     "Y " + FormatFloat("0.##", p.Y, DecimalSeparator)};
        }
    }
    return view;
}

EditorResult KnifeEditor::RightPressed() {
    State.SelectionState = 0;
    State.Pick = PickMode::None;
    return {EditorRedraw::Contour, std::nullopt};
}

EditorResult KnifeEditor::LeftPressed(std::vector<std::string>& code, LineFields& fields,
                                      const CornerSizes& sizes, const PixelOf& pixelOf, int x,
                                      int y) {
    if (State.Pick != PickMode::None) {
        if (std::optional<size_t> i = EntryWithinReach(pixelOf, x, y, true)) {
            TPoint p = EntryPoint(PointList[*i]);
            bool from = State.Pick == PickMode::From;
            (from ? fields.FromX : fields.ToX) = FloatToText(p.X, DecimalSeparator);
            (from ? fields.FromY : fields.ToY) = FloatToText(p.Y, DecimalSeparator);
        }
        return {};
    }
    if (State.Operation == EditorOperation::None || !State.HoverSegment)
        return {};
    const EditorSegment& hover = *State.HoverSegment;
    bool corner =
        State.Operation == EditorOperation::Chamfer || State.Operation == EditorOperation::Fillet;
    if (corner && State.SelectionState == 1) {
        CutSelectedCorner(code, hover,
                          State.Operation == EditorOperation::Chamfer ? CornerKind::Chamfer
                                                                      : CornerKind::Fillet,
                          sizes);
        return {};
    }
    State.SelectedLine = hover;
    State.SelectionState = 1;
    if (State.Operation == EditorOperation::Change) {
        fields.FromX = FloatToText(hover.A.X, DecimalSeparator);
        fields.FromY = FloatToText(hover.A.Y, DecimalSeparator);
        fields.ToX = FloatToText(hover.B.X, DecimalSeparator);
        fields.ToY = FloatToText(hover.B.Y, DecimalSeparator);
    }
    return {};
}

std::optional<EditorSegment> KnifeEditor::RedLine() const {
    if (State.SelectionState != 1)
        return std::nullopt;
    return State.SelectedLine;
}

} // namespace torvex
