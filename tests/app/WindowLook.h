#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

class QWidget;

namespace qolmex {

// Contrast ratio of two colours as accessibility guidelines define it: 1 (the same) to 21
// (black on white); body text needs at least 4.5.
double contrastRatio(const QColor& a, const QColor& b);

// The colour most pixels of a rectangle have (in the widget's own coordinates), as the
// window renders it: what lies behind a text or fills a field.
QColor dominantColour(const QImage& rendered, const QWidget& window, const QWidget& widget,
                      const QRect& rect);

// Every label, radio button, group title and tab caption the window shows now stands out
// from what is rendered behind it by at least 4.5:1.
void expectReadable(QWidget& window);

// No such text is wider or taller than its place, and nothing that holds it cuts it off.
void expectFits(QWidget& window);

} // namespace qolmex
