#include "operations/toolpath_display.h"

#include "operations/job_fields.h"
#include "toolpath/toolpath.h"

#include <algorithm>

namespace torvex {

ToolpathNodeTexts NodeTextsOf(const TToolpath& toolpath, char decimalSeparator) {
    std::vector<ToolSide> sides;
    for (const ToolpathOperation& operation : toolpath.Operations)
        if (std::find(sides.begin(), sides.end(), operation.Tool) == sides.end())
            sides.push_back(operation.Tool);
    if (sides.empty())
        sides.push_back(ToolSide::Left);
    ToolpathNodeTexts texts{toolpath.Name, {}, ParameterTexts(toolpath.Job, decimalSeparator)};
    for (ToolSide side : sides) {
        const JobTool& tool = toolpath.Tool(side);
        std::string tip = "T";
        tip += std::to_string(tool.Number) + " Tip : " + tool.Names.TipName;
        texts.Tools.push_back(tip);
        texts.Tools.push_back("Support : " + tool.Names.SupportName);
    }
    return texts;
}

} // namespace torvex
