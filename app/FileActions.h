#pragma once

#include "app/ErrorBox.h"
#include "app/FileDialog.h"
#include "config/Configuration.h"

namespace qolmex {

// The Save and Open buttons of the main window: a file dialog, then the .kvx file. Each
// dialog offers the name and filter entry last chosen in it during this run.
class FileActions {
public:
    explicit FileActions(FileDialogFunction dialog = runFileDialog,
                         ErrorBoxFunction errorBox = showErrorBox);

    // Writes every field into the chosen file; a failure is shown, and the file stays as it was.
    void save(QWidget* parent, const Configuration& configuration);
    // Sets every field from the chosen file. Shows nothing, whatever the file holds.
    void open(QWidget* parent, Configuration& configuration);

private:
    struct LastChoice {
        QString fileName;
        QString nameFilter;
    };

    std::optional<QString> choose(QWidget* parent, FileDialogRequest::Purpose purpose,
                                  LastChoice& last);

    FileDialogFunction dialog_;
    ErrorBoxFunction errorBox_;
    LastChoice lastSave_;
    LastChoice lastOpen_;
};

} // namespace qolmex
