#include "operations/nc_program.h"

#include "toolpath/toolpath.h"

namespace torvex {

std::vector<NcBlock> NcProgramBlocks(const TToolpath& toolpath, const NcProgramOptions& options) {
    std::vector<NcBlock> program;
    program.reserve(toolpath.Blocks.size() + 5);
    program.push_back(SpindleStartBlock(1, options.AntiClockwise, toolpath.TurningSpeed()));
    if (options.Coolant)
        program.push_back(MCodeBlock(2, BlockKind::CoolantOn));
    program.insert(program.end(), toolpath.Blocks.begin(), toolpath.Blocks.end());
    int32_t number = toolpath.BlockNo;
    auto stop = [&](BlockKind kind) { program.push_back(MCodeBlock(number += 5, kind)); };
    stop(BlockKind::SpindleStop);
    if (options.Coolant)
        stop(BlockKind::CoolantOff);
    if (options.OpenDoor)
        stop(BlockKind::DoorOpen);
    return program;
}

std::vector<std::string> GenerateNcProgram(const TToolpath& toolpath,
                                           const NcProgramOptions& options) {
    std::vector<std::string> text;
    for (const NcBlock& block : NcProgramBlocks(toolpath, options))
        text.push_back(GenericText(block));
    return text;
}

} // namespace torvex
