// SPDX-License-Identifier: GPL-3.0-or-later
#include "register/registercolumns.h"

#include <array>
#include <cstdio>
#include <limits>
#include <optional>

#include "output/printrun.h"

namespace {

using enum RegisterColumn;

constexpr std::array<RegisterColumnInfo, 17> kColumns{{
    {Number, "Register No.", "No.", 0.06, false, true},
    {PrintedAt, "Printed", "Printed", 0.12, false, false},
    {Bank, "Bank", "Bank", 0.09, true, false},
    {ChequeNo, "Cheque No.", "Cheque No.", 0.08, false, true},
    {Date, "Date", "Date", 0.08, true, false},
    {Payee, "Payee", "Payee", 0.27, true, false},
    {Amount, "Amount", "Amount", 0.13, false, true},
    {Currency, "Currency", "Currency", 0.07, false, false},
    {AccountOnly, "Account Only", nullptr, 0, false, false},
    {State, "State", "State", 0.10, false, false},
    {Reason, "Reason", nullptr, 0, true, false},
    {Replaces, "Replaces", nullptr, 0, false, false},
    {Destination, "Printer or File", nullptr, 0, true, false},
    {Login, "User", nullptr, 0, true, false},
    {English, "Amount in English", nullptr, 0, true, false},
    {Arabic, "Amount in Arabic", nullptr, 0, true, false},
    {DateAsPrinted, "Date as Printed", nullptr, 0, true, false},
}};

// A time of printing as the export writes it, in local time: "2026-12-07
// 14:05:09". The offset from UTC is looked up at both ends of each quarter of
// an hour, not for every cheque: when they agree, it holds for the quarter
// (no zone changes its offset twice within minutes).
QString LocalTimeText(const QDateTime &printedAt)
{
    if (!printedAt.isValid())
        return QString();
    static thread_local qint64 quarter = std::numeric_limits<qint64>::min();
    static thread_local std::optional<int> quarterOffset;
    const qint64 seconds = printedAt.toSecsSinceEpoch();
    const auto offsetAt = [](qint64 at) {
        return QDateTime::fromSecsSinceEpoch(at, Qt::UTC).toLocalTime().offsetFromUtc();
    };
    if (seconds / 900 != quarter) {
        quarter = seconds / 900;
        const int start = offsetAt(quarter * 900), end = offsetAt(quarter * 900 + 899);
        quarterOffset = start == end ? std::optional<int>(start) : std::nullopt;
    }
    const int offset = quarterOffset ? *quarterOffset : offsetAt(seconds);
    const QDateTime local = QDateTime::fromSecsSinceEpoch(seconds + offset, Qt::UTC);
    const QDate d = local.date();
    const QTime t = local.time();
    if (d.year() < 1000 || d.year() > 9999)
        return printedAt.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    char text[20];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", d.year(), d.month(), d.day(), t.hour(),
                  t.minute(), t.second());
    return QString::fromLatin1(text, 19);
}

} // namespace

std::span<const RegisterColumnInfo> RegisterColumns() { return kColumns; }

QString ExportText(const RegisteredCheque &c, RegisterColumn column)
{
    switch (column) {
    case Number: return QString::number(c.number);
    case PrintedAt: return LocalTimeText(c.printedAt);
    case Bank: return c.bank;
    case ChequeNo: return QString::number(c.chequeNumber);
    case Date: return c.day.isValid() ? c.day.toString(Qt::ISODate) : c.date;
    case Payee: return c.payee;
    case Amount: return c.amountText();
    case Currency: return c.currency;
    case AccountOnly: return c.accountOnly ? QStringLiteral("Yes") : QStringLiteral("No");
    case State: return StateName(c.state);
    case Reason: return c.reason;
    case Replaces: return c.replaces > 0 ? QString::number(c.replaces) : QString();
    case Destination: return c.destination;
    case Login: return c.login;
    case English: return c.english;
    case Arabic: return c.arabic;
    case DateAsPrinted: return c.date;
    }
    return QString();
}

QString ReportText(const RegisteredCheque &c, RegisterColumn column, const QLocale &locale)
{
    switch (column) {
    case PrintedAt: return c.printedAt.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    case Date: return ChequeDateText(c, locale);
    case Amount: return MinorUnitsText(c.minorUnits, c.digits, locale);
    default: return ExportText(c, column);
    }
}
