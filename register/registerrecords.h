// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the register gives: its cheques as records, the views and filters
// that choose them, the banks' cheque books. No widgets.

#include <optional>

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

#include "output/money.h"
#include "register/chequestates.h"

/// How many months a cheque can be paid after its date, by default.
inline constexpr int DefaultValidityMonths = 6;

/// A bank's cheque book: the numbers of its first and last leaves.
struct ChequeBook
{
    QString bank;
    qint64 first = 0;
    qint64 last = 0;
};
/// The book of `books` that holds leaf `number`.
std::optional<ChequeBook> BookOf(const QList<ChequeBook> &books, qint64 number);

/// How few leaves left in a cheque book are told, by default.
inline constexpr int DefaultLowLeaves = 10;

class ChequeRegister;
/// `listed` (the bank list) and the banks of `reg`'s cheques, each once, in
/// alphabetical order; no register, or one that cannot be read, adds none
/// (what is wrong with it is said where its cheques are read).
QStringList AllBanks(const QStringList &listed, ChequeRegister *reg);

/// One cheque of the register.
struct RegisteredCheque
{
    qint64 number = 0; ///< the register's own number
    QString bank;
    qint64 chequeNumber = 0; ///< its number in the bank's cheque book
    QString date;            ///< as printed
    QDate day;               ///< the cheque's date; invalid when its text could not be read as one
    QString payee;
    qint64 minorUnits = 0; ///< the amount, exactly, in sub-units
    int digits = 2;
    QString currency;       ///< the currency's English name (Dhs)
    QString currencyArabic; ///< and Arabic name (درهم)
    QString english;        ///< the words as printed
    QString arabic;
    bool accountOnly = false;
    QDateTime printedAt; ///< UTC
    QString destination; ///< the printer or file
    QString login;       ///< the desktop user who printed it
    ChequeState state = ChequeState::Sent;
    QString reason;      ///< why it failed, was voided, spoilt, returned or stopped
    QDate stateDay;      ///< the day of its state after print (the bank's for cleared)
    qint64 replaces = 0; ///< for a reprint: the register number of the cheque it replaces

    Money money() const { return {minorUnits, digits}; }
    /// The amount as a plain decimal ("5000.00").
    QString amountText() const;
};

/// Whether a cheque can be printed again under a new number: it had its
/// number and paper, and the bank has not paid it (a cheque is never paid
/// twice).
bool CanReprint(const RegisteredCheque &cheque);

/// The day before which an outstanding cheque dated then is stale on
/// `today`: its validity has run out.
inline QDate StaleBefore(QDate today, int validityMonths) { return today.addMonths(-validityMonths); }

/// A cheque book's leaves as typed ("101-150", "101 – 150"); nothing for a
/// text that is not two whole numbers so.
std::optional<std::pair<qint64, qint64>> ReadLeafRange(const QString &text);
/// A cheque number as typed: a whole number from 1.
std::optional<qint64> ReadChequeNumber(const QString &text);

/// A cheque's date as the desktop writes dates; the text it was printed
/// with when that is not a date.
QString ChequeDateText(const RegisteredCheque &cheque, const QLocale &locale = QLocale());

/// Which cheques a view of the register shows.
struct RegisterFilter
{
    std::optional<QDate> from, to;                        ///< days of printing, local time, both included
    std::optional<QDate> datedFrom, datedTo;              ///< the cheques' own dates, both included
    QString bank;                                         ///< empty: every bank
    QString payee;                                        ///< a part of the payee's name, compared as PayeeKey does
    std::optional<qint64> minThousandths, maxThousandths; ///< the amount, in thousandths
    std::optional<ChequeState> state;
    /// Stale cheques only: outstanding, dated before this day (today less
    /// their validity).
    std::optional<QDate> staleBefore;
};

/// Sets the filter's amounts from the texts typed for them (as the desktop
/// writes numbers; an empty text filters nothing). False, the filter left
/// as it was, when one is not an amount of 0 or more.
bool SetFilterAmounts(RegisterFilter &filter, const QString &minimum, const QString &maximum);

/// The columns a view of the register can be ordered by.
enum class RegisterOrder { Number, PrintedAt, Bank, ChequeNumber, Payee, Amount, State, Day };

/// What a view of the register shows, in which order.
struct RegisterView
{
    RegisterFilter filter;
    RegisterOrder order = RegisterOrder::Number;
    bool descending = true;
};
