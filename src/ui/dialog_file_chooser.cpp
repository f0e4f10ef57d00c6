#include "ui/dialog_file_chooser.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace {
const QString jsonFilter = QStringLiteral("JSON (*.json)");
}

DialogFileChooser::DialogFileChooser(QWidget* parent)
    : parent_(parent), lastDirectory_(QDir::homePath()) {}

std::optional<QString> DialogFileChooser::chooseSaveLocation(const QString& title,
                                                             const QString& suggestedName) {
    QFileDialog dialog(parent_, title, lastDirectory_, jsonFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("json"));
    dialog.selectFile(QDir(lastDirectory_).filePath(suggestedName));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return remember(dialog.selectedFiles());
}

std::optional<QString> DialogFileChooser::chooseFileToOpen() {
    QFileDialog dialog(parent_, QString(), lastDirectory_, jsonFilter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return remember(dialog.selectedFiles());
}

void DialogFileChooser::beep() {
    QApplication::beep();
}

std::optional<QString> DialogFileChooser::remember(const QStringList& chosen) {
    if (chosen.isEmpty() || chosen.first().isEmpty())
        return std::nullopt;
    lastDirectory_ = QFileInfo(chosen.first()).absolutePath();
    return chosen.first();
}
