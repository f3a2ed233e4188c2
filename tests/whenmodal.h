// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Answering a modal dialog from a test: a timer polls for it and acts once.

#include <QApplication>
#include <QTimer>

namespace {

// Answers the next modal dialog of type T; the timer that waits for it is
// returned (it deletes itself once it has acted).
template <class T, class F>
QTimer *WhenModal(F act)
{
    auto *timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto *d = qobject_cast<T *>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(d);
        }
    });
    timer->start();
    return timer;
}

} // namespace
