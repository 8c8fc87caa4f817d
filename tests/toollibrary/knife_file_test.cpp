#include "toollibrary/knife_file.h"

#include "platform/errors.h"
#include "toollibrary/library_error.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <tuple>

using namespace torvex;
using ::testing::ElementsAre;

TEST(GenerateStandardProfile, SquareKnifeRunsFromTheTipAroundTheBody) {
    EXPECT_THAT(GenerateStandardProfile({0, 0, 5, 5, 10}),
                ElementsAre("line 0/0/5/0/", "line 5/0/5/10/", "line 5/10/-5/10/",
                            "line -5/10/-5/0/", "line -5/0/0/0/"));
}

TEST(GenerateStandardProfile, FlanksAtTheirAnglesRoundedToTwoDecimals) {
    EXPECT_THAT(GenerateStandardProfile({45, 30, 2, 3, 10}),
                ElementsAre("line 0/0/3/1.73/", "line 3/1.73/3/10/", "line 3/10/-2/10/",
                            "line -2/10/-2/2/", "line -2/2/0/0/"));
}

TEST(GenerateStandardProfile, KnifeWithoutSizeOrWithAnAngleOutOfRangeIsRefused) {
    EXPECT_THROW(GenerateStandardProfile({30, 30, 0, 0, 0}), LibraryError);
    EXPECT_THROW(StandardKnife("A", "", {0, 0, 0, 0, 0}, {}), LibraryError);
    EXPECT_NO_THROW(GenerateStandardProfile({0, 0, 0, 0, 4}));
    // At 90 degrees a flank never comes back to the tip: its height would be 1.6e16.
    EXPECT_NO_THROW(GenerateStandardProfile({89, 89, 2, 2, 200}));
    for (auto [k1, k2, angle] : {std::tuple{90.0, 30.0, "K1 (the left attack angle)"},
                                 std::tuple{30.0, -1.0, "K2 (the right attack angle)"}}) {
        try {
            GenerateStandardProfile({k1, k2, 2, 2, 10});
            ADD_FAILURE() << angle;
        } catch (const LibraryError& error) {
            EXPECT_EQ(error.what(), std::string(angle) +
                                        " must lie between 0 and 89 degrees, not " +
                                        (k1 == 90 ? "90." : "-1."));
        }
    }
    // A flank above the knife would cross its top; a width beyond 10 m is no knife.
    for (auto [values, refused] :
         {std::pair{StandardKnifeValues{80, 30, 4, 4, 10}, "The left flank rises to 22.69 mm"},
          std::pair{StandardKnifeValues{30, 30, 2, 1e12, 1e13}, "The right width must lie"}}) {
        try {
            GenerateStandardProfile(values);
            ADD_FAILURE() << refused;
        } catch (const LibraryError& error) {
            EXPECT_TRUE(std::string(error.what()).starts_with(refused)) << error.what();
        }
    }
}

TEST(KnifeFileLines, StandardValuesWithADecimalPointAndTheDirections) {
    KnifeDefinition knife = StandardKnife("T1", "tip", {30, 0, 2.5, 2.5, 8}, {true, false});
    std::vector<std::string> lines = KnifeFileLines(knife);
    ASSERT_EQ(lines.size(), 15u);
    EXPECT_THAT(std::vector(lines.begin(), lines.begin() + 10),
                ElementsAre("T1", "tip", "standard", "30", "0", "2.5", "2.5", "8", "1", "0"));
    EXPECT_EQ(lines[10], "line 0/0/2.5/0/");
}

TEST(KnifeFileLines, ProfiledKnifeHasZeroValuesAndWithoutContourTenLines) {
    KnifeDefinition knife = ProfiledKnife("P", "", {false, true}, {});
    knife.Values = {1, 2, 3, 4, 5};
    EXPECT_THAT(KnifeFileLines(knife),
                ElementsAre("P", "", "profiled", "0", "0", "0", "0", "0", "0", "1"));
}

TEST(ReadKnifeFields, ShortFileReadsAsEmptyFieldsAndValuesTakeAComma) {
    KnifeFileFields fields = ReadKnifeFields({"K", "", "standard", "30", "1,5"});
    EXPECT_EQ(fields.Kind, "standard");
    EXPECT_EQ(fields.ValueTexts[4], "");
    EXPECT_FALSE(fields.Directions.CutsRight);
    EXPECT_TRUE(fields.Contour.empty());
    EXPECT_THROW(ReadStandardValues(fields), ConversionError);
    fields.ValueTexts = {"30", "1,5", "2", "3", "4"};
    EXPECT_EQ(ReadStandardValues(fields).K2, 1.5);
}
