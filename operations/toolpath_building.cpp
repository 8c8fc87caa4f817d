#include "operations/toolpath_building.h"

#include "geometry/number_text.h"
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

// A field a machine depends on, converted and checked before anything is built: a negative
// depth would plunge through the whole stock at once, a negative feed run the times backwards.
enum class Sign { Positive, NotNegative };

double MachineField(const std::string& text, char separator, const char* name, Sign sign) {
    double value = TextToFloat(text, separator);
    if (sign == Sign::Positive && !(value > 0))
        throw OperationError(std::string(name) + " must be greater than 0.");
    if (sign == Sign::NotNegative && value < 0)
        throw OperationError(std::string(name) + " must not be negative.");
    return value;
}

// The roughing fields as numbers, converted and checked in the order the window reads them.
struct RoughingValues {
    double TransversalSpeed, LongitudinalSpeed, TurningSpeed, SafeZ, Offset, Depth, Rest;
};

RoughingValues ConvertRoughingFields(const TRoughingFields& fields, bool operationsQueued,
                                     char separator) {
    using enum Sign;
    RoughingValues v{};
    v.TransversalSpeed =
        MachineField(fields.TransversalSpeed, separator, "Transversal speed", Positive);
    v.LongitudinalSpeed =
        MachineField(fields.LongitudinalSpeed, separator, "Longitudinal speed", Positive);
    v.TurningSpeed = MachineField(fields.TurningSpeed, separator, "Turning speed", Positive);
    v.SafeZ = MachineField(fields.SafeZ, separator, "Safe Z", Positive);
    v.Offset = MachineField(fields.Offset, separator, "Offset", NotNegative);
    if (operationsQueued) {
        v.Depth = MachineField(fields.CuttingDepth, separator, "Cutting depth", Positive);
        v.Rest = MachineField(fields.FinishingRest, separator, "Finishing rest", NotNegative);
    }
    return v;
}

struct FinishingValues {
    double CuttingSpeed, TurningSpeed, SafeZ, Offset, Approach;
};

FinishingValues ConvertFinishingFields(const TFinishingFields& fields, bool operationsQueued,
                                       char separator) {
    using enum Sign;
    FinishingValues v{};
    v.CuttingSpeed = MachineField(fields.CuttingSpeed, separator, "Cutting speed", Positive);
    v.TurningSpeed = MachineField(fields.TurningSpeed, separator, "Turning speed", Positive);
    v.SafeZ = MachineField(fields.SafeZ, separator, "Safe Z", Positive);
    v.Offset = MachineField(fields.Offset, separator, "Offset", NotNegative);
    if (operationsQueued)
        v.Approach = MachineField(fields.StartXOffset, separator, "StartXOffset", NotNegative);
    return v;
}

void RunRoughingOperation(TToolpath& toolpath, RoughingOperation operation, const TShaft& part,
                          const TShaft& stock, const RoughingValues& v) {
    using enum RoughingOperation;
    const double stockRadius = stock.MaxRadius;
    const bool fromStock = operation == LeftFromStock || operation == RightFromStock;
    const double extra = fromStock ? stockRadius - part.MaxRadius : 0;
    switch (operation) {
    case WholeLength:
        toolpath.RoughFullLength(part.Elements, v.Depth, Lift, v.TransversalSpeed,
                                 v.LongitudinalSpeed, stockRadius, v.Rest);
        break;
    case LeftFromStock:
    case LeftBelowTop:
        toolpath.BuildLeftOffsetContour(part.LeftOutline.Elements, fromStock, v.Rest, extra);
        toolpath.RoughLeft(toolpath.LeftOffsetContour, v.Depth, Lift, v.TransversalSpeed,
                           v.LongitudinalSpeed, ArcSteps);
        break;
    case RightFromStock:
    case RightBelowTop:
        toolpath.BuildRightOffsetContour(part.RightOutline.Elements, fromStock, v.Rest, extra);
        toolpath.RoughRight(toolpath.RightOffsetContour, v.Depth, Lift, v.TransversalSpeed,
                            v.LongitudinalSpeed, ArcSteps);
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
    const std::vector<RoughingOperation>& codes = workspace.RoughingQueue.Codes;
    RequireModel(workspace);
    RoughingValues v = ConvertRoughingFields(fields, !codes.empty(), request.DecimalSeparator);
    auto toolpath = NewToolpath(workspace, fields.Name, "Rough", left, right);
    toolpath->CuttingFeed = v.TransversalSpeed;
    toolpath->LongitudinalFeed = v.LongitudinalSpeed;
    toolpath->TurningSpeed = v.TurningSpeed;
    workspace.Shaft.BuildSideOutlines(EntryCorner::Drop, FlatTop::Drop, FlatTop::Drop);
    toolpath->SafeX = v.SafeZ + workspace.StockShaft.MaxRadius;
    toolpath->Offset = v.Offset;
    for (RoughingOperation code : codes) {
        if (request.Adding)
            toolpath->WriteToolChange(IsLeftSide(code) ? workspace.LeftToolNo
                                                       : workspace.RightToolNo);
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
    auto flat = [](bool keep) { return keep ? FlatTop::Keep : FlatTop::Drop; };
    part.BuildSideOutlines(EntryCorner::Keep, flat(queue.KeepRightFlat), flat(queue.KeepLeftFlat));
    toolpath->SafeX = v.SafeZ + workspace.StockShaft.MaxRadius;
    toolpath->Offset = v.Offset;
    for (FinishingOperation code : queue.Codes) {
        bool right = IsRightSide(code);
        if (request.Adding)
            toolpath->WriteToolChange(right ? workspace.RightToolNo : workspace.LeftToolNo);
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
