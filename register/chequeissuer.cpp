#include "register/chequeissuer.h"

#include "core/chequeerror.h"

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
