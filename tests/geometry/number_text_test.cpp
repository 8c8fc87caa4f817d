#include "geometry/number_text.h"
#include "platform/errors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace torvex;

TEST(TextToFloat, ReadsDecimalNumbersWithTheGivenSeparator) {
    EXPECT_EQ(TextToFloat("12.5", '.'), 12.5);
    EXPECT_EQ(TextToFloat("12,5", ','), 12.5);
    EXPECT_EQ(TextToFloat("-0.25", '.'), -0.25);
    EXPECT_EQ(TextToFloat("+3", '.'), 3);
    EXPECT_EQ(TextToFloat(" 7 ", '.'), 7);
    EXPECT_EQ(TextToFloat(".5", '.'), 0.5);
    EXPECT_EQ(TextToFloat("5.", '.'), 5);
    EXPECT_EQ(TextToFloat("1.5E3", '.'), 1500);
    EXPECT_EQ(TextToFloat("2e-2", '.'), 0.02);
}

TEST(TextToFloat, RefusesWhatIsNotAPlainNumber) {
    for (const char* bad : {"", "   ", "nan", "NaN", "inf", "-inf", "infinity", "0x1p3", "1,5",
                            "1.000,5", "1 000", "12a", "e5", "1e", "--1", ".", "1e400"}) {
        EXPECT_THROW(TextToFloat(bad, '.'), ConversionError) << bad;
    }
    EXPECT_THROW(TextToFloat("1.5", ','), ConversionError);
}

TEST(TextToFloat, ErrorTextQuotesTheOffendingText) {
    try {
        TextToFloat("12a", '.');
        FAIL();
    } catch (const ConversionError& error) {
        EXPECT_STREQ(error.what(), "'12a' is not a valid floating point value");
    }
}

TEST(FileTextToFloat, AcceptsPointOrComma) {
    EXPECT_EQ(FileTextToFloat("12.5"), 12.5);
    EXPECT_EQ(FileTextToFloat("12,5"), 12.5);
    EXPECT_THROW(FileTextToFloat("1,000.5"), ConversionError);
}

TEST(FormatFloat, CoordinatePatternRoundsToThreeDecimalsAndDropsZeros) {
    EXPECT_EQ(FormatFloat("0.###", 12.5), "12.5");
    EXPECT_EQ(FormatFloat("0.###", 40), "40");
    EXPECT_EQ(FormatFloat("0.###", 0.1236), "0.124");
    EXPECT_EQ(FormatFloat("0.###", -2.5), "-2.5");
    EXPECT_EQ(FormatFloat("0.###", 0.25), "0.25");
    EXPECT_EQ(FormatFloat("0.###", 2.0005), "2.001");   // half away from zero on the decimals
    EXPECT_EQ(FormatFloat("0.###", -2.0005), "-2.001"); // ... on both sides of zero
    EXPECT_EQ(FormatFloat("0.###", 9.9996), "10");
    EXPECT_EQ(FormatFloat("0.###", 12.5, ','), "12,5");
}

TEST(FormatFloat, NeverWritesMinusZero) {
    EXPECT_EQ(FormatFloat("0.###", -0.0001), "0");
    EXPECT_EQ(FormatFloat("0.###", -0.0), "0");
    EXPECT_EQ(FormatFloat("0000", -0.4), "0000");
}

TEST(FormatFloat, FixedAndIntegerPatterns) {
    EXPECT_EQ(FormatFloat("0.##", 3.14159), "3.14");
    EXPECT_EQ(FormatFloat("0.##", 2), "2");
    EXPECT_EQ(FormatFloat("0.0", 5.025), "5.0");
    EXPECT_EQ(FormatFloat("0.0", 4.75), "4.8");
    EXPECT_EQ(FormatFloat("0.00", 83.456), "83.46");
    EXPECT_EQ(FormatFloat("0.00", 512.3), "512.30");
    EXPECT_EQ(FormatFloat("0.000", 12.5), "12.500");
    EXPECT_EQ(FormatFloat("0000", 5), "0005");
    EXPECT_EQ(FormatFloat("0000", 800), "0800");
    EXPECT_EQ(FormatFloat("0000", 12000), "12000");
    EXPECT_EQ(FormatFloat("0000", 999.6), "1000");
    EXPECT_EQ(FormatFloat("0.###", 1e20), "100000000000000000000");
    EXPECT_EQ(FormatFloat("0.###", 1e-20), "0");
}

TEST(FormatFloat, RefusesInfinityNanAndUnknownPatterns) {
    EXPECT_THROW(FormatFloat("0.###", std::numeric_limits<double>::infinity()), ArithmeticError);
    EXPECT_THROW(FormatFloat("0.###", std::nan("")), ArithmeticError);
    EXPECT_THROW(FormatFloat("#.#", 1), std::invalid_argument);
}

TEST(FloatToText, ShortestTextThatReadsBack) {
    EXPECT_EQ(FloatToText(0), "0");
    EXPECT_EQ(FloatToText(80), "80");
    EXPECT_EQ(FloatToText(-12.5), "-12.5");
    EXPECT_EQ(FloatToText(0.1), "0.1");
    EXPECT_EQ(FloatToText(0.0001), "0.0001");
    EXPECT_EQ(FloatToText(0.00001), "1E-5");
    EXPECT_EQ(FloatToText(1.5e20), "1.5E20");
    EXPECT_EQ(FloatToText(123456789012345.0), "123456789012345");
    EXPECT_EQ(FloatToText(0.1 + 0.2), "0.3"); // at most 15 significant digits
    EXPECT_EQ(FloatToText(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(FloatToText(2.5, ','), "2,5");
    EXPECT_THROW(FloatToText(std::nan("")), ArithmeticError);
}

TEST(FloatToText, RoundTripsThroughTheReader) {
    for (double v : {1.0 / 7, 12.345678901, -1e-7, 6.02e23, 0.7071067811865476, 1e15, 99999.5}) {
        double back = FileTextToFloat(FloatToText(v));
        EXPECT_NEAR(back, v, std::fabs(v) * 1e-14) << FloatToText(v);
    }
    EXPECT_EQ(FileTextToFloat(FloatToText(0.1)), 0.1);
}

TEST(SafeDivide, RefusesZeroDivisorsAndOverflow) {
    EXPECT_EQ(SafeDivide(1, 4), 0.25);
    EXPECT_THROW(SafeDivide(1, 0), ArithmeticError);
    EXPECT_THROW(SafeDivide(1e300, 1e-300), ArithmeticError);
}
