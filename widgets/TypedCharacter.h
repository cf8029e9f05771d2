#pragma once

#include <QKeyEvent>

#include <optional>

namespace qolmex {

// The character code a key press types, as the key filters see it, or nothing for keys
// that type no character (arrows, Delete, function keys). Ctrl with a letter types its
// control code (Ctrl+C is 3), whatever text the platform attached to the event.
inline std::optional<int> typedCharacter(const QKeyEvent& event) {
    const int key = event.key();
    const Qt::KeyboardModifiers mods = event.modifiers();
    if ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier) && key >= Qt::Key_A &&
        key <= Qt::Key_Z)
        return key - Qt::Key_A + 1;
    if (key == Qt::Key_Delete || event.text().size() != 1)
        return std::nullopt;
    return event.text().front().unicode();
}

} // namespace qolmex
