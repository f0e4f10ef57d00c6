#pragma once

#include <QString>
#include <optional>

// The save and open panels and the beep, as the file actions need them.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    // A location to write JSON to, or nothing when the user cancels.
    virtual std::optional<QString> chooseSaveLocation(const QString& title,
                                                      const QString& suggestedName) = 0;
    // One JSON file to read, or nothing when the user cancels.
    virtual std::optional<QString> chooseFileToOpen() = 0;
    virtual void beep() = 0;
};
