#include "FileDialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLineEdit>

#include <memory>

namespace qolmex {
namespace {

const char* const allFilesEntry = "Všeky súbory (*.*)";

// "*.*" means every file where the filter comes from, also one without a dot, which Qt's own
// dialog would hide; the entry keeps its text and its file list shows them all. Qt would also
// give the name being saved the extension "*"; it keeps the one it had.
void listEveryFileUnderTheAllEntry(QFileDialog& dialog) {
    QFileDialog* d = &dialog;
    auto* nameEdit = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    auto lastName = std::make_shared<QString>(nameEdit ? nameEdit->text() : QString());
    const auto isStarName = [](const QString& name) { return name.endsWith(QStringLiteral(".*")); };
    if (nameEdit)
        QObject::connect(nameEdit, &QLineEdit::textChanged, d,
                         [lastName, isStarName](const QString& name) {
                             if (!isStarName(name))
                                 *lastName = name;
                         });
    const auto apply = [d, nameEdit, lastName, isStarName](const QString& entry) {
        if (entry != QString::fromUtf8(allFilesEntry))
            return;
        if (auto* model = d->findChild<QFileSystemModel*>())
            model->setNameFilters({QStringLiteral("*")});
        if (nameEdit && isStarName(nameEdit->text()))
            nameEdit->setText(*lastName);
    };
    QObject::connect(d, &QFileDialog::filterSelected, d, apply);
    apply(dialog.selectedNameFilter());
}

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
    dialog.setNameFilters(qtNameFilters(request.filters));
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setSizeGripEnabled(true);
    if (!request.nameFilter.isEmpty())
        dialog.selectNameFilter(request.nameFilter);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    listEveryFileUnderTheAllEntry(dialog);
}

std::optional<FileDialogChoice> runFileDialog(QWidget* parent, const FileDialogRequest& request) {
    QFileDialog dialog(parent);
    configureFileDialog(dialog, request);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return FileDialogChoice{dialog.selectedFiles().constFirst(), dialog.selectedNameFilter()};
}

} // namespace qolmex
