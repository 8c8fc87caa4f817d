#include "geometry/number_text.h"

#include "platform/errors.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <system_error>

namespace torvex {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// Rewrites a decimal number in the given separator to the plain form from_chars reads, or returns
// false when the text is not such a number.
bool NormaliseNumber(std::string_view text, char separator, std::string& out) {
    out.clear();
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-')
            out += '-';
        ++i;
    }
    size_t mantissaDigits = 0;
    while (i < text.size() && IsDigit(text[i])) {
        out += text[i++];
        ++mantissaDigits;
    }
    if (i < text.size() && text[i] == separator) {
        out += '.';
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            out += text[i++];
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        out += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            out += text[i++];
        size_t exponentDigits = 0;
        while (i < text.size() && IsDigit(text[i])) {
            out += text[i++];
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return false;
    }
    return i == text.size();
}

// A finite value as decimal digits: Value = 0.Digits x 10^PointPos, Digits without trailing zeros
// ("" for zero).
struct DecimalDigits {
    bool Negative = false;
    std::string Digits;
    int PointPos = 0;
};

DecimalDigits ToDecimal(double value, int significantDigits) {
    DecimalDigits result;
    result.Negative = std::signbit(value);
    if (value == 0)
        return result;
    char buffer[64];
    auto conversion = significantDigits > 0
                          ? std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                          std::chars_format::scientific, significantDigits - 1)
                          : std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                          std::chars_format::scientific);
    std::string_view text(buffer, static_cast<size_t>(conversion.ptr - buffer));
    size_t e = text.find('e');
    for (size_t i = 0; i < e; ++i)
        if (IsDigit(text[i]))
            result.Digits += text[i];
    int exponent = 0;
    std::from_chars(text.data() + e + 1 + (text[e + 1] == '+' ? 1 : 0), text.data() + text.size(),
                    exponent);
    result.PointPos = exponent + 1;
    while (!result.Digits.empty() && result.Digits.back() == '0')
        result.Digits.pop_back();
    return result;
}

// The fifteen significant digits the program works with, or fewer when they read back the same.
DecimalDigits ShortestDecimal(double value) {
    DecimalDigits shortest = ToDecimal(value, 0);
    if (shortest.Digits.size() > 15)
        return ToDecimal(value, 15);
    return shortest;
}

// Rounds to the given number of decimals, halves away from zero.
void RoundToDecimals(DecimalDigits& number, int decimals) {
    int keep = number.PointPos + decimals;
    if (keep >= static_cast<int>(number.Digits.size()))
        return;
    if (keep < 0) {
        number.Digits.clear();
        return;
    }
    bool roundUp = number.Digits[static_cast<size_t>(keep)] >= '5';
    number.Digits.resize(static_cast<size_t>(keep));
    if (roundUp) {
        int i = keep - 1;
        while (i >= 0 && number.Digits[static_cast<size_t>(i)] == '9') {
            number.Digits[static_cast<size_t>(i)] = '0';
            --i;
        }
        if (i >= 0) {
            ++number.Digits[static_cast<size_t>(i)];
        } else {
            number.Digits.insert(number.Digits.begin(), '1');
            ++number.PointPos;
        }
    }
    while (!number.Digits.empty() && number.Digits.back() == '0')
        number.Digits.pop_back();
}

std::string IntegerPart(const DecimalDigits& number) {
    if (number.PointPos <= 0 || number.Digits.empty())
        return "0";
    std::string part = number.Digits.substr(
        0, std::min(number.Digits.size(), static_cast<size_t>(number.PointPos)));
    part.append(static_cast<size_t>(number.PointPos) - part.size(), '0');
    return part;
}

std::string FractionPart(const DecimalDigits& number) {
    if (number.Digits.empty())
        return "";
    std::string part;
    if (number.PointPos < 0)
        part.append(static_cast<size_t>(-number.PointPos), '0');
    size_t start = static_cast<size_t>(std::max(number.PointPos, 0));
    if (start < number.Digits.size())
        part += number.Digits.substr(start);
    return part;
}

// Rounds |value| to `decimals` places straight from its binary value where that gives the same
// digits as rounding its fifteen significant digits: the value is small enough for the scaled
// value to be exact to far below a unit, and not within a thousandth of a half, where the two
// roundings could differ (2.0005 is stored as 2.000499999...). Returns false otherwise.
bool RoundedQuickly(double value, int decimals, DecimalDigits& number) {
    static constexpr double Scales[] = {1, 10, 100, 1000};
    double scaled = std::fabs(value) * Scales[decimals];
    if (!(scaled < 1e9))
        return false;
    double whole = std::floor(scaled);
    double fraction = scaled - whole;
    if (std::fabs(fraction - 0.5) < 1e-3)
        return false;
    auto rounded = static_cast<uint64_t>(fraction > 0.5 ? whole + 1 : whole);
    number.Negative = std::signbit(value);
    number.Digits.clear();
    number.PointPos = 0;
    if (rounded == 0)
        return true;
    char buffer[24];
    auto end = std::to_chars(buffer, buffer + sizeof buffer, rounded).ptr;
    number.Digits.assign(buffer, end);
    number.PointPos = static_cast<int>(number.Digits.size()) - decimals;
    while (!number.Digits.empty() && number.Digits.back() == '0')
        number.Digits.pop_back();
    return true;
}

void RequireFinite(double value) {
    if (!std::isfinite(value))
        throw ArithmeticError("Invalid floating point operation");
}

} // namespace

double TextToFloat(std::string_view text, char decimalSeparator) {
    std::string_view trimmed = TrimBlanks(text);
    // With a decimal point and no plus sign the plain form is the text itself: read in place
    // (the files' numbers, many thousand of them), whatever it refuses is read the long way.
    if (decimalSeparator == '.' && !trimmed.empty() && trimmed.front() != '+') {
        double value = 0;
        auto [end, error] = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), value);
        if (error == std::errc() && end == trimmed.data() + trimmed.size() && std::isfinite(value))
            return value;
    }
    std::string normalised;
    if (!NormaliseNumber(trimmed, decimalSeparator, normalised))
        throw ConversionError(std::string(text));
    double value = 0;
    auto [end, error] =
        std::from_chars(normalised.data(), normalised.data() + normalised.size(), value);
    if (error != std::errc() || end != normalised.data() + normalised.size() ||
        !std::isfinite(value))
        throw ConversionError(std::string(text));
    return value;
}

double FileTextToFloat(std::string_view text) {
    bool comma = text.find(',') != std::string_view::npos;
    bool point = text.find('.') != std::string_view::npos;
    return TextToFloat(text, comma && !point ? ',' : '.');
}

std::string FormatFloat(std::string_view pattern, double value, char decimalSeparator) {
    RequireFinite(value);
    int minDecimals = 0;
    int maxDecimals = 0;
    size_t minIntegerDigits = 1;
    if (pattern == "0.###") {
        maxDecimals = 3;
    } else if (pattern == "0.##") {
        maxDecimals = 2;
    } else if (pattern == "0.0") {
        minDecimals = maxDecimals = 1;
    } else if (pattern == "0.00") {
        minDecimals = maxDecimals = 2;
    } else if (pattern == "0.000") {
        minDecimals = maxDecimals = 3;
    } else if (pattern == "0000") {
        minIntegerDigits = 4;
    } else {
        throw std::invalid_argument("unknown number pattern '" + std::string(pattern) + "'");
    }
    DecimalDigits number;
    if (!RoundedQuickly(value, maxDecimals, number)) {
        number = ToDecimal(value, 15);
        RoundToDecimals(number, maxDecimals);
    }
    std::string integer = IntegerPart(number);
    if (integer.size() < minIntegerDigits)
        integer.insert(0, minIntegerDigits - integer.size(), '0');
    std::string fraction = FractionPart(number);
    if (static_cast<int>(fraction.size()) < minDecimals)
        fraction.append(static_cast<size_t>(minDecimals) - fraction.size(), '0');
    std::string text = number.Negative && !number.Digits.empty() ? "-" : "";
    text += integer;
    if (!fraction.empty()) {
        text += decimalSeparator;
        text += fraction;
    }
    return text;
}

std::string FloatToText(double value, char decimalSeparator) {
    RequireFinite(value);
    if (value == 0)
        return "0";
    DecimalDigits number = ShortestDecimal(value);
    std::string text = number.Negative ? "-" : "";
    int exponent = number.PointPos - 1;
    if (exponent >= -4 && exponent < 15) {
        text += IntegerPart(number);
        std::string fraction = FractionPart(number);
        if (!fraction.empty()) {
            text += decimalSeparator;
            text += fraction;
        }
        return text;
    }
    text += number.Digits[0];
    if (number.Digits.size() > 1) {
        text += decimalSeparator;
        text += number.Digits.substr(1);
    }
    text += 'E';
    text += std::to_string(exponent);
    return text;
}

} // namespace torvex
