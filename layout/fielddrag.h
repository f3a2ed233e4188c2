// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Moving and sizing a designer field with the mouse: which part of the field
// a point grabs, and where a drag from that point puts the field. Positions
// are the field's own pixels; no widget is involved.

#include <QPoint>
#include <QRect>

enum class DragZone { Body, LeftEdge, RightEdge, TopEdge, BottomEdge };

/// The zone of point (x, y) in a field of `width` × `height`. The left edge
/// wins over the right edge, and both over the top and bottom edges.
DragZone ZoneAt(QPoint point, int width, int height);

/// The field's bounds after the mouse, pressed at `grab` in zone `zone`, has
/// reached `point` (both in the field's own pixels). The body keeps the grab
/// point under the mouse; the left and top edges keep the opposite edge in
/// place; the right and bottom edges follow the mouse.
QRect DraggedBounds(const QRect &bounds, DragZone zone, QPoint grab, QPoint point);
