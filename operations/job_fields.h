#pragma once

#include "toolpath/job.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace torvex {

// The texts of the roughing window's fields, as typed (or as the batch tool's options give them).
struct TRoughingFields {
    std::string SafeZ;             // e1
    std::string Offset;            // e2
    std::string FinishingRest;     // e6
    std::string CuttingDepth;      // e3
    std::string TransversalSpeed;  // e4
    std::string LongitudinalSpeed; // e5
    std::string TurningSpeed;      // e7
    std::string SurfaceSpeed;      // e8, m/min, empty for none
    std::string MaxSpindleSpeed;   // e9, rev/min
};

// The texts of the finishing window's fields.
struct TFinishingFields {
    std::string SafeZ;           // e1
    std::string Offset;          // e2
    std::string StartXOffset;    // e3
    std::string CuttingSpeed;    // e4
    std::string TurningSpeed;    // e5
    std::string SurfaceSpeed;    // e6
    std::string MaxSpindleSpeed; // e7
};

// The job the fields ask for, with the operations in queue order and the two tools. Every field
// the job needs is converted, in the window's reading order, with the given decimal separator,
// and checked: a text that is not a number throws ConversionError, a depth, feed, speed or safe
// distance that is not above 0 or an offset, rest or approach below 0 throws OperationError naming
// the field. Without operations the depth and rest (roughing) or the approach (finishing) are not
// read. The surface speed and its maximum are read last, both empty for none (CheckedSurfaceSpeed).
RoughingJob RoughingJobOf(const TRoughingFields& fields, std::vector<RoughingOperation> operations,
                          JobTool left, JobTool right, char decimalSeparator);
FinishingJob FinishingJobOf(const TFinishingFields& fields,
                            std::vector<FinishingOperation> operations, JobTool left, JobTool right,
                            char decimalSeparator);

inline constexpr const char* SurfaceSpeedWithoutMaximumText =
    "A surface speed needs a maximum spindle speed: near the axis the spindle would turn ever "
    "faster. Type the Max spindle speed too.";
inline constexpr const char* MaximumWithoutSurfaceSpeedText =
    "A maximum spindle speed only limits a surface speed: type the Surface speed too, or leave "
    "the Max spindle speed empty.";

// The constant surface speed of a job: none when neither value is given. A surface speed without
// its maximum, or a maximum without a surface speed, throws OperationError with the texts above;
// so does either value not above 0, naming it.
std::optional<SurfaceSpeed> CheckedSurfaceSpeed(std::optional<double> metresPerMinute,
                                                std::optional<double> maxSpindleSpeed);

// How a value a machine depends on must lie: above 0 (depths, feeds, speeds, the safe distance),
// not below it (offsets, rests, approaches), or either side (a position).
enum class Sign : uint8_t { Positive, NotNegative, Any };

// The value when it lies as the sign says; otherwise OperationError "<name> must be greater than
// 0." or "<name> must not be negative.".
double CheckedValue(double value, const char* name, Sign sign);
// A length as CheckedValue, and no farther than LengthLimit from 0: "<name> must not exceed 10000
// mm.".
double CheckedLength(double value, const char* name, Sign sign);

// The parameter lines the toolpath tree shows under "Parameters" ("SafeZ : 5", ...), the numbers
// with the given decimal separator.
std::vector<std::string> ParameterTexts(const MachiningJob& job, char decimalSeparator);

} // namespace torvex
