#pragma once

#include <QObject>

#include <array>
#include <functional>

class QAction;
class QMainWindow;
class QString;
class QToolBar;

namespace torvex {

class MainScene;
class MessageSink;

// The three dockable toolbars of the view: drawing modes and the stock ("Viewing tools"), camera
// directions, centre and zoom ("Viewing tools 2"), and the slice counts ("No. of slices"). Each
// command changes the scene and asks for it to be drawn again.
class ViewToolbars : public QObject {
    Q_OBJECT
public:
    ViewToolbars(QMainWindow& window, MainScene& scene, MessageSink& messages,
                 std::function<void()> sceneChanged);

    std::array<QToolBar*, 3> Bars() const { return {ViewingTools, ViewingTools2, Slices}; }
    // The stock toggle (m3), pressed again when a model is loaded.
    QAction* StockToggle() const { return Stock; }

private:
    QToolBar* AddBar(const QString& title, const QString& name);
    QAction* AddCommand(QToolBar* bar, const QString& name, const QString& text, const QString& tip,
                        std::function<void()> command);
    void BuildViewingTools();
    void BuildViewingTools2();
    void BuildSlices();

    QMainWindow& Window;
    MainScene& Scene3D;
    MessageSink& Messages;
    std::function<void()> Changed;
    QToolBar* ViewingTools = nullptr;
    QToolBar* ViewingTools2 = nullptr;
    QToolBar* Slices = nullptr;
    QAction* Stock = nullptr;
};

} // namespace torvex
