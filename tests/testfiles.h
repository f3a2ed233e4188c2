// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Reading a file's bytes in tests; "<missing>" when it cannot be opened.

#include <QByteArray>
#include <QFile>
#include <QString>

inline QByteArray ReadBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}
