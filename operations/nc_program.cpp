#include "operations/nc_program.h"

#include "app/workspace.h"
#include "geometry/number_text.h"
#include "toolpath/toolpath.h"

namespace torvex {

namespace {

std::string Block(int32_t number, const std::string& words) {
    return "N" + FormatFloat("0000", number) + words;
}

} // namespace

std::vector<std::string> GenerateNcProgram(TToolpath& toolpath, const NcProgramOptions& options) {
    std::vector<std::string> program;
    program.push_back(Block(1, options.AntiClockwise ? " M04 " : " M03 ") + " S" +
                      FormatFloat("0000", toolpath.TurningSpeed));
    if (options.Coolant)
        program.push_back(Block(2, " M08"));
    program.insert(program.end(), toolpath.NCBlocks.begin(), toolpath.NCBlocks.end());
    auto trailer = [&](const char* words) {
        toolpath.BlockNo += 5;
        program.push_back(Block(toolpath.BlockNo, words));
    };
    trailer(" M05");
    if (options.Coolant)
        trailer(" M09");
    if (options.OpenDoor)
        trailer(" M39");
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
