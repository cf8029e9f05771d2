#include "ErrorBox.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QWidget>

namespace qolmex {

void showErrorBox(QWidget* parent, const QString& message) {
    // Captioned like the program's own window.
    const QString title =
        parent ? parent->window()->windowTitle() : QGuiApplication::applicationDisplayName();
    QMessageBox::critical(parent, title, message);
}

} // namespace qolmex
