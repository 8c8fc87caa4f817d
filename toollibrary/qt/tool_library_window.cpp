#include "toollibrary/qt/tool_library_window.h"

#include "platform/error_report.h"
#include "platform/qt/painter_canvas.h"
#include "platform/qt/qt_support.h"
#include "platform/qt/tool_window.h"
#include "toollibrary/knife_frame.h"
#include "toollibrary/knife_picture.h"
#include "toollibrary/qt/library_list.h"
#include "toollibrary/qt/profiled_editor_tab.h"
#include "toollibrary/qt/tool_popups.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace torvex {

namespace {

// The tool positions as the turret numbers them, row by row, and where the rows and columns
// stand on the white panel.
constexpr int SlotNumbers[4][5] = {
    {1, 2, 3, 4, 5}, {14, 13, 12, 11, 10}, {6, 7, 8, 9, 20}, {19, 18, 17, 16, 15}};
constexpr int SlotColumns[5] = {2, 48, 96, 144, 190};
constexpr int SlotRows[4] = {8, 112, 216, 320};

QLineEdit* Field(QWidget* parent, const char* name) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    return field;
}

void AddRow(QFormLayout* form, const char* label, QLineEdit* field) {
    auto* caption = new QLabel(label, field->parentWidget());
    caption->setBuddy(field);
    field->setAccessibleName(QString(label).remove('&'));
    form->addRow(caption, field);
}

// A form of a name and a comments field, their labels as buddies.
QFormLayout* NameAndComments(QLineEdit* name, const char* nameLabel, QLineEdit* comments,
                             const char* commentsLabel) {
    auto* form = new QFormLayout;
    AddRow(form, nameLabel, name);
    AddRow(form, commentsLabel, comments);
    return form;
}

QLabel* Heading(const char* text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

void ClearImage(QImage& image) {
    image.fill(Qt::white);
}

} // namespace

ToolLibraryWindow::ToolLibraryWindow(const std::filesystem::path& startupDirectory,
                                     ToolWindow& knifePopup, ToolWindow& supportPopup,
                                     MessageSink& messages, QWidget* parent)
    : QWidget(parent), Messages(messages), Files(startupDirectory),
      MissingPictures(messages), PictureSourceOfSlots{startupDirectory, MissingPictures},
      KnifePopupWindow(knifePopup), SupportPopupWindow(supportPopup),
      DrawingImage(KnifePictureWidth, KnifePictureHeight, QImage::Format_RGB32) {
    setObjectName("ToolLibrary");
    Drawing.Frame.FramePixels = 120;
    Drawing.DecimalSeparator = SystemDecimalSeparator();
    ClearImage(DrawingImage);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    Tabs = new QTabWidget(this);
    Tabs->setObjectName("Tabs");
    Tabs->addTab(BuildSelectTools(), "Select tools");
    Tabs->addTab(BuildAddTools(), "Add tools");
    layout->addWidget(Tabs);

    KnifePopupBody = new KnifePopup(knifePopup.Body());
    SupportPopupBody = new SupportPopup(supportPopup.Body());
    for (auto [window, body] : {std::pair<ToolWindow*, QWidget*>{&knifePopup, KnifePopupBody},
                                {&supportPopup, SupportPopupBody}}) {
        if (!window->Body()->layout())
            new QVBoxLayout(window->Body());
        window->Body()->layout()->setContentsMargins(0, 0, 0, 0);
        window->Body()->layout()->addWidget(body);
    }
    ConnectPopups();

    Files.LoadToolLists(messages);
    RefreshLists();
}

ToolLibraryWindow::~ToolLibraryWindow() = default;

QWidget* ToolLibraryWindow::BuildSelectTools() {
    auto* page = new QWidget;
    auto* layout = new QHBoxLayout(page);
    auto* panel = new QWidget(page);
    panel->setObjectName("SlotPanel");
    PaintWhite(panel);
    panel->setFixedSize(SlotColumns[4] + SlotWidth + 2, SlotRows[3] + SlotHeight + 8);

    Menu = new QMenu(this);
    Menu->setObjectName("SlotMenu");
    ConnectGuarded(Menu->addAction("Remove &Knife"), &QAction::triggered, this, Messages,
                   [this] { RemoveFromDraggedSlot(true, false); });
    ConnectGuarded(Menu->addAction("Remove &Tail"), &QAction::triggered, this, Messages,
                   [this] { RemoveFromDraggedSlot(false, true); });
    ConnectGuarded(Menu->addAction("Remove &Bought"), &QAction::triggered, this, Messages,
                   [this] { RemoveFromDraggedSlot(true, true); });

    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 5; ++column) {
            int number = SlotNumbers[row][column];
            auto* slot = new TTool(PictureSourceOfSlots, panel);
            slot->setObjectName(QString("Tool%1").arg(number));
            slot->setAccessibleName(QString("Tool %1").arg(number));
            slot->setToolTip(QString("Tool %1").arg(number));
            slot->move(SlotColumns[column], SlotRows[row]);
            slot->SetDragNumber(number);
            slot->SetDropRule(IsLibraryListDrag);
            slot->setContextMenuPolicy(Qt::CustomContextMenu);
            ConnectGuarded(slot, &TTool2::Pressed, this, Messages,
                           [this, number] { SlotPressed(number); });
            ConnectGuarded(slot, &TTool2::Dropped, this, Messages,
                           [this, number](const QMimeData* data) {
                               DropOnSlot(number, data->data(LibraryListMime).toInt());
                           });
            ConnectGuarded(slot, &QWidget::customContextMenuRequested, this, Messages,
                           [this, slot, number](QPoint at) {
                               SlotPressed(number);
                               Menu->popup(slot->mapToGlobal(at));
                           });
            Slots[static_cast<size_t>(number - 1)] = slot;
        }
    }
    layout->addWidget(panel, 0, Qt::AlignTop);

    auto* splitter = new QSplitter(Qt::Vertical, page);
    auto* tips = new QWidget(splitter);
    auto* tipsLayout = new QVBoxLayout(tips);
    tipsLayout->setContentsMargins(0, 0, 0, 0);
    tipsLayout->addWidget(Heading("Tips", tips));
    Knives = new LibraryList(0, {96, 98, 256, 80}, tips);
    Knives->setObjectName("Tips");
    Knives->setAccessibleName("Tips");
    tipsLayout->addWidget(Knives);
    auto* supports = new QWidget(splitter);
    auto* supportsLayout = new QVBoxLayout(supports);
    supportsLayout->setContentsMargins(0, 0, 0, 0);
    supportsLayout->addWidget(Heading("Supports", supports));
    Supports = new LibraryList(1, {96, 355}, supports);
    Supports->setObjectName("Supports");
    Supports->setAccessibleName("Supports");
    supportsLayout->addWidget(Supports);
    for (LibraryList* list : {Knives, Supports})
        ConnectGuarded(list, &LibraryList::DragStarted, this, Messages,
                       [this](int source) { DragSourceList = static_cast<uint8_t>(source); });
    ConnectGuarded(Knives, &LibraryList::Released, this, Messages,
                   [this](QPoint at) { PreviewKnife(at); });
    ConnectGuarded(Supports, &LibraryList::Released, this, Messages,
                   [this] { ShowSupportPopup(); });
    layout->addWidget(splitter, 1);
    return page;
}

QWidget* ToolLibraryWindow::BuildAddTools() {
    auto* page = new QWidget;
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(BuildKnifeForm(page), 3);
    layout->addWidget(BuildSupportForm(page), 1, Qt::AlignTop);
    return page;
}

QWidget* ToolLibraryWindow::BuildKnifeForm(QWidget* parent) {
    auto* box = new QGroupBox("Turning Tool - Tips", parent);
    auto* layout = new QHBoxLayout(box);
    auto* left = new QVBoxLayout;
    e1 = Field(box, "e1");
    e2 = Field(box, "e2");
    left->addLayout(NameAndComments(e1, "&Name", e2, "&Comments"));

    KindTabs = new QTabWidget(box);
    KindTabs->setObjectName("KindTabs");
    auto* standard = new QWidget;
    auto* standardLayout = new QHBoxLayout(standard);
    auto* values = new QFormLayout;
    const char* labels[5] = {"Left atack angle (K&1)", "Right atack angle (K&2)",
                             "Width to the &left", "Width to the &right", "&Height"};
    for (size_t i = 0; i < ee.size(); ++i) {
        ee[i] = Field(standard, QString("ee%1").arg(i + 1).toUtf8().constData());
        ee[i]->setFixedWidth(60);
        AddRow(values, labels[i], ee[i]);
    }
    NoseRadius = Field(standard, "NoseRadius");
    NoseRadius->setFixedWidth(60);
    NoseRadius->setToolTip("Radius of the rounded tip, mm: empty or 0 for a sharp tip");
    AddRow(values, "No&se radius :", NoseRadius);
    standardLayout->addLayout(values);
    bb1 = new QPushButton("Generate\nprofile", standard);
    bb1->setObjectName("bb1");
    bb1->setAccessibleName("Generate profile");
    bb1->setToolTip("Generate profile");
    bb1->setMinimumSize(80, 80);
    standardLayout->addWidget(bb1);
    KindTabs->addTab(standard, "Standard");
    auto* profiled = new QWidget;
    profiled->setObjectName("ProfiledEditor");
    KindTabs->addTab(profiled, "Profiled");
    left->addWidget(KindTabs);

    auto* directions = new QGroupBox("Working direction(s) of knife", box);
    auto* directionLayout = new QHBoxLayout(directions);
    sp1 = DirectionButton(directions, "sp1", true);
    sp2 = DirectionButton(directions, "sp2", false);
    sp2->setChecked(true);
    directionLayout->addWidget(sp1);
    directionLayout->addWidget(sp2);
    directionLayout->addStretch(1);
    left->addWidget(directions);
    layout->addLayout(left, 1);

    auto* right = new QVBoxLayout;
    ViewTabs = new QTabWidget(box);
    ViewTabs->setObjectName("ViewTabs");
    DrawingPicture = new QLabel;
    DrawingPicture->setObjectName("Drawing");
    DrawingPicture->setAccessibleName("Knife drawing");
    DrawingPicture->setFixedSize(KnifePictureWidth, KnifePictureHeight);
    ViewTabs->addTab(DrawingPicture, "Drawing");
    Code = new QPlainTextEdit;
    Code->setObjectName("Code");
    Code->setAccessibleName("Code");
    Code->setLineWrapMode(QPlainTextEdit::NoWrap);
    ViewTabs->addTab(Code, "Code");
    right->addWidget(ViewTabs);
    AddKnifeButton = new QPushButton("Add to Library", box);
    AddKnifeButton->setObjectName("AddToLibrary");
    right->addWidget(AddKnifeButton);
    layout->addLayout(right);
    ShowDrawing();

    ProfiledEditorHost host{Drawing,
                            DrawingImage,
                            *DrawingPicture,
                            [this] { return CodeLines(); },
                            [this](const std::vector<std::string>& lines) { SetCodeLines(lines); },
                            [this] { ShowDrawing(); },
                            [this] { return KindTabs->currentIndex() == 1; }};
    Editor = new ProfiledEditorTab(std::move(host), Messages, profiled);
    auto* profiledLayout = new QVBoxLayout(profiled);
    profiledLayout->setContentsMargins(0, 0, 0, 0);
    profiledLayout->addWidget(Editor);

    ConnectGuarded(bb1, &QPushButton::clicked, this, Messages,
                   [this] { GenerateProfileClicked(); });
    ConnectGuarded(AddKnifeButton, &QPushButton::clicked, this, Messages,
                   [this] { AddKnifeToLibrary(); });
    return box;
}

QWidget* ToolLibraryWindow::BuildSupportForm(QWidget* parent) {
    auto* box = new QGroupBox("Supports", parent);
    auto* layout = new QVBoxLayout(box);
    eee1 = Field(box, "eee1");
    eee2 = Field(box, "eee2");
    eee1->setMinimumWidth(140);
    eee2->setMinimumWidth(140);
    layout->addLayout(NameAndComments(eee1, "N&ame", eee2, "C&omments"));
    AddSupportButton = new QPushButton("Add", box);
    AddSupportButton->setObjectName("Add");
    layout->addWidget(AddSupportButton);
    ConnectGuarded(AddSupportButton, &QPushButton::clicked, this, Messages,
                   [this] { AddSupportToLibrary(); });
    return box;
}

void ToolLibraryWindow::ConnectPopups() {
    ConnectGuarded(KnifePopupBody->ModifyButton(), &QPushButton::clicked, this, Messages,
                   [this] { ModifyKnife(); });
    ConnectGuarded(KnifePopupBody->DeleteButton(), &QPushButton::clicked, this, Messages,
                   [this] { DeleteKnife(); });
    ConnectGuarded(SupportPopupBody->ModifyButton(), &QPushButton::clicked, this, Messages,
                   [this] { ModifySupport(); });
    ConnectGuarded(SupportPopupBody->DeleteButton(), &QPushButton::clicked, this, Messages,
                   [this] { DeleteSupport(); });
    ConnectGuarded(KnifePopupBody, &KnifePopup::PointerMoved, this, Messages,
                   [this](QPoint at) { HoverOverKnife(at); });
}

void ToolLibraryWindow::RefreshLists() {
    Knives->Show(Files.Knives());
    Supports->Show(Files.Supports());
}

void ToolLibraryWindow::SlotPressed(int number) {
    Dragged = static_cast<uint8_t>(number);
}

std::vector<SlotDrag> ToolLibraryWindow::Positions() const {
    std::vector<SlotDrag> positions;
    for (int number = 1; number <= SlotCount; ++number)
        positions.push_back({number, Slot(number).State()});
    return positions;
}

void ToolLibraryWindow::DropOnSlot(int number, int source) {
    DragSourceList = static_cast<uint8_t>(source);
    LibraryList& list = source == 0 ? *Knives : *Supports;
    std::optional<int> row = list.FirstSelectedRow();
    if (!row)
        return;
    std::vector<std::string> cells = list.RowCells(*row);
    if (cells.front().empty())
        return;
    TTool& slot = Slot(number);
    ToolSlotState state = slot.State();
    if (source == 0)
        PutKnife(state, cells[0], cells[1], Files.ReadKnife(cells[0]));
    else
        PutSupport(state, cells[0]);
    slot.SetState(std::move(state));
}

void ToolLibraryWindow::RemoveFromDraggedSlot(bool knife, bool tail) {
    if (Dragged < 1 || Dragged > SlotCount)
        return;
    TTool& slot = Slot(Dragged);
    ToolSlotState state = slot.State();
    if (knife)
        RemoveKnife(state);
    if (tail)
        RemoveTail(state);
    slot.SetState(std::move(state));
}

void ToolLibraryWindow::PreviewKnife(QPoint position) {
    SupportPopupWindow.hide();
    if (!Knives->indexAt(position).isValid())
        return;
    std::string name = Knives->FirstSelectedName();
    if (name.empty())
        return;
    Scratch = ReadKnifeFields(Files.ReadKnife(name));
    FitKnifeFrame(Drawing.Frame, Scratch);
    KnifePopupBody->ShowDirections(Scratch.Directions);
    KnifePopupBody->ShowNoseRadius(NoseRadiusText(Scratch.Contour));
    SetCodeLines(Scratch.Contour);
    {
        PainterCanvas canvas(KnifePopupBody->Picture());
        DrawKnifePicture(Drawing, canvas, Scratch.Kind, Scratch.Contour);
    }
    KnifePopupBody->ShowPicture();
    KnifePopupWindow.SetCaption(QString::fromStdString(name));
    KnifePopupWindow.show();
    KnifePopupWindow.raise();
}

void ToolLibraryWindow::ShowSupportPopup() {
    KnifePopupWindow.hide();
    std::string name = Supports->FirstSelectedName();
    if (name.empty())
        return;
    SupportPopupWindow.SetCaption(QString::fromStdString(name));
    SupportPopupWindow.show();
    SupportPopupWindow.raise();
}

void ToolLibraryWindow::GenerateProfileClicked() {
    std::array<std::string, 5> texts;
    for (size_t i = 0; i < ee.size(); ++i)
        texts[i] = ee[i]->text().toStdString();
    GeneratedProfile profile = GenerateProfile(texts, NoseRadius->text().toStdString(),
                                               SystemDecimalSeparator(), Drawing.Frame);
    SetCodeLines(profile.Code);
    Drawing.Frame = profile.Frame;
    ClearImage(DrawingImage);
    {
        PainterCanvas canvas(DrawingImage);
        DrawKnifePicture(Drawing, canvas, KindText(KnifeKind::Standard), profile.Code);
    }
    ShowDrawing();
}

void ToolLibraryWindow::AddKnifeToLibrary() {
    Files.SaveKnife(KnifeFromForm(ReadKnifeForm(), SystemDecimalSeparator()));
    Scratch = {};
    Knives->Show(Files.Knives());
}

void ToolLibraryWindow::AddSupportToLibrary() {
    Files.SaveSupport(eee1->text().toStdString(), eee2->text().toStdString());
    Supports->Show(Files.Supports());
}

void ToolLibraryWindow::ModifyKnife() {
    Tabs->setCurrentIndex(1);
    Scratch = ReadKnifeFields(Files.ReadKnife(Knives->FirstSelectedName()));
    ShowKnifeForm(FormFromKnife(Scratch, ReadKnifeForm()));
    if (Scratch.Kind == "standard") {
        GenerateProfileClicked();
    } else if (Scratch.Kind == "profiled") {
        ClearImage(DrawingImage);
        {
            PainterCanvas canvas(DrawingImage);
            DrawKnifePicture(Drawing, canvas, Scratch.Kind, CodeLines());
        }
        ShowDrawing();
    }
    KnifePopupWindow.hide();
}

void ToolLibraryWindow::DeleteKnife() {
    Files.DeleteKnife(Knives->FirstSelectedName());
    Knives->Show(Files.Knives());
    KnifePopupWindow.hide();
}

void ToolLibraryWindow::ModifySupport() {
    std::vector<std::string> lines = Files.ReadSupport(Supports->FirstSelectedName());
    eee1->setText(QString::fromStdString(lines.empty() ? "" : lines[0]));
    eee2->setText(QString::fromStdString(lines.size() < 2 ? "" : lines[1]));
    Tabs->setCurrentIndex(1);
    SupportPopupWindow.hide();
}

void ToolLibraryWindow::DeleteSupport() {
    Files.DeleteSupport(Supports->FirstSelectedName());
    Supports->Show(Files.Supports());
    SupportPopupWindow.hide();
}

void ToolLibraryWindow::HoverOverKnife(QPoint position) {
    PainterCanvas canvas(KnifePopupBody->Picture());
    if (DrawHoverDimensioning(Drawing, canvas, Scratch, HoverSegment, position.x(), position.y()))
        KnifePopupBody->ShowPicture();
}

KnifeForm ToolLibraryWindow::ReadKnifeForm() const {
    KnifeForm form;
    form.Name = e1->text().toStdString();
    form.Comments = e2->text().toStdString();
    form.ActiveTab = KindTabs->currentIndex() == 0 ? KnifeKind::Standard : KnifeKind::Profiled;
    for (size_t i = 0; i < ee.size(); ++i)
        form.ValueTexts[i] = ee[i]->text().toStdString();
    form.NoseRadiusText = NoseRadius->text().toStdString();
    form.Directions = {sp1->isChecked(), sp2->isChecked()};
    form.Code = CodeLines();
    return form;
}

void ToolLibraryWindow::ShowKnifeForm(const KnifeForm& form) {
    e1->setText(QString::fromStdString(form.Name));
    e2->setText(QString::fromStdString(form.Comments));
    KindTabs->setCurrentIndex(form.ActiveTab == KnifeKind::Standard ? 0 : 1);
    for (size_t i = 0; i < ee.size(); ++i)
        ee[i]->setText(QString::fromStdString(form.ValueTexts[i]));
    NoseRadius->setText(QString::fromStdString(form.NoseRadiusText));
    sp1->setChecked(form.Directions.CutsLeft);
    sp2->setChecked(form.Directions.CutsRight);
    SetCodeLines(form.Code);
}

std::vector<std::string> ToolLibraryWindow::CodeLines() const {
    std::vector<std::string> lines;
    QString text = Code->toPlainText();
    if (text.isEmpty())
        return lines;
    for (const QString& line : text.split('\n'))
        lines.push_back(line.toStdString());
    return lines;
}

void ToolLibraryWindow::SetCodeLines(const std::vector<std::string>& lines) {
    QStringList text;
    for (const std::string& line : lines)
        text << QString::fromStdString(line);
    Code->setPlainText(text.join('\n'));
}

void ToolLibraryWindow::ShowDrawing() {
    DrawingPicture->setPixmap(QPixmap::fromImage(DrawingImage));
}

} // namespace torvex
