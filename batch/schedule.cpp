// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/schedule.h"

#include <QCoreApplication>

QList<QDate> ScheduleDates(QDate first, int count, Frequency frequency)
{
    QList<QDate> dates;
    if (!first.isValid())
        return dates;
    // Each date counted from the first (QDate::addMonths keeps to the
    // month's last day), not from the one before it: after a short month
    // the day comes back.
    for (int i = 0; i < count; ++i)
        dates << first.addMonths(i * int(frequency));
    return dates;
}

ListFile ScheduleList(const Schedule &schedule)
{
    ListFile list;
    list.name = QCoreApplication::translate("Schedule", "the schedule");
    list.rows << QList<ListCell>{
        ListCell::ofText(QStringLiteral("Date")),         ListCell::ofText(QStringLiteral("Payee")),
        ListCell::ofText(QStringLiteral("Amount")),       ListCell::ofText(QStringLiteral("Bank")),
        ListCell::ofText(QStringLiteral("Account Only")), ListCell::ofText(QStringLiteral("Memo"))};
    list.rowNumbers << 1;
    const QList<QDate> dates = ScheduleDates(schedule.first, schedule.count, schedule.frequency);
    for (const QDate &date : dates) {
        ListCell day{ListCell::Kind::Date, date.toString(Qt::ISODate), date, false};
        list.rows << QList<ListCell>{
            day,
            ListCell::ofText(schedule.payee),
            ListCell::ofText(schedule.amount),
            ListCell::ofText(schedule.bank),
            ListCell::ofText(schedule.accountOnly ? QStringLiteral("yes") : QStringLiteral("no")),
            ListCell::ofText(schedule.memo)};
        list.rowNumbers << int(list.rowNumbers.size()) + 1;
    }
    return list;
}
