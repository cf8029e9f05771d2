#include "PlainMessageBox.h"

#include <QMessageBox>

namespace qolmex {

void showPlainMessage(QWidget* parent, const QString& text) {
    const QString title = parent ? parent->window()->windowTitle() : QString();
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace qolmex
