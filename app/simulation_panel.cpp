#include "app/simulation_panel.h"

#include "app/up_down.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace torvex {

namespace {

QToolButton* PictureButton(QWidget* parent, const char* name, QStyle::StandardPixmap picture,
                           const char* operation) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setIcon(parent->style()->standardIcon(picture));
    button->setToolTip(operation);
    button->setAccessibleName(operation);
    return button;
}

} // namespace

SimulationPanel::SimulationPanel(QWidget* parent) : QGroupBox("Simulation", parent) {
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
    M->setToolTip("Time multiplier");
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
    const std::array<const char*, 3> labelTexts{
        "Toolpath length :", "Current toolpath time :", "Total toolpath time :"};
    for (size_t k = 0; k < Labels.size(); ++k) {
        Labels[k] = new QLabel(labelTexts[k], this);
        Labels[k]->setObjectName(QString("l%1").arg(k + 1));
        layout->addWidget(Labels[k]);
    }
}

void SimulationPanel::ApplyControlStates(const MainControlStates& controls) {
    s1->setEnabled(controls.Initialize);
    s2->setEnabled(controls.Start);
    s3->setEnabled(controls.Stop);
    M->setEnabled(controls.Multiplier);
    MUP->setEnabled(controls.Multiplier);
    for (QLabel* label : Labels)
        label->setEnabled(controls.Labels);
}

} // namespace torvex
