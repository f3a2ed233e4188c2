// SPDX-License-Identifier: GPL-3.0-or-later
#include "register/registercolumns.h"

#include <array>
#include <limits>
#include <optional>

#include <QCoreApplication>
#include <QRegularExpression>

#include "core/settingsfile.h"
#include "output/printrun.h"
#include "register/chequestates.h"

namespace {

using enum RegisterColumn;

constexpr std::array<RegisterColumnInfo, 17> kColumns{{
    {Number, QT_TRANSLATE_NOOP("RegisterExport", "Register No."), QT_TRANSLATE_NOOP("RegisterReport", "No."), 0.06,
     false, true},
    {PrintedAt, QT_TRANSLATE_NOOP("RegisterExport", "Printed"), QT_TRANSLATE_NOOP("RegisterReport", "Printed"), 0.12,
     false, false},
    {Bank, QT_TRANSLATE_NOOP("RegisterExport", "Bank"), QT_TRANSLATE_NOOP("RegisterReport", "Bank"), 0.09, true, false},
    {ChequeNo, QT_TRANSLATE_NOOP("RegisterExport", "Cheque No."), QT_TRANSLATE_NOOP("RegisterReport", "Cheque No."),
     0.08, false, true},
    {Date, QT_TRANSLATE_NOOP("RegisterExport", "Date"), QT_TRANSLATE_NOOP("RegisterReport", "Date"), 0.08, true, false},
    {Payee, QT_TRANSLATE_NOOP("RegisterExport", "Payee"), QT_TRANSLATE_NOOP("RegisterReport", "Payee"), 0.27, true,
     false},
    {Amount, QT_TRANSLATE_NOOP("RegisterExport", "Amount"), QT_TRANSLATE_NOOP("RegisterReport", "Amount"), 0.13, false,
     true},
    {Currency, QT_TRANSLATE_NOOP("RegisterExport", "Currency"), QT_TRANSLATE_NOOP("RegisterReport", "Currency"), 0.07,
     false, false},
    {AccountOnly, QT_TRANSLATE_NOOP("RegisterExport", "Account Only"), nullptr, 0, false, false},
    {State, QT_TRANSLATE_NOOP("RegisterExport", "State"), QT_TRANSLATE_NOOP("RegisterReport", "State"), 0.10, false,
     false},
    {Reason, QT_TRANSLATE_NOOP("RegisterExport", "Reason"), nullptr, 0, true, false},
    {Replaces, QT_TRANSLATE_NOOP("RegisterExport", "Replaces"), nullptr, 0, false, false},
    {Destination, QT_TRANSLATE_NOOP("RegisterExport", "Printer or File"), nullptr, 0, true, false},
    {Login, QT_TRANSLATE_NOOP("RegisterExport", "User"), nullptr, 0, true, false},
    {English, QT_TRANSLATE_NOOP("RegisterExport", "Amount in English"), nullptr, 0, true, false},
    {Arabic, QT_TRANSLATE_NOOP("RegisterExport", "Amount in Arabic"), nullptr, 0, true, false},
    {DateAsPrinted, QT_TRANSLATE_NOOP("RegisterExport", "Date as Printed"), nullptr, 0, true, false},
}};

// A time of printing as the export writes it, in local time: "2026-12-07
// 14:05:09".
QString LocalTimeText(const QDateTime &printedAt)
{
    if (!printedAt.isValid())
        return QString();
    char text[20];
    if (!WriteLocalTime(printedAt.toSecsSinceEpoch(), text))
        return printedAt.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return QString::fromLatin1(text, 19);
}

// The offset from UTC of one day, looked up last.
struct LocalOffsets
{
    qint64 day = std::numeric_limits<qint64>::min();
    std::optional<int> offset;
};
thread_local LocalOffsets tLocalOffsets;

} // namespace

void ForgetLocalOffsets() { tLocalOffsets = LocalOffsets(); }

bool WriteLocalTime(qint64 utcSeconds, char (&text)[20])
{
    // The offset from UTC is looked up at both ends of each day, not for
    // every cheque: when they agree, it holds for the day (no zone changes
    // its offset and back within a day). On a day it changes, each time is
    // looked up.
    const auto offsetAt = [](qint64 at) {
        return QDateTime::fromSecsSinceEpoch(at, Qt::UTC).toLocalTime().offsetFromUtc();
    };
    constexpr qint64 kDay = 86400;
    const qint64 day = utcSeconds >= 0 ? utcSeconds / kDay : (utcSeconds - kDay + 1) / kDay;
    qint64 &cachedDay = tLocalOffsets.day;
    std::optional<int> &dayOffset = tLocalOffsets.offset;
    if (day != cachedDay) {
        cachedDay = day;
        const int start = offsetAt(day * kDay), end = offsetAt(day * kDay + kDay - 1);
        dayOffset = start == end ? std::optional<int>(start) : std::nullopt;
    }
    const qint64 local = utcSeconds + (dayOffset ? *dayOffset : offsetAt(utcSeconds));
    // The civil date of a day count since 1970 (the proleptic Gregorian
    // calendar, as QDate).
    const qint64 days = local >= 0 ? local / kDay : (local - kDay + 1) / kDay;
    const qint64 secondOfDay = local - days * kDay;
    const qint64 z = days + 719468;
    const qint64 era = (z >= 0 ? z : z - 146096) / 146097;
    const qint64 dayOfEra = z - era * 146097;
    const qint64 yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const qint64 dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const qint64 mp = (5 * dayOfYear + 2) / 153;
    const qint64 d = dayOfYear - (153 * mp + 2) / 5 + 1;
    const qint64 m = mp < 10 ? mp + 3 : mp - 9;
    const qint64 y = yearOfEra + era * 400 + (m <= 2);
    if (y < 1000 || y > 9999)
        return false;
    const auto put = [&](int at, qint64 value, int width) {
        for (int i = at + width - 1; i >= at; --i, value /= 10)
            text[i] = char('0' + value % 10);
    };
    put(0, y, 4);
    put(5, m, 2);
    put(8, d, 2);
    put(11, secondOfDay / 3600, 2);
    put(14, secondOfDay / 60 % 60, 2);
    put(17, secondOfDay % 60, 2);
    text[4] = text[7] = '-';
    text[10] = ' ';
    text[13] = text[16] = ':';
    text[19] = '\0';
    return true;
}

QDate LocalDay(const QDateTime &moment)
{
    char text[20];
    if (!moment.isValid() || !WriteLocalTime(moment.toSecsSinceEpoch(), text))
        return QDate();
    return QDate::fromString(QLatin1String(text, 10), Qt::ISODate);
}

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

QString CurrencyShown(const RegisteredCheque &cheque) { return CurrencyShown(cheque.currency, cheque.currencyArabic); }

QString CurrencyShown(const QString &currency, const QString &currencyArabic)
{
    return InterfaceRightToLeft() && !currencyArabic.isEmpty() ? currencyArabic : currency;
}

QString ReasonShown(const QString &reason)
{
    static const QRegularExpression replaced(QStringLiteral("^replaced by cheque (\\d+)$"));
    if (const QRegularExpressionMatch m = replaced.match(reason); m.hasMatch())
        return QCoreApplication::translate("RegisterReport", "replaced by cheque %1").arg(m.captured(1));
    return reason;
}

QString ReportText(const RegisteredCheque &c, RegisterColumn column, const QLocale &locale)
{
    switch (column) {
    case PrintedAt: return c.printedAt.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    case Date: return ChequeDateText(c, locale);
    case Amount: return MinorUnitsText(c.minorUnits, c.digits, locale);
    case Currency: return CurrencyShown(c);
    case State: return StateText(c.state);
    default: return ExportText(c, column);
    }
}
