#include "platform/errors.h"

#include <cmath>

namespace torvex {

double SafeDivide(double numerator, double denominator) {
    if (denominator == 0)
        throw ArithmeticError(DivisionByZeroText);
    double result = numerator / denominator;
    if (!std::isfinite(result))
        throw ArithmeticError("Floating point overflow");
    return result;
}

} // namespace torvex
