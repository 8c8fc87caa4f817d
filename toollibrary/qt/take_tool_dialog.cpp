#include "toollibrary/qt/take_tool_dialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace torvex {

std::optional<size_t> ChooseLibraryPosition(QWidget* parent,
                                            const std::vector<SlotDrag>& positions) {
    QDialog dialog(parent);
    dialog.setObjectName("TakeTool");
    dialog.setWindowTitle("Take tool");
    auto* layout = new QVBoxLayout(&dialog);
    auto* list = new QListWidget(&dialog);
    list->setObjectName("Positions");
    list->setAccessibleName("Library positions");
    auto* label = new QLabel("&Library positions", &dialog);
    label->setBuddy(list);
    for (const SlotDrag& position : positions)
        list->addItem(QString::fromStdString(PositionText(position)));
    list->setCurrentRow(0);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(list, &QListWidget::itemActivated, &dialog, &QDialog::accept);
    layout->addWidget(label);
    layout->addWidget(list);
    layout->addWidget(buttons);
    dialog.resize(320, 420);
    if (dialog.exec() != QDialog::Accepted || list->currentRow() < 0)
        return std::nullopt;
    return static_cast<size_t>(list->currentRow());
}

} // namespace torvex
