// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/fielddrag.h"

#include <cstdlib>

DragZone ZoneAt(QPoint point, int width, int height)
{
    if (point.x() <= 3)
        return DragZone::LeftEdge;
    if (std::abs(point.x() - width) <= 7)
        return DragZone::RightEdge;
    if (point.y() <= 3)
        return DragZone::TopEdge;
    if (std::abs(point.y() - height) <= 7)
        return DragZone::BottomEdge;
    return DragZone::Body;
}

QRect DraggedBounds(const QRect &bounds, DragZone zone, QPoint grab, QPoint point)
{
    const QPoint delta = point - grab;
    QRect r = bounds;
    switch (zone) {
    case DragZone::Body: r.moveTo(bounds.topLeft() + delta); break;
    case DragZone::LeftEdge:
        r.setRect(bounds.x() + delta.x(), bounds.y(), bounds.width() - delta.x(), bounds.height());
        break;
    case DragZone::TopEdge:
        r.setRect(bounds.x(), bounds.y() + delta.y(), bounds.width(), bounds.height() - delta.y());
        break;
    case DragZone::RightEdge: r.setWidth(point.x()); break;
    case DragZone::BottomEdge: r.setHeight(point.y()); break;
    }
    return r;
}
