#include "PlainMessageBox.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QMessageBox>
#include <QScreen>
#include <QShowEvent>
#include <algorithm>

namespace qolmex {

namespace {

// What a title bar needs beside its title: the window menu's icon and the close button,
// on both sides where the title stands in the middle.
constexpr int titleBarMargin = 2 * 48;

// A message box centred on the screen rather than over its parent, which it still belongs to,
// and as wide as its title needs, so a short message does not cut the program's name.
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
        const int frame = frameGeometry().width() - width();
        const int wanted = std::min(titleWidth(), available.width() - frame);
        if (width() < wanted)
            setFixedWidth(wanted);
        const QSize outside = frameGeometry().size();
        move(available.center() - QPoint(outside.width() / 2, outside.height() / 2));
    }

private:
    // Window managers write titles in the desktop's title font, most of them in bold.
    int titleWidth() const {
        QFont font = QFontDatabase::systemFont(QFontDatabase::TitleFont);
        font.setBold(true);
        return QFontMetrics(font).horizontalAdvance(windowTitle()) + titleBarMargin;
    }
};

} // namespace

void showPlainMessage(QWidget* parent, const QString& text) {
    const QString title = parent ? parent->window()->windowTitle() : QString();
    CentredMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace qolmex
