#include "WindowLook.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QWidget>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace qolmex {
namespace {

double luminance(const QColor& colour) {
    auto linear = [](double channel) {
        return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

// One text the window shows: the widget that draws it, its place (in the widget's
// coordinates), the room it needs, and where its background shows.
struct ShownText {
    const QWidget* widget;
    QRect place;
    QString text;
    QSize needed;
    QRect behind;
};

QSize neededFor(const QFontMetrics& metrics, const QString& text) {
    QString shown = text;
    shown.remove(QLatin1Char('&')); // the mnemonic's mark is not drawn
    if (!shown.contains(QLatin1Char('\n')))
        return {metrics.horizontalAdvance(shown), metrics.height()};
    return metrics.boundingRect(QRect(0, 0, 10000, 10000), Qt::AlignLeft, shown).size();
}

// Labels, buttons, group titles and tab captions that are on the screen now.
std::vector<ShownText> shownTexts(QWidget& window) {
    std::vector<ShownText> texts;
    auto shown = [&window](const QWidget* widget) { return widget->isVisibleTo(&window); };
    for (const QLabel* label : window.findChildren<QLabel*>())
        if (shown(label))
            texts.push_back({label, label->contentsRect(), label->text(),
                             neededFor(label->fontMetrics(), label->text()), label->rect()});
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (!shown(button) || button->text().isEmpty())
            continue;
        if (qobject_cast<const QPushButton*>(button)) {
            // The caption, large and bold, covers more of the face than any one shade of it:
            // the face shows beside the caption, inside the edge.
            texts.push_back({button, button->rect(), button->text(),
                             neededFor(button->fontMetrics(), button->text()),
                             QRect(2, 2, 4, button->height() - 4)});
        } else { // a radio button needs room for its mark beside the text
            texts.push_back(
                {button, button->rect(), button->text(), button->sizeHint(), button->rect()});
        }
    }
    for (const QGroupBox* box : window.findChildren<QGroupBox*>()) {
        if (!shown(box))
            continue;
        const QRect title(0, 0, box->width(), box->fontMetrics().height());
        texts.push_back(
            {box, title, box->title(), neededFor(box->fontMetrics(), box->title()), title});
    }
    for (const QTabBar* tabs : window.findChildren<QTabBar*>())
        if (shown(tabs))
            for (int i = 0; i < tabs->count(); ++i)
                texts.push_back({tabs, tabs->tabRect(i), tabs->tabText(i),
                                 neededFor(tabs->fontMetrics(), tabs->tabText(i)),
                                 tabs->tabRect(i)});
    EXPECT_FALSE(texts.empty());
    return texts;
}

QPalette::ColorGroup colourGroup(const QWidget& widget) {
    if (!widget.isEnabled())
        return QPalette::Disabled;
    return widget.isActiveWindow() ? QPalette::Active : QPalette::Inactive;
}

// The place lies within the widget and within everything that holds it up to the window.
void expectUncut(const QWidget& window, const ShownText& shown) {
    const QRect place(shown.widget->mapTo(&window, shown.place.topLeft()), shown.place.size());
    for (const QWidget* holder = shown.widget; holder; holder = holder->parentWidget()) {
        const QRect room(holder->mapTo(&window, QPoint(0, 0)), holder->size());
        EXPECT_TRUE(room.contains(place))
            << shown.text.toStdString() << " is cut off by " << holder->metaObject()->className();
        if (holder == &window)
            break;
    }
}

} // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor dominantColour(const QImage& rendered, const QWidget& window, const QWidget& widget,
                      const QRect& rect) {
    const qreal scale = rendered.devicePixelRatio();
    const QPointF corner = QPointF(widget.mapTo(&window, rect.topLeft())) * scale;
    const QRect pixels =
        QRectF(corner, QSizeF(rect.size()) * scale).toAlignedRect() & rendered.rect();
    QHash<QRgb, int> counts;
    for (int y = pixels.top(); y <= pixels.bottom(); ++y)
        for (int x = pixels.left(); x <= pixels.right(); ++x)
            ++counts[rendered.pixel(x, y)];
    QRgb most = 0;
    int mostCount = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > mostCount)
            std::tie(most, mostCount) = std::pair(it.key(), it.value());
    return QColor::fromRgb(most);
}

void expectReadable(QWidget& window) {
    const QImage rendered = window.grab().toImage();
    for (const ShownText& shown : shownTexts(window)) {
        const QWidget& widget = *shown.widget;
        const QColor text = widget.palette().color(colourGroup(widget), widget.foregroundRole());
        const QColor behind = dominantColour(rendered, window, widget, shown.behind);
        // The buttons' coloured captions are the program's own; only their face must not
        // follow a dark desktop.
        const double needed = qobject_cast<const QPushButton*>(&widget) ? 3.0 : 4.5;
        EXPECT_GE(contrastRatio(text, behind), needed)
            << shown.text.toStdString() << ": " << text.name().toStdString() << " on "
            << behind.name().toStdString();
    }
}

void expectFits(QWidget& window) {
    for (const ShownText& shown : shownTexts(window)) {
        EXPECT_LE(shown.needed.width(), shown.place.width()) << shown.text.toStdString();
        EXPECT_LE(shown.needed.height(), shown.place.height()) << shown.text.toStdString();
        expectUncut(window, shown);
    }
}

} // namespace qolmex
