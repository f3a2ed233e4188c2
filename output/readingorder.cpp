// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/readingorder.h"

#include <algorithm>

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>

#include "output/pageoutput.h"

QString InReadingOrder(const QString &text)
{
    // Needed where the text's direction differs from the interface's: in an
    // Arabic interface, or where the text holds right-to-left characters or
    // marks (a date or a time of an Arabic desktop).
    const bool rightToLeft = std::any_of(text.begin(), text.end(), [](QChar c) {
        return c.direction() == QChar::DirR || c.direction() == QChar::DirAL;
    });
    if (text.isEmpty() || (!QGuiApplication::isRightToLeft() && !rightToLeft))
        return text;
    return QChar(0x2068) + text + QChar(0x2069); // first strong isolate … pop directional isolate
}

QString DestinationShown(const QString &destination)
{
    if (destination == QLatin1String(DefaultPrinterName))
        return QCoreApplication::translate("RegisterWindow", "the default printer");
    return InReadingOrder(QDir::toNativeSeparators(destination));
}
