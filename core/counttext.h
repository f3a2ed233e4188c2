// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Texts that hold a count, in the interface's language with its plural
// forms (Arabic has six): the translation of `many` is taken for every count
// when there is one; without one (the English interface) `one` serves a
// count of 1 and `many` every other. Both are marked for translation where
// they are written:
//   CountText("Context", QT_TRANSLATE_NOOP("Context", "%n cheque"),
//             QT_TRANSLATE_N_NOOP("Context", "%n cheques"), count)

#include <algorithm>
#include <climits>

#include <QCoreApplication>
#include <QLocale>
#include <QString>

/// "%n" is the count in digits, "%Ln" in the desktop's number format.
inline QString CountText(const char *context, const char *one, const char *many, qint64 count)
{
    const int n = int(std::clamp<qint64>(count, INT_MIN, INT_MAX));
    const auto filled = [n](const char *text) {
        return QString::fromUtf8(text)
            .replace(QLatin1String("%Ln"), QLocale().toString(n))
            .replace(QLatin1String("%n"), QString::number(n));
    };
    const QString translated = QCoreApplication::translate(context, many, nullptr, n);
    if (translated != filled(many))
        return translated;
    return filled(n == 1 ? one : many);
}
