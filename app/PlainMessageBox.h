#pragma once

class QString;
class QWidget;

namespace qolmex {

// What the user must know about a failed action: the text under the program's title, one OK
// button, no icon. Waits until the user closes it.
void showPlainMessage(QWidget* parent, const QString& text);

} // namespace qolmex
