#include "toollibrary/knife_form.h"

#include "geometry/number_text.h"
#include "toollibrary/knife_frame.h"
#include "toollibrary/library_error.h"

namespace torvex {

StandardKnifeValues FormValues(const std::array<std::string, 5>& texts, char decimalSeparator) {
    double v[5];
    for (size_t i = 0; i < texts.size(); ++i)
        v[i] = TextToFloat(texts[i], decimalSeparator);
    return {v[0], v[1], v[2], v[3], v[4]};
}

double FormNoseRadius(const std::string& text, char decimalSeparator) {
    if (text.empty())
        return 0;
    double radius = TextToFloat(text, decimalSeparator);
    if (!(radius >= 0))
        throw LibraryError("The nose radius must not be negative: leave it empty, or 0, for a "
                           "sharp tip.");
    return radius;
}

GeneratedProfile GenerateProfile(const std::array<std::string, 5>& texts,
                                 const std::string& noseRadius, char decimalSeparator,
                                 DrawingFrame frame) {
    StandardKnifeValues values = FormValues(texts, decimalSeparator);
    values.NoseRadius = FormNoseRadius(noseRadius, decimalSeparator);
    std::vector<std::string> code = GenerateStandardProfile(values);
    FitStandardFrame(frame, values);
    return {std::move(code), frame};
}

KnifeDefinition KnifeFromForm(const KnifeForm& form, char decimalSeparator) {
    if (form.ActiveTab == KnifeKind::Standard) {
        StandardKnifeValues values = FormValues(form.ValueTexts, decimalSeparator);
        values.NoseRadius = FormNoseRadius(form.NoseRadiusText, decimalSeparator);
        return StandardKnife(form.Name, form.Comments, values, form.Directions);
    }
    return ProfiledKnife(form.Name, form.Comments, form.Directions, form.Code);
}

KnifeForm FormFromKnife(const KnifeFileFields& knife, KnifeForm form) {
    form.Name = knife.Name;
    form.Comments = knife.Comments;
    if (knife.Kind == "standard") {
        form.ActiveTab = KnifeKind::Standard;
        form.ValueTexts = knife.ValueTexts;
        form.NoseRadiusText = NoseRadiusText(knife.Contour);
    } else if (knife.Kind == "profiled") {
        form.ActiveTab = KnifeKind::Profiled;
    }
    form.Directions = knife.Directions;
    form.Code = knife.Contour;
    return form;
}

} // namespace torvex
