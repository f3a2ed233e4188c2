// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/money.h"

#include <cstdlib>

#include "output/printrun.h"

namespace {

qint64 Scale(int digits)
{
    qint64 scale = 1;
    for (int i = 0; i < digits; ++i)
        scale *= 10;
    return scale;
}

} // namespace

QString Money::text() const
{
    const qint64 scale = Scale(digits);
    const qint64 whole = minorUnits / scale;
    const qint64 part = std::abs(minorUnits % scale);
    return QStringLiteral("%1%2.%3")
        .arg(minorUnits < 0 && whole == 0 ? QStringLiteral("-") : QString())
        .arg(whole)
        .arg(part, digits, 10, QLatin1Char('0'));
}

QString Money::shown(const QLocale &locale) const { return MinorUnitsText(minorUnits, digits, locale); }

double Money::value() const { return double(minorUnits) / double(Scale(digits)); }
