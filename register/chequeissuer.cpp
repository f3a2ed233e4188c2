// SPDX-License-Identifier: GPL-3.0-or-later
#include "register/chequeissuer.h"

#include "core/chequeerror.h"
#include "core/datafile.h"
#include "output/printrun.h"

IssueResult IssueCheque(ChequeRegister &book, const Cheque &cheque, const QString &destination,
                        const std::function<std::optional<QString>(const ChequeRegister::Recorded &)> &print,
                        qint64 replaces)
{
    IssueResult result;
    ChequeRegister::Recorded recorded;
    try {
        recorded = book.recordSent(cheque, destination, replaces);
        result.number = recorded.number;
        result.chequeNumber = recorded.chequeNumber;
    } catch (const ChequeError &error) {
        result.problem = QString::fromStdString(error.message()) + QStringLiteral(". The cheque was not printed.");
        return result;
    }
    const std::optional<QString> failed = print(recorded);
    try {
        if (failed)
            book.markFailed(result.number, *failed);
        else
            book.markPrinted(result.number);
    } catch (const ChequeError &error) {
        // The page went out (or not) all the same; the register shows the
        // cheque as sent, for the user to check.
        result.problem = QString::fromStdString(error.message());
    }
    result.printed = !failed;
    if (failed && result.problem.isEmpty())
        result.problem = *failed;
    return result;
}

Cheque ChequeFromRecord(const RegisteredCheque &record, const QString &baText, const QLocale &locale)
{
    Cheque cheque;
    cheque.bank = record.bank;
    cheque.date = record.date;
    cheque.payee = record.payee;
    cheque.minorUnits = record.minorUnits;
    cheque.digits = record.digits;
    qint64 scale = 1;
    for (int i = 0; i < record.digits; ++i)
        scale *= 10;
    // Exact: an amount's sub-units stay far below 2^53.
    cheque.figure = baText + FormatAmount(double(record.minorUnits) / double(scale), record.digits, locale) + baText;
    cheque.english = record.english;
    cheque.arabic = record.arabic;
    cheque.accountOnly = record.accountOnly;
    cheque.currency.EMoneyName = ToStd(record.currency);
    cheque.currency.AMoneyName = ToStd(record.currencyArabic);
    cheque.currency.PartDigits = record.digits;
    return cheque;
}

IssueResult ReissueCheque(ChequeRegister &book, const RegisteredCheque &original, const Cheque &cheque,
                          const QString &destination,
                          const std::function<std::optional<QString>(const ChequeRegister::Recorded &)> &print)
{
    IssueResult result = IssueCheque(book, cheque, destination, print, original.number);
    if (!result.printed)
        return result;
    try {
        book.markSpoilt(original.number, QStringLiteral("replaced by cheque %1").arg(result.chequeNumber));
    } catch (const ChequeError &error) {
        result.problem = QString::fromStdString(error.message());
    }
    return result;
}
