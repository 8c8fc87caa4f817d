#include "operations/qt/operation_windows.h"

#include "operations/qt/operation_icons.h"
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
         {"e7", "Turning speed"}},
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
         {"e5", "Turning speed :"}},
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

RoughingWindow::RoughingWindow(Workspace& workspace, ToolLibraryWindow& library,
                               ToolpathTreeDisplay& tree, ToolpathViewDisplay& view,
                               MessageSink& messages, QWidget* parent)
    : OperationWindow(RoughingDescription(), workspace, library, tree, view, messages, parent) {
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
    return NextRoughingName(Work);
}

TRoughingFields RoughingWindow::Fields() const {
    return {FieldText("e1"), FieldText("e2"), FieldText("e6"), FieldText("e3"),
            FieldText("e4"), FieldText("e5"), FieldText("e7"), ToolpathName()};
}

std::unique_ptr<TToolpath> RoughingWindow::Preview(char separator) {
    TBuildRequest request{false, separator, [this] { ResetViewpointIfAsked(); }};
    return BuildRoughingToolpath(Work, Fields(), Content(*LeftSlot()), Content(*RightSlot()),
                                 request);
}

TToolpath* RoughingWindow::Add(char separator) {
    return AddRoughingToolpath(Work, Fields(), Content(*LeftSlot()), Content(*RightSlot()),
                               separator, [this] { ResetViewpointIfAsked(); });
}

std::vector<std::string> RoughingWindow::ParameterTexts() const {
    return RoughingParameterTexts(Fields());
}

FinishingWindow::FinishingWindow(Workspace& workspace, ToolLibraryWindow& library,
                                 ToolpathTreeDisplay& tree, ToolpathViewDisplay& view,
                                 MessageSink& messages, QWidget* parent)
    : OperationWindow(FinishingDescription(), workspace, library, tree, view, messages, parent) {
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
    return NextFinishingName(Work);
}

TFinishingFields FinishingWindow::Fields() const {
    return {FieldText("e1"), FieldText("e2"), FieldText("e3"),
            FieldText("e4"), FieldText("e5"), ToolpathName()};
}

std::unique_ptr<TToolpath> FinishingWindow::Preview(char separator) {
    std::unique_ptr<TToolpath> toolpath = BuildFinishingToolpath(
        Work, Fields(), Content(*LeftSlot()), Content(*RightSlot()), {false, separator, {}});
    ResetViewpointIfAsked();
    return toolpath;
}

TToolpath* FinishingWindow::Add(char separator) {
    TToolpath* toolpath = AddFinishingToolpath(Work, Fields(), Content(*LeftSlot()),
                                               Content(*RightSlot()), separator);
    if (toolpath != nullptr)
        ResetViewpointIfAsked();
    return toolpath;
}

std::vector<std::string> FinishingWindow::ParameterTexts() const {
    return FinishingParameterTexts(Fields());
}

} // namespace torvex
