#pragma once

#include "engine/storage/file_chooser.h"

#include <QPointer>
#include <QString>
#include <QWidget>

// The file chooser of the real program: modal save and open dialogs that offer JSON files only,
// starting in the user's home folder and then in the folder chosen last.
class DialogFileChooser final : public FileChooser {
public:
    explicit DialogFileChooser(QWidget* parent = nullptr);

    std::optional<QString> chooseSaveLocation(const QString& title,
                                              const QString& suggestedName) override;
    std::optional<QString> chooseFileToOpen() override;
    void beep() override;

private:
    std::optional<QString> remember(const QStringList& chosen);

    QPointer<QWidget> parent_;
    QString lastDirectory_;
};
