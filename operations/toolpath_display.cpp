#include "operations/toolpath_display.h"

#include "operations/job_fields.h"
#include "toolpath/toolpath.h"

namespace torvex {

ToolpathNodeTexts NodeTextsOf(const TToolpath& toolpath, char decimalSeparator) {
    const TToolStr& names = toolpath.Tool(ToolSide::Left).Names;
    return {toolpath.Name, names.TipName, names.SupportName,
            ParameterTexts(toolpath.Job, decimalSeparator)};
}

} // namespace torvex
