#include "operations/toolpath_building.h"

#include "geometry/number_text.h"
#include "toolpath/nc_block.h"
#include "toolpath/toolpath.h"
#include "workspace/workspace.h"

#include <cstdint>

namespace torvex {

namespace {

constexpr double Lift = 2.0;
constexpr uint8_t ArcSteps = 20;
constexpr size_t KnifeHeaderLines = 10;

void RequireModel(const Workspace& workspace) {
    if (workspace.Shaft.Points.Empty())
        throw OperationError(NoPartText);
    if (workspace.StockShaft.Points.Empty())
        throw OperationError(NoStockText);
}

void RequireRoomForAnother(const Workspace& workspace) {
    if (workspace.ToolpathCount() >= Workspace::MaxToolpaths)
        throw OperationError(TooManyToolpathsText);
}

// A new toolpath with its names, feeds and knives, before any strategy runs.
std::unique_ptr<TToolpath> NewToolpath(const Workspace& workspace, const std::string& name,
                                       const char* pathType, const TToolSlotContent& left,
                                       const TToolSlotContent& right) {
    auto toolpath = std::make_unique<TToolpath>();
    toolpath->Name = name;
    toolpath->PathType = pathType;
    toolpath->RapidFeed = workspace.RapidFeed;
    toolpath->LeftKnife.LoadFromLines(KnifeContourLines(left.Data));
    toolpath->LeftToolNames = {left.Ncoada, left.Ncutit};
    toolpath->RightKnife.LoadFromLines(KnifeContourLines(right.Data));
    toolpath->RightToolNames = {right.Ncoada, right.Ncutit};
    return toolpath;
}

TToolpath* Store(Workspace& workspace, std::unique_ptr<TToolpath> toolpath) {
    workspace.Toolpaths.push_back(std::move(toolpath));
    return workspace.Toolpaths.back().get();
}

void WriteToolChange(TToolpath& toolpath, uint8_t tool) {
    toolpath.BlockNo += 10;
    toolpath.NCBlocks.push_back(ToolChangeBlock(toolpath.BlockNo, tool));
}

// The roughing fields as numbers, converted in the order the window reads them.
struct RoughingValues {
    double TransversalSpeed, LongitudinalSpeed, TurningSpeed, SafeZ, Offset, Depth, Rest;
};

RoughingValues ConvertRoughingFields(const TRoughingFields& fields, bool operationsQueued,
                                     char separator) {
    RoughingValues v{};
    v.TransversalSpeed = TextToFloat(fields.TransversalSpeed, separator);
    v.LongitudinalSpeed = TextToFloat(fields.LongitudinalSpeed, separator);
    v.TurningSpeed = TextToFloat(fields.TurningSpeed, separator);
    v.SafeZ = TextToFloat(fields.SafeZ, separator);
    v.Offset = TextToFloat(fields.Offset, separator);
    if (operationsQueued) {
        v.Depth = TextToFloat(fields.CuttingDepth, separator);
        v.Rest = TextToFloat(fields.FinishingRest, separator);
    }
    return v;
}

struct FinishingValues {
    double CuttingSpeed, TurningSpeed, SafeZ, Offset, Approach;
};

FinishingValues ConvertFinishingFields(const TFinishingFields& fields, bool operationsQueued,
                                       char separator) {
    FinishingValues v{};
    v.CuttingSpeed = TextToFloat(fields.CuttingSpeed, separator);
    v.TurningSpeed = TextToFloat(fields.TurningSpeed, separator);
    v.SafeZ = TextToFloat(fields.SafeZ, separator);
    v.Offset = TextToFloat(fields.Offset, separator);
    if (operationsQueued)
        v.Approach = TextToFloat(fields.StartXOffset, separator);
    return v;
}

void RunRoughingOperation(TToolpath& toolpath, uint8_t code, const TShaft& part,
                          const TShaft& stock, const RoughingValues& v) {
    const double stockRadius = stock.MaxRadius;
    const double extra = stockRadius - part.MaxRadius;
    switch (code) {
    case 0:
        toolpath.RoughFullLength(part.Elements, v.Depth, Lift, v.TransversalSpeed,
                                 v.LongitudinalSpeed, stockRadius, v.Rest);
        break;
    case 1:
    case 2:
        toolpath.BuildLeftOffsetContour(part.LeftOutline.Elements, code == 1, v.Rest,
                                        code == 1 ? extra : 0);
        toolpath.RoughLeft(toolpath.LeftOffsetContour, v.Depth, Lift, v.TransversalSpeed,
                           v.LongitudinalSpeed, ArcSteps);
        break;
    case 3:
    case 4:
        toolpath.BuildRightOffsetContour(part.RightOutline.Elements, code == 3, v.Rest,
                                         code == 3 ? extra : 0);
        toolpath.RoughRight(toolpath.RightOffsetContour, v.Depth, Lift, v.TransversalSpeed,
                            v.LongitudinalSpeed, ArcSteps);
        break;
    default:
        break;
    }
}

} // namespace

std::vector<std::string> KnifeContourLines(const std::vector<std::string>& knifeFileLines) {
    if (knifeFileLines.size() <= KnifeHeaderLines)
        return {};
    return {knifeFileLines.begin() + KnifeHeaderLines, knifeFileLines.end()};
}

std::string NextRoughingName(const Workspace& workspace) {
    return std::to_string(workspace.ToolpathCount() + 1) + "-Roughing";
}

std::string NextFinishingName(const Workspace& workspace) {
    return std::to_string(workspace.ToolpathCount() + 1) + "-Finishing";
}

std::unique_ptr<TToolpath> BuildRoughingToolpath(Workspace& workspace,
                                                 const TRoughingFields& fields,
                                                 const TToolSlotContent& left,
                                                 const TToolSlotContent& right,
                                                 const TBuildRequest& request) {
    const std::vector<uint8_t>& codes = workspace.RoughingQueue.Codes;
    RequireModel(workspace);
    RoughingValues v = ConvertRoughingFields(fields, !codes.empty(), request.DecimalSeparator);
    auto toolpath = NewToolpath(workspace, fields.Name, "Rough", left, right);
    toolpath->CuttingFeed = v.TransversalSpeed;
    toolpath->LongitudinalFeed = v.LongitudinalSpeed;
    toolpath->TurningSpeed = v.TurningSpeed;
    workspace.Shaft.BuildSideOutlines(false, false, false);
    toolpath->SafeX = v.SafeZ + workspace.StockShaft.MaxRadius;
    toolpath->Offset = v.Offset;
    for (uint8_t code : codes) {
        if (request.Adding)
            WriteToolChange(*toolpath, code <= 2 ? workspace.LeftToolNo : workspace.RightToolNo);
        RunRoughingOperation(*toolpath, code, workspace.Shaft, workspace.StockShaft, v);
        if (request.AfterEachOperation)
            request.AfterEachOperation();
    }
    return toolpath;
}

std::unique_ptr<TToolpath> BuildFinishingToolpath(Workspace& workspace,
                                                  const TFinishingFields& fields,
                                                  const TToolSlotContent& left,
                                                  const TToolSlotContent& right,
                                                  const TBuildRequest& request) {
    const TFinishingQueue& queue = workspace.FinishingQueue;
    RequireModel(workspace);
    FinishingValues v =
        ConvertFinishingFields(fields, !queue.Codes.empty(), request.DecimalSeparator);
    auto toolpath = NewToolpath(workspace, fields.Name, "Finish", left, right);
    toolpath->CuttingFeed = v.CuttingSpeed;
    toolpath->TurningSpeed = v.TurningSpeed;
    TShaft& part = workspace.Shaft;
    part.BuildSideOutlines(true, queue.KeepRightFlat, queue.KeepLeftFlat);
    toolpath->SafeX = v.SafeZ + workspace.StockShaft.MaxRadius;
    toolpath->Offset = v.Offset;
    for (uint8_t code : queue.Codes) {
        bool right = code == 3 || code == 4;
        if (!right && code != 1 && code != 2)
            continue;
        if (request.Adding)
            WriteToolChange(*toolpath, right ? workspace.RightToolNo : workspace.LeftToolNo);
        if (right)
            toolpath->FinishRight(part.RightOutline.Elements, v.CuttingSpeed, v.Approach, ArcSteps);
        else
            toolpath->FinishLeft(part.LeftOutline.Elements, v.CuttingSpeed, v.Approach, ArcSteps);
    }
    return toolpath;
}

TToolpath* AddRoughingToolpath(Workspace& workspace, const TRoughingFields& fields,
                               const TToolSlotContent& left, const TToolSlotContent& right,
                               char decimalSeparator,
                               const std::function<void()>& afterEachOperation) {
    if (workspace.RoughingQueue.Codes.empty())
        return nullptr;
    RequireRoomForAnother(workspace);
    return Store(workspace, BuildRoughingToolpath(workspace, fields, left, right,
                                                  {true, decimalSeparator, afterEachOperation}));
}

TToolpath* AddFinishingToolpath(Workspace& workspace, const TFinishingFields& fields,
                                const TToolSlotContent& left, const TToolSlotContent& right,
                                char decimalSeparator) {
    if (workspace.FinishingQueue.Codes.empty())
        return nullptr;
    RequireRoomForAnother(workspace);
    return Store(workspace, BuildFinishingToolpath(workspace, fields, left, right,
                                                   {true, decimalSeparator, {}}));
}

std::vector<std::string> RoughingParameterTexts(const TRoughingFields& fields) {
    return {"SafeZ : " + fields.SafeZ,
            "Offset : " + fields.Offset,
            "Finishing rest : " + fields.FinishingRest,
            "Cutting depth : " + fields.CuttingDepth,
            "Transv. cutting speed : " + fields.TransversalSpeed,
            "Longit. cutting speed : " + fields.LongitudinalSpeed,
            "Turning speed : " + fields.TurningSpeed};
}

std::vector<std::string> FinishingParameterTexts(const TFinishingFields& fields) {
    return {"SafeZ : " + fields.SafeZ, "Offset : " + fields.Offset,
            "StartXOffset : " + fields.StartXOffset, "Cutting speed : " + fields.CuttingSpeed,
            "Turning speed : " + fields.TurningSpeed};
}

} // namespace torvex
