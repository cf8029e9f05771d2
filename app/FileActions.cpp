#include "FileActions.h"

#include "LocalFileName.h"
#include "config/ConfigurationFile.h"

#include <QDir>

namespace qolmex {
namespace {

const char* const writeFailedText = "Unable to write to %s";

QString writeFailedMessage(const std::string& fileName) {
    QString message = QString::fromUtf8(writeFailedText);
    const QString name = QDir::toNativeSeparators(displayName(fileName));
    return message.replace(message.indexOf(u"%s"), 2, name);
}

} // namespace

FileActions::FileActions(FileDialogFunction dialog, ErrorBoxFunction errorBox)
    : dialog_(std::move(dialog)), errorBox_(std::move(errorBox)) {}

std::optional<QString> FileActions::choose(QWidget* parent, FileDialogRequest::Purpose purpose,
                                           LastChoice& last) {
    const auto choice = dialog_(parent, FileDialogRequest{purpose, last.fileName, last.nameFilter});
    if (!choice || choice->fileName.isEmpty())
        return std::nullopt;
    // Whatever dialog ran, a name without an extension is a .kvx file.
    last.fileName = withDefaultSuffix(choice->fileName, QString::fromLatin1(kvxSuffix));
    last.nameFilter = choice->nameFilter;
    return last.fileName;
}

void FileActions::save(QWidget* parent, const Configuration& configuration) {
    const auto fileName = choose(parent, FileDialogRequest::Purpose::Save, lastSave_);
    if (!fileName)
        return;
    try {
        ConfigurationFile::save(configuration, localName(*fileName));
    } catch (const FileWriteError& error) {
        errorBox_(parent, writeFailedMessage(error.fileName()));
    }
}

void FileActions::open(QWidget* parent, Configuration& configuration) {
    if (const auto fileName = choose(parent, FileDialogRequest::Purpose::Open, lastOpen_))
        ConfigurationFile::load(configuration, localName(*fileName));
}

} // namespace qolmex
