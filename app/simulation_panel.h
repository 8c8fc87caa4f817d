#pragma once

#include "app/main_controls.h"
#include "simulation/playback.h"

#include <QGroupBox>

#include <array>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace torvex {

class FileDialogs;
class MainScene;
class MessageSink;
class SceneView;
class UpDown;
class Workspace;

// The simulation's controls beside the tree: "Initialize Simulation", start and stop, the time
// multiplier with its arrows, the labels of the toolpath's length and times, and "Save stock...".
// A run plays the selected toolpath against the material in the 3D view, one frame step per frame
// the view draws: the material shown as a solid losing what the tool cuts, the tool travelling
// along the path.
class SimulationPanel : public QGroupBox {
    Q_OBJECT
public:
    SimulationPanel(Workspace& workspace, MainScene& scene, MainControlStates& controls,
                    FileDialogs& dialogs, MessageSink& messages, QWidget* parent);

    // The view that shows the runs; its frame clock drives them.
    void AttachView(SceneView& view);
    // Shows the enabled states of the simulation's controls.
    void ApplyControlStates(const MainControlStates& controls);

    void InitializeCommand();
    void StartCommand();
    void StopCommand();
    // The multiplier was stepped or typed: the run goes on at it from now on.
    void MultiplierCommand();
    void SaveStockCommand();
    // One frame of the run at the simulated time: what the view's clock calls.
    void FrameStep(double time);
    // A new model: the run and the material dropped, the tool hidden, the labels back to their
    // captions.
    void Discard();

    const TPlayback& Playback() const { return Run; }

signals:
    // The control states changed: the window shows them.
    void ControlsChanged();
    // The selected toolpath's path is to be shown in the view, if it is not yet.
    void ShowToolpathRequested();

private:
    // The job's toolpaths in tree order up to `last`, without it; all of them for none.
    std::vector<const TToolpath*> ToolpathsUpTo(const TToolpath* last) const;
    // Starts the next toolpath of a whole job's run; false when there is none.
    bool StartNextOfSequence();
    void ShowStock();
    void ShowTool(const TFrameResult& frame);
    void ShowTotals(const TToolpathTotals& totals);
    void ShowCurrentTime(double time);
    void Redraw();

    Workspace& Work;
    MainScene& Scene3D;
    MainControlStates& Controls;
    FileDialogs& Dialogs;
    MessageSink& Messages;
    SceneView* View = nullptr;
    TPlayback Run;
    // The toolpaths a run plays one after the other, and the next of them.
    std::vector<const TToolpath*> Sequence;
    size_t Next = 0;

    QPushButton* s1 = nullptr;
    QToolButton* s2 = nullptr;
    QToolButton* s3 = nullptr;
    QLineEdit* M = nullptr;
    UpDown* MUP = nullptr;
    std::array<QLabel*, 3> Labels{};
    QPushButton* SaveStock = nullptr;
};

} // namespace torvex
