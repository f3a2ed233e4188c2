// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The texts of a print run, worked out without any window: reading amounts
// and dates as the desktop writes them, the amount figure, the payee's
// reading direction, and the check that a cheque's words state its figure.

#include <optional>

#include <QDate>
#include <QLocale>
#include <QString>

#include "words/DgToStU.h"

/// True when a payee text is written right to left: an empty text is; a text
/// of blanks only is not; otherwise anything but an unaccented Latin letter
/// first (after leading blanks) is.
bool IsRightToLeftText(const QString &text);

/// The decimals of a currency's amount figure: 3 for 1000 sub-units, else 2.
inline int FigureDigits(const MonyType &currency) { return currency.PartDigits == 3 ? 3 : 2; }

/// The amount figure: grouped every three digits, `digits` decimals, rounded.
QString FormatAmount(double value, int digits, const QLocale &locale = QLocale());

/// An amount as typed, in the form the amount-in-words driver reads (and
/// every other reading of the amount starts from): the desktop's decimal
/// separator and the Arabic decimal separator (U+066B) become ".", the
/// desktop's grouping separator and the Arabic one (U+066C) become ",",
/// Arabic-Indic and Persian digits become 0 to 9, and direction marks (which
/// the Arabic desktops put in front of a minus sign) are dropped. A "." on a
/// desktop whose separators are neither "." nor "," stays the decimal point.
/// So the live words and the print read every amount the same way.
QString NormalizedAmountText(const QString &text, const QLocale &locale = QLocale());

/// The Print button's tolerant reading: the driver's form with every ","
/// and blank removed, then a number. Nothing when it is not a finite number.
std::optional<double> ReadAmountLoosely(const QString &text, const QLocale &locale = QLocale());

/// The strict reading of a cheque's amount: the driver's form without
/// grouping separators, blanks only around it, finite.
std::optional<double> ReadAmountStrictly(const QString &text, const QLocale &locale = QLocale());

/// True while an amount text is only the beginning of a number that more
/// typing can still make one ("-", ".", "-.", "1e" and the like).
bool IsUnfinishedAmount(const QString &text, const QLocale &locale = QLocale());

/// Reads a date in the desktop's short date format. A two-digit year is the
/// one nearest to `today` (within 50 years either way); a four-digit year is
/// read too, and must lie in that window when the format writes years with
/// two digits (so that the date reads back the same); direction marks are
/// ignored.
std::optional<QDate> ReadShortDate(const QString &text, const QLocale &locale = QLocale(),
                                   QDate today = QDate::currentDate());

/// Reads a date typed by a user or found in a list: as yyyy-mm-dd, or in
/// the desktop's short date format (as ReadShortDate).
std::optional<QDate> ReadTypedDate(const QString &text, const QLocale &locale = QLocale(),
                                   QDate today = QDate::currentDate());

/// How a date can be written, with today's date as the example: "write it
/// as 12/7/26 (the desktop's short date) or as 2026-12-07".
QString DateFormsText(const QLocale &locale = QLocale(), QDate today = QDate::currentDate());

/// Writes a date in the desktop's short date format, without the direction
/// marks that the Arabic formats carry (in a left-to-right date field they
/// scramble the date: 6/1/2027 would print as "62027/1/").
QString WriteShortDate(QDate date, const QLocale &locale = QLocale());

/// An amount in sub-units in `locale`'s number format, exactly (a total of a
/// million cheques is beyond a double's digits): "1,234,567.50".
QString MinorUnitsText(qint64 minorUnits, int digits, const QLocale &locale = QLocale());

/// The amount in words as the driver writes them, before marking.
struct AmountWords
{
    std::string english;
    std::string arabic;
};

/// An amount typed as whole digits with at most the currency's decimals
/// (nearly every one is), read as AmountMismatch and ReadAmountStrictly would read
/// it, straight: its value and its words, when it is one a cheque can carry
/// (more than 0, small enough for words). False for any other text; the
/// full reading then says what it is.
bool ReadPlainAmount(const QString &text, const MonyType &currency, const QLocale &locale, double &value,
                     AmountWords &words);

/// Why a cheque for `value`, typed as `text`, cannot be printed with its
/// figure and its words (those the driver gives for `text`) stating the same
/// amount; nothing when it can. `typed`, when given, receives the words of
/// `text` (filled whenever nothing is returned).
std::optional<QString> AmountMismatch(const QString &text, double value, const MonyType &currency,
                                      const QLocale &locale = QLocale(), AmountWords *typed = nullptr);
