#include "toollibrary/qt/profiled_editor_tab.h"

#include "platform/error_report.h"
#include "platform/qt/painter_canvas.h"
#include "platform/qt/qt_support.h"
#include "toollibrary/knife_picture.h"

#include <QDoubleSpinBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <limits>

namespace torvex {

namespace {

constexpr Rgb HighlightBlue{0, 0, 255};
constexpr Rgb MarkerGreen{0, 128, 0};
constexpr int IconSize = 20;

enum class Picture : uint8_t { CrossHair, CopyArrows, Change, Delete, Chamfer, Fillet, Dimension };

// The small pictures of the editor's buttons.
QIcon PictureIcon(Picture picture) {
    QPixmap pixmap(IconSize, IconSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.5));
    switch (picture) {
    case Picture::CrossHair:
        p.drawEllipse(QPointF(10, 10), 5.5, 5.5);
        p.drawLine(QPointF(10, 1), QPointF(10, 19));
        p.drawLine(QPointF(1, 10), QPointF(19, 10));
        break;
    case Picture::CopyArrows:
        for (int y : {6, 14}) {
            p.drawLine(QPointF(3, y), QPointF(17, y));
            p.drawLine(QPointF(3, y), QPointF(7, y - 3));
            p.drawLine(QPointF(3, y), QPointF(7, y + 3));
        }
        break;
    case Picture::Change:
        p.drawLine(QPointF(2, 16), QPointF(12, 6));
        p.setPen(QPen(Qt::darkBlue, 1.5));
        p.drawLine(QPointF(8, 18), QPointF(18, 8));
        p.drawLine(QPointF(18, 8), QPointF(14, 8));
        p.drawLine(QPointF(18, 8), QPointF(18, 12));
        break;
    case Picture::Delete:
        p.drawLine(QPointF(2, 17), QPointF(18, 3));
        p.setPen(QPen(Qt::red, 2));
        p.drawLine(QPointF(5, 5), QPointF(15, 15));
        p.drawLine(QPointF(15, 5), QPointF(5, 15));
        break;
    case Picture::Chamfer:
        p.drawLine(QPointF(3, 2), QPointF(3, 7));
        p.drawLine(QPointF(3, 7), QPointF(13, 17));
        p.drawLine(QPointF(13, 17), QPointF(18, 17));
        break;
    case Picture::Fillet: {
        QPainterPath path(QPointF(3, 2));
        path.lineTo(3, 5);
        path.arcTo(QRectF(3, -7, 24, 24), 180, 90);
        path.lineTo(18, 17);
        p.drawPath(path);
        break;
    }
    case Picture::Dimension:
        p.drawLine(QPointF(2, 4), QPointF(2, 16));
        p.drawLine(QPointF(18, 4), QPointF(18, 16));
        p.drawLine(QPointF(2, 10), QPointF(18, 10));
        p.drawLine(QPointF(2, 10), QPointF(6, 7));
        p.drawLine(QPointF(2, 10), QPointF(6, 13));
        p.drawLine(QPointF(18, 10), QPointF(14, 7));
        p.drawLine(QPointF(18, 10), QPointF(14, 13));
        break;
    }
    return QIcon(pixmap);
}

// A picture button: its operation is its tooltip and its accessible name.
QToolButton* PictureButton(QWidget* parent, const char* name, Picture picture,
                           const char* operation, bool checkable) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setIcon(PictureIcon(picture));
    button->setIconSize(QSize(IconSize, IconSize));
    button->setCheckable(checkable);
    button->setToolTip(operation);
    button->setAccessibleName(operation);
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

// The disabled "X" or "Y" beside a coordinate field.
QToolButton* Caption(QWidget* parent, const char* text) {
    auto* caption = new QToolButton(parent);
    caption->setText(text);
    caption->setEnabled(false);
    caption->setFocusPolicy(Qt::NoFocus);
    return caption;
}

QLineEdit* CoordinateField(QWidget* parent, const char* name, const char* accessibleName) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setAccessibleName(accessibleName);
    field->setFixedWidth(56);
    return field;
}

QDoubleSpinBox* SizeField(QWidget* parent, const char* name) {
    auto* field = new QDoubleSpinBox(parent);
    field->setObjectName(name);
    field->setRange(-std::numeric_limits<double>::max(), std::numeric_limits<double>::max());
    field->setDecimals(3);
    field->setValue(5);
    field->setFixedWidth(72);
    return field;
}

} // namespace

ProfiledEditorTab::ProfiledEditorTab(ProfiledEditorHost host, MessageSink& messages,
                                     QWidget* parent)
    : QWidget(parent), Host(std::move(host)), Messages(messages) {
    setObjectName("ProfiledEditorTab");
    Core.DecimalSeparator = SystemDecimalSeparator();
    Core.FramePixels = Host.Drawing.Frame.FramePixels;
    Core.PictureHeight = KnifePictureHeight;

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);

    auto* line = new QGroupBox("Draw/Change Line", this);
    auto* grid = new QGridLayout(line);
    auto* fromLabel = new QLabel("&From point", line);
    auto* toLabel = new QLabel("&To point", line);
    e11 = CoordinateField(line, "e11", "From point X");
    e12 = CoordinateField(line, "e12", "From point Y");
    e13 = CoordinateField(line, "e13", "To point X");
    e14 = CoordinateField(line, "e14", "To point Y");
    fromLabel->setBuddy(e11);
    toLabel->setBuddy(e13);
    fsp1 =
        PictureButton(line, "fsp1", Picture::CrossHair, "Pick the From point on the drawing", true);
    fsp2 =
        PictureButton(line, "fsp2", Picture::CrossHair, "Pick the To point on the drawing", true);
    copy = PictureButton(line, "copy", Picture::CopyArrows, "Copy the To point into the From point",
                         false);
    bapply = new QPushButton(ApplyCaption(EditorOperation::None), line);
    bapply->setObjectName("bapply");
    grid->addWidget(fromLabel, 0, 0, 1, 2);
    grid->addWidget(toLabel, 0, 3, 1, 2);
    grid->addWidget(Caption(line, "X"), 1, 0);
    grid->addWidget(e11, 1, 1);
    grid->addWidget(copy, 1, 2, 2, 1);
    grid->addWidget(Caption(line, "X"), 1, 3);
    grid->addWidget(e13, 1, 4);
    grid->addWidget(Caption(line, "Y"), 2, 0);
    grid->addWidget(e12, 2, 1);
    grid->addWidget(Caption(line, "Y"), 2, 3);
    grid->addWidget(e14, 2, 4);
    grid->addWidget(fsp1, 3, 1, Qt::AlignLeft);
    grid->addWidget(fsp2, 3, 4, Qt::AlignLeft);
    grid->addWidget(bapply, 3, 5);
    layout->addWidget(line);

    auto* operations = new QGroupBox("Operations", this);
    auto* row = new QHBoxLayout(operations);
    b1 = PictureButton(operations, "b1", Picture::Change, "Change a line", true);
    b2 = PictureButton(operations, "b2", Picture::Delete, "Delete a line", true);
    b3 = PictureButton(operations, "b3", Picture::Chamfer, "Chamfer a corner", true);
    b4 = PictureButton(operations, "b4", Picture::Fillet, "Fillet a corner", true);
    for (QToolButton* button : {b1, b2, b3, b4})
        row->addWidget(button);
    eo3 = SizeField(operations, "eo3");
    eo2 = SizeField(operations, "eo2");
    eo1 = SizeField(operations, "eo1");
    for (auto [text, field] : {std::pair{"D&1", eo3}, {"D&2", eo2}, {"&R", eo1}}) {
        auto* label = new QLabel(text, operations);
        label->setBuddy(field);
        field->setAccessibleName(QString(text).remove('&'));
        row->addWidget(label);
        row->addWidget(field);
    }
    clear = new QPushButton("Clear", operations);
    clear->setObjectName("Clear");
    row->addWidget(clear);
    spp = PictureButton(operations, "spp", Picture::Dimension,
                        "Dimension the line under the pointer", true);
    spp->setChecked(true);
    row->addWidget(spp);
    row->addStretch(1);
    layout->addWidget(operations);
    layout->addStretch(1);

    ConnectGuarded(fsp1, &QToolButton::clicked, this, Messages,
                   [this](bool down) { PickClicked(PickMode::From, down); });
    ConnectGuarded(fsp2, &QToolButton::clicked, this, Messages,
                   [this](bool down) { PickClicked(PickMode::To, down); });
    for (auto [button, operation] : {std::pair{b1, EditorOperation::Change},
                                     {b2, EditorOperation::Delete},
                                     {b3, EditorOperation::Chamfer},
                                     {b4, EditorOperation::Fillet}}) {
        EditorOperation op = operation;
        ConnectGuarded(button, &QToolButton::clicked, this, Messages,
                       [this, op](bool down) { OperationClicked(op, down); });
    }
    ConnectGuarded(copy, &QToolButton::clicked, this, Messages, [this] { CopyClicked(); });
    ConnectGuarded(clear, &QPushButton::clicked, this, Messages, [this] { ClearClicked(); });
    ConnectGuarded(spp, &QToolButton::clicked, this, Messages,
                   [this](bool down) { DimensionsToggled(down); });
    ConnectGuarded(bapply, &QPushButton::clicked, this, Messages, [this] { ApplyClicked(); });

    Host.PictureLabel.setMouseTracking(true);
    Host.PictureLabel.installEventFilter(this);
}

ProfiledEditorTab::~ProfiledEditorTab() = default;

bool ProfiledEditorTab::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &Host.PictureLabel) {
        if (event->type() == QEvent::MouseMove) {
            QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
            RunGuarded(Messages, [this, at] { PointerMoved(at); });
        } else if (event->type() == QEvent::MouseButtonPress) {
            auto* press = static_cast<QMouseEvent*>(event);
            Qt::MouseButton button = press->button();
            QPoint at = press->position().toPoint();
            RunGuarded(Messages, [this, button, at] { MousePressed(button, at); });
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ProfiledEditorTab::PickClicked(PickMode mode, bool down) {
    if (mode == PickMode::From)
        Core.PickFromClicked(down);
    else
        Core.PickToClicked(down);
    ShowState();
}

void ProfiledEditorTab::OperationClicked(EditorOperation operation, bool down) {
    Core.OperationClicked(operation, down);
    ShowState();
}

void ProfiledEditorTab::CopyClicked() {
    LineFields fields = ReadFields();
    KnifeEditor::CopyToIntoFrom(fields);
    ShowFields(fields);
}

void ProfiledEditorTab::ClearClicked() {
    std::vector<std::string> code = Host.CodeLines();
    EditorResult result = Core.Clear(code);
    Host.SetCodeLines(code);
    ShowState();
    Redraw(result.Redraw, code);
}

void ProfiledEditorTab::DimensionsToggled(bool down) {
    if (down)
        return;
    std::vector<std::string> code = Host.CodeLines();
    Redraw(KnifeEditor::DimensionsReleased(code).Redraw, code);
}

void ProfiledEditorTab::ApplyClicked() {
    std::vector<std::string> code = Host.CodeLines();
    EditorResult result = Core.Apply(code, ReadFields());
    Host.SetCodeLines(code);
    if (result.Frame) {
        Host.Drawing.Frame.FrameSize = result.Frame->FrameSize;
        Host.Drawing.Frame.FrameX0 = result.Frame->FrameX0;
        Host.Drawing.Frame.FrameY0 = result.Frame->FrameY0;
    }
    ShowState();
    Redraw(result.Redraw, code);
}

void ProfiledEditorTab::PointerMoved(QPoint position) {
    std::vector<std::string> code = Host.CodeLines();
    PointerEvent pointer{position.x(), position.y(), Host.ProfiledTabActive(), spp->isChecked(),
                         std::nullopt};
    if (pointer.ProfiledTabActive && pointer.DimensionsDown && !code.empty())
        pointer.UnderPointer =
            SegmentUnderPointer(Host.Drawing.Frame, code, position.x(), position.y());
    Show(Core.PointerMoved(code, pointer, PixelMapping()), code);
}

void ProfiledEditorTab::MousePressed(Qt::MouseButton button, QPoint position) {
    std::vector<std::string> code = Host.CodeLines();
    EditorResult result;
    if (button == Qt::RightButton) {
        result = Core.RightPressed();
    } else if (button == Qt::LeftButton) {
        LineFields fields = ReadFields();
        result =
            Core.LeftPressed(code, fields, CornerSizes{eo3->value(), eo2->value(), eo1->value()},
                             PixelMapping(), position.x(), position.y());
        Host.SetCodeLines(code);
        ShowFields(fields);
    } else {
        return;
    }
    ShowState();
    Redraw(result.Redraw, code);
}

LineFields ProfiledEditorTab::ReadFields() const {
    return {e11->text().toStdString(), e12->text().toStdString(), e13->text().toStdString(),
            e14->text().toStdString()};
}

void ProfiledEditorTab::ShowFields(const LineFields& fields) {
    e11->setText(QString::fromStdString(fields.FromX));
    e12->setText(QString::fromStdString(fields.FromY));
    e13->setText(QString::fromStdString(fields.ToX));
    e14->setText(QString::fromStdString(fields.ToY));
}

void ProfiledEditorTab::ShowState() {
    const EditorState& state = Core.State;
    fsp1->setChecked(state.Pick == PickMode::From);
    fsp2->setChecked(state.Pick == PickMode::To);
    b1->setChecked(state.Operation == EditorOperation::Change);
    b2->setChecked(state.Operation == EditorOperation::Delete);
    b3->setChecked(state.Operation == EditorOperation::Chamfer);
    b4->setChecked(state.Operation == EditorOperation::Fillet);
    bapply->setText(ApplyCaption(state.Operation));
}

PixelOf ProfiledEditorTab::PixelMapping() const {
    const DrawingFrame& frame = Host.Drawing.Frame;
    return [&frame](const TPoint& p) {
        return PixelPoint{CanvasX(frame, p.X), CanvasY(frame, p.Y)};
    };
}

// The selection is drawn in red on the editor's picture only; previews of the library's knives
// draw with the same state and never show it.
void ProfiledEditorTab::Redraw(EditorRedraw redraw, const std::vector<std::string>& code) {
    if (redraw == EditorRedraw::None)
        return;
    {
        PainterCanvas canvas(Host.Picture);
        ClearKnifePicture(canvas);
        Host.Drawing.SelectedLine = Core.RedLine();
        if (redraw == EditorRedraw::Contour)
            DrawContour(Host.Drawing, code, canvas);
        else if (redraw == EditorRedraw::LastDimensioned)
            DrawLineContourLastDimensioned(Host.Drawing, code, canvas);
        Host.Drawing.SelectedLine.reset();
    }
    Host.ShowPicture();
}

void ProfiledEditorTab::Show(const PointerView& view, const std::vector<std::string>& code) {
    if (!view.Redraw)
        return;
    {
        PainterCanvas canvas(Host.Picture);
        ClearKnifePicture(canvas);
        Host.Drawing.SelectedLine = Core.RedLine();
        DrawContour(Host.Drawing, code, canvas);
        const DrawingFrame& frame = Host.Drawing.Frame;
        if (view.Dimensioned) {
            DimensionSegment(Host.Drawing, canvas, *view.Dimensioned);
            if (view.Highlighted) {
                canvas.SetPenColour(HighlightBlue);
                canvas.MoveTo(CanvasX(frame, view.Dimensioned->A.X),
                              CanvasY(frame, view.Dimensioned->A.Y));
                canvas.LineTo(CanvasX(frame, view.Dimensioned->B.X),
                              CanvasY(frame, view.Dimensioned->B.Y));
                canvas.SetPenColour(Black);
            }
        }
        if (view.Marker) {
            int x = CanvasX(frame, view.Marker->Point.X);
            int y = CanvasY(frame, view.Marker->Point.Y);
            canvas.SetPenColour(MarkerGreen);
            canvas.SetBrush(White, BrushStyle::Clear);
            canvas.Rectangle(x - 4, y - 4, x + 4, y + 4);
            canvas.SetFont("Small Fonts", 6, FontWeight::Bold);
            canvas.TextOut(x + 8, y - 12, view.Marker->XLabel);
            canvas.TextOut(x + 8, y - 5, view.Marker->YLabel);
            canvas.SetFont("Small Fonts", 6, FontWeight::Normal);
            canvas.SetBrush(White, BrushStyle::Solid);
            canvas.SetPenColour(Black);
        }
        Host.Drawing.SelectedLine.reset();
    }
    Host.ShowPicture();
}

} // namespace torvex
