#include "operations/qt/nc_program_window.h"

#include "checking/toolpath_check.h"
#include "geometry/number_text.h"
#include "operations/job_fields.h"
#include "operations/nc_program.h"
#include "operations/program_generation.h"
#include "operations/setup.h"
#include "platform/errors.h"
#include "platform/file_dialogs.h"
#include "platform/message_sink.h"
#include "platform/qt/background_work.h"
#include "platform/qt/program_settings.h"
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

#include <algorithm>
#include <initializer_list>

namespace torvex {

namespace {

// The save dialog's one file type: no pattern, so every file is shown, and no extension is added.
constexpr const char* NcFileFilter = "No default extension defined|";

constexpr const char* CollisionSaveQuestion =
    "A knife of this toolpath would enter the part (see the line above the program). Save the "
    "program all the same?";
constexpr const char* WholeJobName = "Whole job";
constexpr const char* NoJobText = "The job has no toolpath: add a toolpath first.";
constexpr const char* NothingToSaveText =
    "There is no program to save: press \"Generate NC code\" first.";

// Where the settings are kept, beside the toolbars' positions.
constexpr const char* DialectKey = "NcProgram/Controller";
constexpr const char* DiameterKey = "NcProgram/Diameter";
constexpr const char* ProgramOfKey = "NcProgram/ProgramOf";
constexpr const char* ToolChangeKey = "NcProgram/ToolChange";
constexpr const char* ToolChangeXKey = "NcProgram/ToolChangeX";
constexpr const char* ToolChangeZKey = "NcProgram/ToolChangeZ";
constexpr const char* MaxSpindleSpeedKey = "NcProgram/MaxSpindleSpeed";
constexpr const char* MaxFeedKey = "NcProgram/MaxFeed";

// The "Controller" list is in the order of NcDialect, the "Tool change" list in the order of
// ToolChangePlace.

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

template <class Widget>
Widget* Labelled(QWidget* parent, QFormLayout* form, Widget* widget, const char* name,
                 const char* caption) {
    widget->setObjectName(name);
    widget->setAccessibleName(caption);
    auto* label = new QLabel(caption, parent);
    label->setBuddy(widget);
    form->addRow(label, widget);
    return widget;
}

QComboBox* List(QWidget* parent, QFormLayout* form, const char* name, const char* caption,
                std::initializer_list<const char*> items) {
    auto* list = Labelled(parent, form, new QComboBox(parent), name, caption);
    for (const char* item : items)
        list->addItem(item);
    return list;
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
    Shown = new QLabel(Body());
    Shown->setObjectName("Shown");
    Shown->setTextFormat(Qt::PlainText);
    layout->addWidget(Shown);
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
    BuildProgramControls();
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

void NcProgramWindow::BuildProgramControls() {
    auto* form = new QFormLayout;
    ProgramOf = List(Body(), form, "ProgramOf", "Program of", {"Selected toolpath", WholeJobName});
    Controller = List(Body(), form, "Controller", "Controller", {"Generic", "LinuxCNC", "Fanuc"});
    ProgramNumber =
        Labelled(Body(), form, new QLineEdit("1", Body()), "ProgramNumber", "Program number :");
    ProgramNumber->setValidator(new QIntValidator(1, 9999, ProgramNumber));
    DoorCode = Labelled(Body(), form, new QLineEdit(Body()), "DoorCode", "Door code :");
    DoorCode->setPlaceholderText("M21");
    ToolChange = List(Body(), form, "ToolChange", "Tool change",
                      {"None", "Machine's tool change position", "Tool change X and Z"});
    ToolChangeX = Labelled(Body(), form, new QLineEdit(Body()), "ToolChangeX", "Tool change X");
    ToolChangeX->setToolTip("Tool change X: the radius the tool goes out to before a tool change, "
                            "mm (a radius, written doubled in diameter mode)");
    ToolChangeZ = Labelled(Body(), form, new QLineEdit(Body()), "ToolChangeZ", "Tool change Z");
    ToolChangeZ->setToolTip("Tool change Z: the axial position the tool then goes to, mm");
    MaxSpindleSpeed =
        Labelled(Body(), form, new QLineEdit(Body()), "MaxSpindleSpeed", "Max spindle speed");
    MaxSpindleSpeed->setToolTip("Max spindle speed: the machine's largest turning speed, rev/min: "
                                "a faster toolpath is refused");
    MaxFeed = Labelled(Body(), form, new QLineEdit(Body()), "MaxFeed", "Max feed");
    MaxFeed->setToolTip("Max feed: the machine's largest feed, mm/min: a faster feed move is "
                        "refused");
    BuildSetupControls(form);
    static_cast<QVBoxLayout*>(Body()->layout())->addLayout(form);
    Diameter = CheckBox(Body(), "Diameter", "Diameter programming");
    Body()->layout()->addWidget(Diameter);

    Restore();
    ConnectGuarded(Controller, &QComboBox::currentIndexChanged, this, Messages, [this] {
        DialectChosen();
        Remember();
    });
    ConnectGuarded(Diameter, &QCheckBox::toggled, this, Messages, [this] {
        ShowXMode();
        Remember();
    });
    ConnectGuarded(ToolChange, &QComboBox::currentIndexChanged, this, Messages, [this] {
        ShowToolChangeFields();
        Remember();
    });
    for (QLineEdit* edit : {ToolChangeX, ToolChangeZ, MaxSpindleSpeed, MaxFeed})
        ConnectGuarded(edit, &QLineEdit::editingFinished, this, Messages, [this] { Remember(); });
    ConnectGuarded(ProgramOf, &QComboBox::currentIndexChanged, this, Messages,
                   [this] { Remember(); });
}

void NcProgramWindow::BuildSetupControls(QFormLayout* form) {
    Holding =
        List(Body(), form, "Holding", "Work holding", {"Between centres", "Chuck at the left end"});
    JawFace = Labelled(Body(), form, new QLineEdit(Body()), "JawFace", "Jaw face at x :");
    JawFace->setToolTip("Jaw face at x : where the chuck's jaws end, in the profile's frame, mm "
                        "(empty: the stock's left end)");
    JawClearance = Labelled(Body(), form, new QLineEdit(Body()), "JawClearance", "Jaw clearance :");
    JawClearance->setToolTip("Jaw clearance : how near to the jaws no move may come, mm");
    Zero = List(Body(), form, "Zero", "Program zero", {"Profile origin", "Free end face"});
    Zero->setToolTip("Program zero: Z0 at the profile's origin, or on the part's free (right) end "
                     "face with the part in negative Z");
    ShowSetup();
    for (QComboBox* list : {Holding, Zero})
        ConnectGuarded(list, &QComboBox::currentIndexChanged, this, Messages,
                       [this] { SetupChosen(); });
    for (QLineEdit* edit : {JawFace, JawClearance})
        ConnectGuarded(edit, &QLineEdit::editingFinished, this, Messages,
                       [this] { SetupChosen(); });
}

void NcProgramWindow::ShowSetup() {
    const Setup& setup = Work.Setup;
    char separator = SystemDecimalSeparator();
    for (QWidget* control : std::initializer_list<QWidget*>{Holding, JawFace, JawClearance, Zero})
        control->blockSignals(true);
    Holding->setCurrentIndex(static_cast<int>(setup.Holding));
    JawFace->setText(setup.JawFace ? QString::fromStdString(FloatToText(*setup.JawFace, separator))
                                   : QString());
    JawClearance->setText(QString::fromStdString(FloatToText(setup.JawClearance, separator)));
    Zero->setCurrentIndex(static_cast<int>(setup.Zero));
    bool chuck = setup.Holding == WorkHolding::Chuck;
    JawFace->setEnabled(chuck);
    JawClearance->setEnabled(chuck);
    for (QWidget* control : std::initializer_list<QWidget*>{Holding, JawFace, JawClearance, Zero})
        control->blockSignals(false);
}

void NcProgramWindow::SetupChosen() {
    Setup setup;
    char separator = SystemDecimalSeparator();
    setup.Holding = static_cast<WorkHolding>(Holding->currentIndex());
    setup.Zero = static_cast<ProgramZero>(Zero->currentIndex());
    try {
        std::string face = JawFace->text().trimmed().toStdString();
        if (!face.empty())
            setup.JawFace = CheckedLength(TextToFloat(face, separator), "Jaw face at x", Sign::Any);
        std::string clearance = JawClearance->text().trimmed().toStdString();
        setup.JawClearance = clearance.empty() ? DefaultJawClearance
                                               : CheckedLength(TextToFloat(clearance, separator),
                                                               "Jaw clearance", Sign::NotNegative);
        std::optional<std::vector<TToolpath>> rebuilt = ResultWithProgress<std::vector<TToolpath>>(
            this, "Rebuilding the toolpaths", [&] { return ToolpathsForSetup(Work, setup); });
        if (!rebuilt) {
            ShowSetup(); // cancelled: the setup stays as it was
            return;
        }
        ChangeSetup(Work, setup, std::move(*rebuilt));
    } catch (...) {
        ShowSetup();
        throw;
    }
    ShowSetup();
    emit SetupChanged();
}

void NcProgramWindow::Restore() {
    QSettings settings = StoredSettings();
    int dialect = settings.value(DialectKey, 0).toInt();
    Controller->setCurrentIndex(dialect >= 0 && dialect < Controller->count() ? dialect : 0);
    DialectChosen();
    if (settings.contains(DiameterKey))
        Diameter->setChecked(settings.value(DiameterKey).toBool());
    if (settings.contains(ToolChangeKey))
        ToolChange->setCurrentIndex(std::clamp(settings.value(ToolChangeKey).toInt(), 0, 2));
    ToolChangeX->setText(settings.value(ToolChangeXKey).toString());
    ToolChangeZ->setText(settings.value(ToolChangeZKey).toString());
    MachineLimits limits;
    MaxSpindleSpeed->setText(
        settings.value(MaxSpindleSpeedKey, QString::number(limits.MaxSpindleSpeed)).toString());
    MaxFeed->setText(settings.value(MaxFeedKey, QString::number(limits.MaxFeed)).toString());
    ProgramOf->setCurrentIndex(std::clamp(settings.value(ProgramOfKey, 0).toInt(), 0, 1));
    ShowXMode();
    ShowToolChangeFields();
}

void NcProgramWindow::DialectChosen() {
    auto dialect = static_cast<NcDialect>(Controller->currentIndex());
    Diameter->setChecked(DefaultDialectOptions(dialect).Diameter);
    ToolChange->setCurrentIndex(static_cast<int>(DefaultToolChange(dialect).Place));
    c3->setEnabled(OffersDoor(dialect));
    if (!OffersDoor(dialect))
        c3->setChecked(false);
    ProgramNumber->setEnabled(dialect == NcDialect::Fanuc);
    DoorCode->setEnabled(dialect == NcDialect::Fanuc);
    ShowXMode();
    ShowToolChangeFields();
}

void NcProgramWindow::ShowXMode() {
    XMode->setText(Diameter->isChecked() ? "X words: diameter" : "X words: radius");
}

void NcProgramWindow::ShowToolChangeFields() {
    bool position = ToolChange->currentIndex() == static_cast<int>(ToolChangePlace::Position);
    ToolChangeX->setEnabled(position);
    ToolChangeZ->setEnabled(position);
}

void NcProgramWindow::Remember() const {
    QSettings settings = StoredSettings();
    settings.setValue(DialectKey, Controller->currentIndex());
    settings.setValue(DiameterKey, Diameter->isChecked());
    settings.setValue(ToolChangeKey, ToolChange->currentIndex());
    settings.setValue(ToolChangeXKey, ToolChangeX->text());
    settings.setValue(ToolChangeZKey, ToolChangeZ->text());
    settings.setValue(MaxSpindleSpeedKey, MaxSpindleSpeed->text());
    settings.setValue(MaxFeedKey, MaxFeed->text());
    settings.setValue(ProgramOfKey, ProgramOf->currentIndex());
}

ProgramSettings NcProgramWindow::Settings() const {
    ProgramSettings settings;
    NcDialectOptions& dialect = settings.Dialect;
    dialect.Dialect = static_cast<NcDialect>(Controller->currentIndex());
    dialect.Diameter = Diameter->isChecked();
    if (dialect.Dialect == NcDialect::Fanuc) {
        dialect.ProgramNumber = ProgramNumber->text().toInt();
        dialect.DoorCode = DoorCode->text().trimmed().toStdString();
    }
    NcProgramOptions& program = settings.Program;
    program.Coolant = c1->isChecked();
    program.AntiClockwise = c2->isChecked();
    program.OpenDoor = c3->isChecked();
    char separator = SystemDecimalSeparator();
    auto limit = [separator](const QLineEdit* edit, const char* name) {
        double value = 0;
        try {
            value = TextToFloat(edit->text().trimmed().toStdString(), separator);
        } catch (const ConversionError& error) {
            throw ConversionError(name, error);
        }
        return CheckedValue(value, name, Sign::Positive);
    };
    settings.Limits.MaxSpindleSpeed = limit(MaxSpindleSpeed, "Max spindle speed");
    settings.Limits.MaxFeed = limit(MaxFeed, "Max feed");
    program.ToolChange.Place = static_cast<ToolChangePlace>(ToolChange->currentIndex());
    if (program.ToolChange.Place == ToolChangePlace::Position) {
        program.ToolChange.X =
            CheckedLength(TextToFloat(ToolChangeX->text().toStdString(), separator),
                          "Tool change X", Sign::Positive);
        program.ToolChange.Z = CheckedLength(
            TextToFloat(ToolChangeZ->text().toStdString(), separator), "Tool change Z", Sign::Any);
    }
    return settings;
}

void NcProgramWindow::ShowSettings(const ProgramSettings& settings) {
    const NcDialectOptions& dialect = settings.Dialect;
    const NcProgramOptions& program = settings.Program;
    Controller->setCurrentIndex(static_cast<int>(dialect.Dialect));
    DialectChosen();
    Diameter->setChecked(dialect.Diameter);
    ProgramNumber->setText(QString::number(dialect.ProgramNumber));
    DoorCode->setText(QString::fromStdString(dialect.DoorCode));
    c1->setChecked(program.Coolant);
    c2->setChecked(program.AntiClockwise);
    c3->setChecked(program.OpenDoor && OffersDoor(dialect.Dialect));
    ToolChange->setCurrentIndex(static_cast<int>(program.ToolChange.Place));
    if (program.ToolChange.Place == ToolChangePlace::Position) {
        char separator = SystemDecimalSeparator();
        ToolChangeX->setText(QString::fromStdString(FloatToText(program.ToolChange.X, separator)));
        ToolChangeZ->setText(QString::fromStdString(FloatToText(program.ToolChange.Z, separator)));
    }
    ShowToolChangeFields();
    Remember();
    ShowSetup();
}

void NcProgramWindow::GenerateCommand() {
    bool wholeJob = ProgramOf->currentIndex() == 1;
    std::vector<const TToolpath*> toolpaths;
    for (const auto& toolpath : Work.Toolpaths) {
        toolpaths.push_back(toolpath.get());
        if (!wholeJob && toolpath.get() == Work.SelectedToolpath)
            break;
    }
    if (!wholeJob && Work.SelectedToolpath == nullptr) {
        Messages.ShowMessage(NoToolpathSelectedText);
        return;
    }
    if (toolpaths.empty()) {
        Messages.ShowMessage(NoJobText);
        return;
    }
    // The program and its check against the knives, off the window's thread.
    struct Checked {
        GeneratedProgram Program;
        ToolpathVerdict Verdict;
    };
    std::optional<Checked> checked;
    try {
        ProgramSettings settings = Settings();
        checked = ResultWithProgress<Checked>(this, "Generating the NC code", [&] {
            GeneratedProgram program = GenerateProgram(toolpaths, wholeJob, settings, Work.Setup,
                                                       Work.Shaft, Work.StockShaft);
            ProgramTerms terms{program.Program.Numbers,
                               {ProgramZeroX(Work.Setup, Work.Shaft), settings.Dialect.Diameter}};
            ToolpathVerdict verdict =
                wholeJob
                    ? VerdictOfJob(toolpaths, Work.Shaft, Work.StockShaft, terms, Work.Setup)
                    : VerdictOfToolpath(toolpaths, Work.Shaft, Work.StockShaft, terms, Work.Setup);
            return Checked{std::move(program), std::move(verdict)};
        });
    } catch (...) {
        // A refused program leaves no program behind that could be saved for it.
        ProgramName.clear();
        Shown->clear();
        Verdict->clear();
        Collides = false;
        m1->clear();
        throw;
    }
    // Cancelled: the window keeps what it showed.
    if (!checked)
        return;
    const std::vector<std::string>& text = checked->Program.Text;
    const ToolpathVerdict& verdict = checked->Verdict;
    ProgramName = wholeJob ? WholeJobName : Work.SelectedToolpath->Name;
    Shown->setText(QString::fromStdString("Program of: " + ProgramName));
    Verdict->setText(QString::fromStdString(verdict.Text));
    Verdict->setStyleSheet(verdict.Collides ? "color: #c62828; font-weight: bold;" : "");
    Collides = verdict.Collides;
    for (size_t k = 0; k < toolpaths.size() && k < verdict.Results.size(); ++k)
        if (toolpaths[k] == Work.SelectedToolpath)
            emit ToolpathChecked(toolpaths[k], verdict.Results[k]);
    QStringList lines;
    for (const std::string& line : text)
        lines << QString::fromStdString(line);
    m1->setPlainText(lines.join('\n'));
}

void NcProgramWindow::SaveCommand() {
    if (m1->toPlainText().trimmed().isEmpty()) {
        Messages.ShowMessage(NothingToSaveText);
        return;
    }
    if (Collides && !Messages.Confirm(CollisionSaveQuestion))
        return;
    std::string name = ProgramName;
    std::replace_if(
        name.begin(), name.end(), [](char c) { return c == '/' || c == '\\'; }, '-');
    FileDialogOptions options{"Save", NcFileFilter, "", Work.StartupDirectory / "NC",
                              name.empty() ? "" : name + ".nc"};
    std::optional<std::filesystem::path> file = Dialogs.SaveFileName(options);
    if (!file)
        return;
    WriteTextLinesAtomically(*file, LinesOf(m1->toPlainText()));
}

} // namespace torvex
