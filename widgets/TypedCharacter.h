#pragma once

#include <QKeyEvent>

#include <optional>

namespace qolmex {

// Copy, cut, paste, select all, undo and redo: commands of the edit, not typed characters.
inline bool isEditCommand(const QKeyEvent& event) {
    for (QKeySequence::StandardKey command :
         {QKeySequence::Copy, QKeySequence::Cut, QKeySequence::Paste, QKeySequence::SelectAll,
          QKeySequence::Undo, QKeySequence::Redo})
        if (event.matches(command))
            return true;
    return false;
}

// The character code a key press types, as the key filters see it, or nothing for keys
// that type no character (edit commands, arrows, Delete, function keys). Ctrl with another
// letter types its control code, whatever text the platform attached to the event.
inline std::optional<int> typedCharacter(const QKeyEvent& event) {
    if (isEditCommand(event))
        return std::nullopt;
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
