#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace qolmex {

// Shows a failure to the user; tests put a function of their own in its place.
using ErrorBoxFunction = std::function<void(QWidget* parent, const QString& message)>;

// The program's standard error box: the message under the application's title, one OK button.
void showErrorBox(QWidget* parent, const QString& message);

} // namespace qolmex
