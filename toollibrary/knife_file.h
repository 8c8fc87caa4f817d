#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace torvex {

enum class KnifeKind : uint8_t { Standard, Profiled };

// "standard" or "profiled", as the knife file and the lists write it.
const char* KindText(KnifeKind kind);

// The five values of a standard knife: attack angles in degrees, widths either side of the tip
// and height in millimetres; and the radius its tip corner is rounded to (0: a sharp tip), which
// the file keeps in the contour alone.
struct StandardKnifeValues {
    double K1 = 0;
    double K2 = 0;
    double LeftWidth = 0;
    double RightWidth = 0;
    double Height = 0;
    double NoseRadius = 0;
};

// The directions the knife cuts towards; a new knife cuts towards the right only.
struct KnifeDirections {
    bool CutsLeft = false;
    bool CutsRight = true;
};

// What a knife file holds.
struct KnifeDefinition {
    std::string Name;
    std::string Comments;
    KnifeKind Kind = KnifeKind::Standard;
    StandardKnifeValues Values;
    KnifeDirections Directions;
    std::vector<std::string> Contour;
};

// The drawing extent of a standard knife: the sum of its widths, or its height when that is not
// smaller.
double StandardKnifeExtent(const StandardKnifeValues& values);
// Throws LibraryError when the extent is not above 0: such a knife cannot be drawn or scaled.
void CheckStandardKnifeSize(const StandardKnifeValues& values);

// The attack angles a knife can have: a flank at 90 degrees or more never comes back to the tip.
inline constexpr double LargestAttackAngle = 89;
// Throws LibraryError, naming the angle, when K1 or K2 lies outside 0 to LargestAttackAngle.
void CheckStandardKnifeAngles(const StandardKnifeValues& values);

// The closed contour of a standard knife from its tip at the origin: right flank at K2 out to the
// right width, up to the height, across, down to the left width, left flank at K1 back to the
// tip. Five line records, values formatted "0.##" with a decimal point. With a nose radius the
// tip corner is rounded as the knife editor's fillet rounds it: the flanks start and end where the
// arc touches them, and the editor's arc record follows them. Throws LibraryError when the widths
// and the height give the knife no size, an angle is out of its range, a width or the height lies
// beyond 10 m, a flank rises above the knife, or the flanks cannot take the nose.
std::vector<std::string> GenerateStandardProfile(const StandardKnifeValues& values);

// The radius of the nose the contour's records give a knife (TKnife::Nose); none for a sharp tip
// or records that cannot be read.
std::optional<double> NoseRadiusOf(const std::vector<std::string>& contour);
// The nose radius as the lists, the popup and the form show it ("0.4"), empty for a sharp tip.
std::string NoseRadiusText(const std::vector<std::string>& contour);

// A standard knife with the contour its values describe.
KnifeDefinition StandardKnife(std::string name, std::string comments,
                              const StandardKnifeValues& values, KnifeDirections directions);
// A profiled knife with the contour drawn in the editor; its five values are 0.
KnifeDefinition ProfiledKnife(std::string name, std::string comments, KnifeDirections directions,
                              std::vector<std::string> contour);

// The lines of the knife file: name, comments, kind, the five values, the two directions ("1" or
// "0"), then the contour records.
std::vector<std::string> KnifeFileLines(const KnifeDefinition& knife);

// A knife file's lines as fields; a line the file lacks reads as empty.
struct KnifeFileFields {
    std::string Name;
    std::string Comments;
    std::string Kind;
    std::array<std::string, 5> ValueTexts;
    KnifeDirections Directions;
    std::vector<std::string> Contour;
};

inline constexpr size_t KnifeHeaderLines = 10;

KnifeFileFields ReadKnifeFields(const std::vector<std::string>& lines);

// The five values of a standard knife's file, read with a decimal point or comma. Throws
// ConversionError for a value that is not a number.
StandardKnifeValues ReadStandardValues(const KnifeFileFields& fields);

} // namespace torvex
