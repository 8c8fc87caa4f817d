#pragma once

#include "app/main_controls.h"

#include <QGroupBox>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace torvex {

class UpDown;

// The simulation's controls beside the tree: "Initialize Simulation", start and stop, the time
// multiplier with its arrows, and the labels of the toolpath's length and times.
class SimulationPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit SimulationPanel(QWidget* parent);

    // Shows the enabled states of the simulation's controls.
    void ApplyControlStates(const MainControlStates& controls);

private:
    QPushButton* s1 = nullptr;
    QToolButton* s2 = nullptr;
    QToolButton* s3 = nullptr;
    QLineEdit* M = nullptr;
    UpDown* MUP = nullptr;
    std::array<QLabel*, 3> Labels{};
};

} // namespace torvex
