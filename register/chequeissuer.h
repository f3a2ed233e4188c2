// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One cheque to paper with its record: recorded (as sent, with the bank's
// next cheque number) in a committed transaction before its page goes out,
// and marked printed or failed when the printer has answered. A cheque that
// cannot be recorded is not printed. No widgets: the page goes out through
// the function given.

#include <functional>
#include <optional>

#include <QLocale>
#include <QString>

#include "register/chequeregister.h"

struct IssueResult
{
    bool printed = false;
    qint64 number = 0;       ///< in the register; 0 when it could not be recorded
    qint64 chequeNumber = 0;
    QString problem;         ///< why it was not recorded, or not printed
};

/// Prints `cheque` through `print` (given the cheque's record; it returns
/// why the page did not go out, or nothing) with its record in `book`.
IssueResult IssueCheque(ChequeRegister &book, const Cheque &cheque, const QString &destination,
                        const std::function<std::optional<QString>(const ChequeRegister::Recorded &)> &print,
                        qint64 replaces = 0);

/// A cheque of the register as it is printed again: its date, payee, words
/// and account-only flag as they were printed, its figure in `locale`'s
/// format between the layout's B/A texts.
Cheque ChequeFromRecord(const RegisteredCheque &record, const QString &baText, const QLocale &locale = QLocale());

/// Prints `original` again under the bank's next cheque number: the new
/// record names the one it replaces, and once the new page is out the
/// original is marked spoilt, "replaced by cheque N".
IssueResult ReissueCheque(ChequeRegister &book, const RegisteredCheque &original, const Cheque &cheque,
                          const QString &destination,
                          const std::function<std::optional<QString>(const ChequeRegister::Recorded &)> &print);
