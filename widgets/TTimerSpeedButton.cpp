#include "TTimerSpeedButton.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <qdrawutil.h>

namespace qolmex {

TTimerSpeedButton::TTimerSpeedButton(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
}

void TTimerSpeedButton::setGlyph(const QPixmap& glyph) {
    glyph_ = glyph;
    update();
}

void TTimerSpeedButton::setFocusMarked(bool marked) {
    focusMarked_ = marked;
    update();
}

void TTimerSpeedButton::setDown(bool down) {
    if (down_ == down)
        return;
    down_ = down;
    update();
}

void TTimerSpeedButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !isEnabled()) {
        QWidget::mousePressEvent(event);
        return;
    }
    holding_ = true;
    setDown(true);
    if (repeatAllowed_) {
        if (!repeatTimer_) {
            repeatTimer_ = new QTimer(this);
            connect(repeatTimer_, &QTimer::timeout, this, &TTimerSpeedButton::repeat);
        }
        repeatTimer_->start(firstRepeatMs);
    }
    if (focusControl_ && !focusControl_->hasFocus() && focusControl_->isEnabled() &&
        focusControl_->focusPolicy() != Qt::NoFocus)
        focusControl_->setFocus(Qt::OtherFocusReason);
}

void TTimerSpeedButton::mouseMoveEvent(QMouseEvent* event) {
    if (holding_)
        setDown(rect().contains(event->position().toPoint()));
}

void TTimerSpeedButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !holding_)
        return;
    holding_ = false;
    if (repeatTimer_)
        repeatTimer_->stop();
    const bool over = rect().contains(event->position().toPoint());
    setDown(false);
    if (over)
        emit clicked();
}

bool TTimerSpeedButton::holdsMouse() const {
    const QWidget* grabber = QWidget::mouseGrabber();
    return holding_ && !QApplication::activePopupWidget() && (!grabber || grabber == this);
}

void TTimerSpeedButton::letGo() {
    holding_ = false;
    if (repeatTimer_)
        repeatTimer_->stop();
    setDown(false);
}

void TTimerSpeedButton::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    letGo();
}

void TTimerSpeedButton::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        letGo();
}

void TTimerSpeedButton::repeat() {
    repeatTimer_->setInterval(repeatMs);
    if (!holdsMouse()) {
        letGo();
        return;
    }
    if (!down_)
        return;
    // A step that throws must not leave the button clicking on its own.
    QPointer<QTimer> timer = repeatTimer_;
    try {
        emit clicked();
    } catch (...) {
        if (timer)
            timer->stop();
        throw;
    }
}

bool TTimerSpeedButton::drawsFocus() const {
    return focusMarked_ && parentWidget() && parentWidget()->hasFocus();
}

void TTimerSpeedButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    qDrawWinButton(&painter, rect(), palette(), down_, &palette().brush(QPalette::Button));
    const int shift = down_ ? 1 : 0;
    if (!glyph_.isNull()) {
        const QPoint at((width() - glyph_.width()) / 2 + shift,
                        (height() - glyph_.height()) / 2 + shift);
        if (isEnabled()) {
            painter.drawPixmap(at, glyph_);
        } else {
            painter.setOpacity(0.4);
            painter.drawPixmap(at, glyph_);
            painter.setOpacity(1.0);
        }
    }
    if (drawsFocus()) {
        QPen pen(palette().color(QPalette::ButtonText));
        pen.setStyle(Qt::DotLine);
        painter.setPen(pen);
        painter.drawRect(rect().adjusted(3 + shift, 3 + shift, -4 + shift, -4 + shift));
    }
}

} // namespace qolmex
