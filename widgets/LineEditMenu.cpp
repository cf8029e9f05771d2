#include "LineEditMenu.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>

namespace qolmex {
namespace {

QAction* addCommand(QMenu& menu, const QString& text, QKeySequence::StandardKey key,
                    bool enabled, const std::function<void()>& run) {
    QAction* action = menu.addAction(text);
    action->setShortcut(QKeySequence(key));
    action->setEnabled(enabled);
    QObject::connect(action, &QAction::triggered, &menu, run);
    return action;
}

} // namespace

QMenu* createLineEditMenu(QLineEdit& edit, bool mayChangeText, const std::function<void()>& paste) {
    auto* menu = new QMenu(&edit);
    const bool changeable = mayChangeText && !edit.isReadOnly();
    const bool selection = edit.hasSelectedText();
    QLineEdit* e = &edit;
    addCommand(*menu, QLineEdit::tr("&Undo"), QKeySequence::Undo,
               changeable && edit.isUndoAvailable(), [e, changeable] { if (changeable) e->undo(); });
    addCommand(*menu, QLineEdit::tr("&Redo"), QKeySequence::Redo,
               changeable && edit.isRedoAvailable(), [e, changeable] { if (changeable) e->redo(); });
    menu->addSeparator();
    addCommand(*menu, QLineEdit::tr("Cu&t"), QKeySequence::Cut, changeable && selection,
               [e, changeable] { if (changeable) e->cut(); });
    addCommand(*menu, QLineEdit::tr("&Copy"), QKeySequence::Copy, selection, [e] { e->copy(); });
    const bool clipboardHasText = !QGuiApplication::clipboard()->text().isEmpty();
    addCommand(*menu, QLineEdit::tr("&Paste"), QKeySequence::Paste, changeable && clipboardHasText,
               [paste, changeable] { if (changeable) paste(); });
    addCommand(*menu, QLineEdit::tr("Delete"), QKeySequence::Delete, changeable && selection,
               [e, changeable] { if (changeable) e->del(); });
    menu->addSeparator();
    addCommand(*menu, QLineEdit::tr("Select All"), QKeySequence::SelectAll, !edit.text().isEmpty(),
               [e] { e->selectAll(); });
    return menu;
}

} // namespace qolmex
