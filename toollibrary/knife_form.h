#pragma once

#include "geometry/contour_drawing.h"
#include "toollibrary/knife_file.h"

#include <array>
#include <string>
#include <vector>

namespace torvex {

// The knife half of the library window's "Add tools" tab as the user left it: the fields as
// typed, the inner tab that is active, the two direction buttons and the Code memo's lines.
struct KnifeForm {
    std::string Name;
    std::string Comments;
    KnifeKind ActiveTab = KnifeKind::Standard;
    // K1, K2, width to the left, width to the right, height.
    std::array<std::string, 5> ValueTexts;
    std::string NoseRadiusText; // "Nose radius :", empty for a sharp tip
    KnifeDirections Directions;
    std::vector<std::string> Code;
};

// The five fields converted with the system's decimal separator. Throws ConversionError.
StandardKnifeValues FormValues(const std::array<std::string, 5>& texts, char decimalSeparator);

// "Nose radius :" converted with the system's decimal separator: empty is 0, a sharp tip. Throws
// ConversionError, or LibraryError for a negative radius.
double FormNoseRadius(const std::string& text, char decimalSeparator);

// The generate-profile button: the contour the five fields and the nose radius describe and the
// frame fitted to it. Throws ConversionError or LibraryError before anything is returned.
struct GeneratedProfile {
    std::vector<std::string> Code;
    DrawingFrame Frame;
};
GeneratedProfile GenerateProfile(const std::array<std::string, 5>& texts,
                                 const std::string& noseRadius, char decimalSeparator,
                                 DrawingFrame frame);

// "Add to Library": with "Standard" active, the knife the five fields describe (never the Code
// memo, which may still hold a previewed knife); with "Profiled" active, the Code memo's records.
KnifeDefinition KnifeFromForm(const KnifeForm& form, char decimalSeparator);

// "Modify": the form filled from a knife file. A standard knife selects "Standard" and takes its
// five values and the nose radius its contour gives it, a profiled one selects "Profiled"; a knife
// of another kind leaves the tab and the fields as they were.
KnifeForm FormFromKnife(const KnifeFileFields& knife, KnifeForm form);

} // namespace torvex
