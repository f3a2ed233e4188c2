// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Reaching a window's controls from a test by their object names, as a
// user reaches them on screen: the windows keep their controls to
// themselves.

#include <QObject>
#include <QString>
#include <QWidget>

template <class T = QWidget>
T *Find(const QObject *window, const QString &name)
{
    T *control = window->findChild<T *>(name);
    if (!control)
        qFatal("%s has no control %s named %s", qPrintable(window->objectName()), T::staticMetaObject.className(),
               qPrintable(name));
    return control;
}
