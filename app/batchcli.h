// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's command line, and a list of cheques printed from it
// without windows:
//   cheque-printer --batch FILE [--bank NAME] (--to-pdf OUT.pdf | --printer NAME)
//   cheque-printer --verify-register [--expect HASH]
//   cheque-printer --init-register
//   cheque-printer --add-account BANK
//   cheque-printer --approval-rule AMOUNT|none --currency NAME [--bank NAME]
//   cheque-printer --approval-limit AMOUNT|none --currency NAME --login NAME
//   cheque-printer --reconcile STATEMENT --bank NAME [--report OUT.pdf]
// with the checks of the list window, each cheque recorded in the register,
// the rows' problems on standard error, and exit status 0 only when every
// row was printed.

#include <QString>
#include <QStringList>

/// What the command line asks for.
struct CommandLine
{
    QString batch;   ///< the list to print without windows
    QString bank;    ///< for rows that name none
    QString pdf;     ///< one PDF file for the whole list
    QString printer; ///< or a printer, one job per cheque
    bool allowDuplicates = false;
    QString dataDir; ///< instead of the folder the program would choose
    QString lang;    ///< the interface language for this start: "ar" or "en"
    bool verifyRegister = false;
    QString expect;     ///< a hash of the history kept elsewhere (a report's), which it must hold
    QString addAccount; ///< a bank whose account the shared register adds
    bool initRegister = false;
    QString approvalRule;  ///< cheques above this amount need approval ("none": no longer)
    QString approvalLimit; ///< an approver's limit ("none": no longer)
    QString currency;      ///< of the approval rule or limit
    QString login;         ///< of the approval limit
    QString reconcile;     ///< a bank's statement to reconcile the register with
    QString report;        ///< the reconciliation's report (PDF)
    bool version = false;
    bool help = false;
    QString helpText;
    QString error; ///< why the command line cannot be used
};

CommandLine ParseCommandLine(const QStringList &arguments);

/// True when the arguments ask for a batch, the version or the help: the
/// program then shows no window and needs no display.
bool NeedsNoWindows(int argc, char **argv);

/// Recomputes the history of the register of the data folder's settings:
/// 0 when it is whole (its latest hash on standard output), 1 when an event
/// does not match (named on standard error), 2 when it cannot be read.
/// With `expect`, the history must hold an event of that hash too.
int VerifyRegisterCommand(const QString &dataDir, const QString &expect = QString());

/// Adds the account of `bank`, in the currency of the data folder's
/// money.txt, to the shared register of its settings and lists the
/// accounts; 0 when done, 2 when it cannot be.
int AddAccountCommand(const QString &bank, const QString &dataDir);

/// Sets the shared register of the data folder's settings up for an office
/// (see ChequeRegister::setUpOfficeRoles); 0 when done, 2 when it cannot be.
int InitRegisterCommand(const QString &dataDir);

/// Sets an approval rule or an approver's limit on the shared register of
/// the data folder's settings (an administrator's work) and lists them all;
/// 0 when done, 2 when it cannot be.
int ApprovalCommand(const CommandLine &command, const QString &dataDir);

/// Reconciles the register with the bank's statement: the matched cheques
/// cleared, each line that does not match on standard output; 0 when every
/// line matched, 1 when one did not, 2 when nothing could be done.
int ReconcileCommand(const CommandLine &command, const QString &dataDir);

/// Runs the batch the command line describes with the data files of
/// `dataDir`; the exit status.
int RunBatchCommand(const CommandLine &command, const QString &dataDir);
