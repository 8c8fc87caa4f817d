#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace torvex {

// The NC blocks the program writes, as values: what each block does and with which numbers. A
// block names the axes the lathe way: its X word carries the radius (profile y) and its Z word the
// axial position (profile x). The text of a block is one output stage over these values
// (GenericText); the makers below refuse a value that is not finite with ArithmeticError, so no
// block ever carries inf or NaN.

// The turning sense of an arc move, seen with Z to the right and X upwards.
enum class ArcTurn { Clockwise, CounterClockwise };

enum class BlockKind : uint8_t {
    RapidXZ,      // "N0010 G00 X35 Z-2": rapid move to a point
    RapidZ,       // "N0050 G00 Z-2": rapid move along the axis
    RapidX,       // "N0050 G00 X60": rapid radial move
    RapidXFeed,   // "N0020 G00 X10 F120": rapid radial approach that sets the feed after it
    FeedX,        // "N0020 G01 X28 F100": radial feed move
    FeedZ,        // "N0030 G01 Z82 F200": axial feed move
    FeedXZ,       // "N0040 G01 X30 Z80 F200": two-axis feed move
    FeedXThenZ,   // "N0040 G01 X10 G01 Z50 F120": two-axis feed move of the left-side contours
    Arc,          // "N0070 G02 X20 Z12 R3 F200" (G03 counter-clockwise), the F word optional
    ThreadZ,      // "N0060 G33 Z42 K1.5": an axial move in step with the spindle, K its pitch
    ToolChange,   // "N0010 M06 T3"
    SpindleStart, // "N0001 M03  S1200" (M04 anti-clockwise)
    SpindleStop,  // "N0125 M05"
    CoolantOn,    // "N0002 M08"
    CoolantOff,   // "N0130 M09"
    DoorOpen,     // "N0135 M39": the program's own code; each control writes its own
    // The radial and then the axial return to the machine's own tool change position; each
    // control writes its own codes.
    MachineReturnX,
    MachineReturnZ,
};

// What a threading cycle cuts, carried by the first block of its passes: a control with a cycle of
// its own writes the cycle there in place of the passes, which the program's own text writes out.
// The cycle starts where the block before it left the tool: on the drive line, before the thread.
struct ThreadCycle {
    double DriveX = 0; // the radius the passes start from and return to
    double EndZ = 0;   // where every pass ends and retracts
    double Pitch = 0;  // mm per turn
    double Crest = 0;  // the thread's major radius
    double FirstCut = 0;
    double Depth = 0; // radial, from the crest to the root
    double MinimumCut = 0;
    int SpringPasses = 0;
    double InfeedAngle = 0; // degrees: each pass enters this far from the radial, along the flank
};

// Constant surface speed: the spindle turns as fast as the cut's radius needs for the cutting edge
// to run at this speed, but never faster than the maximum.
struct SurfaceSpeed {
    double MetresPerMinute = 0;
    double MaxSpindleSpeed = 0; // rev/min
    friend bool operator==(const SurfaceSpeed&, const SurfaceSpeed&) = default;
};

struct NcBlock {
    BlockKind Kind = BlockKind::SpindleStop;
    int32_t Number = 0;
    double X = 0; // radius
    double Z = 0; // axial position
    double R = 0; // arc radius
    // An arc's centre, which the controls that take it (offsets I and K from the start) are given
    // instead of R: near a half circle the centre a control finds from R and the rounded ends
    // moves far from the arc's own.
    double CentreX = 0; // radius
    double CentreZ = 0; // axial position
    double F = 0;       // feed, mm/min
    bool HasFeed = false;
    ArcTurn Turn = ArcTurn::Clockwise;
    int Tool = 0;               // tool position of a tool change
    bool AntiClockwise = false; // spindle start
    double Speed = 0;           // spindle start, rev/min
    double Lead = 0;            // a ThreadZ move's travel per turn, mm
    // A move of a threading cycle's passes; the first of them carries the cycle.
    bool InCycle = false;
    std::optional<ThreadCycle> Cycle;
    // A spindle start at constant surface speed; the controls that offer it write it instead of
    // Speed, the generic program does not.
    std::optional<SurfaceSpeed> Surface;
};

// Whether the block moves at the rapid traverse.
bool IsRapid(BlockKind kind);

NcBlock RapidXZBlock(int32_t blockNo, double x, double z);
NcBlock RapidZBlock(int32_t blockNo, double z);
NcBlock RapidXBlock(int32_t blockNo, double x);
NcBlock RapidXFeedBlock(int32_t blockNo, double x, double feed);
NcBlock FeedXBlock(int32_t blockNo, double x, double feed);
NcBlock FeedZBlock(int32_t blockNo, double z, double feed);
NcBlock FeedXZBlock(int32_t blockNo, double x, double z, double feed);
NcBlock FeedXThenZBlock(int32_t blockNo, double x, double z, double feed);
// An arc to (x, z) about (centreX, centreZ) with that radius: the centre lies at the radius from
// both ends.
NcBlock ArcBlock(int32_t blockNo, ArcTurn turn, double x, double z, double centreX, double centreZ,
                 double radius, std::optional<double> feed = std::nullopt);
NcBlock ThreadZBlock(int32_t blockNo, double z, double lead);
// The block as the first move of a threading cycle's passes, carrying the cycle.
NcBlock CarryingCycle(NcBlock block, const ThreadCycle& cycle);
NcBlock ToolChangeBlock(int32_t blockNo, int tool);
NcBlock SpindleStartBlock(int32_t blockNo, bool antiClockwise, double turningSpeed,
                          std::optional<SurfaceSpeed> surface = std::nullopt);
// A block of one M word (the spindle stop, the coolant on or off, the door) or a return to the
// machine's tool change position: a kind and a number.
NcBlock MCodeBlock(int32_t blockNo, BlockKind kind);
// The M word of such a block as the program writes it ("M05").
const char* MCodeText(BlockKind kind);

// The block with every Z word measured from `zeroAt`: its end, an arc's centre, a cycle's end.
NcBlock MeasuredFrom(NcBlock block, double zeroAt);

// "N0010": the block number padded to at least four digits.
std::string BlockNumberText(int32_t blockNo);
// A coordinate, radius or feed: at most three decimals, trailing zeros dropped, decimal point.
std::string NCNumberText(double value);

// The block as the program has always written it (the examples above); the spindle speed is
// rounded to a whole number of at least four digits.
std::string GenericText(const NcBlock& block);

} // namespace torvex
