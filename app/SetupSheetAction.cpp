#include "SetupSheetAction.h"

#include "LocalFileName.h"
#include "config/WriteFile.h"
#include "config/SetupSheet.h"

#include <QDate>
#include <QDesktopServices>
#include <QDir>
#include <QUrl>

namespace qolmex {
namespace {

const char* const htmlFilter = "Stránka HTML (*.html)|*.html";
const char* const htmlSuffix = "html";
const char* const notWritten = "Prehľad nastavení sa nepodarilo uložiť do súboru %1.";
const char* const notOpened =
    "Prehľad nastavení je uložený v súbore %1, ale nepodarilo sa ho otvoriť v prehliadači.";

std::string sheetOf(const Configuration& configuration) {
    const QDate today = QDate::currentDate();
    return setupSheetHtml(configuration, {today.year(), today.month(), today.day(), {}});
}

} // namespace

bool openWithDesktop(const QString& fileName) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(fileName));
}

SetupSheetAction::SetupSheetAction(FileDialogFunction dialog, OpenFunction open)
    : dialog_(std::move(dialog)), open_(std::move(open)) {}

void SetupSheetAction::run(QWidget* parent, const Configuration& configuration,
                           const MessageFunction& message) {
    FileDialogRequest request{FileDialogRequest::Purpose::Save, lastFileName_, {}};
    request.filters = QString::fromUtf8(htmlFilter);
    request.defaultSuffix = QString::fromLatin1(htmlSuffix);
    const auto choice = dialog_(parent, request);
    if (!choice || choice->fileName.isEmpty())
        return;
    lastFileName_ = withDefaultSuffix(choice->fileName, request.defaultSuffix);
    const QString shownName = QDir::toNativeSeparators(lastFileName_);
    try {
        // As Save replaces a file: a link followed, a read-only file or a folder refused, the
        // old file's permissions kept.
        writeFile(localName(lastFileName_), sheetOf(configuration));
    } catch (const std::exception&) { // out of memory too: the file is as it was
        message(QString::fromUtf8(notWritten).arg(shownName));
        return;
    }
    if (!open_(lastFileName_))
        message(QString::fromUtf8(notOpened).arg(shownName));
}

} // namespace qolmex
