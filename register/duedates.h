// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The cash the outstanding cheques will need: their amounts by due date
// (the cheques' own dates), per week and per month from today, per bank
// and currency, and what fell due before today and is still unpaid. No
// widgets.

#include <QDate>
#include <QList>
#include <QString>

#include "register/chequeregister.h"

struct DueTotal
{
    QDate start; ///< the week's or month's first day; invalid for what is overdue
    QString bank;
    QString currency;
    int digits = 2;
    qint64 count = 0;
    qint64 minorUnits = 0;
    QString currencyArabic; ///< the currency's Arabic name
};

struct DueDates
{
    QDate today;
    QList<DueTotal> overdue; ///< dated before today, still outstanding
    QList<DueTotal> weeks;   ///< from the week of today, the weeks starting on the locale's first day
    QList<DueTotal> months;  ///< this month (from today) and the next ones
    /// The banks and currencies met, in order ("SIB", "Dhs"), each once.
    QList<std::pair<QString, QString>> columns() const;
};

/// The number of months the due dates look ahead.
inline constexpr int DueMonths = 12;

/// The cash `bank`'s cheques in `currency` need in each of the DueMonths
/// months from the month of `due.today`, as numbers of the currency.
QList<double> DueByMonth(const DueDates &due, const QString &bank, const QString &currency);

/// Sums `days` (see ChequeRegister::dueDays) by week and by month from
/// `today`, weeks starting on `firstDay`; days before today are overdue.
DueDates SumDueDates(const QList<ChequeRegister::DueDay> &days, const QDate &today, Qt::DayOfWeek firstDay);

/// The due dates of the register's outstanding cheques dated up to
/// DueMonths months ahead (and those overdue since `validityMonths`).
DueDates ReadDueDates(ChequeRegister &reg, const QDate &today, Qt::DayOfWeek firstDay, int validityMonths);
