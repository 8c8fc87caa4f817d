#pragma once

#include "operations/nc_dialect.h"
#include "platform/qt/tool_window.h"

#include <string>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace torvex {

class FileDialogs;
class MessageSink;
class TToolpath;
class Workspace;
struct CheckResult;

// "NC code": the program of the selected toolpath, or of the whole job (the toolpaths in tree
// order), generated into an editable text box with the spindle, coolant and door blocks the check
// boxes ask for, the moves to the tool change position, in the language of the chosen controller,
// with X as a radius or a diameter, and saved to a file as it stands in the box. The settings are
// kept between runs. Each generation checks the toolpaths against their knives, each on the
// material the ones before it leave, and says so above the program; saving a program that
// collides asks first.
class NcProgramWindow : public ToolWindow {
    Q_OBJECT
public:
    NcProgramWindow(Workspace& workspace, FileDialogs& dialogs, MessageSink& messages,
                    QWidget* parent);

    void GenerateCommand();
    void SaveCommand();

    // How the program is written, as the controls say; a job file keeps it.
    ProgramSettings Settings() const;
    // Shows settings (of a job file opened) in the controls and keeps them; shows the workspace's
    // setup.
    void ShowSettings(const ProgramSettings& settings);

signals:
    // The setup changed and the toolpaths were rebuilt for it.
    void SetupChanged();
    // A program was generated and the toolpath selected in the tree checked with it.
    void ToolpathChecked(const TToolpath* toolpath, const CheckResult& result);

private:
    void BuildSetupControls(QFormLayout* form);
    void ShowSetup();
    // The setup the controls say, taken by the workspace (its toolpaths rebuilt); a setup a
    // toolpath cannot be built for is refused and the controls show the setup in force.
    void SetupChosen();
    void BuildProgramControls();
    void BuildDialectControls();
    void BuildToolChangeControls();
    // A new controller: its own X mode, door option and tool change position.
    void DialectChosen();
    void ShowXMode();
    void ShowToolChangeFields();
    void Remember() const;
    void Restore();

    Workspace& Work;
    FileDialogs& Dialogs;
    MessageSink& Messages;
    QPlainTextEdit* m1 = nullptr;
    QCheckBox* c1 = nullptr;
    QCheckBox* c2 = nullptr;
    QCheckBox* c3 = nullptr;
    QComboBox* ProgramOf = nullptr;
    QComboBox* Controller = nullptr;
    QCheckBox* Diameter = nullptr;
    QLineEdit* ProgramNumber = nullptr;
    QLineEdit* DoorCode = nullptr;
    QComboBox* ToolChange = nullptr;
    QLineEdit* ToolChangeX = nullptr;
    QLineEdit* ToolChangeZ = nullptr;
    QLineEdit* MaxSpindleSpeed = nullptr;
    QLineEdit* MaxFeed = nullptr;
    QComboBox* Holding = nullptr;
    QLineEdit* JawFace = nullptr;
    QLineEdit* JawClearance = nullptr;
    QComboBox* Zero = nullptr;
    QLabel* Shown = nullptr;
    QLabel* XMode = nullptr;
    QLabel* Verdict = nullptr;
    // The name of what the program in the box is of: a toolpath's name, or "Whole job".
    std::string ProgramName;
    // The program in the box is of toolpaths that a knife would enter.
    bool Collides = false;
    QPushButton* FlatButton2 = nullptr;
    QPushButton* FlatButton1 = nullptr;
};

} // namespace torvex
