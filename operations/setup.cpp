#include "operations/setup.h"

#include "geometry/element.h"
#include "geometry/number_text.h"
#include "geometry/shaft.h"
#include "operations/nc_program.h"
#include "operations/toolpath_building.h"
#include "toolpath/toolpath.h"
#include "workspace/workspace.h"

#include <algorithm>
#include <memory>
#include <utility>

namespace torvex {

std::optional<std::string> ChuckRefusal(std::span<const TToolpath* const> toolpaths,
                                        const NcProgram& program, const ToolChangePosition& change,
                                        const Setup& setup, const TShaft& part,
                                        const TShaft& stock) {
    std::optional<double> limit = MachiningLimit(setup, stock);
    if (!limit)
        return std::nullopt;
    double zero = ProgramZeroX(setup, part);
    // Where the tips may go: no part of either knife of a toolpath nearer to the jaws than the
    // clearance.
    auto tipLimit = [&](const TToolpath& toolpath, ToolSide side) {
        return *TipLimit(setup, stock, toolpath.Knife(side));
    };
    double changeLimit = *limit;
    for (const TToolpath* toolpath : toolpaths)
        changeLimit = std::max({changeLimit, tipLimit(*toolpath, ToolSide::Left),
                                tipLimit(*toolpath, ToolSide::Right)});
    double aboveJaws = stock.MaxRadius + JawHeight + setup.JawClearance;
    if (change.Place == ToolChangePlace::Position && change.Z + zero < changeLimit &&
        change.X < aboveJaws)
        return "The tool change position Z" + NCNumberText(change.Z) +
               " lies beside the chuck's jaws, and its X " + FloatToText(change.X) +
               " is not above them: give a tool change Z of at least " +
               NCNumberText(changeLimit - zero) + " or an X of at least " + FloatToText(aboveJaws) +
               ".";
    // Rounding to the thousandth the program writes is no approach to the jaws.
    constexpr double Written = 0.0005;
    for (size_t k = 0; k < toolpaths.size(); ++k) {
        for (const TPunct& move : toolpaths[k]->PathPoints) {
            if (move.X >= tipLimit(*toolpaths[k], move.Tool) - Written)
                continue;
            int32_t block = move.Block;
            if (k < program.Numbers.size())
                if (auto found = program.Numbers[k].find(block); found != program.Numbers[k].end())
                    block = found->second;
            return BlockNumberText(block) + " would take the tool to Z" +
                   NCNumberText(move.X - zero) + ", nearer than " +
                   FloatToText(setup.JawClearance) +
                   " mm to the chuck's jaws: the program is not written.";
        }
    }
    return std::nullopt;
}

std::vector<TToolpath> ToolpathsForSetup(const Workspace& workspace, const Setup& setup) {
    std::vector<TToolpath> rebuilt;
    for (const auto& toolpath : workspace.Toolpaths)
        rebuilt.push_back(BuildToolpath(workspace.Shaft, workspace.StockShaft, toolpath->Job,
                                        toolpath->Name, setup));
    return rebuilt;
}

void ChangeSetup(Workspace& workspace, const Setup& setup, std::vector<TToolpath> rebuilt) {
    for (size_t k = 0; k < rebuilt.size() && k < workspace.Toolpaths.size(); ++k)
        *workspace.Toolpaths[k] = std::move(rebuilt[k]);
    workspace.Setup = setup;
}

void ChangeSetup(Workspace& workspace, const Setup& setup) {
    ChangeSetup(workspace, setup, ToolpathsForSetup(workspace, setup));
}

std::vector<std::string> FlippedRecords(const TModel& model, double about) {
    auto mirrored = [about](TPoint p) { return TPoint{about - p.X, p.Y}; };
    std::vector<std::string> records;
    // From the new left end to the new right end, each line written left to right.
    for (auto e = model.Elements.rbegin(); e != model.Elements.rend(); ++e) {
        if (!e->IsLine() && !e->IsArc())
            continue;
        TObj flipped = *e;
        if (e->IsLine()) {
            flipped.P1 = mirrored(e->P2);
            flipped.P2 = mirrored(e->P1);
        } else {
            // The arc's box keeps its lower left corner first. Mirrored, the arc would run the
            // other way round its centre: its start and end change places.
            flipped.P1 = {about - e->P2.X, e->P1.Y};
            flipped.P2 = {about - e->P1.X, e->P2.Y};
            flipped.P3 = mirrored(e->P4);
            flipped.P4 = mirrored(e->P3);
        }
        records.push_back(ElementText(flipped));
    }
    return records;
}

void FlipPart(TShaft& part, TShaft& stock) {
    double about = part.Points.Empty() ? 0 : part.Points.Last().X;
    TShaft flippedPart;
    flippedPart.LoadFromLines(FlippedRecords(part, about));
    TShaft flippedStock;
    flippedStock.LoadFromLines(FlippedRecords(stock, about));
    part = std::move(flippedPart);
    stock = std::move(flippedStock);
}

} // namespace torvex
