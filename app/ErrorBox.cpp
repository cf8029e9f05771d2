#include "ErrorBox.h"

#include <QGuiApplication>
#include <QMessageBox>

namespace qolmex {

void showErrorBox(QWidget* parent, const QString& message) {
    QMessageBox::critical(parent, QGuiApplication::applicationDisplayName(), message);
}

} // namespace qolmex
