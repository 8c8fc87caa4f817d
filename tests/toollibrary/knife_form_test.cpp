#include "toollibrary/knife_form.h"

#include "platform/errors.h"
#include "toollibrary/library_error.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace torvex;
using ::testing::ElementsAre;

namespace {
KnifeForm StandardForm() {
    KnifeForm form;
    form.Name = "T";
    form.ValueTexts = {"0", "0", "2,5", "2,5", "10"};
    form.Code = {"line 9/9/9/9/"};
    return form;
}
} // namespace

TEST(KnifeFromForm, StandardKnifeIsTheOneItsFieldsDescribe) {
    KnifeDefinition knife = KnifeFromForm(StandardForm(), ',');
    EXPECT_EQ(knife.Values.LeftWidth, 2.5);
    EXPECT_THAT(knife.Contour,
                ElementsAre("line 0/0/2.5/0/", "line 2.5/0/2.5/10/", "line 2.5/10/-2.5/10/",
                            "line -2.5/10/-2.5/0/", "line -2.5/0/0/0/"));
    EXPECT_THROW(KnifeFromForm(StandardForm(), '.'), ConversionError);
}

TEST(KnifeFromForm, ProfiledKnifeTakesTheCodeMemo) {
    KnifeForm form = StandardForm();
    form.ActiveTab = KnifeKind::Profiled;
    form.ValueTexts[0] = "not a number";
    KnifeDefinition knife = KnifeFromForm(form, '.');
    EXPECT_EQ(knife.Kind, KnifeKind::Profiled);
    EXPECT_THAT(knife.Contour, ElementsAre("line 9/9/9/9/"));
}

TEST(GenerateProfile, RefusesBeforeReturningAnything) {
    EXPECT_THROW(GenerateProfile({"0", "0", "0", "0", "0"}, "", '.', {}), LibraryError);
    EXPECT_THROW(GenerateProfile({"0", "x", "1", "1", "1"}, "", '.', {}), ConversionError);
    EXPECT_THROW(GenerateProfile({"0", "0", "1", "1", "1"}, "-0.2", '.', {}), LibraryError);
    // A nose whose fillet would not fit on the flanks, 1 mm long here.
    EXPECT_THROW(GenerateProfile({"30", "30", "1", "1", "5"}, "3", '.', {}), LibraryError);
    GeneratedProfile profile = GenerateProfile({"0", "0", "5", "5", "20"}, "", '.', {});
    EXPECT_EQ(profile.Code.size(), 5u);
    EXPECT_EQ(profile.Frame.FrameSize, 20);
    EXPECT_EQ(profile.Frame.FrameX0, 70);
}

TEST(KnifeFromForm, AStandardKnifesNoseRoundsItsTipAndModifyReadsItBackFromTheContour) {
    KnifeForm form = StandardForm();
    form.ValueTexts = {"30", "30", "5", "5", "10"};
    form.NoseRadiusText = "0,8";
    KnifeDefinition knife = KnifeFromForm(form, ',');
    // The flanks shortened to where the fillet touches them, the editor's arc record after them.
    ASSERT_EQ(knife.Contour.size(), 6u);
    EXPECT_EQ(knife.Contour[5].rfind("arc ", 0), 0u);
    EXPECT_NEAR(*NoseRadiusOf(knife.Contour), 0.8, 1e-9);
    // The file keeps its layout: the five values, then the contour.
    std::vector<std::string> file = KnifeFileLines(knife);
    ASSERT_EQ(file.size(), KnifeHeaderLines + 6);
    EXPECT_EQ(file[7], "10");
    KnifeForm modified = FormFromKnife(ReadKnifeFields(file), KnifeForm{});
    EXPECT_EQ(modified.NoseRadiusText, "0.8");
    // Empty or 0: a sharp tip.
    form.NoseRadiusText = "0";
    EXPECT_EQ(KnifeFromForm(form, ',').Contour.size(), 5u);
    EXPECT_EQ(
        FormFromKnife(ReadKnifeFields(KnifeFileLines(KnifeFromForm(form, ','))), {}).NoseRadiusText,
        "");
}

TEST(FormFromKnife, StandardFillsTheFieldsOtherKindsKeepThem) {
    KnifeFileFields knife =
        ReadKnifeFields({"K", "c", "standard", "1", "2", "3", "4", "5", "1", "0", "line 7/7/7/7/"});
    KnifeForm form = FormFromKnife(knife, KnifeForm{});
    EXPECT_EQ(form.ActiveTab, KnifeKind::Standard);
    EXPECT_EQ(form.ValueTexts[4], "5");
    EXPECT_TRUE(form.Directions.CutsLeft);
    EXPECT_FALSE(form.Directions.CutsRight);
    EXPECT_THAT(form.Code, ElementsAre("line 7/7/7/7/"));

    knife.Kind = "odd";
    knife.ValueTexts = {"9", "9", "9", "9", "9"};
    KnifeForm kept = FormFromKnife(knife, form);
    EXPECT_EQ(kept.ValueTexts[4], "5");
    knife.Kind = "profiled";
    EXPECT_EQ(FormFromKnife(knife, form).ActiveTab, KnifeKind::Profiled);
}
