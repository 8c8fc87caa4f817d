#include "app/toolbars_chooser.h"

#include "platform/qt/qt_support.h"

#include <QListWidget>
#include <QToolBar>
#include <QVBoxLayout>

namespace torvex {

ToolbarsChooser::ToolbarsChooser(const std::array<QToolBar*, 3>& toolbars, MessageSink& messages,
                                 QWidget* parent)
    : ToolWindow("Toolbars", Frame::Borderless, parent), Toolbars(toolbars),
      Items(new QListWidget(Body())) {
    Items->setObjectName("CheckListBox1");
    for (const char* caption : {"Viewing tools", "Viewing tools 2", "No. of slices"}) {
        auto* item = new QListWidgetItem(caption, Items);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    Items->setFrameShape(QFrame::NoFrame);
    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(Items);
    ConnectGuarded(Items, &QListWidget::itemClicked, this, messages, [this] { ApplyChecks(); });
    ConnectGuarded(Items, &QListWidget::itemChanged, this, messages, [this] { ApplyChecks(); });
    resize(190, 110);
}

void ToolbarsChooser::ApplyChecks() {
    for (int i = 0; i < 3; ++i)
        Toolbars[i]->setVisible(Items->item(i)->checkState() == Qt::Checked);
}

} // namespace torvex
