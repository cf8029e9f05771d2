#include "CompactTabStyle.h"

namespace qolmex {

int CompactTabStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                                 const QWidget* widget) const {
    if (metric == PM_TabBarTabHSpace)
        return 10;
    return QProxyStyle::pixelMetric(metric, option, widget);
}

} // namespace qolmex
