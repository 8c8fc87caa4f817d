#include "operations/nc_dialect.h"

#include "geometry/number_text.h"

#include <algorithm>
#include <stdexcept>

namespace torvex {

namespace {

bool IsMCode(BlockKind kind) {
    return kind == BlockKind::SpindleStop || kind == BlockKind::CoolantOn ||
           kind == BlockKind::CoolantOff || kind == BlockKind::DoorOpen;
}

bool IsMachineReturn(BlockKind kind) {
    return kind == BlockKind::MachineReturnX || kind == BlockKind::MachineReturnZ;
}

bool CarriesX(BlockKind kind) {
    return kind != BlockKind::RapidZ && kind != BlockKind::FeedZ && kind != BlockKind::ToolChange &&
           kind != BlockKind::SpindleStart && !IsMCode(kind) && !IsMachineReturn(kind);
}

// "0001": a whole number of 0 to 9999 written with four digits.
std::string FourDigits(int value) {
    std::string text = std::to_string(value);
    return std::string(4 - std::min<size_t>(4, text.size()), '0') + text;
}

// The block with its X word as the X mode writes it.
NcBlock InXMode(NcBlock block, bool diameter) {
    if (diameter && CarriesX(block.Kind))
        block.X *= 2;
    return block;
}

// A coordinate, radius or feed; with `decimalPoint`, a whole number as "40.0".
std::string ControlNumber(double value, bool decimalPoint) {
    std::string text = NCNumberText(value);
    if (decimalPoint && text.find('.') == std::string::npos)
        text += ".0";
    return text;
}

// " M03 S1200" (M04 anti-clockwise), the speed a whole number of at least four digits.
std::string SpindleWords(const NcBlock& b) {
    return std::string(b.AntiClockwise ? " M04" : " M03") + " S" + FormatFloat("0000", b.Speed);
}

// The text of a block that both controls write alike (a move with one motion word, the spindle
// start, an M code other than the door); nothing for a tool change or the door.
std::optional<std::string> ControlText(const NcBlock& b, bool decimalPoint) {
    std::string text = BlockNumberText(b.Number);
    auto word = [&](const char* letter, double value) {
        text += letter + ControlNumber(value, decimalPoint);
    };
    switch (b.Kind) {
    case BlockKind::RapidXZ:
    case BlockKind::RapidZ:
    case BlockKind::RapidX:
    case BlockKind::RapidXFeed:
        text += " G00";
        break;
    case BlockKind::FeedX:
    case BlockKind::FeedZ:
    case BlockKind::FeedXZ:
    case BlockKind::FeedXThenZ:
        text += " G01";
        break;
    case BlockKind::Arc:
        text += b.Turn == ArcTurn::Clockwise ? " G02" : " G03";
        break;
    case BlockKind::SpindleStart:
        return text + SpindleWords(b);
    case BlockKind::SpindleStop:
    case BlockKind::CoolantOn:
    case BlockKind::CoolantOff:
        return text + " " + MCodeText(b.Kind);
    case BlockKind::DoorOpen:
    case BlockKind::ToolChange:
    case BlockKind::MachineReturnX:
    case BlockKind::MachineReturnZ:
        return std::nullopt;
    }
    if (CarriesX(b.Kind))
        word(" X", b.X);
    if (b.Kind != BlockKind::RapidXFeed && b.Kind != BlockKind::FeedX &&
        b.Kind != BlockKind::RapidX)
        word(" Z", b.Z);
    if (b.Kind == BlockKind::Arc)
        word(" R", b.R);
    if (b.HasFeed)
        word(" F", b.F);
    return text;
}

std::vector<std::string> GenericProgram(const std::vector<NcBlock>& blocks, bool diameter) {
    std::vector<std::string> lines;
    for (const NcBlock& block : blocks)
        lines.push_back(GenericText(InXMode(block, diameter)));
    return lines;
}

std::string ClosingBlock(const std::vector<NcBlock>& blocks) {
    return BlockNumberText((blocks.empty() ? 0 : blocks.back().Number) + 5) + " M30";
}

std::vector<std::string> LinuxCncProgram(const std::vector<NcBlock>& blocks, bool diameter) {
    std::vector<std::string> lines = {std::string("G18 G21 G90 G94 G40 ") +
                                      (diameter ? "G7" : "G8")};
    std::optional<NcBlock> spindle; // the spindle start in force
    for (size_t k = 0; k < blocks.size(); ++k) {
        NcBlock b = InXMode(blocks[k], diameter);
        if (b.Kind == BlockKind::SpindleStart)
            spindle = b;
        if (b.Kind == BlockKind::SpindleStop)
            spindle.reset();
        std::string number = BlockNumberText(b.Number);
        if (auto text = ControlText(b, false)) {
            lines.push_back(*text);
        } else if (b.Kind == BlockKind::ToolChange) {
            // M6 stops the spindle; it starts again as it ran once the tool is in, unless the next
            // block starts it anew.
            bool startedNext =
                k + 1 < blocks.size() && blocks[k + 1].Kind == BlockKind::SpindleStart;
            lines.push_back(number + " T" + std::to_string(b.Tool) + " M6 G43" +
                            (spindle && !startedNext ? SpindleWords(*spindle) : ""));
        } else if (b.Kind == BlockKind::MachineReturnX) {
            // With an axis word G30 goes to the intermediate point (here, incrementally, where the
            // tool stands) and then moves only that axis to the stored tool change position.
            lines.push_back(number + " G91 G30 X0");
        } else if (b.Kind == BlockKind::MachineReturnZ) {
            lines.push_back(number + " G30 Z0");
            lines.push_back("G90");
        }
    }
    lines.push_back(ClosingBlock(blocks));
    return lines;
}

std::vector<std::string> FanucProgram(const std::vector<NcBlock>& blocks,
                                      const NcDialectOptions& options) {
    std::vector<std::string> lines = {
        "%", std::string("O").append(FourDigits(options.ProgramNumber)), "G18 G21 G40 G97 G98"};
    for (const NcBlock& given : blocks) {
        NcBlock b = InXMode(given, options.Diameter);
        if (auto text = ControlText(b, true)) {
            lines.push_back(*text);
        } else if (b.Kind == BlockKind::MachineReturnX) {
            lines.push_back(BlockNumberText(b.Number) + " G28 U0.");
        } else if (b.Kind == BlockKind::MachineReturnZ) {
            lines.push_back(BlockNumberText(b.Number) + " G28 W0.");
        } else if (b.Kind == BlockKind::ToolChange) {
            if (b.Tool < 0 || b.Tool > 99)
                throw std::invalid_argument("a Fanuc tool number is 0 to 99, not " +
                                            std::to_string(b.Tool));
            std::string tool = FourDigits(b.Tool).substr(2);
            lines.push_back(BlockNumberText(b.Number) + " T" + tool + tool);
        } else {
            lines.push_back(BlockNumberText(b.Number) + " " + options.DoorCode);
        }
    }
    lines.push_back(ClosingBlock(blocks));
    lines.push_back("%");
    return lines;
}

} // namespace

std::optional<std::string> DialectRefusal(const NcDialectOptions& options,
                                          const NcProgramOptions& program) {
    bool fanuc = options.Dialect == NcDialect::Fanuc;
    if (options.Dialect == NcDialect::Generic &&
        program.ToolChange.Place == ToolChangePlace::Machine)
        return "The generic program has no code for the machine's tool change position: give the "
               "position's X and Z, or none.";
    if (fanuc && (options.ProgramNumber < 1 || options.ProgramNumber > 9999))
        return "A Fanuc program number is 1 to 9999.";
    if (fanuc && !options.DoorCode.empty() && !IsDoorCode(options.DoorCode))
        return std::string("'")
            .append(options.DoorCode)
            .append("' is not a door code: type the machine's own M code, for example M21.");
    if (!program.OpenDoor)
        return std::nullopt;
    if (!OffersDoor(options.Dialect))
        return "A LinuxCNC program cannot open the door: there is no standard code for it.";
    if (options.Dialect == NcDialect::Fanuc && !IsDoorCode(options.DoorCode))
        return "A Fanuc program opens the door with the machine's own M code: type it as the "
               "door code, for example M21.";
    return std::nullopt;
}

ToolChangePosition DefaultToolChange(NcDialect dialect) {
    ToolChangePosition position;
    if (dialect != NcDialect::Generic)
        position.Place = ToolChangePlace::Machine;
    return position;
}

NcProgram ProgramFor(std::span<const TToolpath* const> toolpaths, bool wholeJob,
                     const ProgramSettings& settings) {
    NcProgramOptions program = settings.Program;
    program.SkipToolInPlace = settings.Dialect.Dialect != NcDialect::Generic;
    return wholeJob || toolpaths.size() != 1 ? JobProgram(toolpaths, program)
                                             : ToolpathProgram(*toolpaths.front(), program);
}

NcDialectOptions DefaultDialectOptions(NcDialect dialect) {
    NcDialectOptions options;
    options.Dialect = dialect;
    options.Diameter = dialect == NcDialect::Fanuc;
    return options;
}

std::optional<NcDialect> DialectNamed(std::string_view name) {
    if (name == "generic")
        return NcDialect::Generic;
    if (name == "linuxcnc")
        return NcDialect::LinuxCnc;
    if (name == "fanuc")
        return NcDialect::Fanuc;
    return std::nullopt;
}

const char* DialectName(NcDialect dialect) {
    switch (dialect) {
    case NcDialect::LinuxCnc:
        return "linuxcnc";
    case NcDialect::Fanuc:
        return "fanuc";
    case NcDialect::Generic:
        break;
    }
    return "generic";
}

bool OffersDoor(NcDialect dialect) {
    return dialect != NcDialect::LinuxCnc;
}

bool IsDoorCode(std::string_view code) {
    return code.size() >= 2 && code.size() <= 4 && code[0] == 'M' &&
           std::all_of(code.begin() + 1, code.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::vector<std::string> NcProgramText(const std::vector<NcBlock>& blocks,
                                       const NcDialectOptions& options) {
    NcProgramOptions program;
    program.OpenDoor = std::any_of(blocks.begin(), blocks.end(),
                                   [](const NcBlock& b) { return b.Kind == BlockKind::DoorOpen; });
    if (std::any_of(blocks.begin(), blocks.end(),
                    [](const NcBlock& b) { return IsMachineReturn(b.Kind); }))
        program.ToolChange.Place = ToolChangePlace::Machine;
    if (std::optional<std::string> refusal = DialectRefusal(options, program))
        throw std::invalid_argument(*refusal);
    switch (options.Dialect) {
    case NcDialect::LinuxCnc:
        return LinuxCncProgram(blocks, options.Diameter);
    case NcDialect::Fanuc:
        return FanucProgram(blocks, options);
    case NcDialect::Generic:
        break;
    }
    return GenericProgram(blocks, options.Diameter);
}

} // namespace torvex
