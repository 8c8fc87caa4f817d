#include "operations/qt/nc_program_window.h"

#include "checking/toolpath_check.h"
#include "operations/nc_dialect.h"
#include "operations/nc_program.h"
#include "platform/file_dialogs.h"
#include "platform/message_sink.h"
#include "platform/qt/qt_support.h"
#include "platform/text_file.h"
#include "toolpath/toolpath.h"
#include "workspace/workspace.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QShortcut>
#include <QVBoxLayout>

#include <array>

namespace torvex {

namespace {

// The save dialog's one file type: no pattern, so every file is shown, and no extension is added.
constexpr const char* NcFileFilter = "No default extension defined|";

constexpr const char* CollisionSaveQuestion =
    "A knife of this toolpath would enter the part (see the line above the program). Save the "
    "program all the same?";

// Where the controller and the X mode are kept, beside the toolbars' positions.
constexpr const char* SettingsOrganisation = "MyCompany";
constexpr const char* SettingsApplication = "MyApp";
constexpr const char* DialectKey = "NcProgram/Controller";
constexpr const char* DiameterKey = "NcProgram/Diameter";

// The "Controller" list, in the order of NcDialect.
const std::array<const char*, 3> ControllerNames = {"Generic", "LinuxCNC", "Fanuc"};

QCheckBox* CheckBox(QWidget* parent, const char* name, const char* caption) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    return box;
}

QPushButton* Button(QWidget* parent, const char* name, const char* caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

std::vector<std::string> LinesOf(const QString& text) {
    std::vector<std::string> lines;
    for (const QString& line : text.split('\n'))
        lines.push_back(line.toStdString());
    return lines;
}

} // namespace

NcProgramWindow::NcProgramWindow(Workspace& workspace, FileDialogs& dialogs, MessageSink& messages,
                                 QWidget* parent)
    : ToolWindow("NC code", Frame::Borderless, parent), Work(workspace), Dialogs(dialogs),
      Messages(messages) {
    setObjectName("Unit6");
    auto* layout = new QVBoxLayout(Body());
    m1 = new QPlainTextEdit(Body());
    m1->setObjectName("m1");
    m1->setAccessibleName("NC program");
    m1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m1->setLineWrapMode(QPlainTextEdit::NoWrap);
    m1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m1->setTabChangesFocus(true);
    Verdict = new QLabel(Body());
    Verdict->setObjectName("Verdict");
    Verdict->setWordWrap(true);
    Verdict->setTextFormat(Qt::PlainText);
    layout->addWidget(Verdict);
    XMode = new QLabel(Body());
    XMode->setObjectName("XMode");
    layout->addWidget(XMode);
    layout->addWidget(m1, 1);
    c1 = CheckBox(Body(), "c1", "Use cooling fluid");
    c2 = CheckBox(Body(), "c2", "Anti-clockwise turning");
    c3 = CheckBox(Body(), "c3", "Open door after turning stops");
    for (QCheckBox* box : {c1, c2, c3})
        layout->addWidget(box);
    BuildDialectControls();
    auto* buttons = new QHBoxLayout;
    FlatButton2 = Button(Body(), "FlatButton2", "Generate NC code");
    FlatButton1 = Button(Body(), "FlatButton1", "Save to file");
    FlatButton1->setToolTip("Save to file (Ctrl+S)");
    buttons->addWidget(FlatButton2);
    buttons->addWidget(FlatButton1);
    layout->addLayout(buttons);
    ConnectGuarded(FlatButton2, &QPushButton::clicked, this, Messages,
                   [this] { GenerateCommand(); });
    ConnectGuarded(FlatButton1, &QPushButton::clicked, this, Messages, [this] { SaveCommand(); });
    auto* save = new QShortcut(QKeySequence::Save, this);
    ConnectGuarded(save, &QShortcut::activated, this, Messages, [this] { SaveCommand(); });
}

void NcProgramWindow::BuildDialectControls() {
    auto* form = new QFormLayout;
    Controller = new QComboBox(Body());
    Controller->setObjectName("Controller");
    for (const char* name : ControllerNames)
        Controller->addItem(name);
    auto* label = new QLabel("Controller", Body());
    label->setBuddy(Controller);
    Controller->setAccessibleName("Controller");
    form->addRow(label, Controller);
    ProgramNumber = new QLineEdit("1", Body());
    ProgramNumber->setObjectName("ProgramNumber");
    ProgramNumber->setValidator(new QIntValidator(1, 9999, ProgramNumber));
    DoorCode = new QLineEdit(Body());
    DoorCode->setObjectName("DoorCode");
    DoorCode->setPlaceholderText("M21");
    for (auto [edit, caption] :
         {std::pair{ProgramNumber, "Program number :"}, std::pair{DoorCode, "Door code :"}}) {
        auto* fieldLabel = new QLabel(caption, Body());
        fieldLabel->setBuddy(edit);
        edit->setAccessibleName(caption);
        form->addRow(fieldLabel, edit);
    }
    static_cast<QVBoxLayout*>(Body()->layout())->addLayout(form);
    Diameter = CheckBox(Body(), "Diameter", "Diameter programming");
    Body()->layout()->addWidget(Diameter);

    QSettings settings(SettingsOrganisation, SettingsApplication);
    int dialect = settings.value(DialectKey, 0).toInt();
    Controller->setCurrentIndex(dialect >= 0 && dialect < Controller->count() ? dialect : 0);
    DialectChosen();
    if (settings.contains(DiameterKey))
        Diameter->setChecked(settings.value(DiameterKey).toBool());
    ShowXMode();
    ConnectGuarded(Controller, &QComboBox::currentIndexChanged, this, Messages, [this] {
        DialectChosen();
        RememberDialect();
    });
    ConnectGuarded(Diameter, &QCheckBox::toggled, this, Messages, [this] {
        ShowXMode();
        RememberDialect();
    });
}

void NcProgramWindow::DialectChosen() {
    auto dialect = static_cast<NcDialect>(Controller->currentIndex());
    Diameter->setChecked(DefaultDialectOptions(dialect).Diameter);
    c3->setEnabled(OffersDoor(dialect));
    if (!OffersDoor(dialect))
        c3->setChecked(false);
    ProgramNumber->setEnabled(dialect == NcDialect::Fanuc);
    DoorCode->setEnabled(dialect == NcDialect::Fanuc);
    ShowXMode();
}

void NcProgramWindow::ShowXMode() {
    XMode->setText(Diameter->isChecked() ? "X words: diameter" : "X words: radius");
}

void NcProgramWindow::RememberDialect() const {
    QSettings settings(SettingsOrganisation, SettingsApplication);
    settings.setValue(DialectKey, Controller->currentIndex());
    settings.setValue(DiameterKey, Diameter->isChecked());
}

void NcProgramWindow::GenerateCommand() {
    if (Work.SelectedToolpath == nullptr) {
        Messages.ShowMessage(NoToolpathSelectedText);
        return;
    }
    NcProgramOptions options{c1->isChecked(), c2->isChecked(), c3->isChecked()};
    NcDialectOptions dialect;
    dialect.Dialect = static_cast<NcDialect>(Controller->currentIndex());
    dialect.Diameter = Diameter->isChecked();
    if (dialect.Dialect == NcDialect::Fanuc) {
        dialect.ProgramNumber = ProgramNumber->text().toInt();
        dialect.DoorCode = DoorCode->text().trimmed().toStdString();
    }
    if (std::optional<std::string> refusal = DialectRefusal(dialect, options.OpenDoor)) {
        Messages.ShowMessage(*refusal);
        return;
    }
    ToolpathVerdict verdict =
        VerdictOfToolpath(*Work.SelectedToolpath, Work.Shaft, Work.StockShaft);
    std::vector<std::string> program =
        NcProgramText(NcProgramBlocks(*Work.SelectedToolpath, options), dialect);
    Verdict->setText(QString::fromStdString(verdict.Text));
    Verdict->setStyleSheet(verdict.Collides ? "color: #c62828; font-weight: bold;" : "");
    Collides = verdict.Collides;
    QStringList lines;
    for (const std::string& line : program)
        lines << QString::fromStdString(line);
    m1->setPlainText(lines.join('\n'));
}

void NcProgramWindow::SaveCommand() {
    if (Collides && !Messages.Confirm(CollisionSaveQuestion))
        return;
    FileDialogOptions options{"Save", NcFileFilter, "", Work.StartupDirectory / "NC"};
    std::optional<std::filesystem::path> file = Dialogs.SaveFileName(options);
    if (!file)
        return;
    WriteTextLinesAtomically(*file, LinesOf(m1->toPlainText()));
}

} // namespace torvex
