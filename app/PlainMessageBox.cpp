#include "PlainMessageBox.h"

#include <QMessageBox>
#include <QScreen>
#include <QShowEvent>

namespace qolmex {

namespace {

// A message box centred on the screen rather than over its parent, which it still belongs to.
class CentredMessageBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event); // takes its final size, centred over the parent
        if (event->spontaneous())
            return;
        const QScreen* where = screen();
        if (!where)
            return;
        const QRect available = where->availableGeometry();
        const QSize frame = frameGeometry().size();
        move(available.center() - QPoint(frame.width() / 2, frame.height() / 2));
    }
};

} // namespace

void showPlainMessage(QWidget* parent, const QString& text) {
    const QString title = parent ? parent->window()->windowTitle() : QString();
    CentredMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace qolmex
