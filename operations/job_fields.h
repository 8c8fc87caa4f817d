#pragma once

#include "toolpath/job.h"

#include <array>
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

// What the user calls the two tools' knives and numbers where a job comes from, left then right:
// the windows' tool slots, or the batch tool's options.
struct ToolCaptions {
    std::array<const char*, 2> Knife;
    std::array<const char*, 2> Number;
    bool OneTool = false; // a job with one tool: "the tool", not "the left tool"
};
inline constexpr ToolCaptions SlotCaptions{{"LTool :", "RTool :"}, {"LTool :", "RTool :"}};
inline constexpr ToolCaptions GroovingSlotCaptions{
    {"Tool :", "Tool :"}, {"Tool :", "Tool :"}, true};
inline constexpr ToolCaptions ThreadingSlotCaptions = GroovingSlotCaptions;

// "No knife for the left tool (LTool :): a queued operation needs it.", and the like for a tool
// without a number; `needs` names what needs the tool.
std::string NoKnifeText(ToolSide side, const ToolCaptions& captions,
                        const char* needs = "a queued operation");
std::string NoToolNumberText(ToolSide side, const ToolCaptions& captions,
                             const char* needs = "a queued operation");
// Refuses, with OperationError and one of those texts, a job whose queued operation (a thread:
// the thread) needs a tool without a knife or a number.
void RequireTools(const MachiningJob& job, const ToolCaptions& captions);

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

// The texts of the threading window's fields.
struct TThreadingFields {
    std::string From;         // e1
    std::string To;           // e2
    std::string Pitch;        // e3
    std::string Depth;        // e4, empty for an ISO metric thread's
    std::string FirstCut;     // e5, empty for a third of the depth
    std::string MinimumCut;   // e6, empty for 0.05
    std::string SpringPasses; // e7, empty for 1
    std::string InfeedAngle;  // e8, empty for 29.5
    std::string SafeZ;        // e9
    std::string TurningSpeed; // e10
};

// The job the fields ask for, with the operations in queue order and the two tools. Every field
// the job needs is converted, in the window's reading order, with the given decimal separator,
// and checked: a text that is not a number throws ConversionError naming the field first, a
// depth, feed, speed or safe distance that is not above 0 or an offset, rest or approach below 0
// throws OperationError naming the field. Without operations the depth and rest (roughing) or the
// approach (finishing) are not read. Then each tool a queued operation works with must have a
// knife and a library position for its number: else OperationError with NoKnifeText or
// NoToolNumberText, so that no program calls a tool that is not there (T0).
// The surface speed and its maximum are read last, both empty for none (CheckedSurfaceSpeed).
RoughingJob RoughingJobOf(const TRoughingFields& fields, std::vector<RoughingOperation> operations,
                          JobTool left, JobTool right, char decimalSeparator,
                          const ToolCaptions& captions = SlotCaptions);
FinishingJob FinishingJobOf(const TFinishingFields& fields,
                            std::vector<FinishingOperation> operations, JobTool left, JobTool right,
                            char decimalSeparator, const ToolCaptions& captions = SlotCaptions);

// The grooving job likewise, with its one tool: the plunge and turning speeds and Safe Z always;
// the peck depth with any operation; the finishing speed, the rest and the step (none when empty)
// with "Grooves"; the part-off position (any number) and the final radius with "Part off".
GroovingJob GroovingJobOf(const TGroovingFields& fields, std::vector<GroovingOperation> operations,
                          JobTool tool, char decimalSeparator,
                          const ToolCaptions& captions = GroovingSlotCaptions);

// The threading job likewise, with its one tool: the positions (any number), the pitch, depths and
// minimum cut (above 0; the depths and the optional fields empty for their defaults), the spring
// passes (a whole number, 0 to 99), the infeed angle (0 to 45 degrees), Safe Z and the turning
// speed. What depends on the part (the cylinder, the first cut against the depth) is refused
// where the toolpath is built.
ThreadingJob ThreadingJobOf(const TThreadingFields& fields, JobTool tool, char decimalSeparator,
                            const ToolCaptions& captions = ThreadingSlotCaptions);

// How many spring passes a control's cycle takes, and the largest infeed angle, in degrees.
inline constexpr int MostSpringPasses = 99;
inline constexpr double LargestInfeedAngle = 45;
// Throws OperationError unless the spring passes are a whole number from 0 to MostSpringPasses
// and the infeed angle lies from 0 to LargestInfeedAngle.
void RequireThreadingCounts(double springPasses, double infeedAngle);
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
