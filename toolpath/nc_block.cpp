#include "toolpath/nc_block.h"

#include "geometry/number_text.h"

#include <initializer_list>
#include <string_view>
#include <utility>

namespace torvex {

namespace {

// The block number followed by each word's fixed text and its number.
std::string Block(int32_t blockNo,
                  std::initializer_list<std::pair<std::string_view, double>> words) {
    std::string text = BlockNumberText(blockNo);
    for (const auto& [word, value] : words) {
        text += word;
        text += NCNumberText(value);
    }
    return text;
}

} // namespace

std::string BlockNumberText(int32_t blockNo) {
    std::string text = "N";
    text += FormatFloat("0000", blockNo);
    return text;
}

std::string NCNumberText(double value) {
    return FormatFloat("0.###", value);
}

std::string RapidXZBlock(int32_t blockNo, double x, double z) {
    return Block(blockNo, {{" G00 X", x}, {" Z", z}});
}

std::string RapidZBlock(int32_t blockNo, double z) {
    return Block(blockNo, {{" G00 Z", z}});
}

std::string RapidXFeedBlock(int32_t blockNo, double x, double feed) {
    return Block(blockNo, {{" G00 X", x}, {" F", feed}});
}

std::string FeedXBlock(int32_t blockNo, double x, double feed) {
    return Block(blockNo, {{" G01 X", x}, {" F", feed}});
}

std::string FeedZBlock(int32_t blockNo, double z, double feed) {
    return Block(blockNo, {{" G01 Z", z}, {" F", feed}});
}

std::string FeedXZBlock(int32_t blockNo, double x, double z, double feed) {
    return Block(blockNo, {{" G01 X", x}, {" Z", z}, {" F", feed}});
}

std::string FeedXThenZBlock(int32_t blockNo, double x, double z, double feed) {
    return Block(blockNo, {{" G01 X", x}, {" G01 Z", z}, {" F", feed}});
}

std::string ArcBlock(int32_t blockNo, ArcTurn turn, double x, double z, double radius,
                     std::optional<double> feed) {
    std::string_view g = turn == ArcTurn::Clockwise ? " G02 X" : " G03 X";
    std::string text = Block(blockNo, {{g, x}, {" Z", z}, {" R", radius}});
    if (feed)
        text += " F" + NCNumberText(*feed);
    return text;
}

std::string ToolChangeBlock(int32_t blockNo, int tool) {
    return BlockNumberText(blockNo) + " M06 T" + FormatFloat("0.###", tool);
}

std::string SpindleStartBlock(int32_t blockNo, bool antiClockwise, double turningSpeed) {
    return BlockNumberText(blockNo) + (antiClockwise ? " M04 " : " M03 ") + " S" +
           FormatFloat("0000", turningSpeed);
}

std::string MCodeBlock(int32_t blockNo, const std::string& code) {
    return BlockNumberText(blockNo) + " " + code;
}

} // namespace torvex
