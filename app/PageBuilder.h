#pragma once

#include <QString>

class QGridLayout;
class QWidget;

namespace qolmex {

// Lays out one page or group top to bottom: rows of a label with its control, headings,
// and lines of widgets side by side. Tight spacing, as the window has little room.
class PageBuilder {
public:
    explicit PageBuilder(QWidget& page, int columns = 1);

    QWidget& page() { return page_; }

    // A label on the left, the control on its right, in the given column block.
    void row(const QString& label, QWidget* control, int column = 0);
    // A label, a narrow control and an optional unit on one line across the page.
    void line(const QString& label, QWidget* control, const QString& unit = {});
    void heading(const QString& text);
    void sideBySide(QWidget* first, QWidget* second);
    // Pushes what follows down to the bottom edge, or keeps the rows at the top.
    void stretch();

private:
    int nextRow(int column);

    QWidget& page_;
    QGridLayout* grid_;
    int rows_[3] = {0, 0, 0};
};

} // namespace qolmex
