#include "geometry/number_text.h"
#include "platform/errors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <iomanip>
#include <limits>
#include <random>

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

namespace {

// The plain way to "0.###" and its kin: the value's fifteen significant digits, rounded half away
// from zero at the last place, trailing zeros dropped down to the pattern's fixed places.
std::string PlainFormat(double value, int maxDecimals, int minDecimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
    std::string text(buffer);
    std::string digits = text.substr(0, 1) + text.substr(2, 14);
    int pointPos = std::stoi(text.substr(17)) + 1;
    if (pointPos < 0) {
        digits.insert(0, static_cast<size_t>(-pointPos), '0');
        pointPos = 0;
    }
    // Pad so that the rounding place exists, then round there.
    int keep = pointPos + maxDecimals;
    while (static_cast<int>(digits.size()) <= keep)
        digits += '0';
    bool up = digits[static_cast<size_t>(keep)] >= '5';
    digits.resize(static_cast<size_t>(keep));
    digits.insert(0, "0");
    ++pointPos;
    for (int i = keep; up && i >= 0; --i) {
        if (digits[static_cast<size_t>(i)] == '9') {
            digits[static_cast<size_t>(i)] = '0';
        } else {
            ++digits[static_cast<size_t>(i)];
            up = false;
        }
    }
    std::string integer = digits.substr(0, static_cast<size_t>(std::max(pointPos, 0)));
    integer.erase(0, std::min(integer.find_first_not_of('0'), integer.size() - 1));
    if (integer.empty())
        integer = "0";
    std::string fraction = digits.substr(static_cast<size_t>(std::max(pointPos, 0)));
    while (static_cast<int>(fraction.size()) > minDecimals && fraction.back() == '0')
        fraction.pop_back();
    bool zero = integer == "0" && fraction.find_first_not_of('0') == std::string::npos;
    return (value < 0 && !zero ? "-" : "") + integer + (fraction.empty() ? "" : "." + fraction);
}

} // namespace

TEST(FormatFloat, AgreesWithRoundingTheFifteenSignificantDigits) {
    std::mt19937_64 random(99);
    std::uniform_real_distribution<double> magnitude(-8, 10);
    std::uniform_int_distribution<int> thousandths(-2000000, 2000000);
    for (int i = 0; i < 200000; ++i) {
        // Arbitrary values, and values on or next to exact halves of the last place.
        double v = i % 2 ? std::pow(10.0, magnitude(random)) * (i % 4 == 1 ? 1 : -1)
                         : thousandths(random) / 2000.0 + (i % 6) * 1e-13;
        ASSERT_EQ(FormatFloat("0.###", v), PlainFormat(v, 3, 0)) << std::setprecision(17) << v;
        ASSERT_EQ(FormatFloat("0.##", v), PlainFormat(v, 2, 0)) << std::setprecision(17) << v;
        ASSERT_EQ(FormatFloat("0.00", v), PlainFormat(v, 2, 2)) << std::setprecision(17) << v;
    }
}
