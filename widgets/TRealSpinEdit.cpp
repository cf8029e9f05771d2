#include "TRealSpinEdit.h"

#include "Beep.h"
#include "LineEditMenu.h"
#include "TSpinButton.h"
#include "TypedCharacter.h"
#include "TypedText.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>

namespace qolmex {
namespace {

constexpr int buttonWidth = 15;

} // namespace

TRealSpinEdit::TRealSpinEdit(QWidget* parent)
    : QLineEdit(QStringLiteral("0"), parent), button_(new TSpinButton(this)) {
    button_->setFocusControl(this);
    button_->setCursor(Qt::ArrowCursor);
    connect(button_, &TSpinButton::upClick, this, &TRealSpinEdit::stepUp);
    connect(button_, &TSpinButton::downClick, this, &TRealSpinEdit::stepDown);
    setAcceptDrops(false); // a drop would bypass the key check and the typing limit
    setTextMargins(0, 0, buttonWidth + 2, 0);
    updateMinimumHeight();
    placeButton();
}

Fixed TRealSpinEdit::value() const { return valueOfText(text().toStdString(), minValue_); }

void TRealSpinEdit::setValue(Fixed v) {
    setText(QString::fromStdString(formatFixed(clampValue(v))));
}

Fixed TRealSpinEdit::clampValue(Fixed v) const { return clampFixed(v, minValue_, maxValue_); }

bool TRealSpinEdit::acceptsKey(int c) const {
    const bool control = c >= 0 && c < 32 && c != '\r';
    if (!editorEnabled_)
        return control && c != '\b';
    return control || (c >= '0' && c <= '9');
}

void TRealSpinEdit::stepUp() {
    if (isReadOnly()) {
        beep();
        return;
    }
    setValue(addSaturated(value(), increment_));
}

void TRealSpinEdit::stepDown() {
    if (isReadOnly()) {
        beep();
        return;
    }
    setValue(subtractSaturated(value(), increment_));
}

void TRealSpinEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up)
        stepUp();
    else if (event->key() == Qt::Key_Down)
        stepDown();

    if (event->matches(QKeySequence::Paste)) {
        pasteWithinLimit();
        event->accept();
        return;
    }
    const bool changes = event->matches(QKeySequence::Cut) || event->matches(QKeySequence::Undo) ||
                         event->matches(QKeySequence::Redo) || event->key() == Qt::Key_Delete;
    if (changes && !mayChangeText()) {
        event->accept();
        return;
    }
    if (const auto typed = typedCharacter(*event)) {
        const int c = *typed;
        if (!acceptsKey(c)) {
            beep();
            event->accept();
            return;
        }
        if (c >= 32 && room() == 0) {
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

int TRealSpinEdit::room() const {
    return typingRoom(typingLimit_, int(text().size()), int(selectedText().size()));
}

void TRealSpinEdit::pasteWithinLimit(QClipboard::Mode mode) {
    if (!mayChangeText())
        return;
    insert(QGuiApplication::clipboard()->text(mode).left(room()));
}

void TRealSpinEdit::inputMethodEvent(QInputMethodEvent* event) {
    const TypedText typed = filterTypedText(
        event->commitString(), [this](int c) { return acceptsKey(c); }, room());
    if (typed.refused)
        beep();
    passCommitted(*event, typed.kept,
                  [this](QInputMethodEvent* kept) { QLineEdit::inputMethodEvent(kept); });
}

void TRealSpinEdit::mouseReleaseEvent(QMouseEvent* event) {
    if (!isSelectionPaste(*event)) {
        QLineEdit::mouseReleaseEvent(event);
        return;
    }
    if (mayChangeText()) {
        deselect();
        pasteWithinLimit(QClipboard::Selection);
    }
    event->accept();
}

void TRealSpinEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    const Qt::FocusReason reason = event->reason();
    const bool byKeyboard = reason != Qt::MouseFocusReason &&
                            reason != Qt::ActiveWindowFocusReason &&
                            reason != Qt::PopupFocusReason;
    if (!byKeyboard)
        return;
    if (autoSelect_)
        selectAll();
    else
        deselect();
}

void TRealSpinEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // A context menu or another window takes the focus only for a while: not leaving.
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason)
        return;
    // A number within the limits keeps its spelling ("007"); a text that is no number stays.
    const Fixed v = value();
    if (clampValue(v) != v)
        setValue(v);
}

QMenu* TRealSpinEdit::createContextMenu() {
    return createLineEditMenu(*this, editorEnabled_, [this] { pasteWithinLimit(); });
}

void TRealSpinEdit::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void TRealSpinEdit::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    placeButton();
}

void TRealSpinEdit::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        updateMinimumHeight();
}

// Never lower than the text with a quarter line of air and the frame: a resize below this
// height gets this height.
void TRealSpinEdit::updateMinimumHeight() {
    const int fontHeight = fontMetrics().height();
    const int systemHeight = QFontMetrics(QApplication::font()).height();
    constexpr int borderHeight = 1;
    setMinimumHeight(fontHeight + std::min(systemHeight, fontHeight) / 4 + 4 * borderHeight + 2);
}

// Inside the frame at the right edge; the text margin keeps the text from running under it.
void TRealSpinEdit::placeButton() {
    QStyleOptionFrame option;
    initStyleOption(&option);
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this);
    button_->setGeometry(width() - frame - buttonWidth, frame, buttonWidth, height() - 2 * frame);
}

} // namespace qolmex
