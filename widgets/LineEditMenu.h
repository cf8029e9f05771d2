#pragma once

#include <functional>

class QLineEdit;
class QMenu;

namespace qolmex {

// The usual context menu of a one-line edit, with paste going through `paste` (which keeps
// the typing limit) and every command that changes the text off unless `mayChangeText`.
// The caller owns the menu.
QMenu* createLineEditMenu(QLineEdit& edit, bool mayChangeText, const std::function<void()>& paste);

} // namespace qolmex
