// SPDX-License-Identifier: GPL-3.0-or-later
#include "register/chequeissuer.h"

#include <QCoreApplication>

#include "core/chequeerror.h"
#include "core/counttext.h"
#include "core/datafile.h"
#include "output/chequepage.h"
#include "output/printrun.h"

namespace {

QString NotPrinted(const ChequeError &error)
{
    return QString::fromStdString(error.message())
        + QCoreApplication::translate("ChequeIssuer", ". The cheque was not printed.");
}

} // namespace

IssueResult IssueCheque(ChequeRegister &reg, const Cheque &cheque, const QString &destination,
                        const std::function<std::optional<QString>(const ChequeRegister::Recorded &)> &print,
                        qint64 replaces, qint64 approved)
{
    IssueResult result;
    ChequeRegister::Recorded recorded;
    try {
        recorded = reg.recordSent(cheque, destination, replaces, 0, approved);
        result.number = recorded.number;
        result.chequeNumber = recorded.chequeNumber;
        result.prepared = recorded.prepared;
    } catch (const ChequeError &error) {
        result.problem = NotPrinted(error);
        return result;
    }
    if (recorded.prepared)
        return result;
    const std::optional<QString> failed = print(recorded);
    try {
        // One durable write a cheque, before its page: that it was printed
        // reaches the disk with the next cheque's record (lost to a power
        // cut, it leaves the cheque sent, to be checked).
        if (failed)
            reg.markFailed(result.number, *failed);
        else
            reg.markPrinted(result.number, false);
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

void SettleBeforePrinting(ChequeRegister &reg)
{
    try {
        reg.settleInterruptedFiles();
    } catch (const ChequeError &) {
        // Recording a cheque says what is wrong with the register.
    }
}

std::optional<RegisteredCheque> RecentLikeCheque(ChequeRegister &reg, const Cheque &cheque)
{
    try {
        return reg.findDuplicate(cheque, QDateTime::currentDateTimeUtc().addDays(-DuplicateDays));
    } catch (const ChequeError &) {
        return std::nullopt;
    }
}

RecentLikeCheques FindRecentLikeCheques(ChequeRegister &reg, const QList<const Cheque *> &cheques, int keep)
{
    RecentLikeCheques found;
    for (qsizetype i = 0; i < cheques.size(); ++i) {
        auto earlier = RecentLikeCheque(reg, *cheques[i]);
        if (!earlier)
            continue;
        if (++found.count <= keep)
            found.first.append({i, std::move(*earlier)});
    }
    return found;
}

IssueRunResult IssueRun(ChequeIssuer &issuer, const QList<ChequeJob> &jobs,
                        const std::function<bool(const ChequeJob &, int)> &next,
                        const std::function<void(const ChequeJob &, const IssueResult &)> &issued)
{
    IssueRunResult run;
    for (const ChequeJob &job : jobs) {
        if (next && !next(job, run.sent + run.prepared))
            break;
        IssueResult result = issuer.issue(job.cheque, job.layout, job.replaces, job.approved);
        if (issued)
            issued(job, result);
        if (result.prepared) {
            ++run.prepared;
            continue;
        }
        if (!result.printed) {
            run.ended = std::move(result);
            break;
        }
        run.last = &job;
        run.lastChequeNumber = result.chequeNumber;
        ++run.sent;
    }
    return run;
}

ChequeOrProblem ChequeOfRecord(const RegisteredCheque &record, const MonyType &currency, const QString &baText,
                               bool onlyFirst, const QLocale &locale)
{
    if (record.currency != FromStd(currency.EMoneyName.str()) || record.digits != FigureDigits(currency))
        return {std::nullopt,
                QCoreApplication::translate("ChequeIssuer",
                                            "The cheque is in %1, not in the program's currency (%2): "
                                            "set that currency in the Money window to print it.")
                    .arg(record.currency, FromStd(currency.EMoneyName.str()))};
    // Its one date, as this desktop writes it.
    const QString date = record.day.isValid() ? WriteShortDate(record.day, locale) : record.date;
    ChequeOrProblem made = MakeCheque(record.bank, date, record.day, record.payee,
                                      ReadChequeAmount(record.amountText(), currency, QLocale::c()), record.accountOnly,
                                      currency, baText, onlyFirst, locale);
    if (made.cheque && made.cheque->minorUnits != record.minorUnits)
        return {std::nullopt,
                QCoreApplication::translate("ChequeIssuer",
                                            "The cheque's amount cannot be printed "
                                            "as it was recorded.")};
    return made;
}

ChequeIssuer::ChequeIssuer(ChequeRegister &reg, PageOutput &output) : m_register(reg), m_output(output) {}

ChequeIssuer::~ChequeIssuer()
{
    if (m_started && !m_finished)
        failAll(QCoreApplication::translate("ChequeIssuer", "the print was stopped before the file was complete"));
}

std::optional<QString> ChequeIssuer::start()
{
    if (m_finished)
        return QCoreApplication::translate("ChequeIssuer", "The print has ended.");
    if (m_started)
        return std::nullopt;
    SettleBeforePrinting(m_register);
    // A file's job is recorded before its part is made: no part is ever on
    // the disk that the register does not know of.
    if (m_output.deferred()) {
        try {
            m_job = m_register.beginFileJob(m_output.destination(), m_output.partPath());
        } catch (const ChequeError &error) {
            m_finished = true;
            return NotPrinted(error);
        }
    }
    if (auto failed = m_output.start()) {
        failAll(*failed);
        return failed;
    }
    m_started = true;
    return std::nullopt;
}

IssueResult ChequeIssuer::issue(const Cheque &cheque, const ChequeLayout &layout, qint64 replaces, qint64 approved)
{
    IssueResult result;
    if (const auto failed = start()) {
        result.problem = *failed;
        return result;
    }
    // Laid out once, on the device that prints it: the page that passes the
    // check is the page that is painted.
    const ReportPage page = ChequePage(cheque, layout);
    const LaidOutPage laidOut(page, m_output.device(page.portrait));
    if (const auto fault = laidOut.fault(m_output.offset())) {
        result.refused = true;
        result.problem = DescribePageFault(*fault, layout);
        return result;
    }
    if (!m_output.deferred()) {
        result = IssueCheque(
            m_register, cheque, m_output.destination(),
            [&](const ChequeRegister::Recorded &) { return m_output.send(laidOut); }, replaces, approved);
        if (result.printed) {
            ++m_printed;
            m_printedMinor += cheque.minorUnits;
            spoilReplaced(replaces, result.chequeNumber);
        }
        return result;
    }
    try {
        const ChequeRegister::Recorded recorded =
            m_register.recordSent(cheque, m_output.destination(), replaces, m_job, approved);
        result.number = recorded.number;
        result.chequeNumber = recorded.chequeNumber;
        result.prepared = recorded.prepared;
    } catch (const ChequeError &error) {
        // The file's cheques are recorded a few at a time: those before this
        // one may have gone with it, and the file is given up.
        result.problem = failAll(NotPrinted(error));
        return result;
    }
    if (result.prepared)
        return result;
    if (const auto failed = m_output.send(laidOut)) {
        result.problem = failAll(*failed);
        return result;
    }
    m_pending.append({cheque.minorUnits, replaces, result.chequeNumber});
    result.printed = true;
    return result;
}

void ChequeIssuer::spoilReplaced(qint64 replaces, qint64 chequeNumber)
{
    if (replaces <= 0)
        return;
    try {
        m_register.markSpoilt(replaces, QStringLiteral("replaced by cheque %1").arg(chequeNumber));
    } catch (const ChequeError &) {
        // The reprint stands; the original shows as it was, for the user to mark.
    }
}

QString ChequeIssuer::failAll(const QString &reason)
{
    m_finished = true;
    const int lost = int(m_pending.size());
    m_pending.clear();
    m_output.discard();
    QString problem = reason;
    int marked = -1; // the register could not be told
    if (m_job > 0) {
        try {
            marked = m_register.failFileJob(m_job, reason);
        } catch (const ChequeError &error) {
            // Left as sent; the next print finds the file missing and fails them.
            problem += u'\n' + QString::fromStdString(error.message());
        }
    }
    if (lost == 0)
        return problem;
    // What the register holds of them, as it is.
    problem +=
        u'\n'
        + CountText(
            "ChequeIssuer", QT_TRANSLATE_NOOP("ChequeIssuer", "The file was not written: its cheque was not printed."),
            QT_TRANSLATE_N_NOOP("ChequeIssuer", "The file was not written: none of its %n cheques was printed."), lost)
        + u' ';
    if (marked < 0)
        problem += QCoreApplication::translate("ChequeIssuer",
                                               "The register could not be told: it shows those of them it holds "
                                               "as sent, and the next print marks them failed.");
    else if (marked >= lost)
        problem += QCoreApplication::translate("ChequeIssuer", "The register shows them as failed.");
    else if (marked == 0)
        problem += QCoreApplication::translate("ChequeIssuer",
                                               "The register holds none of them: their records could not be "
                                               "written.");
    else
        problem += CountText("ChequeIssuer",
                             QT_TRANSLATE_NOOP("ChequeIssuer",
                                               "The register shows one of them as failed; the others' records "
                                               "could not be written."),
                             QT_TRANSLATE_N_NOOP("ChequeIssuer",
                                                 "The register shows %n of them as failed; the others' records "
                                                 "could not be written."),
                             marked);
    return problem;
}

std::optional<QString> ChequeIssuer::finish()
{
    if (!m_started || m_finished)
        return std::nullopt;
    if (!m_output.deferred()) {
        m_finished = true;
        return m_output.finish();
    }
    if (m_pending.isEmpty()) {
        m_finished = true;
        m_output.discard();
        if (m_job > 0) {
            try {
                m_register.failFileJob(m_job, QString());
            } catch (const ChequeError &) {
            }
        }
        return std::nullopt;
    }
    if (const auto failed = m_output.finish())
        return failAll(*failed);
    try {
        m_register.completeFileJob(m_job, m_output.digest());
    } catch (const ChequeError &error) {
        return failAll(QString::fromStdString(error.message()));
    }
    if (const auto failed = m_output.commit())
        return failAll(*failed);
    m_finished = true;
    for (const Pending &cheque : std::as_const(m_pending)) {
        ++m_printed;
        m_printedMinor += cheque.minorUnits;
    }
    try {
        m_register.closeFileJob(m_job);
    } catch (const ChequeError &error) {
        // The file is in its place; the next print finds it so and marks
        // its cheques printed.
        return QString::fromStdString(error.message());
    }
    for (const Pending &cheque : std::as_const(m_pending))
        spoilReplaced(cheque.replaces, cheque.chequeNumber);
    return std::nullopt;
}
