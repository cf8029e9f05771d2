#pragma once

#include "TypingRoom.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QMouseEvent>

namespace qolmex {

// Text an input method commits (a dead key's ô, say), kept to what the field's rules let
// through: the characters `accepts` takes, at most `room` of them. Control codes are commands
// when typed, so as text they are dropped.
struct TypedText {
    QString kept;
    bool refused = false; // some character was not accepted
};

template <typename Accepts>
TypedText filterTypedText(const QString& text, Accepts&& accepts, int room) {
    TypedText out;
    for (const char32_t c : text.toUcs4()) {
        if (c < 32 || !accepts(static_cast<int>(c))) {
            out.refused = out.refused || c >= 32;
            continue;
        }
        const QString piece = QString::fromUcs4(&c, 1);
        if (piece.size() > room)
            continue;
        out.kept += piece;
        room -= int(piece.size());
    }
    return out;
}

// Hands `passOn` the same event with only `commit` committed; what the input method is still
// composing stays.
template <typename PassOn>
void passCommitted(const QInputMethodEvent& event, const QString& commit, PassOn&& passOn) {
    QInputMethodEvent out(event.preeditString(), event.attributes());
    out.setCommitString(commit, event.replacementStart(), event.replacementLength());
    passOn(&out);
}

// A middle-button release that pastes the window system's selection, as the line edit would.
inline bool isSelectionPaste(const QMouseEvent& event) {
    return event.button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection();
}

} // namespace qolmex
