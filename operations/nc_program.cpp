#include "operations/nc_program.h"

#include "toolpath/block_writer.h"
#include "toolpath/toolpath.h"
#include "workspace/workspace.h"

namespace torvex {

std::vector<NcBlock> NcProgramBlocks(TToolpath& toolpath, const NcProgramOptions& options) {
    std::vector<NcBlock> program;
    program.push_back(SpindleStartBlock(1, options.AntiClockwise, toolpath.TurningSpeed));
    if (options.Coolant)
        program.push_back(MCodeBlock(2, "M08"));
    program.insert(program.end(), toolpath.Blocks.begin(), toolpath.Blocks.end());
    BlockWriter trailer(toolpath, ToolSide::Left);
    auto stop = [&](const char* code) { trailer.Write(MCodeBlock(trailer.Number(5), code)); };
    stop("M05");
    if (options.Coolant)
        stop("M09");
    if (options.OpenDoor)
        stop("M39");
    for (NcBlock& block : trailer.Release())
        program.push_back(std::move(block));
    return program;
}

std::vector<std::string> GenerateNcProgram(TToolpath& toolpath, const NcProgramOptions& options) {
    std::vector<std::string> text;
    for (const NcBlock& block : NcProgramBlocks(toolpath, options))
        text.push_back(GenericText(block));
    return text;
}

std::vector<std::string> GenerateNcProgram(Workspace& workspace, const NcProgramOptions& options) {
    if (workspace.SelectedToolpath == nullptr)
        return {};
    return GenerateNcProgram(*workspace.SelectedToolpath, options);
}

} // namespace torvex
