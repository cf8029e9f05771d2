#include "TSmsMemo.h"

#include "widgets/TypedCharacter.h"
#include "widgets/TypedText.h"

#include <QMimeData>
#include <QTextDocument>

namespace qolmex {

TSmsMemo::TSmsMemo(KeyFilter filter, int typingLimit, QWidget* parent)
    : QPlainTextEdit(parent), filter_(filter), typingLimit_(typingLimit) {
    setTabChangesFocus(true);
    setAcceptDrops(false);
}

QString TSmsMemo::text() const {
    QString raw = document()->toRawText();
    raw.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    return raw;
}

int TSmsMemo::room() const {
    return typingRoom(typingLimit_, int(text().size()),
                      int(textCursor().selectedText().size()));
}

void TSmsMemo::keyPressEvent(QKeyEvent* event) {
    if (const auto typed = typedCharacter(*event)) {
        if (filter_(*typed) == 0 || (*typed >= 32 && room() == 0)) {
            event->accept();
            return;
        }
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TSmsMemo::inputMethodEvent(QInputMethodEvent* event) {
    const TypedText typed = filterTypedText(
        event->commitString(), [this](int c) { return filter_(c) != 0; }, room());
    passCommitted(*event, typed.kept,
                  [this](QInputMethodEvent* kept) { QPlainTextEdit::inputMethodEvent(kept); });
}

// Every paste comes here, from the keys and from the context menu.
void TSmsMemo::insertFromMimeData(const QMimeData* source) {
    if (isReadOnly() || !source->hasText())
        return;
    textCursor().insertText(source->text().left(room()));
}

} // namespace qolmex
