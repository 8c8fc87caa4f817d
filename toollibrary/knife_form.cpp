#include "toollibrary/knife_form.h"

#include "geometry/number_text.h"
#include "toollibrary/knife_frame.h"

namespace torvex {

StandardKnifeValues FormValues(const std::array<std::string, 5>& texts, char decimalSeparator) {
    double v[5];
    for (size_t i = 0; i < texts.size(); ++i)
        v[i] = TextToFloat(texts[i], decimalSeparator);
    return {v[0], v[1], v[2], v[3], v[4]};
}

GeneratedProfile GenerateProfile(const std::array<std::string, 5>& texts, char decimalSeparator,
                                 DrawingFrame frame) {
    StandardKnifeValues values = FormValues(texts, decimalSeparator);
    std::vector<std::string> code = GenerateStandardProfile(values);
    FitStandardFrame(frame, values);
    return {std::move(code), frame};
}

KnifeDefinition KnifeFromForm(const KnifeForm& form, char decimalSeparator) {
    if (form.ActiveTab == KnifeKind::Standard)
        return StandardKnife(form.Name, form.Comments,
                             FormValues(form.ValueTexts, decimalSeparator), form.Directions);
    return ProfiledKnife(form.Name, form.Comments, form.Directions, form.Code);
}

KnifeForm FormFromKnife(const KnifeFileFields& knife, KnifeForm form) {
    form.Name = knife.Name;
    form.Comments = knife.Comments;
    if (knife.Kind == "standard") {
        form.ActiveTab = KnifeKind::Standard;
        form.ValueTexts = knife.ValueTexts;
    } else if (knife.Kind == "profiled") {
        form.ActiveTab = KnifeKind::Profiled;
    }
    form.Directions = knife.Directions;
    form.Code = knife.Contour;
    return form;
}

} // namespace torvex
