#pragma once

#include "app/FileDialog.h"
#include "config/Configuration.h"

#include <QString>
#include <functional>

class QWidget;

namespace qolmex {

// Opens a file in the program the desktop names for its type (the browser, for the sheet);
// false when there is none.
bool openWithDesktop(const QString& fileName);

// "Prehľad nastavení…": asks where to save the setup sheet of the window's settings (a save
// dialog offering .html, which remembers the name for the run), saves it there and opens it in
// the default browser, from where it prints. Tests put their own dialog and opener in place.
class SetupSheetAction {
public:
    using OpenFunction = std::function<bool(const QString& fileName)>;
    using MessageFunction = std::function<void(const QString& text)>;

    explicit SetupSheetAction(FileDialogFunction dialog = runFileDialog,
                              OpenFunction open = openWithDesktop);

    void setDialog(FileDialogFunction dialog) { dialog_ = std::move(dialog); }
    void setOpener(OpenFunction open) { open_ = std::move(open); }

    // A failure to write or to open is told through `message`.
    void run(QWidget* parent, const Configuration& configuration, const MessageFunction& message);

private:
    FileDialogFunction dialog_;
    OpenFunction open_;
    QString lastFileName_;
};

} // namespace qolmex
