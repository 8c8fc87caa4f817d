#pragma once

#include "app/main_controls.h"
#include "app/main_scene.h"
#include "operations/toolpath_display.h"

#include <QMainWindow>

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>

class QAbstractButton;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTimer;
class QToolBar;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace torvex {

class FileDialogs;
class MessageSink;
class SceneView;
class UpDown;
class Workspace;

// The application's frame: the 3D view of the part, the stock and the shown toolpath, the tree of
// toolpaths, model loading, the view commands and the toggles of the other windows. Controls are
// named as the rest of the program refers to them (b0, t1, v1, ...).
class MainWindow : public QMainWindow, public ToolpathDisplay {
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
    QToolButton* ToolbarsToggle() const { return FlatSpeedButton4; }
    QToolButton* NcCodeToggle() const { return g1; }
    std::array<QToolBar*, 3> ViewToolbars() const { return {ViewingTools, ViewingTools2, Slices}; }

    // Fills the screen: maximised where a window manager does it, the whole screen otherwise.
    void ShowMaximised();

    void AddToolpathNode(const ToolpathNodeTexts& texts) override;
    void DrawToolpath(const TToolpath& toolpath) override;
    void ResetViewpoint() override;

    // The commands behind the controls.
    void LoadModelCommand();
    void VisibleCommand();
    void ExpandCommand();
    void ExpandAndCollapseOthersCommand();
    void RemoveCommand();
    void ExpandAllCommand();
    void CollapseAllCommand();

    MainScene& SceneObjects() { return Scene3D; }
    SceneView* View() const { return ViewWidget; }
    QTreeWidget* Tree() const { return ToolpathTree; }
    QTreeWidgetItem* RootNode() const { return Root; }
    QMenu* PopupMenu() const { return Popup; }
    const MainControlStates& ControlStates() const { return Controls; }
    // The model dialog's initial folder: "Models" in the current directory at creation.
    const std::filesystem::path& ModelDirectory() const { return ModelFolder; }

signals:
    // The main window was closed: the program ends.
    void Closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildCommandBar();
    void BuildViewToolbars();
    QWidget* BuildSidePanel();
    QWidget* BuildViewPanel();
    void BuildPopupMenu();
    QToolBar* AddViewToolbar(const QString& title, const QString& name);
    QAction* AddCommand(QToolBar* bar, const QString& name, const QString& text, const QString& tip,
                        std::function<void()> command);
    template <typename Handler> void Guarded(Handler&& handler);

    void TreeMouseDown(QMouseEvent* event);
    void ViewMouseDown(QPoint position);
    void ViewMouseMove(QPoint position, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
    // The mouse wheel over the window or the view, in eighths of a degree.
    void Zoom(int wheelDelta);
    void ShowFrameRate();
    void ApplyControlStates();
    void SceneChanged();
    void ClearTree();
    void HideShownToolpaths();
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
    QToolButton* FlatSpeedButton1 = nullptr;
    QToolButton* FlatSpeedButton3 = nullptr;
    QToolButton* FlatSpeedButton4 = nullptr;
    QToolButton* g1 = nullptr;
    QTreeWidget* ToolpathTree = nullptr;
    QTreeWidgetItem* Root = nullptr;
    std::array<QToolButton*, 6> TreeButtons{};
    QMenu* Popup = nullptr;
    std::array<QAction*, 6> PopupItems{};
    QPushButton* s1 = nullptr;
    QToolButton* s2 = nullptr;
    QToolButton* s3 = nullptr;
    QLineEdit* M = nullptr;
    UpDown* MUP = nullptr;
    std::array<QLabel*, 3> Labels{};
    SceneView* ViewWidget = nullptr;
    QLabel* FPS = nullptr;
    QTimer* FrameRateTimer = nullptr;
    QToolBar* ViewingTools = nullptr;
    QToolBar* ViewingTools2 = nullptr;
    QToolBar* Slices = nullptr;
    QAction* StockToggle = nullptr; // m3
};

} // namespace torvex
