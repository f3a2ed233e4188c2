// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A series of post-dated cheques to one payee (a year's rent, instalments):
// the same amount on dates a calendar month, a quarter, half a year or a
// year apart, made into a list that is checked and printed as any list.
// No widgets.

#include <QDate>
#include <QList>
#include <QString>

#include "batch/chequelist.h"

/// How far apart a schedule's cheques are, in calendar months.
enum class Frequency { Monthly = 1, Quarterly = 3, HalfYearly = 6, Yearly = 12 };

/// The most cheques one schedule makes (as a monthly run).
inline constexpr int MaxScheduleCheques = 250;

/// The dates of `count` cheques from `first`, each the same day of its
/// month as the first; a day the month does not have becomes its last day
/// (from the 31st of January: the 28th or 29th of February, the 31st of
/// March), never carried on to the next cheques.
QList<QDate> ScheduleDates(QDate first, int count, Frequency frequency);

struct Schedule
{
    QString payee;
    QString amount; ///< as typed
    QString bank;   ///< empty: the list window's bank of rows without one
    QDate first;
    int count = 12;
    Frequency frequency = Frequency::Monthly;
    bool accountOnly = false;
    QString memo;
};

/// The schedule as a list: a header row naming the columns, then one row a
/// cheque, numbered from 2 as a spreadsheet would.
ListFile ScheduleList(const Schedule &schedule);
