#pragma once

#include <stdexcept>
#include <string>

namespace torvex {

// Text that is not a number where a number is expected (a field, a value of an element record).
class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(const std::string& text)
        : std::runtime_error("'" + text + "' is not a valid floating point value"), Text(text) {}
    // The same error with its field named first: "Cutting depth : '' is not a valid floating
    // point value".
    ConversionError(const std::string& field, const ConversionError& error)
        : std::runtime_error(field + " : " + error.what()), Text(error.Text) {}
    std::string Text;
};

// A division by zero or an impossible intersection: never let it become inf or NaN.
class ArithmeticError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file that cannot be opened, read or written; the message names the file.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Every length and coordinate lies within this distance of the origin, mm (10 m): no lathe reaches
// farther, and the knife check's integer geometry is exact up to there.
inline constexpr double LengthLimit = 10000;

// A length or coordinate beyond LengthLimit; the text names it.
class RangeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* DivisionByZeroText = "Floating point division by zero";

// Divides, refusing a zero divisor and any result that is not finite.
double SafeDivide(double numerator, double denominator);

} // namespace torvex
