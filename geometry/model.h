#pragma once

#include "geometry/element.h"
#include "geometry/point_list.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace torvex {

class MessageSink;

inline constexpr const char* FileHandlingErrorText =
    "File handling error!\n\rCheck whether in corect format.";

// A profile as its elements and, beside them, its points ordered by X.
class TModel {
public:
    TModel() = default;
    virtual ~TModel() = default;
    TModel(const TModel&) = default;
    TModel& operator=(const TModel&) = default;
    // Declared, so that moving a model (its side outlines, a loaded shaft) moves its lists rather
    // than copying them.
    TModel(TModel&&) = default;
    TModel& operator=(TModel&&) = default;

    TPctList Points;
    Tobjects Elements;
    uint8_t ArcSteps = 20;

    void Clear();
    void AddElement(const TObj& element);
    // Appends an empty element and parses the record into it: an unknown record leaves an
    // element of empty Kind, a failing one a partly filled element (and throws).
    void AddElementText(std::string_view text);

    // Adds the elements of one record of a file or a list of lines: here one element parsed from
    // it (AddElementText).
    virtual void AddRecord(std::string_view text);

    // Clears, then reads every non-blank line as an element record (AddRecord). Conversion errors
    // propagate with the elements read so far in place; a coordinate beyond LengthLimit throws
    // RangeError naming the line ("line 3: ...").
    virtual void LoadFromLines(const std::vector<std::string>& lines);
    // Clears, then reads the file's non-blank lines as element records. When the file cannot be
    // read or a record fails, shows FileHandlingErrorText, keeps what was read and returns false; a
    // coordinate beyond LengthLimit is refused likewise, its message naming the file and line.
    virtual bool LoadFromFile(const std::filesystem::path& fileName, MessageSink& messages);
    // Adds the discretised contour to Points (which the loaders clear): line ends, arc ends and
    // ArcSteps - 1 interior points per arc, then sorted by X.
    virtual void BuildPoints();

private:
    // AddRecord, then refuses a coordinate of the new elements beyond LengthLimit.
    void AddRecordInRange(std::string_view line, size_t lineNumber);
};

// Whether a line of a model or knife file holds nothing but blanks: such lines are skipped.
bool IsBlankLine(std::string_view line);

// Where an arc whose ends are off its circle meets an x the circle does not reach, the root of
// the negative argument is taken as zero (a model's points) or of its absolute value (the
// preview points of a toolpath's arcs).
enum class RootOffCircle : uint8_t { ClampAtZero, Absolute };

// The interior points of an arc, in increasing x: steps - 1 points evenly spaced in x on the
// upper half of the circle when P3 lies left of P4, on the lower half when it lies right of it,
// none when both have the same x or there are no steps.
std::vector<TPoint> ArcInteriorPoints(const TObj& arc, unsigned steps,
                                      RootOffCircle root = RootOffCircle::ClampAtZero);

// The interior points of an arc at equal angles on its half of the circle, in increasing x, no two
// of them (nor the ends) farther apart than `maxStep` radians; none when both ends have the same x.
// An end a little off its half counts as that half's end.
std::vector<TPoint> ArcPointsAtEqualAngles(const TObj& arc, double maxStep);

// The most a chord of an arc drawn by TrueArcStep strays from the arc, mm.
inline constexpr double TrueArcDeviation = 0.0001;
// The angle step, in radians, that keeps every chord of a circle of this radius within
// TrueArcDeviation of it, and at most a degree: the arc as the lathe cuts it, to well within the
// knife check's tolerance.
double TrueArcStep(double radius);

} // namespace torvex
