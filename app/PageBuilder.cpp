#include "PageBuilder.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

#include <algorithm>

namespace qolmex {

PageBuilder::PageBuilder(QWidget& page, int columns) : page_(page), grid_(new QGridLayout(&page)) {
    grid_->setContentsMargins(3, 3, 3, 3);
    grid_->setHorizontalSpacing(4);
    grid_->setVerticalSpacing(2);
    for (int c = 0; c < columns; ++c)
        grid_->setColumnStretch(2 * c + 1, 1);
}

int PageBuilder::nextRow(int column) {
    return rows_[column]++;
}

void PageBuilder::row(const QString& label, QWidget* control, int column) {
    const int r = nextRow(column);
    auto* text = new QLabel(label, &page_);
    grid_->addWidget(text, r, 2 * column, Qt::AlignLeft | Qt::AlignVCenter);
    grid_->addWidget(control, r, 2 * column + 1);
}

void PageBuilder::line(const QString& label, QWidget* control, const QString& unit) {
    auto* box = new QHBoxLayout;
    box->setSpacing(4);
    box->addWidget(new QLabel(label, &page_));
    box->addWidget(control);
    if (!unit.isEmpty())
        box->addWidget(new QLabel(unit, &page_));
    box->addStretch();
    grid_->addLayout(box, nextRow(0), 0, 1, -1);
}

void PageBuilder::heading(const QString& text) {
    grid_->addWidget(new QLabel(text, &page_), nextRow(0), 0, 1, -1);
}

void PageBuilder::sideBySide(QWidget* first, QWidget* second) {
    auto* box = new QHBoxLayout;
    box->setSpacing(8);
    box->addWidget(first);
    box->addWidget(second);
    box->addStretch();
    grid_->addLayout(box, nextRow(0), 0, 1, -1);
}

void PageBuilder::stretch() {
    const int r = *std::max_element(std::begin(rows_), std::end(rows_));
    grid_->setRowStretch(r, 1);
    std::fill(std::begin(rows_), std::end(rows_), r + 1);
}

} // namespace qolmex
