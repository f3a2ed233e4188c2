// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Reconciling the register with a bank's statement: the statement's lines
// (a CSV file or a workbook, its columns found by their English or Arabic
// names in any order: date, cheque number, amount, description) matched by
// bank, cheque number and amount with the register's cheques; the matched
// ones marked cleared on the statement's date, the others listed with why.
// No widgets.

#include <optional>

#include <QDate>
#include <QList>
#include <QString>

#include "batch/chequelist.h"
#include "register/chequeregister.h"

/// One line of a statement that pays a cheque.
struct StatementLine
{
    int row = 0; ///< as the spreadsheet shows it
    QDate date;
    qint64 chequeNumber = 0;
    qint64 thousandths = 0; ///< the amount paid, in thousandths of the currency
    QString description;
    QString problem; ///< why the line cannot be read; empty when it can
};

/// The lines of a statement that name a cheque number (others, such as
/// transfers and fees, are passed over). Raises ChequeError when the header
/// row lacks the date, the cheque number or the amount.
QList<StatementLine> ReadStatement(const ListFile &file, const QLocale &locale = QLocale());

/// A statement line and the register's cheque it names.
struct StatementMatch
{
    enum class Kind {
        Cleared,       ///< matched: the cheque is cleared on the line's date
        Unreadable,    ///< the line's date, number or amount cannot be read
        NotInRegister, ///< no cheque of the bank has that number
        AmountDiffers, ///< the cheque's amount is another
        ClearedTwice,  ///< the cheque is cleared already (by this statement or before)
        NotPayable,    ///< the register has it voided, stopped, not printed…
        BeforePrinted, ///< the statement pays it before it was printed
    };
    Kind kind = Kind::Cleared;
    StatementLine line;
    std::optional<RegisteredCheque> cheque;
};

/// Matches every line with the cheques of `bank`.
QList<StatementMatch> MatchStatement(ChequeRegister &reg, const QString &bank, const QList<StatementLine> &lines);

/// Marks the matched cheques cleared, all in one transaction; returns how
/// many. Raises ChequeError (nothing marked) when the register cannot be
/// written.
int ClearMatched(ChequeRegister &reg, const QList<StatementMatch> &matches);

/// A cheque the bank paid before its own date (a post-dated cheque paid
/// early): what is said of it ("Line 4, cheque 12: paid on 3/1/27, before
/// its date 3/15/27"); nothing for any other line.
std::optional<QString> DescribeEarly(const StatementMatch &match, const QLocale &locale = QLocale());

/// What a match that is not one says: "Line 7, cheque 1234, 5,000.00: the
/// register has no such cheque of SIB".
QString DescribeMismatch(const StatementMatch &match, const QString &bank, const QLocale &locale = QLocale());

/// A statement reconciled: every line's match, and how many cheques were
/// marked cleared.
struct Reconciliation
{
    QString statement; ///< the file's name
    QString bank;
    QList<StatementMatch> matches;
    int cleared = 0;
    int mismatched() const;
};

/// What a reconciliation tells, line by line: each line that does not
/// match, and each cheque paid before its date.
QStringList DescribeReconciliation(const Reconciliation &done, const QLocale &locale = QLocale());

/// Reads the statement at `path` (CSV or a workbook), matches its lines with
/// the cheques of `bank` and marks the matched ones cleared. Raises
/// ChequeError when the file or the register cannot be used (then nothing
/// is marked).
Reconciliation ReconcileStatement(ChequeRegister &reg, const QString &path, const QString &bank,
                                  const QLocale &locale = QLocale());

/// The report an auditor keeps: the cheques cleared, then each line that
/// does not match and why, as a PDF file written whole or not at all.
/// Returns its pages; raises ChequeError naming the file.
int SaveReconciliationReport(const QString &fileName, const Reconciliation &done, const QLocale &locale = QLocale());
