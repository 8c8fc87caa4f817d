#pragma once

#include "geometry/point_list.h"
#include "operations/toolpath_building.h"

#include <QFrame>

namespace torvex {

class Workspace;

// A tool slot of an operation window: the support and knife taken from a library slot. A knife
// is handed to a build only while the slot shows it.
class OperationSlot : public QFrame {
    Q_OBJECT
public:
    OperationSlot(Workspace& workspace, ToolSide side, QWidget* parent);

    TToolSlotContent Content() const;
    // What a library slot dropped here brings: its names, whether it shows its knife, the
    // knife file's lines, and its number, which becomes the side's tool number.
    void TakeLibrarySlot(int slotNumber, const TToolSlotContent& content, bool showsKnife);

private:
    Workspace& Work;
    ToolSide Side;
    TToolSlotContent Slot;
    bool ShowsKnife = false;
};

} // namespace torvex
