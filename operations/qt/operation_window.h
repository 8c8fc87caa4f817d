#pragma once

#include "geometry/point_list.h"
#include "platform/qt/tool_window.h"
#include "toollibrary/qt/tool_slot_widget.h"
#include "toolpath/job.h"
#include "toolpath/toolpath.h"

#include <array>
#include <map>
#include <optional>
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
class TToolpath;
class ToolpathTreeDisplay;
class ToolpathViewDisplay;
class Workspace;

// What the operation windows have in common: the fields with their labels, the tool slots (the
// left and the right tool, or one tool), the picture buttons that queue operations with the strip
// that shows the queue, "Clear", "Preview" and "Add toolpath", the toolpath's name and "Modify
// viewpoint". A window without picture buttons has no queue: its one operation is always done.
// The window reads its controls, calls the core and shows the result.
class OperationWindow : public ToolWindow {
    Q_OBJECT
public:
    struct Field {
        const char* Name;  // e1, ...
        const char* Label; // "Safe Z :", ...
        const char* Unit;  // "mm", "mm/min" or "rev/min", shown beside the field
        const char* Tip;   // what the field is, in a machinist's words
    };
    // A tool slot: the tool of one side of the job (a one-tool job's tool is its left one).
    struct Slot {
        const char* Name;  // Tool1, ...
        const char* Label; // "LTool :", ...
        ToolSide Side;
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
        std::vector<Slot> Slots;
        std::vector<OperationButton> Buttons;
    };

    // The slots take their tools from the library's positions, dropped or chosen with "Take
    // tool...", and their pictures from `pictures`.
    OperationWindow(const Description& description, Workspace& workspace,
                    const SlotPictureSource& pictures, LibraryPositions positions,
                    ToolpathTreeDisplay& tree, ToolpathViewDisplay& view, MessageSink& messages,
                    QWidget* parent);

    // The text of a field, as typed, and of the toolpath's name. Each field starts with the text
    // it last held (kept in the settings under the window's object name).
    std::string FieldText(const char* name) const;
    std::string ToolpathName() const;
    // The default name of the next toolpath, after a toolpath was added in either window.
    void AdvanceName();

    // A library slot dropped on a tool slot: the slot takes its tool, and the library slot's
    // number becomes the tool number of this slot alone.
    void DropLibrarySlot(ToolSide side, const SlotDrag& drag);
    // "Take tool..." on a slot (its context menu, or Enter or Space while it has the focus): the
    // library's positions listed, and the chosen one taken as its drop would take it.
    void TakeToolCommand(ToolSide side);
    void QueueCommand(int code);
    void ClearCommand();
    void PreviewCommand();
    void AddCommand();

    // The slot of a side, nullptr for a side the window has no slot for.
    TTool* SlotOf(ToolSide side) const { return Slots[static_cast<size_t>(side)]; }
    TTool* LeftSlot() const { return SlotOf(ToolSide::Left); }
    TTool* RightSlot() const { return SlotOf(ToolSide::Right); }

signals:
    // A toolpath was added: every window advances its default name.
    void ToolpathAdded();

protected:
    // Makes the controls; called by the window's own constructor, once its rules are there.
    void Build(const Description& description);
    // The operation's queueing rule; true when the code was queued. A window without picture
    // buttons has none.
    virtual bool Enqueue(int) { return false; }
    virtual void EmptyQueue() {}
    virtual std::vector<int> QueuedCodes() const { return {}; }
    virtual QPixmap Icon(int, int) const { return {}; }
    // The name of the next toolpath for this window ("3-Roughing").
    virtual std::string NextName() const = 0;
    // The job the fields, the queue and the slots ask for, converted with the decimal separator.
    virtual MachiningJob Job(char separator) const = 0;
    // How often "Modify viewpoint" resets the viewpoint after a build of `operations` operations.
    virtual size_t ViewpointResets(size_t operations) const = 0;
    // The tool of a slot: its library position, its names and its knife's lines only while it
    // shows the knife.
    JobTool Tool(ToolSide side) const;
    // Shows `text` in a field that holds nothing yet, as on the first run: a default value.
    void ShowDefault(const char* name, const std::string& text);

    Workspace& Work;
    ToolpathViewDisplay& View;

private:
    void BuildFields(const std::vector<Field>& fields);
    void BuildSlots(const std::vector<Slot>& tools);
    void BuildOperations(const std::vector<OperationButton>& buttons);
    void BuildCommands();
    void RedrawStrip();
    void ResetViewpointIfAsked(const TToolpath& toolpath);
    // The job's toolpath built off the window's thread (with progress and Cancel); nothing when
    // cancelled.
    std::optional<TToolpath> BuildInBackground(char separator);

    SlotPictureSource Pictures;
    LibraryPositions Positions;
    ToolpathTreeDisplay& Tree;
    MessageSink& Messages;
    std::map<std::string, QLineEdit*> Fields;
    QLineEdit* namee = nullptr;
    QCheckBox* cb1 = nullptr;
    // The slots of the left and the right tool, and the library positions their tools were taken
    // from: the tool numbers of the program.
    std::array<TTool*, 2> Slots{};
    std::array<int, 2> ToolNumbers{};
    QLabel* Image1 = nullptr; // the queue's strip; none without picture buttons
    int StripWidth = 0;
};

} // namespace torvex
