#pragma once

#include <QProxyStyle>

namespace qolmex {

// Tabs with little room beside their captions, so that the four pages of the output
// numbers fit on one row of the group.
class CompactTabStyle : public QProxyStyle {
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
};

} // namespace qolmex
