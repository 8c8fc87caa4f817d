#include "operations/nc_program.h"

#include "toolpath/nc_block.h"
#include "toolpath/toolpath.h"
#include "workspace/workspace.h"

namespace torvex {

std::vector<std::string> GenerateNcProgram(TToolpath& toolpath, const NcProgramOptions& options) {
    std::vector<std::string> program;
    program.push_back(SpindleStartBlock(1, options.AntiClockwise, toolpath.TurningSpeed));
    if (options.Coolant)
        program.push_back(MCodeBlock(2, "M08"));
    program.insert(program.end(), toolpath.NCBlocks.begin(), toolpath.NCBlocks.end());
    auto trailer = [&](const char* code) {
        toolpath.BlockNo += 5;
        program.push_back(MCodeBlock(toolpath.BlockNo, code));
    };
    trailer("M05");
    if (options.Coolant)
        trailer("M09");
    if (options.OpenDoor)
        trailer("M39");
    return program;
}

std::vector<std::string> GenerateNcProgram(const Workspace& workspace, const std::string& name,
                                           const NcProgramOptions& options) {
    TToolpath* toolpath = workspace.FindToolpath(name);
    if (toolpath == nullptr)
        return {};
    return GenerateNcProgram(*toolpath, options);
}

} // namespace torvex
