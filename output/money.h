// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// An amount exactly, as cheques and the register hold it: whole sub-units
// and their number of digits (2 or 3). No widgets.

#include <QLocale>
#include <QString>

struct Money
{
    qint64 minorUnits = 0;
    int digits = 2;

    /// The amount in thousandths of the currency, whatever its sub-units:
    /// amounts of two- and three-digit currencies are compared so.
    qint64 thousandths() const { return digits == 3 ? minorUnits : minorUnits * 10; }
    /// As a plain decimal ("5000.00", "-0.500"), for records and files.
    QString text() const;
    /// As the desktop writes numbers ("5,000.00").
    QString shown(const QLocale &locale = QLocale()) const;
    /// As a number of the currency (5000.0), for sums drawn on a chart.
    double value() const;
    /// An amount given in thousandths, with two digits where they hold it
    /// exactly (5000000: 5000.00; 5000500: 5000.500).
    static Money FromThousandths(qint64 thousandths)
    {
        return thousandths % 10 == 0 ? Money{thousandths / 10, 2} : Money{thousandths, 3};
    }
};
