#include "operations/nc_dialect.h"

#include "geometry/element.h"
#include "geometry/number_text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>
#include <utility>

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
    return kind != BlockKind::RapidZ && kind != BlockKind::FeedZ && kind != BlockKind::ThreadZ &&
           kind != BlockKind::ToolChange && kind != BlockKind::SpindleStart && !IsMCode(kind) &&
           !IsMachineReturn(kind);
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

// A spindle word's whole number.
std::string Whole(double value) {
    return NCNumberText(std::nearbyint(value));
}

// Whether the program has set constant surface speed (G96); constant spindle speed (G97) is in
// force at its start.
struct SpindleMode {
    bool SurfaceSpeed = false;
};

// The words that start the spindle as the block asks: at constant surface speed (LinuxCNC "G96
// D2500 S150 M03", Fanuc "G96 S150 M03" after its "G50 S2500" line), or at the turning speed, with
// "G97" first when a surface speed was in force. Threading, whose feed per turn needs a fixed
// speed, is to start its spindle without a surface speed: it then switches to G97 first.
std::string SpindleStartWords(const NcBlock& b, NcDialect dialect, SpindleMode& mode) {
    if (b.Surface) {
        mode.SurfaceSpeed = true;
        std::string maximum =
            dialect == NcDialect::LinuxCnc ? " D" + Whole(b.Surface->MaxSpindleSpeed) : "";
        return " G96" + maximum + " S" + Whole(b.Surface->MetresPerMinute) +
               (b.AntiClockwise ? " M04" : " M03");
    }
    std::string words = (mode.SurfaceSpeed ? " G97" : "") + SpindleWords(b);
    mode.SurfaceSpeed = false;
    return words;
}

// A number as the control reads it from the program's text.
double AsWritten(double value) {
    return TextToFloat(NCNumberText(value), '.');
}

// Where the control stands, as the program's words have put it: X as its word reads (a diameter
// in diameter mode), nothing for an axis no word has set yet.
struct ControlPosition {
    std::optional<double> XWord;
    std::optional<double> Z;
};

// The words of an arc written with its centre: the end and the centre's offsets I (radial, a
// radius in either X mode, as both controls read it) and K (axial) from the start.
struct CentredArc {
    bool Straight = false; // too short to be written with its centre: a straight move to its end
    double XWord = 0, Z = 0, I = 0, K = 0;
};

// The two thousandths a value may be written as: the nearest first, then its neighbour on the
// value's side.
std::array<double, 2> Thousandths(double value) {
    double nearest = AsWritten(value);
    return {nearest, AsWritten(nearest + (value >= nearest ? 0.001 : -0.001))};
}

double Distance(const TPoint& a, const TPoint& b) {
    return std::hypot(a.X - b.X, a.Y - b.Y);
}

// An arc whose ends would be written closer than this is written as a straight move. Rounding
// moves each end and the centre by less than 0.0015, so a longer arc cannot come out turning the
// long way round its circle (with I and K, ends that meet make a whole turn), and a line this
// short strays no farther from its arc than the rounding does.
constexpr double ShortestCentredChord = 0.005;

// The arc `b` (its X in the X mode) from where the control stands. Near a half circle the centre
// hardly moves the arc's ends, so a centre rounded on its own would leave the control's start and
// end radii up to two thousandths apart: of the sixteen ways to round the end and the offsets
// down or up to the thousandth, the one is written whose radii agree best and whose arc keeps
// closest to the true circle (the radii then differ by less than a thousandth and the arc strays
// from its circle by less than two). Points are (Z, radius) as in the profile's frame.
CentredArc CentredArcWords(const NcBlock& b, const ControlPosition& at, bool diameter) {
    if (!at.XWord || !at.Z)
        throw std::invalid_argument("the arc of block " + BlockNumberText(b.Number) +
                                    " has no start: no move since the last tool change sets "
                                    "both axes");
    double scale = diameter ? 2 : 1;
    TPoint start{*at.Z, *at.XWord / scale};
    TPoint centre{b.CentreZ, b.CentreX};
    std::array<double, 2> xWords = Thousandths(b.X), zs = Thousandths(b.Z);
    CentredArc written{true, xWords[0], zs[0], 0, 0};
    if (Distance(start, {zs[0], xWords[0] / scale}) < ShortestCentredChord)
        return written;
    double leastCost = 0;
    for (double xWord : xWords)
        for (double z : zs)
            for (double i : Thousandths(centre.Y - start.Y))
                for (double k : Thousandths(centre.X - start.X)) {
                    TPoint end{z, xWord / scale};
                    TPoint turnsAbout{start.X + k, start.Y + i};
                    double r1 = std::hypot(i, k);
                    double r2 = Distance(end, turnsAbout);
                    double cost = std::fabs(r1 - r2) + Distance(turnsAbout, centre) +
                                  std::max(std::fabs(r1 - b.R), std::fabs(r2 - b.R));
                    if (written.Straight || cost < leastCost) {
                        written = {false, xWord, z, i, k};
                        leastCost = cost;
                    }
                }
    return written;
}

// The text of a block that both controls write alike (a move with one motion word, the spindle
// start, an M code other than the door); nothing for a tool change or the door. A move updates
// where the control stands; a tool change leaves it unknown.
std::optional<std::string> ControlText(const NcBlock& b, ControlPosition& at, bool diameter,
                                       NcDialect dialect, SpindleMode& spindle) {
    bool decimalPoint = dialect == NcDialect::Fanuc;
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
    case BlockKind::Arc: {
        CentredArc arc = CentredArcWords(b, at, diameter);
        text += arc.Straight ? " G01" : b.Turn == ArcTurn::Clockwise ? " G02" : " G03";
        word(" X", arc.XWord);
        word(" Z", arc.Z);
        if (!arc.Straight) {
            word(" I", arc.I);
            word(" K", arc.K);
        }
        if (b.HasFeed)
            word(" F", b.F);
        at = {arc.XWord, arc.Z};
        return text;
    }
    case BlockKind::SpindleStart:
        return text + SpindleStartWords(b, dialect, spindle);
    case BlockKind::SpindleStop:
    case BlockKind::CoolantOn:
    case BlockKind::CoolantOff:
        return text + " " + MCodeText(b.Kind);
    case BlockKind::ToolChange:
    case BlockKind::MachineReturnX:
    case BlockKind::MachineReturnZ:
        // The new tool's offsets, or the machine's own position, move the point the words mean.
        at = {};
        return std::nullopt;
    case BlockKind::DoorOpen:
        return std::nullopt;
    case BlockKind::ThreadZ:
        throw std::invalid_argument("block " + BlockNumberText(b.Number) +
                                    " moves in step with the spindle outside a threading cycle");
    }
    if (CarriesX(b.Kind)) {
        word(" X", b.X);
        at.XWord = AsWritten(b.X);
    }
    if (b.Kind != BlockKind::RapidXFeed && b.Kind != BlockKind::FeedX &&
        b.Kind != BlockKind::RapidX) {
        word(" Z", b.Z);
        at.Z = AsWritten(b.Z);
    }
    if (b.HasFeed)
        word(" F", b.F);
    return text;
}

// A length in micrometres, as a Fanuc threading cycle takes its depths.
std::string Micrometres(double mm) {
    return NCNumberText(std::round(mm * 1000));
}

// "G76 P1.5 Z42 I-1 J0.3 K0.92 R2 Q29.5 H1 E0 L0": the cycle from where the tool stands on the
// drive line, the crest I from it (negative: an external thread), the first cut J and the depth
// K, constant area (R2), the infeed angle Q and the spring passes H, no taper. In diameter mode
// LinuxCNC's interpreter reads I, J and K as diameters too.
std::string LinuxCncCycle(const NcBlock& b, bool diameter) {
    const ThreadCycle& c = *b.Cycle;
    double scale = diameter ? 2 : 1;
    double crest = AsWritten(c.Crest * scale) - AsWritten(c.DriveX * scale);
    return BlockNumberText(b.Number) + " G76 P" + NCNumberText(c.Pitch) + " Z" +
           NCNumberText(c.EndZ) + " I" + NCNumberText(crest) + " J" +
           NCNumberText(c.FirstCut * scale) + " K" + NCNumberText(c.Depth * scale) + " R2 Q" +
           NCNumberText(c.InfeedAngle) + " H" + NCNumberText(c.SpringPasses) + " E0 L0";
}

// The two blocks of a Fanuc threading cycle: "G76 P010060 Q50 R0.0" (finishing passes, no
// chamfer, a 60 degree tip; the minimum cut in micrometres; no finishing allowance), then "G76
// X22.16 Z42.0 P920 Q300 F1.5" (the root, where the passes end, the depth and the first cut in
// micrometres, the pitch). The control makes at least one finishing pass.
std::vector<std::string> FanucCycle(const NcBlock& b, bool diameter) {
    const ThreadCycle& c = *b.Cycle;
    double scale = diameter ? 2 : 1;
    std::string number = BlockNumberText(b.Number);
    std::string passes = FourDigits(std::max(1, c.SpringPasses)).substr(2);
    return {number + " G76 P" + passes + "0060 Q" + Micrometres(c.MinimumCut) + " R" +
                ControlNumber(0, true),
            number + " G76 X" + ControlNumber((c.Crest - c.Depth) * scale, true) + " Z" +
                ControlNumber(c.EndZ, true) + " P" + Micrometres(c.Depth) + " Q" +
                Micrometres(c.FirstCut) + " F" + ControlNumber(c.Pitch, true)};
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
    std::vector<std::string> lines = {std::string("G18 G21 G90 G91.1 G94 G40 ") +
                                      (diameter ? "G7" : "G8")};
    std::optional<NcBlock> spindle; // the spindle start in force
    SpindleMode mode;
    ControlPosition at;
    for (size_t k = 0; k < blocks.size(); ++k) {
        NcBlock b = InXMode(blocks[k], diameter);
        // A threading cycle's passes, cut by the control's own cycle.
        if (b.InCycle) {
            if (b.Cycle)
                lines.push_back(LinuxCncCycle(b, diameter));
            at = {};
            continue;
        }
        if (b.Kind == BlockKind::SpindleStart)
            spindle = b;
        if (b.Kind == BlockKind::SpindleStop)
            spindle.reset();
        std::string number = BlockNumberText(b.Number);
        if (auto text = ControlText(b, at, diameter, NcDialect::LinuxCnc, mode)) {
            lines.push_back(*text);
        } else if (b.Kind == BlockKind::ToolChange) {
            // M6 stops the spindle; it starts again as it ran once the tool is in, unless the next
            // block starts it anew.
            bool startedNext =
                k + 1 < blocks.size() && blocks[k + 1].Kind == BlockKind::SpindleStart;
            lines.push_back(number + " T" + std::to_string(b.Tool) + " M6 G43" +
                            (spindle && !startedNext
                                 ? SpindleStartWords(*spindle, NcDialect::LinuxCnc, mode)
                                 : ""));
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
    ControlPosition at;
    SpindleMode mode;
    for (const NcBlock& given : blocks) {
        NcBlock b = InXMode(given, options.Diameter);
        if (b.InCycle) {
            if (b.Cycle)
                for (std::string& line : FanucCycle(b, options.Diameter))
                    lines.push_back(std::move(line));
            at = {};
            continue;
        }
        // The maximum spindle speed of constant surface speed, set before the G96 that needs it.
        if (b.Kind == BlockKind::SpindleStart && b.Surface)
            lines.push_back("G50 S" + Whole(b.Surface->MaxSpindleSpeed));
        if (auto text = ControlText(b, at, options.Diameter, NcDialect::Fanuc, mode)) {
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
    program.ThreadCycles = settings.Dialect.Dialect != NcDialect::Generic;
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
