#include "operations/qt/nc_program_window.h"

#include "operations/nc_program.h"
#include "platform/file_dialogs.h"
#include "platform/message_sink.h"
#include "platform/qt/qt_support.h"
#include "platform/text_file.h"
#include "workspace/workspace.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace torvex {

namespace {

// The save dialog's one file type: no pattern, so every file is shown, and no extension is added.
constexpr const char* NcFileFilter = "No default extension defined|";

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
    layout->addWidget(m1, 1);
    c1 = CheckBox(Body(), "c1", "Use cooling fluid");
    c2 = CheckBox(Body(), "c2", "Anti-clockwise turning");
    c3 = CheckBox(Body(), "c3", "Open door after turning stops");
    for (QCheckBox* box : {c1, c2, c3})
        layout->addWidget(box);
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

void NcProgramWindow::GenerateCommand() {
    if (Work.SelectedToolpath == nullptr) {
        Messages.ShowMessage(NoToolpathSelectedText);
        return;
    }
    NcProgramOptions options{c1->isChecked(), c2->isChecked(), c3->isChecked()};
    std::vector<std::string> program = GenerateNcProgram(*Work.SelectedToolpath, options);
    QStringList lines;
    for (const std::string& line : program)
        lines << QString::fromStdString(line);
    m1->setPlainText(lines.join('\n'));
}

void NcProgramWindow::SaveCommand() {
    FileDialogOptions options{"Save", NcFileFilter, "", Work.StartupDirectory / "NC"};
    std::optional<std::filesystem::path> file = Dialogs.SaveFileName(options);
    if (!file)
        return;
    WriteTextLinesAtomically(*file, LinesOf(m1->toPlainText()));
}

} // namespace torvex
