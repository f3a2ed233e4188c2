// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A list of cheques checked row by row before any paper moves: its columns
// found by their names (English or Arabic, any order and case), and each
// row turned into a cheque with the rules of a cheque typed by hand, or
// given its problem in words that name the row and the column. No widgets.

#include <array>
#include <optional>

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

#include "batch/chequelist.h"
#include "output/cheque.h"

/// The columns a list can have; Date, Payee and Amount it must have.
enum class ListColumn { Date, Payee, Amount, Bank, AccountOnly, Memo };
inline constexpr int ListColumnCount = 6;

/// The column's name in messages ("Amount").
QString ColumnName(ListColumn column);

/// Where each column is in a list's rows (-1: not in the list).
struct ListColumns
{
    std::array<int, ListColumnCount> index{-1, -1, -1, -1, -1, -1};
    int operator[](ListColumn c) const { return index[std::size_t(c)]; }
};

/// Finds the columns by the names in a header row: date/التاريخ,
/// payee/المستفيد, amount/المبلغ, bank/البنك, account only/للمستفيد الأول,
/// memo/ملاحظة, in any order and case (other columns are left alone).
/// Raises ChequeError naming what is missing or named twice.
ListColumns FindColumns(const QList<ListCell> &header);

/// What the rows are checked against: the bank list with its layouts, the
/// bank of rows that name none, the currency and the desktop's formats.
struct BatchContext
{
    QStringList banks;
    QStringList options; ///< each bank's option line
    QString defaultBank; ///< for a list without a Bank column, and rows with an empty bank
    MonyType currency;
    bool onlyFirst = false;
    QLocale locale;
};

/// One row of a list, checked.
struct BatchRow
{
    int row = 0; ///< as the spreadsheet shows it
    QString bank;
    QString date; ///< as it will be printed (the desktop's short format), or as it stands when it is not a date
    QString payee;
    QString amount; ///< as it stands in the list
    bool accountOnly = false;
    QString memo;
    std::optional<Cheque> cheque; ///< the cheque to print; nothing for a row with a problem
    QString problem;              ///< "Row 7, Amount: …"
    qsizetype index = 0;          ///< its row in the list file
    QString registered;           ///< the register's cheque this row already is; empty when none
    bool chosen = true;           ///< to be printed (a row with a problem never is)
};

/// Checks every row of `file` (after its header row); empty rows are
/// passed over. Raises ChequeError for a header row without the columns.
QList<BatchRow> CheckList(const ListFile &file, const BatchContext &context);

/// Checks the row `index` of `file` again, as CheckList does (after it
/// was edited); nothing for an empty row.
std::optional<BatchRow> CheckListRow(const ListFile &file, qsizetype index, const BatchContext &context);
/// Puts `text` in the cell of `column` of the row `index`, as typed; false
/// when the list has no such column.
bool SetListCell(ListFile &file, qsizetype index, ListColumn column, const QString &text);

/// The cheques the good rows chosen make, and their amount per currency.
struct BatchTotals
{
    int good = 0; ///< good rows chosen
    int bad = 0;  ///< rows with a problem
    int left = 0; ///< good rows not chosen (already in the register, or skipped)
    qint64 minorUnits = 0;
    int digits = 2;
    QString currency;       ///< English name (Dhs)
    QString currencyArabic; ///< and Arabic name (درهم)
};
BatchTotals TotalsOf(const QList<BatchRow> &rows);

/// The layout a bank's option line gives, or why it gives none.
struct LayoutOrProblem
{
    std::optional<ChequeLayout> layout;
    QString problem;
};
LayoutOrProblem BankLayout(const QString &bank, const QStringList &banks, const QStringList &options);

/// Why a payee cannot go on a cheque (empty, or holding a character a
/// cheque cannot carry: a control character, a line break, one that is not
/// a character); nothing when it can.
std::optional<QString> PayeeProblem(const QString &payee);
