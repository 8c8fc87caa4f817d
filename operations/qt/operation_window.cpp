#include "operations/qt/operation_window.h"

#include "operations/job_fields.h"
#include "operations/toolpath_building.h"
#include "operations/toolpath_display.h"
#include "platform/qt/background_work.h"
#include "platform/qt/program_settings.h"
#include "platform/qt/qt_support.h"
#include "toollibrary/qt/take_tool_dialog.h"
#include "toollibrary/qt/tool_slot_widget.h"
#include "toolpath/toolpath.h"
#include "workspace/workspace.h"

#include <QAction>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace torvex {

namespace {

constexpr int StripHeight = 20;
constexpr int IconSize = 16;
constexpr int ButtonIconSize = 32;

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

QPushButton* CommandButton(QWidget* parent, const char* name, const char* caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

} // namespace

OperationWindow::OperationWindow(const Description& description, Workspace& workspace,
                                 const SlotPictureSource& pictures, LibraryPositions positions,
                                 ToolpathTreeDisplay& tree, ToolpathViewDisplay& view,
                                 MessageSink& messages, QWidget* parent)
    : ToolWindow(description.Caption, Frame::Borderless, parent), Work(workspace), View(view),
      Pictures(pictures), Positions(std::move(positions)), Tree(tree), Messages(messages) {
    setObjectName(description.ObjectName);
}

void OperationWindow::Build(const Description& description) {
    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(10, 8, 10, 10);
    BuildFields(description.Fields);
    BuildSlots(description.Slots);
    BuildOperations(description.Buttons);
    BuildCommands();
}

void OperationWindow::BuildFields(const std::vector<Field>& fields) {
    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    QSettings settings = StoredSettings();
    for (const Field& field : fields) {
        QString key = objectName() + "/" + field.Name;
        auto* edit = new QLineEdit(settings.value(key).toString(), Body());
        edit->setObjectName(field.Name);
        auto* label = new QLabel(field.Label, Body());
        label->setBuddy(edit);
        edit->setAccessibleName(field.Label);
        edit->setToolTip(field.Tip);
        label->setToolTip(field.Tip);
        // Kept as it is typed, so that the next run starts with it whatever ends this one.
        connect(edit, &QLineEdit::textChanged, this,
                [key](const QString& text) { StoredSettings().setValue(key, text); });
        auto* row = new QHBoxLayout;
        row->addWidget(edit);
        auto* unit = new QLabel(field.Unit, Body());
        unit->setBuddy(edit);
        edit->setAccessibleDescription(field.Tip);
        unit->setMinimumWidth(unit->fontMetrics().horizontalAdvance("rev/min"));
        row->addWidget(unit);
        form->addRow(label, row);
        Fields[field.Name] = edit;
    }
    static_cast<QVBoxLayout*>(Body()->layout())->addLayout(form);
}

void OperationWindow::BuildSlots(const std::vector<Slot>& tools) {
    auto* row = new QHBoxLayout;
    for (const Slot& s : tools) {
        auto* column = new QVBoxLayout;
        auto* label = new QLabel(s.Label, Body());
        auto* slot = new TTool(Pictures, Body());
        slot->SetDropRule(IsLibrarySlotDrag);
        slot->setFocusPolicy(Qt::StrongFocus);
        ToolSide side = s.Side;
        ConnectGuarded(slot, &TTool2::Dropped, this, Messages, [this, side](const QMimeData* data) {
            if (auto drag = ReadSlotDrag(data->data(ToolSlotMime).toStdString()))
                DropLibrarySlot(side, *drag);
        });
        auto* take = new QAction("Take tool...", slot);
        take->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter),
                            QKeySequence(Qt::Key_Space)});
        take->setShortcutContext(Qt::WidgetShortcut);
        slot->addAction(take);
        slot->setContextMenuPolicy(Qt::ActionsContextMenu);
        ConnectGuarded(take, &QAction::triggered, this, Messages,
                       [this, side] { TakeToolCommand(side); });
        slot->setObjectName(s.Name);
        slot->setAccessibleName(s.Label);
        slot->setToolTip(QString(s.Label) + " drop a library position here, or press Enter for "
                                            "\"Take tool...\"");
        label->setBuddy(slot);
        column->addWidget(label);
        column->addWidget(slot);
        row->addLayout(column);
        Slots[static_cast<size_t>(side)] = slot;
    }
    row->addStretch(1);
    static_cast<QVBoxLayout*>(Body()->layout())->addLayout(row);
}

void OperationWindow::BuildOperations(const std::vector<OperationButton>& buttons) {
    if (buttons.empty())
        return;
    auto* box = new QGroupBox("Operations", Body());
    auto* grid = new QGridLayout(box);
    // The strip has room for every operation the window offers.
    StripWidth = 4 + 24 * static_cast<int>(buttons.size());
    int rows = 0;
    for (const OperationButton& b : buttons) {
        rows = std::max(rows, b.Row + 1);
        auto* button = new QToolButton(box);
        button->setObjectName(b.Name);
        button->setIcon(Icon(b.Code, ButtonIconSize));
        button->setIconSize(QSize(ButtonIconSize, ButtonIconSize));
        button->setToolTip(b.Operation);
        button->setAccessibleName(b.Operation);
        button->setAutoRaise(true);
        int code = b.Code;
        ConnectGuarded(button, &QToolButton::clicked, this, Messages,
                       [this, code] { QueueCommand(code); });
        grid->addWidget(button, b.Row, b.Column, 1, b.ColumnSpan, Qt::AlignCenter);
    }
    auto* strip = new QHBoxLayout;
    Image1 = new QLabel(box);
    Image1->setObjectName("Image1");
    Image1->setFixedSize(StripWidth, StripHeight);
    Image1->setFrameShape(QFrame::Box);
    Image1->setAccessibleName("Queued operations");
    auto* clear = CommandButton(box, "FlatSpeedButton6", "Clear");
    ConnectGuarded(clear, &QPushButton::clicked, this, Messages, [this] { ClearCommand(); });
    strip->addWidget(Image1);
    strip->addWidget(clear);
    grid->addLayout(strip, rows, 0, 1, 2);
    static_cast<QVBoxLayout*>(Body()->layout())->addWidget(box);
    RedrawStrip();
}

void OperationWindow::BuildCommands() {
    auto* layout = static_cast<QVBoxLayout*>(Body()->layout());
    auto* name = new QFormLayout;
    namee = new QLineEdit(Text(NextName()), Body());
    namee->setObjectName("namee");
    namee->setAccessibleName("Toolpath name");
    auto* label = new QLabel("Toolpath name", Body());
    label->setBuddy(namee);
    name->addRow(label, namee);
    layout->addLayout(name);
    cb1 = new QCheckBox("Modify viewpoint", Body());
    cb1->setObjectName("cb1");
    cb1->setChecked(true);
    layout->addWidget(cb1);
    auto* buttons = new QHBoxLayout;
    auto* preview = CommandButton(Body(), "FlatSpeedButton1", "Preview");
    auto* add = CommandButton(Body(), "Button1", "Add toolpath");
    ConnectGuarded(preview, &QPushButton::clicked, this, Messages, [this] { PreviewCommand(); });
    ConnectGuarded(add, &QPushButton::clicked, this, Messages, [this] { AddCommand(); });
    buttons->addWidget(preview);
    buttons->addWidget(add);
    layout->addLayout(buttons);
    layout->addStretch(1);
}

std::string OperationWindow::FieldText(const char* name) const {
    return Fields.at(name)->text().toStdString();
}

std::string OperationWindow::ToolpathName() const {
    return namee->text().toStdString();
}

void OperationWindow::AdvanceName() {
    namee->setText(Text(NextName()));
}

void OperationWindow::DropLibrarySlot(ToolSide side, const SlotDrag& drag) {
    TTool* slot = SlotOf(side);
    if (slot == nullptr)
        return;
    ToolNumbers[static_cast<size_t>(side)] = drag.Number;
    ToolSlotState state = slot->State();
    TakeLibrarySlot(state, drag.Slot);
    slot->SetState(std::move(state));
}

void OperationWindow::TakeToolCommand(ToolSide side) {
    std::vector<SlotDrag> positions = Positions();
    if (std::optional<size_t> chosen = ChooseLibraryPosition(this, positions))
        DropLibrarySlot(side, positions[*chosen]);
}

JobTool OperationWindow::Tool(ToolSide side) const {
    TTool* slot = SlotOf(side);
    if (slot == nullptr)
        return {};
    const ToolSlotState& state = slot->State();
    return {
        ToolNumbers[static_cast<size_t>(side)], {state.Ncoada, state.Ncutit}, KnifeLinesOf(state)};
}

void OperationWindow::ShowDefault(const char* name, const std::string& text) {
    QLineEdit* field = Fields.at(name);
    if (field->text().isEmpty())
        field->setText(Text(text));
}

void OperationWindow::ResetViewpointIfAsked(const TToolpath& toolpath) {
    if (!cb1->isChecked())
        return;
    for (size_t k = ViewpointResets(toolpath.Operations.size()); k > 0; --k)
        View.ResetViewpoint();
}

void OperationWindow::RedrawStrip() {
    if (Image1 == nullptr)
        return;
    QPixmap strip(StripWidth, StripHeight);
    strip.fill(Qt::white);
    QPainter painter(&strip);
    std::vector<int> codes = QueuedCodes();
    for (size_t k = 0; k < codes.size(); ++k)
        painter.drawPixmap(4 + 24 * static_cast<int>(k), 4, Icon(codes[k], IconSize));
    painter.end();
    Image1->setPixmap(strip);
}

void OperationWindow::QueueCommand(int code) {
    if (Enqueue(code))
        RedrawStrip();
}

void OperationWindow::ClearCommand() {
    EmptyQueue();
    RedrawStrip();
}

std::optional<TToolpath> OperationWindow::BuildInBackground(char separator) {
    MachiningJob job = Job(separator);
    std::string name = ToolpathName();
    return ResultWithProgress<TToolpath>(this, "Building the toolpath", [&] {
        return BuildToolpath(Work.Shaft, Work.StockShaft, job, name, Work.Setup);
    });
}

void OperationWindow::PreviewCommand() {
    if (Image1 != nullptr && QueuedCodes().empty()) {
        Messages.ShowMessage(NoOperationQueuedText);
        return;
    }
    RequireModel(Work.Shaft, Work.StockShaft);
    std::optional<TToolpath> preview = BuildInBackground(SystemDecimalSeparator());
    if (!preview)
        return;
    ResetViewpointIfAsked(*preview);
    View.DrawToolpath(*preview);
}

void OperationWindow::AddCommand() {
    if (Image1 != nullptr && QueuedCodes().empty()) {
        Messages.ShowMessage(NoOperationQueuedText);
        return;
    }
    RequireRoomForAnother(Work);
    RequireModel(Work.Shaft, Work.StockShaft);
    char separator = SystemDecimalSeparator();
    std::optional<TToolpath> built = BuildInBackground(separator);
    if (!built)
        return;
    TToolpath& toolpath = AddToolpath(Work, std::move(*built));
    ResetViewpointIfAsked(toolpath);
    emit ToolpathAdded();
    Tree.AddToolpathNode(toolpath, NodeTextsOf(toolpath, separator));
    View.DrawToolpath(toolpath);
}

} // namespace torvex
