#include "app/simulation_panel.h"

#include "app/main_scene.h"
#include "app/model_loading.h"
#include "app/up_down.h"
#include "geometry/model_files.h"
#include "geometry/number_text.h"
#include "platform/file_dialogs.h"
#include "platform/message_sink.h"
#include "platform/qt/background_work.h"
#include "platform/qt/qt_support.h"
#include "platform/qt/scene_view.h"
#include "simulation/move_by_move.h"
#include "toolpath/toolpath.h"
#include "workspace/workspace.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace torvex {

namespace {

constexpr const char* StockFilter = "Stock files (*.mdls)|*.mdls|All files (*.*)|*.*";
constexpr const char* NoStockToSaveText =
    "There is no stock to save. Initialize the simulation of a toolpath first.";
const std::array<const char*, 3> LabelCaptions{
    "Toolpath length :", "Current toolpath time :", "Total toolpath time :"};

QToolButton* PictureButton(QWidget* parent, const char* name, QStyle::StandardPixmap picture,
                           const char* operation) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setIcon(parent->style()->standardIcon(picture));
    button->setToolTip(operation);
    button->setAccessibleName(operation);
    return button;
}

QString Number(const char* pattern, double value) {
    return QString::fromStdString(FormatFloat(pattern, value, SystemDecimalSeparator()));
}

} // namespace

SimulationPanel::SimulationPanel(Workspace& workspace, MainScene& scene,
                                 MainControlStates& controls, FileDialogs& dialogs,
                                 MessageSink& messages, QWidget* parent)
    : QGroupBox("Simulation", parent), Work(workspace), Scene3D(scene), Controls(controls),
      Dialogs(dialogs), Messages(messages) {
    setObjectName("SimulationPanel");
    auto* layout = new QVBoxLayout(this);
    s1 = new QPushButton("Initialize Simulation", this);
    s1->setObjectName("s1");
    layout->addWidget(s1);
    auto* play = new QHBoxLayout;
    s2 = PictureButton(this, "s2", QStyle::SP_MediaPlay, "Start");
    s3 = PictureButton(this, "s3", QStyle::SP_MediaStop, "Stop");
    M = new QLineEdit("1", this);
    M->setObjectName("M");
    M->setToolTip("Time multiplier, 0 to 100: type it and press Enter, or step it with the "
                  "arrow and page keys");
    M->setAccessibleName("Time multiplier");
    M->setFixedWidth(44);
    M->setAlignment(Qt::AlignRight);
    MUP = new UpDown(M, 0, 100, 1, this);
    MUP->setObjectName("MUP");
    MUP->setAccessibleName("Time multiplier arrows");
    play->addWidget(s2);
    play->addWidget(s3);
    play->addStretch(1);
    play->addWidget(M);
    play->addWidget(MUP);
    layout->addLayout(play);
    for (size_t k = 0; k < Labels.size(); ++k) {
        Labels[k] = new QLabel(LabelCaptions[k], this);
        Labels[k]->setObjectName(QString("l%1").arg(k + 1));
        layout->addWidget(Labels[k]);
    }
    SaveStock = new QPushButton("Save stock...", this);
    SaveStock->setObjectName("SaveStock");
    SaveStock->setToolTip("Save stock...");
    SaveStock->setAccessibleName("Save stock...");
    layout->addWidget(SaveStock);

    ConnectGuarded(s1, &QPushButton::clicked, this, Messages, [this] { InitializeCommand(); });
    ConnectGuarded(s2, &QToolButton::clicked, this, Messages, [this] { StartCommand(); });
    ConnectGuarded(s3, &QToolButton::clicked, this, Messages, [this] { StopCommand(); });
    ConnectGuarded(MUP, &UpDown::Changed, this, Messages, [this] { MultiplierCommand(); });
    ConnectGuarded(SaveStock, &QPushButton::clicked, this, Messages,
                   [this] { SaveStockCommand(); });
}

void SimulationPanel::AttachView(SceneView& view) {
    View = &view;
    // The view runs its clock's listener through its own error report.
    View->Clock.Progress = [this](double time) { FrameStep(time); };
}

void SimulationPanel::ApplyControlStates(const MainControlStates& controls) {
    s1->setEnabled(controls.Initialize);
    s2->setEnabled(controls.Start);
    s3->setEnabled(controls.Stop);
    M->setEnabled(controls.Multiplier);
    MUP->setEnabled(controls.Multiplier);
    SaveStock->setEnabled(controls.SaveStock);
    for (QLabel* label : Labels)
        label->setEnabled(controls.Labels);
}

std::vector<const TToolpath*> SimulationPanel::ToolpathsUpTo(const TToolpath* last) const {
    std::vector<const TToolpath*> toolpaths;
    for (const auto& toolpath : Work.Toolpaths) {
        if (toolpath.get() == last)
            break;
        toolpaths.push_back(toolpath.get());
    }
    return toolpaths;
}

void SimulationPanel::InitializeCommand() {
    ReloadSimulationStock(Work, Messages);
    TToolpathTotals totals;
    if (Work.SelectedToolpath == nullptr && !Work.Toolpaths.empty()) {
        // The root: the whole job, from the stock.
        for (const TToolpath* toolpath : ToolpathsUpTo(nullptr)) {
            TToolpathTotals each = ToolpathTotals(toolpath->PathPoints);
            totals.Length += each.Length;
            totals.Time += each.Time;
        }
        Run.Initialize(Work.Toolpaths.front().get(), ProfileChain(Work.SimStock));
    } else if (Work.SelectedToolpath != nullptr) {
        // A toolpath starts from the stock the toolpaths above it leave, found off the window's
        // thread; cancelled, the simulation stays as it was.
        std::vector<const TToolpath*> before = ToolpathsUpTo(Work.SelectedToolpath);
        PointChain bar = ProfileChain(Work.SimStock);
        std::optional<TMaterial> stock =
            ResultWithProgress<TMaterial>(this, "Initializing the simulation",
                                          [&] { return MachinedStock(before, TMaterial(bar)); });
        if (!stock)
            return;
        totals = Run.Initialize(Work.SelectedToolpath, std::move(*stock));
    } else {
        totals = Run.Initialize(nullptr, ProfileChain(Work.SimStock));
    }
    View->SetClockEnabled(false);
    EnableForSimulation(Controls);
    emit ControlsChanged();
    Scene3D.PartSolid.Visible = false;
    Scene3D.StockSolid.Visible = false;
    Scene3D.ToolSolid.Visible = false;
    emit ShowToolpathRequested();
    ShowTotals(totals);
    ShowStock();
    Scene3D.SimulationSolid.Visible = true;
    Redraw();
}

void SimulationPanel::StartCommand() {
    // A run that cannot start says why and changes nothing. With the root selected the whole job
    // plays, one toolpath after the other.
    Sequence = Work.SelectedToolpath == nullptr
                   ? ToolpathsUpTo(nullptr)
                   : std::vector<const TToolpath*>{Work.SelectedToolpath};
    Run.Start(Sequence.empty() ? nullptr : Sequence.front());
    Next = 1;
    emit ShowToolpathRequested();
    ShowStock();
    Scene3D.SimulationSolid.Visible = true;
    View->Clock.Reset(View->Now());
    View->SetClockEnabled(true);
    Redraw();
}

void SimulationPanel::StopCommand() {
    if (!Run.Running())
        return;
    Run.Stop();
    View->SetClockEnabled(false);
}

void SimulationPanel::MultiplierCommand() {
    View->Clock.SetMultiplier(MUP->Position(), View->Now());
}

void SimulationPanel::SaveStockCommand() {
    if (Run.Stock().empty()) {
        Messages.ShowMessage(NoStockToSaveText);
        return;
    }
    std::filesystem::path folder =
        Work.ModelFile.empty() ? Work.StartupDirectory / "Models" : Work.ModelFile.parent_path();
    std::optional<std::filesystem::path> file =
        Dialogs.SaveFileName({"Save stock", StockFilter, ".mdls", folder, ""});
    if (file)
        SaveStockFile(*file, Run.Stock());
}

void SimulationPanel::FrameStep(double time) {
    if (!Run.Running())
        return;
    TFrameResult frame = Run.FrameStep(time);
    ShowCurrentTime(frame.Time);
    ShowTool(frame);
    if (frame.StockChanged)
        ShowStock();
    Redraw();
    if (frame.Done && StartNextOfSequence())
        return;
    if (frame.Done) {
        View->SetClockEnabled(false);
        Messages.ShowMessage("Done");
    }
}

bool SimulationPanel::StartNextOfSequence() {
    if (Next >= Sequence.size())
        return false;
    const TToolpath* next = Sequence[Next++];
    // A toolpath removed from the job since the run started ends it.
    bool inJob = std::any_of(Work.Toolpaths.begin(), Work.Toolpaths.end(),
                             [next](const auto& t) { return t.get() == next; });
    if (!inJob)
        return false;
    Run.Start(next);
    View->Clock.Reset(View->Now());
    return true;
}

void SimulationPanel::Discard() {
    Run.Discard();
    if (View != nullptr)
        View->SetClockEnabled(false);
    Scene3D.ToolSolid.Visible = false;
    for (size_t k = 0; k < Labels.size(); ++k)
        Labels[k]->setText(LabelCaptions[k]);
}

void SimulationPanel::ShowStock() {
    FillSolid(Scene3D.SimulationSolid, Run.Stock(), SceneMapping(Work.SceneScale));
}

void SimulationPanel::ShowTool(const TFrameResult& frame) {
    SceneMapping mapping(Work.SceneScale);
    Extrusion& tool = Scene3D.ToolSolid;
    // The tool that makes the move in progress is the one shown.
    tool.Contour = ToolContour(Run.ToolOutline(frame.Tool), mapping);
    tool.Position = mapping.ProfilePoint(frame.ToolPosition.X, frame.ToolPosition.Y);
    tool.Visible = true;
}

void SimulationPanel::ShowTotals(const TToolpathTotals& totals) {
    Labels[0]->setText("Total toolpath length : " + Number("0.00", totals.Length) + " mm");
    Labels[2]->setText("Total toolpath time : " + Number("0.00", totals.Time) + " s");
}

void SimulationPanel::ShowCurrentTime(double time) {
    Labels[1]->setText("Current toolpath time : " + Number("0.000", time) + " s");
}

void SimulationPanel::Redraw() {
    if (View != nullptr)
        View->Redraw();
}

} // namespace torvex
