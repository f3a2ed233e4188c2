// SPDX-License-Identifier: GPL-3.0-or-later
#include "desk/chequedesk.h"

#include <QSettings>

#include "core/chequeerror.h"
#include "core/counttext.h"
#include "core/datafile.h"
#include "core/settingskeys.h"
#include "currency/currencyrecord.h"
#include "desk/registeraccess.h"
#include "layout/bankfiles.h"
#include "output/chequepage.h"
#include "output/printrun.h"
#include "output/readingorder.h"
#include "register/registercolumns.h"

namespace {

// What is said of cheques kept for the office's approval.
QString WaitingForApproval(int count)
{
    return CountText("ChequeDesk",
                     QT_TRANSLATE_NOOP("ChequeDesk",
                                       "The cheque needs the office's approval: it is recorded as prepared, "
                                       "without a cheque number, and was not printed. Once another person "
                                       "approves it, print it from the register window (Print Approved)."),
                     QT_TRANSLATE_N_NOOP("ChequeDesk",
                                         "%n cheques need the office's approval: they are recorded as prepared, "
                                         "without cheque numbers, and were not printed. Once another person "
                                         "approves them, print them from the register window (Print Approved)."),
                     count);
}

} // namespace

QString EarlierCheque(const RegisteredCheque &earlier)
{
    return earlier.chequeNumber > 0
        ? ChequeDesk::tr("cheque No. %1, %2").arg(QString::number(earlier.chequeNumber), StateText(earlier.state))
        : StateText(earlier.state);
}

ChequeDesk::ChequeDesk(RegisterAccess &access, const CurrencyRecord &currency, DeskLayouts &layouts)
    : m_access(access)
    , m_currency(currency)
    , m_layouts(layouts)
{}

IssueOutcome ChequeDesk::print(const TypedCheque &typed, bool many, int count, DeskUser &user, DeskPrinter &printer)
{
    const auto amount = ReadAmountLoosely(typed.amount);
    const auto date = ReadTypedDate(typed.date);
    if (!amount || !date) {
        // "Error", then what is wrong and how to write it.
        QStringList lines{tr("Error")};
        const QString dateText = typed.date.trimmed();
        if (!date && dateText.isEmpty())
            lines << tr("There is no date: %1.").arg(DateFormsText());
        else if (!date)
            lines << tr("The date \"%1\" cannot be read: %2.").arg(Shown(dateText), DateFormsText());
        const QString amountText = typed.amount.trimmed();
        if (!amount && amountText.isEmpty())
            lines << tr("There is no amount.");
        else if (!amount)
            lines << tr("The amount \"%1\" is not a number.").arg(Shown(amountText));
        user.tell(lines.join(QLatin1String("\n\n")));
        IssueOutcome unread;
        unread.unread = true;
        return unread;
    }
    if (const auto refusal = ShortDateRefusal(*date)) {
        user.tell(tr("Error") + QLatin1String("\n\n") + *refusal + u' '
                  + tr("Date it otherwise: %1.").arg(DateFormsText()));
        IssueOutcome unread;
        unread.unread = true;
        return unread;
    }
    TypedCheque dated = typed;
    dated.date = WriteShortDate(*date);
    IssueOutcome outcome = many ? printRun(dated, count, user, printer) : printOne(dated, true, user, printer);
    outcome.date = dated.date;
    return outcome;
}

ChequeOrProblem ChequeDesk::typedCheque(const TypedCheque &typed) const
{
    return MakeCheque(typed.bank, typed.date, typed.payee, typed.amount, typed.accountOnly, m_currency.value(),
                      m_layouts.baText(), m_layouts.onlyFirst());
}

ChequeOrProblem ChequeDesk::typedCheque(const TypedCheque &typed, QDate day) const
{
    const QLocale locale;
    return MakeCheque(typed.bank, WriteShortDate(day, locale), day, typed.payee,
                      ReadChequeAmount(typed.amount, m_currency.value(), locale), typed.accountOnly, m_currency.value(),
                      m_layouts.baText(), m_layouts.onlyFirst(), locale);
}

std::optional<QString> ChequeDesk::pageRefusal(const Cheque &cheque) const
{
    const LayoutOrProblem layout = m_layouts.layoutFor(cheque.bank);
    if (!layout.layout)
        return layout.problem;
    if (const auto fault = ChequePageFault(cheque, *layout.layout))
        return DescribePageFault(*fault, *layout.layout) + tr(" Nothing was printed.");
    return std::nullopt;
}

bool ChequeDesk::refusedBeforeDialog(const TypedCheque &typed, DeskUser &user) const
{
    // The checks beyond "Error in Amount" come before any printer is chosen
    // for a cheque that would be refused. An amount that is not positive is
    // left to the print run's own message.
    const auto value = ReadAmountStrictly(typed.amount);
    if (!value) {
        // A number written otherwise than Print reads it ("1,250.75"): told
        // now, with why, not after a printer is chosen.
        if (!ReadAmountLoosely(typed.amount))
            return false;
        user.tell(typedCheque(typed).problem);
        return true;
    }
    if (*value <= 0)
        return false;
    const ChequeOrProblem made = typedCheque(typed);
    if (made.cheque) {
        const auto refusal = pageRefusal(*made.cheque);
        if (!refusal)
            return false;
        user.tell(*refusal);
        return true;
    }
    user.tell(made.problem);
    return true;
}

IssueOutcome ChequeDesk::printOne(const TypedCheque &typed, bool askPrinter, DeskUser &user, DeskPrinter &printer)
{
    if (askPrinter && refusedBeforeDialog(typed, user))
        return {};
    const bool preview = m_layouts.preview();
    bool forApproval = false;
    if (askPrinter && !preview) {
        // Asked before the printer is chosen: a cheque like one printed
        // lately is most often the same payment twice.
        const ChequeOrProblem made = typedCheque(typed);
        if (made.cheque && !duplicateAccepted(*made.cheque, user))
            return {};
        // A cheque kept for the office's approval needs no printer yet.
        forApproval = made.cheque && waitsForApproval(*made.cheque, user);
        if (!forApproval && !printer.choose())
            return {};
    }
    const ChequeOrProblem made = typedCheque(typed);
    if (!made.cheque) {
        user.tell(made.problem);
        return {};
    }
    const LayoutOrProblem layout = m_layouts.layoutFor(made.cheque->bank);
    if (!layout.layout) {
        user.tell(layout.problem);
        return {};
    }
    if (preview) {
        // A preview puts nothing on paper, and is not recorded.
        printer.preview(ChequePage(*made.cheque, *layout.layout));
        IssueOutcome outcome;
        outcome.words = made.cheque->words();
        outcome.shown = ChequeJob{*made.cheque, *layout.layout};
        return outcome;
    }
    IssueOutcome outcome =
        forApproval ? prepareForApproval(*made.cheque, user) : issue({{*made.cheque, *layout.layout}}, user, printer);
    // Both word lines show the words the cheque carries, in the payee's language.
    outcome.words = made.cheque->words();
    return outcome;
}

IssueOutcome ChequeDesk::prepareForApproval(const Cheque &cheque, DeskUser &user)
{
    ChequeRegister *reg = registerForPrinting(user);
    if (!reg)
        return {};
    // No printer was chosen: should the office's rules have changed in the
    // meantime, the cheque is not printed but failed, to be printed again.
    const IssueResult result = IssueCheque(*reg, cheque, QString(), [](const ChequeRegister::Recorded &) {
        return std::optional<QString>(tr("no printer was chosen for it"));
    });
    m_access.touch();
    IssueOutcome outcome;
    if (result.prepared) {
        outcome.prepared = 1;
        outcome.status = tr("%Ln cheques wait for approval.", nullptr, 1);
        user.tell(WaitingForApproval(1));
    } else {
        user.tell(result.problem);
    }
    return outcome;
}

ChequeRegister *ChequeDesk::registerForPrinting(DeskUser &user)
{
    const RegisterAccess::Opened opened = m_access.open(&user);
    if (!opened.reg)
        user.tell(tr("%1\n\nThe cheque was not printed: every cheque is recorded in the register before it is "
                     "printed. Choose another register (Register, Register Connection), or move the file away.")
                      .arg(opened.problem));
    return opened.reg;
}

IssueOutcome ChequeDesk::issue(const QList<ChequeJob> &jobs, DeskUser &user, DeskPrinter &printer,
                               const std::function<bool(const ChequeJob &, int)> &next)
{
    ChequeRegister *reg = registerForPrinting(user);
    if (!reg || jobs.isEmpty())
        return {};
    const std::unique_ptr<PageOutput> output = printer.open();
    ChequeIssuer issuer(*reg, *output);
    const IssueRunResult run = IssueRun(issuer, jobs, next, [&](const ChequeJob &, const IssueResult &result) {
        if (result.printed && !result.problem.isEmpty())
            user.tell(result.problem + tr("\n\nThe cheque was printed; the register shows it as sent."));
    });
    if (const auto &ended = run.ended) {
        if (ended->refused)
            user.tell(ended->problem
                      + (run.sent == 0 ? tr(" Nothing was printed.") : tr(" Nothing more was printed.")));
        else if (ended->number != 0 && !output->deferred())
            printer.reportFailure(ended->problem);
        else
            user.tell(ended->problem);
    }
    const ChequeJob *last = run.last;
    const qint64 lastNumber = run.lastChequeNumber;
    if (const auto failed = issuer.finish())
        user.tell(*failed);
    m_access.touch();
    IssueOutcome outcome;
    outcome.printed = issuer.printed();
    outcome.prepared = run.prepared;
    const QString destination = DestinationShown(output->destination());
    if (issuer.printed() == 1 && last)
        outcome.status =
            tr("Cheque No. %1 of %2 printed to %3.").arg(QString::number(lastNumber), last->cheque.bank, destination);
    else if (issuer.printed() > 1)
        outcome.status = tr("%Ln cheques printed to %1.", nullptr, issuer.printed()).arg(destination);
    else
        outcome.status = tr("No cheque was printed.");
    if (last && issuer.printed() > 0) {
        outcome.shown = *last;
        // Time to bring the next cheque book.
        try {
            const auto left = reg->leavesLeft(last->cheque.bank);
            if (left && *left < m_access.lowLeaves())
                user.tell(*left == 0 ? tr("The cheque book of %1 is used up: add the next one (Cheque Numbers in the "
                                          "register window) before the next cheque.")
                                           .arg(last->cheque.bank)
                                     : tr("%Ln leaves are left in the cheque book of %1: add the next one (Cheque "
                                          "Numbers in the register window).",
                                          nullptr, int(*left))
                                           .arg(last->cheque.bank));
        } catch (const ChequeError &) {
            // The next print says what is wrong with the register.
        }
    }
    if (run.prepared > 0) {
        if (issuer.printed() == 0)
            outcome.status = tr("%Ln cheques wait for approval.", nullptr, run.prepared);
        user.tell(WaitingForApproval(run.prepared));
    }
    return outcome;
}

bool ChequeDesk::outOfLeaves(const QMap<QString, int> &cheques, DeskUser &user)
{
    ChequeRegister *reg = m_access.open(&user).reg;
    if (!reg)
        return false; // the print says why the register cannot be used
    for (auto it = cheques.begin(); it != cheques.end(); ++it) {
        std::optional<qint64> left;
        try {
            left = reg->leavesLeft(it.key());
        } catch (const ChequeError &) {
            return false; // recording says what is wrong
        }
        if (left && *left < it.value()) {
            user.tell(
                tr("%Ln cheques of %1 are to be printed, and only %2 leaves are left in its cheque books: add the "
                   "next cheque book (Cheque Numbers in the register window) first. Nothing was printed.",
                   nullptr, it.value())
                    .arg(it.key())
                    .arg(*left));
            return true;
        }
    }
    return false;
}

bool ChequeDesk::waitsForApproval(const Cheque &cheque, DeskUser &user)
{
    if (!m_access.connection().isServer())
        return false;                               // a register file has no approval
    ChequeRegister *reg = m_access.open(&user).reg; // what is wrong is told when the cheque is recorded
    return reg && reg->needsApproval(cheque);
}

bool ChequeDesk::duplicateAccepted(const Cheque &cheque, DeskUser &user)
{
    ChequeRegister *reg = m_access.open(&user).reg;
    if (!reg)
        return true; // the print says why the register cannot be used
    SettleBeforePrinting(*reg);
    const std::optional<RegisteredCheque> earlier = RecentLikeCheque(*reg, cheque);
    if (!earlier)
        return true;
    return user.ask(tr("A cheque of %1 to \"%2\" for %3 %4 was recorded on %5 (%6).\n\nPrint this cheque as well?")
                        .arg(earlier->bank, earlier->payee, MinorUnitsText(earlier->minorUnits, earlier->digits),
                             CurrencyShown(*earlier), WriteShortDate(earlier->printedAt.toLocalTime().date()),
                             EarlierCheque(*earlier)),
                    false);
}

IssueOutcome ChequeDesk::printRun(const TypedCheque &typed, int count, DeskUser &user, DeskPrinter &printer)
{
    const auto start = ReadTypedDate(typed.date);
    if (!start) {
        user.tell(tr("Date Error") + QLatin1String("\n\n")
                  + tr("The date \"%1\" cannot be read: %2.").arg(Shown(typed.date.trimmed()), DateFormsText()));
        return {};
    }
    // Refused once for the whole run: every cheque of it is checked before
    // the printer is chosen.
    if (refusedBeforeDialog(typed, user))
        return {};
    QList<Cheque> cheques;
    const auto value = ReadAmountStrictly(typed.amount);
    for (int i = 0; i < count; ++i) {
        const ChequeOrProblem made = typedCheque(typed, start->addMonths(i));
        if (made.cheque) {
            cheques << *made.cheque;
        } else if (value && *value > 0) {
            // A later cheque's date the desktop's format cannot hold.
            user.tell(made.problem);
            return {};
        }
    }
    for (const Cheque &cheque : std::as_const(cheques)) {
        if (const auto refusal = pageRefusal(cheque)) {
            user.tell(*refusal);
            return {};
        }
    }
    // Asked once for the whole run: its cheques are alike by design.
    if (!cheques.isEmpty() && !duplicateAccepted(cheques.first(), user))
        return {};
    // A run that the cheque book cannot hold is not begun.
    if (outOfLeaves({{typed.bank, int(cheques.size())}}, user))
        return {};
    if (!printer.choose())
        return {};
    if (cheques.size() < count) {
        // An amount that is not positive: its message for every cheque of
        // the run, and nothing printed.
        for (int i = 0; i < count; ++i)
            user.tell(typedCheque(typed, start->addMonths(i)).problem);
        return {};
    }
    const LayoutOrProblem layout = m_layouts.layoutFor(typed.bank);
    if (!layout.layout) {
        user.tell(layout.problem);
        return {};
    }
    QList<ChequeJob> jobs;
    for (const Cheque &cheque : std::as_const(cheques))
        jobs.append({cheque, *layout.layout});
    IssueOutcome outcome = issue(jobs, user, printer);
    outcome.words = cheques.first().words();
    return outcome;
}

std::optional<ChequeJob> ChequeDesk::recordJob(const RegisteredCheque &record, const QString &missingBank,
                                               DeskUser &user) const
{
    if (!m_layouts.banks().contains(record.bank)) {
        user.tell(missingBank.arg(record.bank));
        return std::nullopt;
    }
    const LayoutOrProblem layout = m_layouts.layoutFor(record.bank);
    if (!layout.layout) {
        user.tell(layout.problem);
        return std::nullopt;
    }
    // Printed from its amount and its one date, never from the words or
    // texts the record holds.
    const ChequeOrProblem made =
        ChequeOfRecord(record, m_currency.value(), layout.layout->BAText, m_layouts.onlyFirst());
    if (!made.cheque) {
        user.tell(made.problem);
        return std::nullopt;
    }
    if (const auto fault = ChequePageFault(*made.cheque, *layout.layout)) {
        user.tell(DescribePageFault(*fault, *layout.layout) + tr(" Nothing was printed."));
        return std::nullopt;
    }
    return ChequeJob{*made.cheque, *layout.layout};
}

IssueOutcome ChequeDesk::reprint(const RegisteredCheque &original, DeskUser &user, DeskPrinter &printer)
{
    std::optional<ChequeJob> job = recordJob(original,
                                             tr("The bank \"%1\" is no longer in the bank list: add it (with its "
                                                "layout) in Setup to reprint its cheques."),
                                             user);
    if (!job)
        return {};
    ChequeRegister *reg = registerForPrinting(user);
    if (!reg)
        return {};
    qint64 next = 0;
    try {
        next = reg->nextChequeNumber(original.bank);
    } catch (const ChequeError &error) {
        user.tell(QString::fromStdString(error.message()));
        return {};
    }
    if (!user.ask(tr("Print cheque No. %1 to \"%2\" for %3 %4 again, as cheque No. %5 of %6?\n\n"
                     "Cheque No. %1 is then marked spoilt.")
                      .arg(QString::number(original.chequeNumber), original.payee,
                           MinorUnitsText(original.minorUnits, original.digits), CurrencyShown(original),
                           QString::number(next), original.bank),
                  false))
        return {};
    if (!printer.choose())
        return {};
    job->replaces = original.number;
    return issue({*job}, user, printer);
}

IssueOutcome ChequeDesk::printApproved(const RegisteredCheque &approved, DeskUser &user, DeskPrinter &printer)
{
    // Printed as it was prepared and approved.
    std::optional<ChequeJob> job = recordJob(approved,
                                             tr("The bank \"%1\" is no longer in the bank list: add it (with its "
                                                "layout) in Setup to print its cheques."),
                                             user);
    if (!job)
        return {};
    if (!user.ask(tr("Print the approved cheque to \"%1\" for %2 %3 of %4?")
                      .arg(approved.payee, MinorUnitsText(approved.minorUnits, approved.digits),
                           CurrencyShown(approved), approved.bank),
                  true))
        return {};
    if (!printer.choose())
        return {};
    // An approved reprint spoils the cheque it replaces once it is printed.
    job->replaces = approved.replaces;
    job->approved = approved.number;
    return issue({*job}, user, printer);
}

BatchContext ChequeDesk::batchContext(const QString &defaultBank) const
{
    BatchContext context;
    context.banks = m_layouts.banks();
    context.options = m_layouts.options();
    context.defaultBank = defaultBank;
    context.currency = m_currency.value();
    context.onlyFirst = m_layouts.onlyFirst();
    return context;
}

void ChequeDesk::markRegistered(QList<BatchRow> &rows, DeskUser &user)
{
    ChequeRegister *reg = m_access.open(&user).reg;
    try {
        for (BatchRow &row : rows) {
            row.registered.clear();
            if (row.cheque && reg)
                if (const auto earlier = reg->findIssued(*row.cheque))
                    row.registered =
                        tr("%1, recorded on %2")
                            .arg(EarlierCheque(*earlier), WriteShortDate(earlier->printedAt.toLocalTime().date()));
            // In the register: left out until ticked again; the others as
            // they were chosen.
            if (!row.registered.isEmpty())
                row.chosen = false;
        }
    } catch (const ChequeError &error) {
        user.tell(QString::fromStdString(error.message()));
    }
}

IssueOutcome ChequeDesk::printList(const QList<BatchRow> &rows, DeskUser &user, DeskPrinter &printer,
                                   const std::function<bool(const ChequeJob &, int)> &next)
{
    QList<const BatchRow *> good;
    for (const BatchRow &row : rows)
        if (row.cheque && row.chosen)
            good << &row;
    if (good.isEmpty())
        return {};
    ChequeRegister *reg = registerForPrinting(user);
    if (!reg)
        return {};
    // Cheques like those of the last 30 days: asked about once, for the
    // list; No prints the other rows.
    SettleBeforePrinting(*reg);
    QList<const Cheque *> cheques;
    for (const BatchRow *row : good)
        cheques << &*row->cheque;
    const RecentLikeCheques like = FindRecentLikeCheques(*reg, cheques, int(cheques.size()));
    const int count = like.count;
    QStringList alike;
    for (const auto &[index, earlier] : like.first) {
        if (alike.size() == 5)
            break;
        const BatchRow *row = good[index];
        alike << tr("Row %1 (%2, %3) is like a cheque of %4 recorded on %5 (%6).")
                     .arg(row->row)
                     .arg(row->payee, MinorUnitsText(row->cheque->minorUnits, row->cheque->digits), earlier.bank,
                          WriteShortDate(earlier.printedAt.toLocalTime().date()), EarlierCheque(earlier));
    }
    if (count > 0) {
        if (count > 5)
            alike << tr("And %1 more.").arg(count - 5);
        if (!user.ask(tr("%1 of the list's cheques are like cheques printed in the last 30 days:\n\n%2\n\nPrint "
                         "them all the same? No prints the other rows only.")
                          .arg(count)
                          .arg(alike.join(u'\n')),
                      false)) {
            for (auto it = like.first.crbegin(); it != like.first.crend(); ++it)
                good.removeAt(it->first);
            if (good.isEmpty())
                return {};
        }
    }
    QMap<QString, int> perBank;
    for (const BatchRow *row : good)
        ++perBank[row->cheque->bank];
    if (outOfLeaves(perBank, user))
        return {};
    // The rows print in their banks' stored layouts, as the list was
    // checked: the designer's unsaved changes are asked about first.
    if (!m_layouts.settleChanges())
        return {};
    QList<ChequeJob> jobs;
    for (const BatchRow *row : good) {
        const LayoutOrProblem layout = BankLayout(row->bank, m_layouts.banks(), m_layouts.options());
        if (!layout.layout) {
            user.tell(tr("Row %1: %2").arg(row->row).arg(layout.problem));
            return {};
        }
        jobs.append({*row->cheque, *layout.layout, 0, row->row});
    }
    if (!printer.choose())
        return {};
    QString stopped;
    IssueOutcome outcome = issue(jobs, user, printer, [&](const ChequeJob &job, int done) {
        // Cancelled between cheques: the cheque in flight is finished.
        if (next && !next(job, done)) {
            stopped = tr("Cancelled before row %1.").arg(job.row);
            return false;
        }
        return true;
    });
    if (stopped.isEmpty() && outcome.printed + outcome.prepared < jobs.size())
        stopped = tr("Stopped at row %1.").arg(jobs.value(outcome.printed + outcome.prepared).row);
    outcome.tally = CountText("ChequeDesk", QT_TRANSLATE_NOOP("ChequeDesk", "%L1 of %Ln cheque printed. %2"),
                              QT_TRANSLATE_N_NOOP("ChequeDesk", "%L1 of %Ln cheques printed. %2"), good.size())
                        .arg(outcome.printed)
                        .arg(stopped)
                        .trimmed();
    return outcome;
}

bool SaveBankFiles(BankFiles &files, const QStringList &banks, const QStringList &options, bool closing, DeskUser &user)
{
    switch (files.atClose(banks, options)) {
    case BankFiles::Close::Keep: return false; // nothing of this session replaces what could not be read
    case BankFiles::Close::AskBeforeWriting:
        if (!user.ask(files.replaceQuestion(), true))
            return false;
        break;
    case BankFiles::Close::Write: break;
    }
    for (;;) {
        try {
            files.write(banks, options);
            return true;
        } catch (const ChequeError &error) {
            if (!files.changed(banks, options))
                return true; // the files hold what this session has: nothing is lost
            if (!closing) {
                user.tell(QCoreApplication::translate("ChequeDesk",
                                                      "%1\n\nThe banks and layouts are kept in the program; they are "
                                                      "written again at the next save and at close.")
                              .arg(QString::fromStdString(error.message())));
                return false;
            }
            const QString question =
                QCoreApplication::translate("ChequeDesk",
                                            "%1\n\nTry again? Choose No to close without saving the banks and "
                                            "layouts; the files keep what they held.")
                    .arg(QString::fromStdString(error.message()));
            if (!user.ask(question, true))
                return false;
        }
    }
}

QString LastBank(const QString &settingsFile)
{
    const QSettings settings(settingsFile, QSettings::IniFormat);
    return settings.value(SettingsKey::IssueBank).toString();
}

void RememberBank(const QString &settingsFile, const QString &bank, bool first)
{
    QSettings settings(settingsFile, QSettings::IniFormat);
    const QString kept = settings.value(SettingsKey::IssueBank).toString();
    // Nothing is written for the first bank while none has been kept.
    if (kept != bank && !(kept.isEmpty() && first))
        settings.setValue(SettingsKey::IssueBank, bank);
}
