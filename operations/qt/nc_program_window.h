#pragma once

#include "platform/qt/tool_window.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace torvex {

class FileDialogs;
class MessageSink;
class Workspace;

// "NC code": the program of the selected toolpath, generated into an editable text box with the
// spindle, coolant and door blocks the check boxes ask for, in the language of the chosen
// controller, with X as a radius or a diameter, and saved to a file as it stands in the box. The
// controller and the X mode are kept between runs.
class NcProgramWindow : public ToolWindow {
    Q_OBJECT
public:
    NcProgramWindow(Workspace& workspace, FileDialogs& dialogs, MessageSink& messages,
                    QWidget* parent);

    void GenerateCommand();
    void SaveCommand();

private:
    void BuildDialectControls();
    // A new controller: its own X mode and door option.
    void DialectChosen();
    void ShowXMode();
    void RememberDialect() const;

    Workspace& Work;
    FileDialogs& Dialogs;
    MessageSink& Messages;
    QPlainTextEdit* m1 = nullptr;
    QCheckBox* c1 = nullptr;
    QCheckBox* c2 = nullptr;
    QCheckBox* c3 = nullptr;
    QComboBox* Controller = nullptr;
    QCheckBox* Diameter = nullptr;
    QLineEdit* ProgramNumber = nullptr;
    QLineEdit* DoorCode = nullptr;
    QLabel* XMode = nullptr;
    QPushButton* FlatButton2 = nullptr;
    QPushButton* FlatButton1 = nullptr;
};

} // namespace torvex
