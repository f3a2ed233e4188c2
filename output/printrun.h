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

/// True when a payee text is written right to left: its first strong letter
/// (Unicode's rule: digits, brackets, quotes and dashes are not strong, and
/// what an isolate holds is passed over) is Arabic or Hebrew. A text with no
/// strong letter is left to right, unless it is empty.
bool IsRightToLeftText(const QString &text);

/// The decimals of a currency's amount figure and words: 3 for 1000
/// sub-units, else 2 (see NearestPartDigits).
inline int FigureDigits(const MonyType &currency) { return NearestPartDigits(currency.PartDigits); }

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

/// Today's date, from the clock read at most once a second (reading it asks
/// for the time zone, which a list's check would do on every row).
QDate Today();

/// Reads a date in the desktop's short date format. A two-digit year is the
/// one nearest to `today` (within 50 years either way); a four-digit year is
/// read too, and must lie in that window when the format writes years with
/// two digits (so that the date reads back the same); direction marks are
/// ignored.
std::optional<QDate> ReadShortDate(const QString &text, const QLocale &locale = QLocale(), QDate today = Today());

/// Reads a date typed by a user or found in a list: as yyyy-mm-dd, or in
/// the desktop's short date format (as ReadShortDate).
std::optional<QDate> ReadTypedDate(const QString &text, const QLocale &locale = QLocale(), QDate today = Today());

/// Why `day` cannot be printed as a cheque's date in the desktop's short
/// date format: its text would read back as another day (a format that
/// writes years with two digits holds the years within 50 of today).
/// Nothing when it can.
std::optional<QString> ShortDateRefusal(QDate day, const QLocale &locale = QLocale(), QDate today = Today());

/// How a date can be written, with today's date as the example: "write it
/// as 12/7/26 (the desktop's short date) or as 2026-12-07".
QString DateFormsText(const QLocale &locale = QLocale(), QDate today = Today());

/// Writes a date in the desktop's short date format, without the direction
/// marks that the Arabic formats carry (in a left-to-right date field they
/// scramble the date: 6/1/2027 would print as "62027/1/").
QString WriteShortDate(QDate date, const QLocale &locale = QLocale());
/// A moment written for a person as dates are (the desktop's short format,
/// without direction marks), in local time.
QString WriteShortDateTime(const QDateTime &moment, const QLocale &locale = QLocale());
/// A history event's detail with its leading day ("2027-03-01: …") written
/// as dates are.
QString EventDetailText(const QString &detail, const QLocale &locale = QLocale());

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

/// What in `text` (an amount as typed, in `locale`'s number format) keeps it
/// from being an amount of plain digits with at most one decimal point, the
/// one form a cheque's amount is read in: a grouping separator, a blank
/// inside, an exponent, a second decimal point, a character no number
/// holds. Nothing when it is of that form (a sign first and blanks around
/// it are allowed). The reason is a clause: "it has grouping separators …".
std::optional<QString> AmountFormProblem(const QString &text, const QLocale &locale = QLocale());

/// How many decimals an amount was typed with (trailing zeros count).
int TypedDecimals(const QString &text, const QLocale &locale = QLocale());

/// Why a cheque for `value`, typed as `text`, cannot be printed with its
/// figure and its words (those the driver gives for `text`) stating the same
/// amount (typed with more decimals than the currency has, even zeros, is
/// refused: "1.500" is no amount of fils); nothing when it can. `typed`,
/// when given, receives the words of
/// `text` (filled whenever nothing is returned).
std::optional<QString> AmountMismatch(const QString &text, double value, const MonyType &currency,
                                      const QLocale &locale = QLocale(), AmountWords *typed = nullptr);
