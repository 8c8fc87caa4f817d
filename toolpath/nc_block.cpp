#include "toolpath/nc_block.h"

#include "geometry/number_text.h"
#include "platform/errors.h"

#include <cmath>
#include <initializer_list>
#include <string_view>
#include <utility>

namespace torvex {

namespace {

NcBlock Finite(NcBlock block) {
    ThreadCycle cycle = block.Cycle.value_or(ThreadCycle{});
    SurfaceSpeed surface = block.Surface.value_or(SurfaceSpeed{});
    for (double value :
         {block.X, block.Z, block.R, block.CentreX, block.CentreZ, block.F, block.Speed, block.Lead,
          cycle.DriveX, cycle.EndZ, cycle.Pitch, cycle.Crest, cycle.FirstCut, cycle.Depth,
          cycle.MinimumCut, cycle.InfeedAngle, surface.MetresPerMinute, surface.MaxSpindleSpeed})
        if (!std::isfinite(value))
            throw ArithmeticError("Invalid floating point operation");
    return block;
}

NcBlock Motion(BlockKind kind, int32_t blockNo, double x, double z, double feed) {
    NcBlock block;
    block.Kind = kind;
    block.Number = blockNo;
    block.X = x;
    block.Z = z;
    block.F = feed;
    block.HasFeed = kind != BlockKind::RapidXZ && kind != BlockKind::RapidZ &&
                    kind != BlockKind::RapidX && kind != BlockKind::ThreadZ;
    return Finite(block);
}

// The block number followed by each word's fixed text and its number.
std::string Words(int32_t blockNo,
                  std::initializer_list<std::pair<std::string_view, double>> words) {
    std::string text = BlockNumberText(blockNo);
    for (const auto& [word, value] : words) {
        text += word;
        text += NCNumberText(value);
    }
    return text;
}

} // namespace

bool IsRapid(BlockKind kind) {
    return kind == BlockKind::RapidXZ || kind == BlockKind::RapidZ || kind == BlockKind::RapidX ||
           kind == BlockKind::RapidXFeed;
}

NcBlock RapidXZBlock(int32_t blockNo, double x, double z) {
    return Motion(BlockKind::RapidXZ, blockNo, x, z, 0);
}

NcBlock RapidZBlock(int32_t blockNo, double z) {
    return Motion(BlockKind::RapidZ, blockNo, 0, z, 0);
}

NcBlock RapidXBlock(int32_t blockNo, double x) {
    return Motion(BlockKind::RapidX, blockNo, x, 0, 0);
}

NcBlock RapidXFeedBlock(int32_t blockNo, double x, double feed) {
    return Motion(BlockKind::RapidXFeed, blockNo, x, 0, feed);
}

NcBlock FeedXBlock(int32_t blockNo, double x, double feed) {
    return Motion(BlockKind::FeedX, blockNo, x, 0, feed);
}

NcBlock FeedZBlock(int32_t blockNo, double z, double feed) {
    return Motion(BlockKind::FeedZ, blockNo, 0, z, feed);
}

NcBlock FeedXZBlock(int32_t blockNo, double x, double z, double feed) {
    return Motion(BlockKind::FeedXZ, blockNo, x, z, feed);
}

NcBlock FeedXThenZBlock(int32_t blockNo, double x, double z, double feed) {
    return Motion(BlockKind::FeedXThenZ, blockNo, x, z, feed);
}

NcBlock ArcBlock(int32_t blockNo, ArcTurn turn, double x, double z, double centreX, double centreZ,
                 double radius, std::optional<double> feed) {
    NcBlock block = Motion(BlockKind::Arc, blockNo, x, z, feed.value_or(0));
    block.HasFeed = feed.has_value();
    block.Turn = turn;
    block.R = radius;
    block.CentreX = centreX;
    block.CentreZ = centreZ;
    return Finite(block);
}

NcBlock ThreadZBlock(int32_t blockNo, double z, double lead) {
    NcBlock block = Motion(BlockKind::ThreadZ, blockNo, 0, z, 0);
    block.Lead = lead;
    return Finite(block);
}

NcBlock CarryingCycle(NcBlock block, const ThreadCycle& cycle) {
    block.InCycle = true;
    block.Cycle = cycle;
    return Finite(block);
}

NcBlock ToolChangeBlock(int32_t blockNo, int tool) {
    NcBlock block;
    block.Kind = BlockKind::ToolChange;
    block.Number = blockNo;
    block.Tool = tool;
    return block;
}

NcBlock SpindleStartBlock(int32_t blockNo, bool antiClockwise, double turningSpeed,
                          std::optional<SurfaceSpeed> surface) {
    NcBlock block;
    block.Kind = BlockKind::SpindleStart;
    block.Number = blockNo;
    block.AntiClockwise = antiClockwise;
    block.Speed = turningSpeed;
    block.Surface = surface;
    return Finite(block);
}

NcBlock MCodeBlock(int32_t blockNo, BlockKind kind) {
    NcBlock block;
    block.Kind = kind;
    block.Number = blockNo;
    return block;
}

const char* MCodeText(BlockKind kind) {
    switch (kind) {
    case BlockKind::SpindleStop:
        return "M05";
    case BlockKind::CoolantOn:
        return "M08";
    case BlockKind::CoolantOff:
        return "M09";
    case BlockKind::DoorOpen:
        return "M39";
    default:
        return "";
    }
}

NcBlock MeasuredFrom(NcBlock block, double zeroAt) {
    block.Z -= zeroAt;
    block.CentreZ -= zeroAt;
    if (block.Cycle)
        block.Cycle->EndZ -= zeroAt;
    return block;
}

std::string BlockNumberText(int32_t blockNo) {
    std::string text = "N";
    text += FormatFloat("0000", blockNo);
    return text;
}

std::string NCNumberText(double value) {
    return FormatFloat("0.###", value);
}

std::string GenericText(const NcBlock& b) {
    switch (b.Kind) {
    case BlockKind::RapidXZ:
        return Words(b.Number, {{" G00 X", b.X}, {" Z", b.Z}});
    case BlockKind::RapidZ:
        return Words(b.Number, {{" G00 Z", b.Z}});
    case BlockKind::RapidX:
        return Words(b.Number, {{" G00 X", b.X}});
    case BlockKind::RapidXFeed:
        return Words(b.Number, {{" G00 X", b.X}, {" F", b.F}});
    case BlockKind::FeedX:
        return Words(b.Number, {{" G01 X", b.X}, {" F", b.F}});
    case BlockKind::FeedZ:
        return Words(b.Number, {{" G01 Z", b.Z}, {" F", b.F}});
    case BlockKind::FeedXZ:
        return Words(b.Number, {{" G01 X", b.X}, {" Z", b.Z}, {" F", b.F}});
    case BlockKind::FeedXThenZ:
        return Words(b.Number, {{" G01 X", b.X}, {" G01 Z", b.Z}, {" F", b.F}});
    case BlockKind::Arc: {
        std::string_view g = b.Turn == ArcTurn::Clockwise ? " G02 X" : " G03 X";
        std::string text = Words(b.Number, {{g, b.X}, {" Z", b.Z}, {" R", b.R}});
        if (b.HasFeed)
            text += " F" + NCNumberText(b.F);
        return text;
    }
    case BlockKind::ThreadZ:
        return Words(b.Number, {{" G33 Z", b.Z}, {" K", b.Lead}});
    case BlockKind::ToolChange:
        return BlockNumberText(b.Number) + " M06 T" + FormatFloat("0.###", b.Tool);
    case BlockKind::SpindleStart:
        return BlockNumberText(b.Number) + (b.AntiClockwise ? " M04 " : " M03 ") + " S" +
               FormatFloat("0000", b.Speed);
    case BlockKind::SpindleStop:
    case BlockKind::CoolantOn:
    case BlockKind::CoolantOff:
    case BlockKind::DoorOpen:
        return BlockNumberText(b.Number) + " " + MCodeText(b.Kind);
    case BlockKind::MachineReturnX:
        return BlockNumberText(b.Number) + " G28 U0";
    case BlockKind::MachineReturnZ:
        return BlockNumberText(b.Number) + " G28 W0";
    }
    return BlockNumberText(b.Number);
}

} // namespace torvex
