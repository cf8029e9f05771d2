#include "TSpinButton.h"

#include "TTimerSpeedButton.h"

#include <QKeyEvent>
#include <QPainter>

namespace qolmex {
namespace {

QPixmap triangle(bool pointsUp) {
    QPixmap glyph(9, 6);
    glyph.fill(Qt::transparent);
    QPainter painter(&glyph);
    painter.setPen(Qt::black);
    // Rows of 1, 3, 5 and 7 pixels, centred, leaving a blank row at the blunt end.
    for (int row = 0; row < 4; ++row) {
        const int y = pointsUp ? 1 + row : 4 - row;
        painter.drawLine(4 - row, y, 4 + row, y);
    }
    return glyph;
}

} // namespace

TSpinButton::TSpinButton(QWidget* parent)
    : QWidget(parent), up_(new TTimerSpeedButton(this)), down_(new TTimerSpeedButton(this)) {
    setFocusPolicy(Qt::NoFocus);
    setMinimumWidth(minimumWidth);
    for (TTimerSpeedButton* button : {up_, down_})
        button->setRepeatAllowed(true);
    up_->setGlyph(defaultUpGlyph());
    down_->setGlyph(defaultDownGlyph());
    up_->setFocusMarked(true);
    connect(up_, &TTimerSpeedButton::clicked, this, &TSpinButton::upClick);
    connect(down_, &TTimerSpeedButton::clicked, this, &TSpinButton::downClick);
    resize(20, 25);
    placeButtons();
}

QPixmap TSpinButton::defaultUpGlyph() { return triangle(true); }
QPixmap TSpinButton::defaultDownGlyph() { return triangle(false); }

void TSpinButton::setUpGlyph(const QPixmap& glyph) { up_->setGlyph(glyph); }
void TSpinButton::setDownGlyph(const QPixmap& glyph) { down_->setGlyph(glyph); }

void TSpinButton::setFocusControl(QWidget* control) {
    focusControl_ = control;
    up_->setFocusControl(control);
    down_->setFocusControl(control);
}

void TSpinButton::markAndClick(TTimerSpeedButton* button) {
    up_->setFocusMarked(button == up_);
    down_->setFocusMarked(button == down_);
    emit button == up_ ? upClick() : downClick();
}

void TSpinButton::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Space:
        markAndClick(up_->focusMarked() ? up_ : down_);
        break;
    case Qt::Key_Up:
        markAndClick(up_);
        break;
    case Qt::Key_Down:
        markAndClick(down_);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TSpinButton::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    up_->update();
    down_->update();
}

void TSpinButton::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    up_->update();
    down_->update();
}

void TSpinButton::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeButtons();
}

// The down button starts one pixel up so that the two share their middle line.
void TSpinButton::placeButtons() {
    const int upHeight = height() / 2;
    up_->setGeometry(0, 0, width(), upHeight);
    down_->setGeometry(0, upHeight - 1, width(), height() - upHeight + 1);
}

} // namespace qolmex
