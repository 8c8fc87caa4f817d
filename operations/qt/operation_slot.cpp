#include "operations/qt/operation_slot.h"

#include "workspace/workspace.h"

namespace torvex {

OperationSlot::OperationSlot(Workspace& workspace, ToolSide side, QWidget* parent)
    : QFrame(parent), Work(workspace), Side(side) {
    setFixedSize(40, 80);
    setFrameShape(QFrame::Box);
    setFocusPolicy(Qt::StrongFocus);
}

TToolSlotContent OperationSlot::Content() const {
    TToolSlotContent content = Slot;
    if (!ShowsKnife)
        content.Data.clear();
    return content;
}

void OperationSlot::TakeLibrarySlot(int slotNumber, const TToolSlotContent& content,
                                    bool showsKnife) {
    (Side == ToolSide::Left ? Work.LeftToolNo : Work.RightToolNo) =
        static_cast<uint8_t>(slotNumber);
    Slot = content;
    ShowsKnife = showsKnife;
    update();
}

} // namespace torvex
