#include "operations/nc_program.h"

#include "geometry/number_text.h"
#include "geometry/shaft.h"
#include "toolpath/toolpath.h"

#include <algorithm>
#include <optional>

namespace torvex {

namespace {

// Writes the program's blocks, numbering them afresh when asked.
class ProgramWriter {
public:
    ProgramWriter(const NcProgramOptions& options, bool renumber)
        : Options(options), Renumber(renumber) {}

    void Header(double turningSpeed, std::optional<SurfaceSpeed> surface) {
        Program.Blocks.push_back(
            SpindleStartBlock(1, Options.AntiClockwise, turningSpeed, surface));
        if (Options.Coolant)
            Program.Blocks.push_back(MCodeBlock(2, BlockKind::CoolantOn));
    }

    // The toolpath's blocks; a toolpath after the first starts its own turning speed after its
    // first tool change.
    void Toolpath(const TToolpath& toolpath, bool first) {
        bool started = first;
        Program.Numbers.emplace_back();
        int32_t cycle = 0; // the program's number of the block that carries the cycle
        for (const NcBlock& given : toolpath.Blocks) {
            NcBlock block = MeasuredFrom(given, Options.ZeroAt);
            if (Options.ThreadCycles && block.InCycle && !block.Cycle) {
                Program.Numbers.back()[block.Number] = cycle;
                continue;
            }
            if (block.Kind != BlockKind::ToolChange) {
                int32_t number = Add(block);
                Program.Numbers.back()[block.Number] = number;
                if (block.Cycle)
                    cycle = number;
                continue;
            }
            if (!(Options.SkipToolInPlace && ToolInPlace == block.Tool)) {
                Retract();
                Program.Numbers.back()[block.Number] = Add(block);
                ToolInPlace = block.Tool;
            }
            if (!started)
                Add(SpindleStartBlock(0, Options.AntiClockwise, toolpath.TurningSpeed(),
                                      toolpath.Surface()));
            started = true;
        }
    }

    void Trailer(int32_t lastNumber) {
        Retract();
        int32_t number = Renumber ? Number : lastNumber;
        int32_t step = Renumber ? 10 : 5;
        auto stop = [&](BlockKind kind) {
            Program.Blocks.push_back(MCodeBlock(number += step, kind));
        };
        stop(BlockKind::SpindleStop);
        if (Options.Coolant)
            stop(BlockKind::CoolantOff);
        if (Options.OpenDoor)
            stop(BlockKind::DoorOpen);
    }

    NcProgram Program;

private:
    int32_t Add(NcBlock block) {
        if (Renumber)
            block.Number = Number += 10;
        Program.Blocks.push_back(std::move(block));
        return Program.Blocks.back().Number;
    }

    // Radially out, then along the axis, to the tool change position.
    void Retract() {
        const ToolChangePosition& position = Options.ToolChange;
        if (position.Place == ToolChangePlace::Position) {
            Add(RapidXBlock(0, position.X));
            Add(RapidZBlock(0, position.Z));
        } else if (position.Place == ToolChangePlace::Machine) {
            Add(MCodeBlock(0, BlockKind::MachineReturnX));
            Add(MCodeBlock(0, BlockKind::MachineReturnZ));
        }
    }

    const NcProgramOptions& Options;
    bool Renumber;
    int32_t Number = 0;
    std::optional<int> ToolInPlace;
};

} // namespace

NcProgram ToolpathProgram(const TToolpath& toolpath, const NcProgramOptions& options) {
    ProgramWriter writer(options, options.ToolChange.Place != ToolChangePlace::None);
    writer.Header(toolpath.TurningSpeed(), toolpath.Surface());
    writer.Toolpath(toolpath, true);
    writer.Trailer(toolpath.BlockNo);
    return std::move(writer.Program);
}

std::vector<NcBlock> NcProgramBlocks(const TToolpath& toolpath, const NcProgramOptions& options) {
    return ToolpathProgram(toolpath, options).Blocks;
}

NcProgram JobProgram(std::span<const TToolpath* const> toolpaths, const NcProgramOptions& options) {
    ProgramWriter writer(options, true);
    if (toolpaths.empty())
        writer.Header(0, std::nullopt);
    else
        writer.Header(toolpaths.front()->TurningSpeed(), toolpaths.front()->Surface());
    for (size_t k = 0; k < toolpaths.size(); ++k)
        writer.Toolpath(*toolpaths[k], k == 0);
    writer.Trailer(0);
    return std::move(writer.Program);
}

std::vector<std::string> GenerateNcProgram(const TToolpath& toolpath,
                                           const NcProgramOptions& options) {
    std::vector<std::string> text;
    for (const NcBlock& block : NcProgramBlocks(toolpath, options))
        text.push_back(GenericText(block));
    return text;
}

std::optional<std::string> ToolChangeRefusal(const ToolChangePosition& position,
                                             const TShaft& stock, double safeDistance) {
    if (position.Place != ToolChangePlace::Position || stock.Points.Empty())
        return std::nullopt;
    // The tool leaves radially where it stands, over the stock: the position's radius must clear
    // the stock whatever its axial position.
    double clear = stock.MaxRadius + safeDistance;
    if (position.X >= clear)
        return std::nullopt;
    return "The tool change position's X " + FloatToText(position.X) +
           " lies below the stock's largest radius plus the safe distance, " + FloatToText(clear) +
           ": the tool leaves the part radially to that radius and would meet the stock. Give a "
           "tool change X of at least " +
           FloatToText(clear) + ".";
}

} // namespace torvex
