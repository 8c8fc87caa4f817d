#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace torvex {

// The text of every NC block the program writes. A block names the axes the lathe way: its X word
// carries the radius (profile y) and its Z word the axial position (profile x). Numbers are
// written "0.###" with a decimal point, block numbers "0000"; a value that is not finite throws
// ArithmeticError, so no block ever carries inf or NaN.

// "N0010": the block number padded to at least four digits.
std::string BlockNumberText(int32_t blockNo);
// A coordinate, radius or feed: at most three decimals, trailing zeros dropped.
std::string NCNumberText(double value);

// The turning sense of an arc move, seen with Z to the right and X upwards.
enum class ArcTurn { Clockwise, CounterClockwise };

// "N0010 G00 X35 Z-2": rapid move to a point.
std::string RapidXZBlock(int32_t blockNo, double x, double z);
// "N0050 G00 Z-2": rapid move along the axis.
std::string RapidZBlock(int32_t blockNo, double z);
// "N0020 G00 X10 F120": rapid radial approach that sets the feed for the blocks after it.
std::string RapidXFeedBlock(int32_t blockNo, double x, double feed);
// "N0020 G01 X28 F100": radial feed move.
std::string FeedXBlock(int32_t blockNo, double x, double feed);
// "N0030 G01 Z82 F200": axial feed move.
std::string FeedZBlock(int32_t blockNo, double z, double feed);
// "N0040 G01 X30 Z80 F200": two-axis feed move.
std::string FeedXZBlock(int32_t blockNo, double x, double z, double feed);
// "N0040 G01 X10 G01 Z50 F120": two-axis feed move of the left-side contour passes.
std::string FeedXThenZBlock(int32_t blockNo, double x, double z, double feed);
// "N0070 G02 X20 Z12 R3 F200", or without the F word when no feed is given: G02 for a clockwise
// arc, G03 for a counter-clockwise one.
std::string ArcBlock(int32_t blockNo, ArcTurn turn, double x, double z, double radius,
                     std::optional<double> feed = std::nullopt);

// "N0010 M06 T3": tool change to a tool position.
std::string ToolChangeBlock(int32_t blockNo, int tool);
// "N0001 M03  S1200" (M04 when anti-clockwise): spindle start, the speed rounded to a whole number
// of at least four digits.
std::string SpindleStartBlock(int32_t blockNo, bool antiClockwise, double turningSpeed);
// "N0125 M05": a block of one M word ("M05", "M08", "M09", "M39").
std::string MCodeBlock(int32_t blockNo, const std::string& code);

} // namespace torvex
