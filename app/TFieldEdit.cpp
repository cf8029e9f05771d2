#include "TFieldEdit.h"

#include "widgets/LineEditMenu.h"
#include "widgets/TypedCharacter.h"
#include "widgets/TypedText.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>

namespace qolmex {

TFieldEdit::TFieldEdit(KeyFilter filter, int typingLimit, QWidget* parent)
    : QLineEdit(parent), filter_(filter), typingLimit_(typingLimit) {
    setAcceptDrops(false); // a drop would bypass the filter and the limit
}

void TFieldEdit::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        pasteWithinLimit();
        event->accept();
        return;
    }
    if (const auto typed = typedCharacter(*event)) {
        const bool dropped = filter_(*typed) == 0;
        const bool full = *typed >= 32 && room() == 0;
        if (dropped || full) {
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

int TFieldEdit::room() const {
    return typingRoom(typingLimit_, int(text().size()), int(selectedText().size()));
}

void TFieldEdit::pasteWithinLimit(QClipboard::Mode mode) {
    if (isReadOnly())
        return;
    insert(QGuiApplication::clipboard()->text(mode).left(room()));
}

void TFieldEdit::inputMethodEvent(QInputMethodEvent* event) {
    const TypedText typed = filterTypedText(
        event->commitString(), [this](int c) { return filter_(c) != 0; }, room());
    passCommitted(*event, typed.kept,
                  [this](QInputMethodEvent* kept) { QLineEdit::inputMethodEvent(kept); });
}

void TFieldEdit::mouseReleaseEvent(QMouseEvent* event) {
    if (!isSelectionPaste(*event)) {
        QLineEdit::mouseReleaseEvent(event);
        return;
    }
    deselect();
    pasteWithinLimit(QClipboard::Selection);
    event->accept();
}

QMenu* TFieldEdit::createContextMenu() {
    QMenu* menu = createLineEditMenu(*this, true, [this] { pasteWithinLimit(); });
    if (menuExtension_) {
        menu->addSeparator();
        menuExtension_(*menu);
    }
    return menu;
}

void TFieldEdit::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

} // namespace qolmex
