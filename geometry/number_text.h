#pragma once

#include <string>
#include <string_view>

namespace torvex {

// Every number the program shows or writes goes through here, so that files and NC blocks carry a
// decimal point whatever the machine's regional settings.

// Converts text that uses the given decimal separator. Blanks around the number are allowed; an
// exponent ("1.5E3") is allowed; "nan", "inf", hexadecimal floats, empty text, thousands
// separators and values out of the range of a double throw ConversionError.
double TextToFloat(std::string_view text, char decimalSeparator);

// Converts a value read from a file: a decimal point or a decimal comma, whichever the writer used.
double FileTextToFloat(std::string_view text);

// Formats with one of the patterns "0.###", "0.##", "0.0", "0.00", "0.000" (at least one digit
// before the separator, up to as many decimals as the pattern has places, rounded half away from
// zero, trailing '#' places dropped) or "0000" (a whole number padded to at least four digits).
// A value that rounds to zero never prints a minus sign. Throws std::invalid_argument for another
// pattern and ArithmeticError for inf or NaN.
std::string FormatFloat(std::string_view pattern, double value, char decimalSeparator = '.');

// The general format: the shortest text of at most 15 significant digits that reads back to the
// value (to 15 digits when the value needs more); exponent notation ("1E-5", "1.5E20") below
// 1E-4 and from 1E15 on. Throws ArithmeticError for inf or NaN.
std::string FloatToText(double value, char decimalSeparator = '.');

} // namespace torvex
