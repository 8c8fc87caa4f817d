#pragma once

#include "toolpath/job.h"

#include <cstdint>
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
};

// The texts of the finishing window's fields.
struct TFinishingFields {
    std::string SafeZ;        // e1
    std::string Offset;       // e2
    std::string StartXOffset; // e3
    std::string CuttingSpeed; // e4
    std::string TurningSpeed; // e5
};

// The texts of the grooving and parting window's fields.
struct TGroovingFields {
    std::string SafeZ;          // e1
    std::string FinishingRest;  // e2
    std::string Step;           // e3, empty for 80% of the knife's cutting width
    std::string PeckDepth;      // e4
    std::string PlungeSpeed;    // e5
    std::string FinishingSpeed; // e6
    std::string TurningSpeed;   // e7
    std::string PartOffAt;      // e8
    std::string FinalRadius;    // e9
};

// The job the fields ask for, with the operations in queue order and the two tools. Every field
// the job needs is converted, in the window's reading order, with the given decimal separator,
// and checked: a text that is not a number throws ConversionError, a depth, feed, speed or safe
// distance that is not above 0 or an offset, rest or approach below 0 throws OperationError naming
// the field. Without operations the depth and rest (roughing) or the approach (finishing) are not
// read.
RoughingJob RoughingJobOf(const TRoughingFields& fields, std::vector<RoughingOperation> operations,
                          JobTool left, JobTool right, char decimalSeparator);
FinishingJob FinishingJobOf(const TFinishingFields& fields,
                            std::vector<FinishingOperation> operations, JobTool left, JobTool right,
                            char decimalSeparator);
// The grooving job likewise, with its one tool: the plunge and turning speeds and Safe Z always;
// the peck depth with any operation; the finishing speed, the rest and the step (none when empty)
// with "Grooves"; the part-off position (any number) and the final radius with "Part off".
GroovingJob GroovingJobOf(const TGroovingFields& fields, std::vector<GroovingOperation> operations,
                          JobTool tool, char decimalSeparator);

// How a value a machine depends on must lie: above 0 (depths, feeds, speeds, the safe distance)
// or not below it (offsets, rests, approaches).
enum class Sign : uint8_t { Positive, NotNegative };

// The value when it lies as the sign says; otherwise OperationError "<name> must be greater than
// 0." or "<name> must not be negative.".
double CheckedValue(double value, const char* name, Sign sign);

// The parameter lines the toolpath tree shows under "Parameters" ("SafeZ : 5", ...), the numbers
// with the given decimal separator.
std::vector<std::string> ParameterTexts(const MachiningJob& job, char decimalSeparator);

} // namespace torvex
