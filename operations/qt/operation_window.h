#pragma once

#include "geometry/point_list.h"
#include "operations/toolpath_building.h"
#include "platform/qt/tool_window.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace torvex {

class MessageSink;
class TTool;
class ToolLibraryWindow;
class ToolpathTreeDisplay;
class ToolpathViewDisplay;
class Workspace;

// What the roughing and the finishing window have in common: the fields with their labels, the
// left and right tool slots, the picture buttons that queue operations with the strip that shows
// the queue, "Clear", "Preview" and "Add toolpath", the toolpath's name and "Modify viewpoint".
// The window reads its controls, calls the core and shows the result.
class OperationWindow : public ToolWindow {
    Q_OBJECT
public:
    struct Field {
        const char* Name;  // e1, ...
        const char* Label; // "Safe Z :", ...
    };
    struct OperationButton {
        int Code;
        const char* Name;      // FlatSpeedButton7, ...
        const char* Operation; // its accessible name and tooltip
        int Row, Column, ColumnSpan;
    };
    struct Description {
        QString Caption;
        const char* ObjectName;
        std::vector<Field> Fields;
        std::vector<OperationButton> Buttons;
    };

    // The slots take their tools from the library's slots.
    OperationWindow(const Description& description, Workspace& workspace,
                    ToolLibraryWindow& library, ToolpathTreeDisplay& tree,
                    ToolpathViewDisplay& view, MessageSink& messages, QWidget* parent);

    // The text of a field, as typed, and of the toolpath's name.
    std::string FieldText(const char* name) const;
    std::string ToolpathName() const;
    // The default name of the next toolpath, after a toolpath was added in either window.
    void AdvanceName();

    // A library slot dropped on a tool slot: the slot takes its tool, and the library slot's
    // number becomes the side's tool number, in both windows.
    void DropLibrarySlot(ToolSide side);
    void QueueCommand(int code);
    void ClearCommand();
    void PreviewCommand();
    void AddCommand();

    TTool* LeftSlot() const { return Tool1; }
    TTool* RightSlot() const { return Tool2; }

signals:
    // A toolpath was added: both windows advance their default names.
    void ToolpathAdded();

protected:
    // Makes the controls; called by the window's own constructor, once its rules are there.
    void Build(const Description& description);
    // The operation's queueing rule; true when the code was queued.
    virtual bool Enqueue(int code) = 0;
    virtual void EmptyQueue() = 0;
    virtual std::vector<int> QueuedCodes() const = 0;
    virtual QPixmap Icon(int code, int size) const = 0;
    // The name of the next toolpath for this window ("3-Roughing").
    virtual std::string NextName() const = 0;
    // Builds the queued operations into a toolpath that leaves no trace.
    virtual std::unique_ptr<TToolpath> Preview(char separator) = 0;
    // Adds the toolpath; nullptr with an empty queue.
    virtual TToolpath* Add(char separator) = 0;
    virtual std::vector<std::string> ParameterTexts() const = 0;
    // What a build takes from a slot: its knife's lines only while it shows the knife.
    static TToolSlotContent Content(const TTool& slot);
    // Resets the viewpoint when "Modify viewpoint" is checked: after each queued operation
    // (roughing) or once (finishing).
    void ResetViewpointIfAsked();

    Workspace& Work;
    ToolpathViewDisplay& View;

private:
    void BuildFields(const std::vector<Field>& fields);
    void BuildSlots();
    void BuildOperations(const std::vector<OperationButton>& buttons);
    void BuildCommands();
    void RedrawStrip();

    ToolLibraryWindow& Library;
    ToolpathTreeDisplay& Tree;
    MessageSink& Messages;
    std::map<std::string, QLineEdit*> Fields;
    QLineEdit* namee = nullptr;
    QCheckBox* cb1 = nullptr;
    TTool* Tool1 = nullptr;
    TTool* Tool2 = nullptr;
    QLabel* Image1 = nullptr;
};

} // namespace torvex
