#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QFileDialog;
class QWidget;

namespace qolmex {

// The extension a name typed without one gets in the .kvx dialogs, and their filter entries.
inline constexpr char kvxSuffix[] = "kvx";
inline constexpr char kvxFilter[] = "Korvalex súbor (*.kvx)|*.kvx|Všeky súbory (*.*)|*.*";

// What a file dialog is asked to show, and what the user chose in it.
struct FileDialogRequest {
    enum class Purpose { Save, Open };
    Purpose purpose = Purpose::Open;
    QString fileName;   // chosen last time in this dialog; empty at first
    QString nameFilter; // the filter entry chosen last time; empty at first
    // "Text (*.a)|*.a|…", and the extension a name typed without one gets.
    QString filters = QString::fromUtf8(kvxFilter);
    QString defaultSuffix = QString::fromLatin1(kvxSuffix);
};

struct FileDialogChoice {
    QString fileName;
    QString nameFilter;
};

// Shows a file dialog and gives the chosen name, or nothing when the user cancels.
// Tests put a function of their own in its place.
using FileDialogFunction =
    std::function<std::optional<FileDialogChoice>(QWidget* parent, const FileDialogRequest&)>;

// The file dialogs: the request's filter entries and default extension (those of the .kvx
// files unless it names others), the replace question on Save only, any name accepted on
// Open, resizable.
std::optional<FileDialogChoice> runFileDialog(QWidget* parent, const FileDialogRequest& request);
void configureFileDialog(QFileDialog& dialog, const FileDialogRequest& request);

// "Text (*.a)|*.a|Other|*.b;*.c" as Qt's filter entries "Text (*.a)", "Other (*.b *.c)".
QStringList qtNameFilters(const QString& pipeSeparated);

// A name whose last part has no "." gets the suffix, as a name typed without an extension.
QString withDefaultSuffix(const QString& fileName, const QString& suffix);

} // namespace qolmex
