#include "operations/qt/operation_windows.h"

#include "operations/job_fields.h"
#include "operations/qt/operation_icons.h"
#include "operations/toolpath_building.h"
#include "operations/toolpath_display.h"
#include "toolpath/toolpath.h"
#include "workspace/workspace.h"

namespace torvex {

namespace {

const OperationWindow::Description& RoughingDescription() {
    static const OperationWindow::Description description{
        "Roughing toolpath",
        "ROUGH",
        {{"e1", "Safe Z :"},
         {"e2", "Offset :"},
         {"e6", "Finishing rest :"},
         {"e3", "Cutting depth :"},
         {"e4", "Transversal speed"},
         {"e5", "Longitudinal speed"},
         {"e7", "Turning speed"},
         {"e8", "Surface speed :"},
         {"e9", "Max spindle speed :"}},
        {{0, "FlatSpeedButton7", "Whole length", 0, 0, 2},
         {2, "FlatSpeedButton3", "Left side below the part's largest radius", 1, 0, 1},
         {4, "FlatSpeedButton5", "Right side below the part's largest radius", 1, 1, 1},
         {1, "FlatSpeedButton2", "Left side from the stock radius", 2, 0, 1},
         {3, "FlatSpeedButton4", "Right side from the stock radius", 2, 1, 1}}};
    return description;
}

const OperationWindow::Description& FinishingDescription() {
    static const OperationWindow::Description description{
        "Finishing toolpath",
        "FINISH",
        {{"e1", "Safe Z :"},
         {"e2", "Offset :"},
         {"e3", "StartXOffset :"},
         {"e4", "Cutting speed :"},
         {"e5", "Turning speed :"},
         {"e6", "Surface speed :"},
         {"e7", "Max spindle speed :"}},
        {{1, "FlatSpeedButton3", "Left side without its top", 0, 0, 1},
         {3, "FlatSpeedButton5", "Right side without its top", 0, 1, 1},
         {2, "FlatSpeedButton7", "Left side with its top", 1, 0, 1},
         {4, "FlatSpeedButton2", "Right side with its top", 1, 1, 1}}};
    return description;
}

template <class Operation> std::vector<int> Numbers(const std::vector<Operation>& operations) {
    std::vector<int> numbers;
    for (Operation operation : operations)
        numbers.push_back(static_cast<int>(operation));
    return numbers;
}

} // namespace

RoughingWindow::RoughingWindow(Workspace& workspace, const SlotPictureSource& pictures,
                               ToolpathTreeDisplay& tree, ToolpathViewDisplay& view,
                               MessageSink& messages, QWidget* parent)
    : OperationWindow(RoughingDescription(), workspace, pictures, tree, view, messages, parent) {
    Build(RoughingDescription());
}

bool RoughingWindow::Enqueue(int code) {
    std::optional<RoughingOperation> operation = RoughingOperationOf(code);
    return operation && Work.RoughingQueue.Add(*operation);
}

void RoughingWindow::EmptyQueue() {
    Work.RoughingQueue.Clear();
}

std::vector<int> RoughingWindow::QueuedCodes() const {
    return Numbers(Work.RoughingQueue.Codes);
}

QPixmap RoughingWindow::Icon(int code, int size) const {
    return OperationIcon(*RoughingOperationOf(code), size);
}

std::string RoughingWindow::NextName() const {
    return NextToolpathName(Work, "Roughing");
}

MachiningJob RoughingWindow::Job(char separator) const {
    TRoughingFields fields{FieldText("e1"), FieldText("e2"), FieldText("e6"),
                           FieldText("e3"), FieldText("e4"), FieldText("e5"),
                           FieldText("e7"), FieldText("e8"), FieldText("e9")};
    return RoughingJobOf(fields, Work.RoughingQueue.Codes, Tool(ToolSide::Left),
                         Tool(ToolSide::Right), separator);
}

FinishingWindow::FinishingWindow(Workspace& workspace, const SlotPictureSource& pictures,
                                 ToolpathTreeDisplay& tree, ToolpathViewDisplay& view,
                                 MessageSink& messages, QWidget* parent)
    : OperationWindow(FinishingDescription(), workspace, pictures, tree, view, messages, parent) {
    Build(FinishingDescription());
}

bool FinishingWindow::Enqueue(int code) {
    std::optional<FinishingOperation> operation = FinishingOperationOf(code);
    return operation && Work.FinishingQueue.Add(*operation);
}

void FinishingWindow::EmptyQueue() {
    Work.FinishingQueue.Clear();
}

std::vector<int> FinishingWindow::QueuedCodes() const {
    return Numbers(Work.FinishingQueue.Codes);
}

QPixmap FinishingWindow::Icon(int code, int size) const {
    return OperationIcon(*FinishingOperationOf(code), size);
}

std::string FinishingWindow::NextName() const {
    return NextToolpathName(Work, "Finishing");
}

MachiningJob FinishingWindow::Job(char separator) const {
    TFinishingFields fields{FieldText("e1"), FieldText("e2"), FieldText("e3"), FieldText("e4"),
                            FieldText("e5"), FieldText("e6"), FieldText("e7")};
    return FinishingJobOf(fields, Work.FinishingQueue.Codes, Tool(ToolSide::Left),
                          Tool(ToolSide::Right), separator);
}

} // namespace torvex
