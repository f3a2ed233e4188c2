#pragma once

// The texts of a print run, worked out without any window: reading amounts
// and dates as the desktop writes them, the amount figure, the payee's
// reading direction, and the check that a cheque's words state its figure.

#include <optional>

#include <QDate>
#include <QLocale>
#include <QString>

#include "DgToStU.h"

/// True when a payee text is written right to left: an empty text is; a text
/// of blanks only is not; otherwise anything but an unaccented Latin letter
/// first (after leading blanks) is.
bool IsRightToLeftText(const QString &text);

/// The decimals of a currency's amount figure: 3 for 1000 sub-units, else 2.
inline int FigureDigits(const MonyType &currency) { return currency.PartDigits == 3 ? 3 : 2; }

/// The amount figure: grouped every three digits, `digits` decimals, rounded.
QString FormatAmount(double value, int digits, const QLocale &locale = QLocale());

/// The Print button's tolerant reading: every "," and blank removed, then a
/// number in the desktop's format. Nothing when it is not a finite number.
std::optional<double> ParseAmountText(const QString &text, const QLocale &locale = QLocale());

/// The strict reading of a cheque's amount: the desktop's number format
/// without grouping separators, blanks only around it, finite.
std::optional<double> ReadAmount(const QString &text, const QLocale &locale = QLocale());

/// An amount text in the form the amount-in-words driver reads: the
/// desktop's decimal separator becomes "." and its grouping separator ",".
QString DriverAmountText(const QString &text, const QLocale &locale = QLocale());

/// Reads a date in the desktop's short date format. A two-digit year is the
/// one nearest to `today` (within 50 years either way); a four-digit year is
/// read too, and must lie in that window when the format writes years with
/// two digits (so that the date reads back the same); direction marks are
/// ignored.
std::optional<QDate> ReadShortDate(const QString &text, const QLocale &locale = QLocale(),
                                   QDate today = QDate::currentDate());

/// Writes a date in the desktop's short date format.
QString WriteShortDate(QDate date, const QLocale &locale = QLocale());

/// Why a cheque for `value`, typed as `text`, cannot be printed with its
/// figure and its words (those the driver gives for `text`) stating the same
/// amount; nothing when it can.
std::optional<QString> AmountMismatch(const QString &text, double value, const MonyType &currency,
                                      const QLocale &locale = QLocale());
