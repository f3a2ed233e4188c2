// SPDX-License-Identifier: GPL-3.0-or-later
#include "register/duedates.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace {

using Key = std::tuple<QDate, QString, QString, int>;

void Add(std::map<Key, DueTotal> &sums, const QDate &start, const ChequeRegister::DueDay &day)
{
    DueTotal &t = sums[{start, day.bank, day.currency, day.digits}];
    t.start = start;
    t.bank = day.bank;
    t.currency = day.currency;
    t.currencyArabic = day.currencyArabic;
    t.digits = day.digits;
    t.count += day.count;
    t.minorUnits += day.minorUnits;
}

QList<DueTotal> Listed(const std::map<Key, DueTotal> &sums)
{
    QList<DueTotal> list;
    for (const auto &[key, total] : sums)
        list << total;
    return list;
}

} // namespace

QList<std::pair<QString, QString>> DueDates::columns() const
{
    QList<std::pair<QString, QString>> seen;
    for (const QList<DueTotal> *list : {&overdue, &months})
        for (const DueTotal &t : *list)
            if (!seen.contains(std::pair{t.bank, t.currency}))
                seen.append({t.bank, t.currency});
    std::sort(seen.begin(), seen.end());
    return seen;
}

DueDates SumDueDates(const QList<ChequeRegister::DueDay> &days, const QDate &today, Qt::DayOfWeek firstDay)
{
    DueDates due;
    due.today = today;
    const QDate thisMonth(today.year(), today.month(), 1);
    const QDate end = thisMonth.addMonths(DueMonths);
    std::map<Key, DueTotal> overdue, weeks, months;
    for (const ChequeRegister::DueDay &day : days) {
        if (!day.day.isValid() || day.day >= end)
            continue;
        if (day.day < today) {
            Add(overdue, QDate(), day);
            continue;
        }
        Add(weeks, day.day.addDays(-((day.day.dayOfWeek() - int(firstDay) + 7) % 7)), day);
        Add(months, QDate(day.day.year(), day.day.month(), 1), day);
    }
    due.overdue = Listed(overdue);
    due.weeks = Listed(weeks);
    due.months = Listed(months);
    return due;
}

DueDates ReadDueDates(ChequeRegister &reg, const QDate &today, Qt::DayOfWeek firstDay, int validityMonths)
{
    const QDate thisMonth(today.year(), today.month(), 1);
    return SumDueDates(reg.dueDays(today.addMonths(-validityMonths), thisMonth.addMonths(DueMonths).addDays(-1)), today,
                       firstDay);
}

QList<double> DueByMonth(const DueDates &due, const QString &bank, const QString &currency)
{
    QList<double> values(DueMonths, 0.0);
    const QDate first(due.today.year(), due.today.month(), 1);
    for (const DueTotal &t : due.months) {
        if (t.bank != bank || t.currency != currency)
            continue;
        const int month = (t.start.year() - first.year()) * 12 + t.start.month() - first.month();
        if (month >= 0 && month < DueMonths)
            values[month] += Money{t.minorUnits, t.digits}.value();
    }
    return values;
}
