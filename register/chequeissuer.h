// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Issuing cheques: the one way every cheque reaches paper (one cheque, a
// monthly run, a list, a reprint, the command line). Each cheque's page is
// laid out on the output's own device and checked there (every text whole
// in its box, every character drawn), then recorded in the register as
// sent, then sent from that same layout; a printer's page is marked printed
// or failed when the printer has answered, the pages of a file together,
// once the whole file is on the disk in its place. A page that fails its
// check is neither recorded nor printed; a cheque that cannot be recorded
// is not printed. No widgets: the page goes out through a PageOutput.

#include <functional>
#include <optional>

#include <QList>
#include <QLocale>
#include <QString>

#include "layout/chequelayout.h"
#include "output/pageoutput.h"
#include "register/chequeregister.h"

struct IssueResult
{
    bool printed = false;  ///< on paper (for a file: in the file, printed once it is complete)
    bool refused = false;  ///< its page failed the check: not recorded, not printed
    bool prepared = false; ///< recorded for the office's approval, not printed
    qint64 number = 0;     ///< in the register; 0 when it was not recorded
    qint64 chequeNumber = 0;
    QString problem; ///< why it was not recorded, or not printed
};

/// Records one cheque as sent to `destination`, hands it to `print` (given
/// its record; it returns why the page did not go out, or nothing) and marks
/// it printed or failed. A cheque that cannot be recorded is not printed,
/// nor one the register keeps for approval. `approved`: see
/// ChequeRegister::recordSent.
IssueResult IssueCheque(ChequeRegister &reg, const Cheque &cheque, const QString &destination,
                        const std::function<std::optional<QString>(const ChequeRegister::Recorded &)> &print,
                        qint64 replaces = 0, qint64 approved = 0);

/// Settles what prints to a file that were killed left (see
/// ChequeRegister::settleInterruptedFiles): done when a print starts, and
/// before its cheques are compared with those of the register.
void SettleBeforePrinting(ChequeRegister &reg);

/// How many days a cheque like another counts as the same payment made twice.
inline constexpr int DuplicateDays = 30;

/// The latest cheque of the register like `cheque` (the same bank, payee and
/// amount) that stands, recorded in the last DuplicateDays days; nothing when
/// there is none, or the register cannot tell (then recording the cheque
/// says what is wrong).
std::optional<RegisteredCheque> RecentLikeCheque(ChequeRegister &reg, const Cheque &cheque);

/// A cheque of the register as it is printed again, or printed once it was
/// approved: its day, payee and account-only flag as they were recorded,
/// its figure and words made afresh from its amount (an approver read the
/// amount, never the words a program stored) in `currency`, which must be
/// the cheque's, its date as this desktop writes its day.
ChequeOrProblem ChequeOfRecord(const RegisteredCheque &record, const MonyType &currency, const QString &baText,
                               bool onlyFirst, const QLocale &locale = QLocale());

/// The cheques of a list among `cheques` like one printed lately (see
/// RecentLikeCheque): how many, and the first `keep` of them with the
/// earlier cheque each is like.
struct RecentLikeCheques
{
    int count = 0;
    QList<std::pair<qsizetype, RegisteredCheque>> first; ///< index into the list, the earlier cheque
};
RecentLikeCheques FindRecentLikeCheques(ChequeRegister &reg, const QList<const Cheque *> &cheques, int keep);

class ChequeIssuer
{
public:
    ChequeIssuer(ChequeRegister &reg, PageOutput &output);
    /// A print not finished is abandoned: its file is not written, and its
    /// cheques fail.
    ~ChequeIssuer();
    ChequeIssuer(const ChequeIssuer &) = delete;
    ChequeIssuer &operator=(const ChequeIssuer &) = delete;

    /// Issues one cheque in its bank's layout. With `replaces`, the cheque of
    /// that register number is marked spoilt ("replaced by cheque N") once
    /// this one is printed. A cheque the office's rules want approved is
    /// recorded as prepared instead; `approved` prints one approved (the
    /// register number of its record).
    IssueResult issue(const Cheque &cheque, const ChequeLayout &layout, qint64 replaces = 0, qint64 approved = 0);

    /// Ends the print: a file is completed and put in its place, and then
    /// its cheques are marked printed, all together; when it cannot be,
    /// they are marked failed and the target is left as it was. Returns why
    /// the cheques were not printed, or nothing.
    std::optional<QString> finish();

    /// The cheques on paper, and their amount (for a file, once finished).
    int printed() const { return m_printed; }
    qint64 printedMinorUnits() const { return m_printedMinor; }

private:
    std::optional<QString> start();
    void spoilReplaced(qint64 replaces, qint64 chequeNumber);
    QString failAll(const QString &reason);

    ChequeRegister &m_register;
    PageOutput &m_output;
    bool m_started = false;
    bool m_finished = false;
    qint64 m_job = 0;
    struct Pending
    {
        qint64 minorUnits = 0;
        qint64 replaces = 0;
        qint64 chequeNumber = 0;
    };
    QList<Pending> m_pending; ///< the cheques of a file, printed at its end
    int m_printed = 0;
    qint64 m_printedMinor = 0;
};

/// A cheque to print in its bank's layout (`replaces`: the register number
/// of the cheque it is a reprint of; `row`: of a list; `approved`: the
/// register number of the approved cheque it is).
struct ChequeJob
{
    Cheque cheque;
    ChequeLayout layout;
    qint64 replaces = 0;
    int row = 0;
    qint64 approved = 0;
};

struct IssueRunResult
{
    int sent = 0;                    ///< cheques that went out (for a file: into it)
    int prepared = 0;                ///< cheques kept for the office's approval
    const ChequeJob *last = nullptr; ///< the last of them
    qint64 lastChequeNumber = 0;
    std::optional<IssueResult> ended; ///< the cheque that ended the run early, and why
};

/// Issues the jobs in order. A cheque not recorded, a page that fails its
/// check or a printer that failed ends the run: the next cheques would fail
/// the same way; one kept for the office's approval does not. `next` is
/// asked before each cheque (told the cheques sent or kept so far) and
/// returns false to stop; `issued` is told of each cheque issued and what
/// became of it (one that went out but could not be marked printed has a
/// problem too).
IssueRunResult IssueRun(ChequeIssuer &issuer, const QList<ChequeJob> &jobs,
                        const std::function<bool(const ChequeJob &, int)> &next,
                        const std::function<void(const ChequeJob &, const IssueResult &)> &issued);
