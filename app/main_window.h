#pragma once

#include "app/main_controls.h"
#include "app/main_scene.h"
#include "operations/nc_dialect.h"
#include "operations/toolpath_display.h"

#include <QMainWindow>

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

class QAbstractButton;
class QLabel;
class QMenu;
class QTimer;
class QToolBar;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace torvex {

class FileDialogs;
class MessageSink;
class SceneView;
class SimulationPanel;
class ToolpathTreePanel;
class ViewToolbars;
class Workspace;
struct CheckResult;

// The application's frame: the command bar with model loading and the toggles of the other
// windows, the view toolbars, the toolpath tree and simulation panels, and the 3D view of the
// part, the stock and the shown toolpath. Controls are named as the rest of the program refers to
// them (b0, t1, v1, ...).
class MainWindow : public QMainWindow, public ToolpathViewDisplay {
    Q_OBJECT
public:
    // Messages and errors go to `messages`; the model file is asked of `dialogs`.
    MainWindow(Workspace& workspace, FileDialogs& dialogs, MessageSink& messages);
    ~MainWindow() override;

    // The window a toggle shows while it is down; closing the window releases the toggle.
    void BindToggle(QAbstractButton* toggle, QWidget* window);
    QToolButton* ToolLibraryToggle() const { return b1; }
    QToolButton* RoughingToggle() const { return FlatSpeedButton1; }
    QToolButton* FinishingToggle() const { return FlatSpeedButton3; }
    QToolButton* GroovingToggle() const { return FlatSpeedButton5; }
    QToolButton* ThreadingToggle() const { return FlatSpeedButton6; }
    QToolButton* ToolbarsToggle() const { return FlatSpeedButton4; }
    QToolButton* NcCodeToggle() const { return g1; }
    std::array<QToolBar*, 3> ViewToolbars() const;

    // Fills the screen: maximised where a window manager does it, the whole screen otherwise.
    void ShowMaximised();

    // The tree the operation windows add their toolpaths to.
    ToolpathTreeDisplay& TreeDisplay();
    void AddToolpathNode(TToolpath& toolpath, const ToolpathNodeTexts& texts);
    void DrawToolpath(const TToolpath& toolpath) override;
    void ResetViewpoint() override;

    // "Load model": the model the dialog gives is opened.
    void LoadModelCommand();
    // "Import drawing...": the drawing the dialog gives is read, its profile shown in the import
    // dialog, and on "Import" written as Models/<name>.mdl with its stock (asking before
    // overwriting) and opened as "Load model" opens a model.
    void ImportDrawingCommand();
    // Opens a model as "Load model" does after its dialog, once the user agrees to discard the
    // current job's toolpaths: a new workspace, the part and stock shown, the "loaded" message.
    void OpenModel(const std::filesystem::path& file);
    // A model loaded or changed in place of the job: the tree, the simulation and the scene anew.
    void ShowNewModel();
    // "Save job...": the model, the toolpaths and the program's settings as a job file.
    void SaveJobCommand();
    // "Open job...": a job file opened in place of the model and the toolpaths, every toolpath
    // rebuilt and shown in the tree, the program's settings shown in the NC program window. A file
    // that cannot be opened says why and changes nothing.
    void OpenJobCommand();
    void OpenJob(const std::filesystem::path& file);
    // "Flip part": the part and the stock mirrored end for end, so that the other end faces the
    // tailstock; the job's toolpaths, made for the other end, are dropped (after asking).
    void FlipPartCommand();
    // The setup changed: the chuck shown or hidden, the selected toolpath's line drawn anew.
    void ShowSetup();
    // Marks the check's collisions in the 3D view when the toolpath is the one shown.
    void ShowCollisions(const TToolpath* toolpath, const CheckResult& result);
    // Where the program's settings come from and go to: the NC program window.
    void SetProgramSettings(std::function<ProgramSettings()> read,
                            std::function<void(const ProgramSettings&)> show);
    // Opens a file given on the command line (a file manager's double click), chosen by its
    // extension; a file of another kind is a FileError that names the kinds opened.
    void OpenFile(const std::filesystem::path& file);
    // A line in the status bar, which appears with the first.
    void ShowStatus(const std::string& text);

    MainScene& SceneObjects() { return Scene3D; }
    SceneView* View() const { return ViewWidget; }
    QTreeWidget* Tree() const;
    QTreeWidgetItem* RootNode() const;
    QMenu* PopupMenu() const;
    // The model dialog's initial folder: "Models" in the start-up directory.
    const std::filesystem::path& ModelDirectory() const { return ModelFolder; }

signals:
    // The main window was closed: the program ends.
    void Closed();
    // A model was opened: the job starts anew.
    void ModelOpened();

protected:
    void closeEvent(QCloseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void BuildCommandBar();
    QWidget* BuildSidePanel();
    QWidget* BuildViewPanel();

    void ViewMouseDown(QPoint position);
    void ViewMouseMove(QPoint position, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
    // The mouse wheel over the window or the view, in eighths of a degree.
    void Zoom(int wheelDelta);
    void ShowFrameRate();
    void ApplyControlStates();
    void SceneChanged();
    void RestoreToolbarPositions();
    void SaveToolbarPositions() const;

    Workspace& Work;
    FileDialogs& Dialogs;
    MessageSink& Messages;
    MainScene Scene3D;
    MainControlStates Controls = StartControlStates();
    std::filesystem::path ModelFolder;
    int16_t LastMouseX = 0;
    int16_t LastMouseY = 0;

    QToolButton* b0 = nullptr;
    QToolButton* b1 = nullptr;
    QToolButton* b2 = nullptr;
    QToolButton* SaveJob = nullptr;
    QToolButton* FlipPart = nullptr;
    QToolButton* OpenJobButton = nullptr;
    std::function<ProgramSettings()> ReadProgramSettings;
    std::function<void(const ProgramSettings&)> ShowProgramSettings;
    QToolButton* FlatSpeedButton1 = nullptr;
    QToolButton* FlatSpeedButton3 = nullptr;
    QToolButton* FlatSpeedButton4 = nullptr;
    QToolButton* FlatSpeedButton5 = nullptr;
    QToolButton* FlatSpeedButton6 = nullptr;
    QToolButton* g1 = nullptr;
    torvex::ViewToolbars* Toolbars = nullptr;
    ToolpathTreePanel* TreePanel = nullptr;
    SimulationPanel* Simulation = nullptr;
    SceneView* ViewWidget = nullptr;
    QLabel* FPS = nullptr;
    QTimer* FrameRateTimer = nullptr;
};

} // namespace torvex
