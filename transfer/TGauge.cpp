#include "TGauge.h"

#include <QPainter>
#include <algorithm>

namespace qolmex {

TGauge::TGauge(QWidget* parent) : QWidget(parent) {}

int TGauge::percentDone() const {
    return progress_ * 100 / maxValue();
}

void TGauge::setProgress(int value) {
    const int before = percentDone();
    progress_ = std::clamp(value, minValue(), maxValue());
    if (percentDone() != before && isVisible())
        repaint();
}

void TGauge::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    painter.fillRect(rect(), Qt::white);
    const int filled = frame.width() * progress_ / maxValue();
    const QRect bar(frame.left(), frame.top(), filled, frame.height());
    painter.fillRect(bar, QColor(0, 0, 128));
    painter.setPen(Qt::black);
    painter.drawRect(frame);

    // The text is drawn twice, clipped, so it stays readable over the bar and beside it.
    const QString text = QString::asprintf("%d%%", percentDone());
    painter.setClipRect(bar);
    painter.setPen(Qt::white);
    painter.drawText(frame, Qt::AlignCenter, text);
    painter.setClipRect(
        QRect(bar.right() + 1, frame.top(), frame.width() - filled + 1, frame.height()));
    painter.setPen(Qt::black);
    painter.drawText(frame, Qt::AlignCenter, text);
}

} // namespace qolmex
