#pragma once

#include "platform/qt/tool_window.h"

class QCheckBox;
class QPlainTextEdit;
class QPushButton;

namespace torvex {

class FileDialogs;
class MessageSink;
class Workspace;

// "NC code": the program of the selected toolpath, generated into an editable text box with the
// spindle, coolant and door blocks the check boxes ask for, and saved to a file as it stands in
// the box.
class NcProgramWindow : public ToolWindow {
    Q_OBJECT
public:
    NcProgramWindow(Workspace& workspace, FileDialogs& dialogs, MessageSink& messages,
                    QWidget* parent);

    void GenerateCommand();
    void SaveCommand();

private:
    Workspace& Work;
    FileDialogs& Dialogs;
    MessageSink& Messages;
    QPlainTextEdit* m1 = nullptr;
    QCheckBox* c1 = nullptr;
    QCheckBox* c2 = nullptr;
    QCheckBox* c3 = nullptr;
    QPushButton* FlatButton2 = nullptr;
    QPushButton* FlatButton1 = nullptr;
};

} // namespace torvex
