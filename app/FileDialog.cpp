#include "FileDialog.h"

#include <QFileDialog>
#include <QFileInfo>

namespace qolmex {
namespace {

const char* const kvxFilter = "Korvalex súbor (*.kvx)|*.kvx|Všeky súbory (*.*)|*.*";

} // namespace

QStringList qtNameFilters(const QString& pipeSeparated) {
    const QStringList parts = pipeSeparated.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = QString(parts[i + 1]).replace(u';', u' ');
        const QString shown = u'(' + patterns + u')';
        // Qt takes the patterns from the parentheses at the end of the entry.
        filters << (parts[i].endsWith(shown) ? parts[i] : parts[i] + u' ' + shown);
    }
    return filters;
}

QString withDefaultSuffix(const QString& fileName, const QString& suffix) {
    if (fileName.isEmpty() || QFileInfo(fileName).fileName().contains(u'.'))
        return fileName;
    return fileName + u'.' + suffix;
}

void configureFileDialog(QFileDialog& dialog, const FileDialogRequest& request) {
    const bool save = request.purpose == FileDialogRequest::Purpose::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // Open accepts a name that does not exist too; it then empties every field.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !save);
    dialog.setNameFilters(qtNameFilters(QString::fromUtf8(kvxFilter)));
    dialog.setDefaultSuffix(QString::fromLatin1(kvxSuffix));
    dialog.setSizeGripEnabled(true);
    if (!request.nameFilter.isEmpty())
        dialog.selectNameFilter(request.nameFilter);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
}

std::optional<FileDialogChoice> runFileDialog(QWidget* parent, const FileDialogRequest& request) {
    QFileDialog dialog(parent);
    configureFileDialog(dialog, request);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return FileDialogChoice{dialog.selectedFiles().constFirst(), dialog.selectedNameFilter()};
}

} // namespace qolmex
