#include "NumberListMenu.h"

#include "MainTexts.h"
#include "TFieldEdit.h"
#include "TfMain.h"
#include "config/NumberListClipboard.h"
#include "config/Windows1250.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>

namespace qolmex {
namespace {

// "1 číslo sa nezmestilo", "3 čísla sa nezmestili", "5 čísel sa nezmestilo".
QString leftOutText(int count) {
    const char* text = count == 1                 ? "%1 číslo sa do zoznamu nezmestilo."
                       : count >= 2 && count <= 4 ? "%1 čísla sa do zoznamu nezmestili."
                                                  : "%1 čísel sa do zoznamu nezmestilo.";
    return QString::fromUtf8(text).arg(count);
}

} // namespace

NumberListMenu::NumberListMenu(TfMain& window) : window_(window) {
    const Configuration& config = window.configuration();
    for (FieldId id = 0; id < config.size(); ++id) {
        if (!config.definition(id).list)
            continue;
        auto* edit = qobject_cast<TFieldEdit*>(window.control(config.definition(id).name));
        if (edit)
            edit->setMenuExtension([this, edit, id](QMenu& menu) { addEntries(menu, *edit, id); });
    }
}

void NumberListMenu::addEntries(QMenu& menu, TFieldEdit& edit, FieldId position) {
    const Configuration& config = window_.configuration();
    const ListId list = config.definition(position).list.value();
    QAction* paste = menu.addAction(texts::qt(captions::pasteNumberList));
    paste->setEnabled(edit.isEnabled() && !edit.isReadOnly() &&
                      !QGuiApplication::clipboard()->text().isEmpty());
    QObject::connect(paste, &QAction::triggered, &menu,
                     [this, e = &edit, position] { this->paste(*e, position); });
    QAction* copy = menu.addAction(texts::qt(captions::copyNumberList));
    copy->setEnabled(!config.text(config.position(list, 1)).empty());
    QObject::connect(copy, &QAction::triggered, &menu, [this, position] { this->copy(position); });
}

void NumberListMenu::paste(TFieldEdit& edit, FieldId position) {
    const QString text = QGuiApplication::clipboard()->text();
    const ListPaste result =
        pasteNumberList(window_.configuration(), position, text.toStdU16String(), edit.keyFilter());
    if (result.leftOut > 0)
        window_.showMessage(leftOutText(result.leftOut));
}

void NumberListMenu::copy(FieldId position) {
    const Configuration& config = window_.configuration();
    const std::string lines = copyNumberList(config, config.definition(position).list.value());
    QGuiApplication::clipboard()->setText(QString::fromStdU16String(decodeWindows1250(lines)));
}

} // namespace qolmex
