// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Issuing cheques as a person does it: one cheque typed in, a monthly run,
// a list's rows, a cheque of the register printed again, a cheque the office
// approved. Each is checked before a printer is chosen, recorded and printed
// through the one issuer; what became of it is returned for the window to
// show, and what needs an answer is asked of the person. The windows and the
// command line call it. No widgets.

#include <functional>
#include <memory>
#include <optional>

#include <QCoreApplication>
#include <QList>
#include <QMap>
#include <QString>

#include "batch/chequebatch.h"
#include "desk/deskuser.h"
#include "register/chequeissuer.h"

class CurrencyRecord;
struct ReportPage;
class RegisterAccess;

/// The printer as the desk uses it: chosen (in the print dialog), opened,
/// told of a page it failed; a preview shown.
class DeskPrinter
{
public:
    virtual ~DeskPrinter() = default;
    /// The printer or file to print to; false when the person cancelled.
    virtual bool choose() = 0;
    virtual std::unique_ptr<PageOutput> open() = 0;
    /// A page the printer did not take, told as the printer service tells it.
    virtual void reportFailure(const QString &problem) = 0;
    /// A page shown, not printed (nor recorded).
    virtual void preview(const ReportPage &page) = 0;
};

/// The banks and their layouts as the desk prints them.
class DeskLayouts
{
public:
    virtual ~DeskLayouts() = default;
    virtual QStringList banks() const = 0;
    virtual QStringList options() const = 0;
    /// The layout a cheque of `bank` prints in: the designer's as it stands
    /// for the bank it shows, the stored one for another.
    virtual LayoutOrProblem layoutFor(const QString &bank) const = 0;
    /// The B/A texts of the layout on screen, which a typed cheque's figure
    /// stands between.
    virtual QString baText() const = 0;
    /// "Only" first in the words, and whether a print is a preview.
    virtual bool onlyFirst() const = 0;
    virtual bool preview() const = 0;
    /// The designer's changes not yet saved, settled (asked about); false
    /// when the person cancelled.
    virtual bool settleChanges() = 0;
};

/// A cheque as typed into the issue window.
struct TypedCheque
{
    QString bank;
    QString date;
    QString payee;
    QString amount;
    bool accountOnly = false;
};

/// What a print did, for the window to show.
struct IssueOutcome
{
    int printed = 0;
    int prepared = 0; ///< recorded for the office's approval, not printed
    /// The status line ("Cheque No. 12 of SIB printed to …"); empty: as it was.
    QString status;
    /// The words both word lines show (those the cheque carries); empty: as
    /// they were.
    QString words;
    /// The cheque the designer shows (the last printed, or the one previewed).
    std::optional<ChequeJob> shown;
    /// The date as the cheque carries it, for the date box; empty: as typed.
    QString date;
    /// A list's tally ("3 of 5 cheques printed. Cancelled before row 4.").
    QString tally;
    /// The amount or the date as typed could not be read: nothing was tried.
    bool unread = false;
};

class ChequeDesk
{
    Q_DECLARE_TR_FUNCTIONS(ChequeDesk)

public:
    ChequeDesk(RegisterAccess &access, const CurrencyRecord &currency, DeskLayouts &layouts);

    /// Print in the issue window: the cheque typed, once or `count` times a
    /// month apart (`many`).
    IssueOutcome print(const TypedCheque &typed, bool many, int count, DeskUser &user, DeskPrinter &printer);
    /// One cheque dated `date`; `askPrinter` false: to the printer chosen
    /// already (the monthly run of the calibration).
    IssueOutcome printOne(const TypedCheque &typed, bool askPrinter, DeskUser &user, DeskPrinter &printer);
    /// `count` cheques a month apart from the typed date.
    IssueOutcome printRun(const TypedCheque &typed, int count, DeskUser &user, DeskPrinter &printer);
    /// A cheque of the register printed again under the bank's next number.
    IssueOutcome reprint(const RegisteredCheque &original, DeskUser &user, DeskPrinter &printer);
    /// A cheque the office approved, printed once.
    IssueOutcome printApproved(const RegisteredCheque &approved, DeskUser &user, DeskPrinter &printer);
    /// The good rows of a checked list that are chosen, each recorded and
    /// printed; rows like cheques of the last 30 days are asked about
    /// (No prints the others). `next` is asked before each cheque (told the
    /// cheques done so far) and returns false to cancel. The tally tells
    /// what was printed.
    IssueOutcome printList(const QList<BatchRow> &rows, DeskUser &user, DeskPrinter &printer,
                           const std::function<bool(const ChequeJob &, int)> &next);

    /// What a list's rows are checked against: the banks and layouts, the
    /// bank of rows that name none, the currency.
    BatchContext batchContext(const QString &defaultBank) const;
    /// Marks the rows that are cheques of the register already (the same
    /// bank, payee, amount and date, standing) and leaves them unchosen;
    /// the others keep their choice. Nothing is marked while the register
    /// cannot be opened.
    void markRegistered(QList<BatchRow> &rows, DeskUser &user);

private:
    /// The cheque typed, dated `date` (as typed) or `day`, or why it cannot
    /// be printed.
    ChequeOrProblem typedCheque(const TypedCheque &typed) const;
    ChequeOrProblem typedCheque(const TypedCheque &typed, QDate day) const;
    /// Why the page of `cheque` would not reach the paper whole.
    std::optional<QString> pageRefusal(const Cheque &cheque) const;
    /// The checks that come before the print dialog; true (and told) when
    /// the cheque would be refused.
    bool refusedBeforeDialog(const TypedCheque &typed, DeskUser &user) const;
    ChequeRegister *registerForPrinting(DeskUser &user);
    bool duplicateAccepted(const Cheque &cheque, DeskUser &user);
    bool waitsForApproval(const Cheque &cheque, DeskUser &user);
    /// The banks' cheque books cannot hold `cheques` (per bank): told, and
    /// true.
    bool outOfLeaves(const QMap<QString, int> &cheques, DeskUser &user);
    IssueOutcome prepareForApproval(const Cheque &cheque, DeskUser &user);
    /// A cheque of the register, as printed again or once approved, checked
    /// whole on its page; nothing (and told) when it cannot be.
    std::optional<ChequeJob> recordJob(const RegisteredCheque &record, const QString &missingBank,
                                       DeskUser &user) const;
    IssueOutcome issue(const QList<ChequeJob> &jobs, DeskUser &user, DeskPrinter &printer,
                       const std::function<bool(const ChequeJob &, int)> &next = {});

    RegisterAccess &m_access;
    const CurrencyRecord &m_currency;
    DeskLayouts &m_layouts;
};

/// A cheque like one being printed, as the question about it names it:
/// "cheque No. 12, delivered", or its state alone before it has a number.
QString EarlierCheque(const RegisteredCheque &earlier);

/// Writes banks.txt and options.txt with `banks` and `options`, as the
/// files' state allows (asking first when a file could not be read at
/// start); at close a failure asks whether to try again, otherwise it is
/// told. True when the files were written or hold these already.
class BankFiles;
bool SaveBankFiles(BankFiles &files, const QStringList &banks, const QStringList &options, bool closing,
                   DeskUser &user);

/// The bank the issue window chose last, kept in the settings; empty for
/// none. RememberBank keeps `bank` (nothing is written for the first bank
/// while none is kept).
QString LastBank(const QString &settingsFile);
void RememberBank(const QString &settingsFile, const QString &bank, bool first);
