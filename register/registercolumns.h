// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The columns a register's cheques are written in, in one table: every one
// in an export, some of them in the printed report. No widgets.

#include <span>

#include <QLocale>
#include <QString>

#include "register/chequeregister.h"

enum class RegisterColumn {
    Number,
    PrintedAt,
    Bank,
    ChequeNo,
    Date,
    Payee,
    Amount,
    Currency,
    AccountOnly,
    State,
    Reason,
    Replaces,
    Destination,
    Login,
    English,
    Arabic,
    DateAsPrinted
};

struct RegisterColumnInfo
{
    RegisterColumn column;
    const char *title;       ///< in an export
    const char *reportTitle; ///< in the report; null where the report leaves the column out
    double reportShare;      ///< of the report page's width
    bool typed;              ///< holds what users typed (or a printer's name): a formula in it is defused
    bool number;             ///< right-aligned in the report
};

/// Every column, in the order an export writes them.
std::span<const RegisterColumnInfo> RegisterColumns();

/// The local time of a moment (seconds since 1970, UTC) as an export writes
/// it, "2026-12-07 14:05:09", in `text` with its ending NUL; false outside
/// the years 1000 to 9999.
bool WriteLocalTime(qint64 utcSeconds, char (&text)[20]);
/// The local day of a moment, as WriteLocalTime finds it (without asking
/// for the time zone for every moment); invalid for a moment it cannot
/// write.
QDate LocalDay(const QDateTime &moment);
/// Makes WriteLocalTime look the offsets up afresh (the desktop's time zone
/// may have changed since it last did).
void ForgetLocalOffsets();

/// A cheque's text in a column as an export writes it: the time of printing
/// in local time to the second, the cheque's date as yyyy-mm-dd where it
/// reads as a date, the amount as a plain decimal.
QString ExportText(const RegisteredCheque &cheque, RegisterColumn column);

/// A cheque's text in a column as the report prints it: the time to the
/// minute, the date and the amount in the locale's format.
QString ReportText(const RegisteredCheque &cheque, RegisterColumn column, const QLocale &locale);
/// A cheque's currency by its name in the interface's language (Arabic in
/// a right-to-left interface, when the cheque has one).
QString CurrencyShown(const RegisteredCheque &cheque);
/// A currency as the interface shows it: its Arabic name (when it has one)
/// in a right-to-left interface.
QString CurrencyShown(const QString &currency, const QString &currencyArabic);
/// A cheque's reason as the interface shows it: those the program writes
/// itself ("replaced by cheque 23", kept so in the register) in the
/// interface's language, a person's as it was typed.
QString ReasonShown(const QString &reason);
