#include "TFieldEdit.h"

#include "widgets/LineEditMenu.h"
#include "widgets/TypedCharacter.h"
#include "widgets/TypingRoom.h"

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
        const bool full = *typed >= 32 &&
            typingRoom(typingLimit_, int(text().size()), int(selectedText().size())) == 0;
        if (dropped || full) {
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void TFieldEdit::pasteWithinLimit() {
    if (isReadOnly())
        return;
    const int room = typingRoom(typingLimit_, int(text().size()), int(selectedText().size()));
    insert(QGuiApplication::clipboard()->text().left(room));
}

QMenu* TFieldEdit::createContextMenu() {
    return createLineEditMenu(*this, true, [this] { pasteWithinLimit(); });
}

void TFieldEdit::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

} // namespace qolmex
