// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Dragging a designer field with the mouse, as a test does it.

#include <QApplication>
#include <QMouseEvent>

#include "gui/designer/chequefield.h"

// Sends one mouse event to a field, at `point` of the cheque area.
inline void SendMouse(ChequeFieldEdit *edit, QEvent::Type type, QPoint point, Qt::MouseButton button,
                      Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers = {})
{
    const QPointF local = point - edit->pos();
    QMouseEvent event(type, local, edit->mapToGlobal(local), button, buttons, modifiers);
    QApplication::sendEvent(edit, &event);
}

// Presses at `from` (cheque-area pixels), moves the mouse by `by` in two
// steps, as a real mouse reports it, and releases.
inline void Drag(ChequeFieldEdit *edit, QPoint from, QPoint by, Qt::MouseButton button = Qt::LeftButton,
                 Qt::KeyboardModifiers modifiers = {})
{
    SendMouse(edit, QEvent::MouseButtonPress, from, button, button, modifiers);
    SendMouse(edit, QEvent::MouseMove, from + by / 2, Qt::NoButton, button, modifiers);
    SendMouse(edit, QEvent::MouseMove, from + by, Qt::NoButton, button, modifiers);
    SendMouse(edit, QEvent::MouseButtonRelease, from + by, button, Qt::NoButton, modifiers);
}
