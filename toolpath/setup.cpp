#include "toolpath/setup.h"

#include "geometry/shaft.h"

#include <algorithm>

namespace torvex {

double JawFaceOf(const Setup& setup, const TShaft& stock) {
    if (setup.JawFace)
        return *setup.JawFace;
    return stock.Points.Empty() ? 0 : stock.Points[0].X;
}

std::optional<double> MachiningLimit(const Setup& setup, const TShaft& stock) {
    if (setup.Holding != WorkHolding::Chuck)
        return std::nullopt;
    return JawFaceOf(setup, stock) + setup.JawClearance;
}

std::optional<double> TipLimit(const Setup& setup, const TShaft& stock, const TModel& knife) {
    std::optional<double> limit = MachiningLimit(setup, stock);
    if (!limit)
        return limit;
    double reach = 0;
    for (const TPunct& p : knife.Points)
        reach = std::max(reach, -p.X);
    return *limit + reach;
}

double ProgramZeroX(const Setup& setup, const TShaft& part) {
    if (setup.Zero != ProgramZero::FreeEnd || part.Points.Empty())
        return 0;
    return part.Points.Last().X;
}

} // namespace torvex
