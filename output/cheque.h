// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One cheque, from what the user typed to the texts of the five fields: the
// one path from cheque data to paper that a single print, a monthly run, a
// reprint and a batch from a spreadsheet all take. No widgets.

#include <optional>

#include <QDate>
#include <QLocale>
#include <QString>

#include "layout/chequelayout.h"
#include "output/money.h"
#include "output/printrun.h"
#include "words/DgToStU.h"

/// The longest payee a cheque carries, in characters.
inline constexpr int MaxPayeeChars = 200;

/// A cheque as it is printed.
struct Cheque
{
    QString bank;          ///< the bank's name, as in the bank list
    QString date;          ///< as printed: the desktop's short date format
    QDate day;             ///< the same date as a date (invalid when the text is none)
    QString payee;         ///< as typed, leading blanks included
    qint64 minorUnits = 0; ///< the amount, exactly, in sub-units (fils, piastres)
    int digits = 2;        ///< the sub-unit digits of the amount (2 or 3)
    QString figure;        ///< the amount in figures between the B/A texts: "#5,000.00#"
    QString english;       ///< the amount in English words, marked ("// … //")
    QString arabic;        ///< the amount in Arabic words, marked
    bool accountOnly = false;
    MonyType currency;

    /// The words the cheque carries: those of the payee's language.
    QString words() const;
    Money money() const { return {minorUnits, digits}; }
    /// The amount as a plain decimal ("5000.00"), for records and files.
    QString amountText() const;

    friend bool operator==(const Cheque &, const Cheque &) = default;
};

/// Why a cheque cannot carry `amount` as typed (read as Print reads it: the
/// desktop's number format, no grouping separators): "Error in Amount, it
/// must be >0" for one that is not a positive number, another sentence for
/// one whose figure and words would differ (too many decimals, too large,
/// words of another number); nothing when it can.
std::optional<QString> AmountRefusal(const QString &amount, const MonyType &currency,
                                     const QLocale &locale = QLocale());

/// An amount typed for a cheque, read once: its value and its words, or why
/// a cheque cannot carry it (as AmountRefusal says).
struct ChequeAmount
{
    double value = 0;
    AmountWords words;
    std::optional<QString> refusal;
};
ChequeAmount ReadChequeAmount(const QString &amount, const MonyType &currency, const QLocale &locale = QLocale());

/// Why an amount typed for a cheque cannot be printed, or the cheque. The
/// figure and the words are made as the issue window makes them: the figure
/// in the desktop's number format with the currency's decimals between two
/// B/A texts, the words by the amount-in-words driver with the "Only First"
/// choice. `problem` holds the message to show ("Error in Amount, it must
/// be >0" for an amount that is not positive; another sentence when the
/// figure and the words would state different amounts, or the payee is
/// longer than a cheque carries).
struct ChequeOrProblem
{
    std::optional<Cheque> cheque;
    QString problem;
};
ChequeOrProblem MakeCheque(const QString &bank, const QString &date, const QString &payee, const QString &amount,
                           bool accountOnly, const MonyType &currency, const QString &baText, bool onlyFirst,
                           const QLocale &locale = QLocale());
/// The same, from an amount already read and a date already known (`day`
/// is `date` read as a date).
ChequeOrProblem MakeCheque(const QString &bank, const QString &date, QDate day, const QString &payee,
                           const ChequeAmount &amount, bool accountOnly, const MonyType &currency,
                           const QString &baText, bool onlyFirst, const QLocale &locale);

/// A payee as the register and the lists compare it: Arabic without its vowel marks and
/// tatweel, with the forms of alef, yaa, taa marbuta and hamza seats made
/// one, Latin letters without accents and case; blanks collapsed.
QString PayeeKey(const QString &payee);

/// The cheque written into the fields of `layout` by their kinds: the date,
/// the payee (a Name field reads right to left exactly when the payee does),
/// the figure, the words in the payee's language for both word kinds, and
/// "Account Only", shown only for an account-only cheque.
ChequeLayout FillCheque(ChequeLayout layout, const Cheque &cheque);
