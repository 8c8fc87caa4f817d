#include "platform/qt/qt_file_dialogs.h"

#include <QApplication>
#include <QFileDialog>

namespace torvex {

namespace {

std::optional<std::filesystem::path> Run(const FileDialogOptions& options,
                                         QFileDialog::AcceptMode mode) {
    QFileDialog dialog(QApplication::activeWindow(), QString::fromStdString(options.Title),
                       QString::fromStdString(options.InitialDirectory.string()));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    QStringList filters;
    for (const std::string& entry : DialogFilterEntries(options.Filter))
        filters << QString::fromStdString(entry);
    if (!filters.isEmpty())
        dialog.setNameFilters(filters);
    std::string extension = options.DefaultExtension;
    if (!extension.empty() && extension.front() == '.')
        extension.erase(0, 1);
    dialog.setDefaultSuffix(QString::fromStdString(extension));
    if (!options.InitialName.empty())
        dialog.selectFile(QString::fromStdString(options.InitialName));
    dialog.setSizeGripEnabled(true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return std::filesystem::path(dialog.selectedFiles().first().toStdString());
}

} // namespace

std::optional<std::filesystem::path> QtFileDialogs::OpenFileName(const FileDialogOptions& options) {
    return Run(options, QFileDialog::AcceptOpen);
}

std::optional<std::filesystem::path> QtFileDialogs::SaveFileName(const FileDialogOptions& options) {
    return Run(options, QFileDialog::AcceptSave);
}

} // namespace torvex
