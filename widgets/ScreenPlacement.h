#pragma once

#include <QPoint>
#include <QRect>

namespace qolmex {

// Where a window's frame goes so that it lies wholly within an area of the screen: moved
// towards the area just as far as needed; a frame larger than the area keeps its top left
// corner at the area's, so its title bar stays reachable.
QPoint keptWithin(const QRect& frame, const QRect& area);

// The area of the screen that shows a point, without the desktop's panels; the primary
// screen's where no screen shows it.
QRect availableAreaAt(QPoint point);

} // namespace qolmex
