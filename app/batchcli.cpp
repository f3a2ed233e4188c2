// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/batchcli.h"

#include <cstdio>
#include <cstring>

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QSettings>

#include "batch/chequebatch.h"
#include "batch/reconcile.h"
#include "core/chequeerror.h"
#include "core/counttext.h"
#include "core/datafile.h"
#include "core/settingsfile.h"
#include "currency/moneyfile.h"
#include "desk/chequedesk.h"
#include "gui/widgets/printing.h"
#include "layout/bankfiles.h"
#include "output/pageoutput.h"
#include "output/printeroffsets.h"
#include "output/printrun.h"
#include "register/chequeissuer.h"
#include "register/registerreport.h"

namespace {

// A message on standard error: its lines as they are, anything else that
// would act on the terminal escaped. The isolates that keep a date or a name
// in its order inside Arabic in the windows are left out: a terminal does
// not use them.
void Say(const QString &text)
{
    static const QRegularExpression isolates(QStringLiteral("[\u2066-\u2069]"));
    QStringList lines = QString(text).remove(isolates).split(u'\n');
    for (QString &line : lines)
        line = Shown(line);
    std::fprintf(stderr, "%s\n", lines.join(u'\n').toLocal8Bit().constData());
}

// What a command tells by its exit status: all it was asked done; some of it
// not (a row not printed, a line that does not match, a history that does
// not); nothing, because it could not run.
enum Exit { Done = 0, SomeNotDone = 1, CannotRun = 2 };

} // namespace

bool NeedsNoWindows(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i)
        for (const char *option : {"--batch", "--verify-register", "--init-register", "--add-account",
                                   "--approval-rule", "--approval-limit", "--version", "--help", "-h"})
            if (std::strcmp(argv[i], option) == 0
                || (std::strncmp(argv[i], option, std::strlen(option)) == 0 && argv[i][std::strlen(option)] == '='))
                return true;
    return false;
}

CommandLine ParseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Prints bank cheques in Arabic and English. With --batch, prints a list of cheques (CSV or "
                       ".xlsx) without windows."));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Shows this help."));
    const QCommandLineOption version(QStringLiteral("version"),
                                     QStringLiteral("Shows the version and the data folder."));
    const QCommandLineOption batch(QStringLiteral("batch"), QStringLiteral("The list of cheques to print."),
                                   QStringLiteral("FILE"));
    const QCommandLineOption bank(QStringLiteral("bank"), QStringLiteral("The bank of rows that name none."),
                                  QStringLiteral("NAME"));
    const QCommandLineOption pdf(QStringLiteral("to-pdf"), QStringLiteral("One PDF file with every cheque as a page."),
                                 QStringLiteral("OUT.pdf"));
    const QCommandLineOption printer(QStringLiteral("printer"), QStringLiteral("The printer; one job per cheque."),
                                     QStringLiteral("NAME"));
    const QCommandLineOption duplicates(QStringLiteral("allow-duplicates"),
                                        QStringLiteral("Print rows like cheques of the last 30 days too."));
    const QCommandLineOption dataDir(QStringLiteral("data-dir"),
                                     QStringLiteral("The folder of banks.txt, options.txt, money.txt, the register "
                                                    "and the settings."),
                                     QStringLiteral("DIR"));
    const QCommandLineOption verify(QStringLiteral("verify-register"),
                                    QStringLiteral("Recomputes the register's history and names the first event "
                                                   "that does not match it."));
    const QCommandLineOption expect(QStringLiteral("expect"),
                                    QStringLiteral("With --verify-register: a hash of the history kept elsewhere (the "
                                                   "register report's), which the history must hold."),
                                    QStringLiteral("HASH"));
    const QCommandLineOption account(QStringLiteral("add-account"),
                                     QStringLiteral("On a shared register: adds the account of BANK, in the currency "
                                                    "of money.txt (an administrator's work)."),
                                     QStringLiteral("BANK"));
    const QCommandLineOption init(QStringLiteral("init-register"),
                                  QStringLiteral("Sets a shared register up for an office: its roles and what each "
                                                 "may do (run by the database's owner)."));
    const QCommandLineOption rule(QStringLiteral("approval-rule"),
                                  QStringLiteral("On a shared register: cheques above AMOUNT in --currency (of --bank, "
                                                 "or of every bank) need another person's approval; none: no "
                                                 "longer."),
                                  QStringLiteral("AMOUNT|none"));
    const QCommandLineOption limit(QStringLiteral("approval-limit"),
                                   QStringLiteral("On a shared register: --login approves cheques in --currency up "
                                                  "to AMOUNT; none: no longer."),
                                   QStringLiteral("AMOUNT|none"));
    const QCommandLineOption currency(QStringLiteral("currency"),
                                      QStringLiteral("The currency of an approval rule or limit, as cheques name it "
                                                     "(Dhs)."),
                                      QStringLiteral("NAME"));
    const QCommandLineOption login(QStringLiteral("login"), QStringLiteral("The approver's database login."),
                                   QStringLiteral("NAME"));
    const QCommandLineOption reconcile(QStringLiteral("reconcile"),
                                       QStringLiteral("Marks the cheques of --bank that the bank's statement (CSV or "
                                                      ".xlsx) paid cleared, and lists its lines that do not match."),
                                       QStringLiteral("STATEMENT"));
    const QCommandLineOption report(QStringLiteral("report"),
                                    QStringLiteral("With --reconcile: the reconciliation's report, as a PDF file."),
                                    QStringLiteral("OUT.pdf"));
    const QCommandLineOption lang(QStringLiteral("lang"), QStringLiteral("The interface language: ar or en."),
                                  QStringLiteral("ar|en"));
    parser.addOptions({help, version, batch, bank, pdf, printer, duplicates, dataDir, verify, expect, init, account,
                       rule, limit, currency, login, reconcile, report, lang});
    CommandLine command;
    command.helpText = parser.helpText();
    if (!parser.parse(arguments)) {
        command.error = parser.errorText();
        return command;
    }
    command.help = parser.isSet(help);
    command.version = parser.isSet(version);
    command.batch = parser.value(batch);
    command.bank = parser.value(bank);
    command.pdf = parser.value(pdf);
    command.printer = parser.value(printer);
    command.allowDuplicates = parser.isSet(duplicates);
    command.dataDir = parser.value(dataDir);
    command.lang = parser.value(lang);
    command.verifyRegister = parser.isSet(verify);
    command.expect = parser.value(expect);
    command.addAccount = parser.value(account);
    command.initRegister = parser.isSet(init);
    command.approvalRule = parser.value(rule);
    command.approvalLimit = parser.value(limit);
    command.currency = parser.value(currency);
    command.login = parser.value(login);
    const bool approval = parser.isSet(rule) || parser.isSet(limit);
    command.reconcile = parser.value(reconcile);
    command.report = parser.value(report);
    if (parser.isSet(lang) && command.lang != QLatin1String("ar") && command.lang != QLatin1String("en"))
        command.error = QStringLiteral("--lang takes ar or en.");
    else if (approval
             && (parser.isSet(rule) == parser.isSet(limit) || command.currency.isEmpty()
                 || parser.isSet(limit) == command.login.isEmpty() || (parser.isSet(limit) && parser.isSet(bank))
                 || !command.batch.isEmpty()))
        command.error = QStringLiteral("Give --approval-rule AMOUNT --currency NAME [--bank NAME], or "
                                       "--approval-limit AMOUNT --currency NAME --login NAME.");
    else if (parser.isSet(reconcile) && (!parser.isSet(bank) || !command.batch.isEmpty() || approval))
        command.error = QStringLiteral("Give --reconcile STATEMENT --bank NAME [--report OUT.pdf].");
    else if (parser.isSet(report) && !parser.isSet(reconcile))
        command.error = QStringLiteral("--report goes with --reconcile STATEMENT.");
    else if (command.batch.isEmpty() && !approval && !parser.isSet(reconcile)
             && (parser.isSet(pdf) || parser.isSet(printer) || parser.isSet(bank)))
        command.error = QStringLiteral("--to-pdf, --printer and --bank go with --batch FILE.");
    else if (parser.isSet(expect) && !command.verifyRegister)
        command.error = QStringLiteral("--expect goes with --verify-register.");
    else if (parser.isSet(expect)
             && !QRegularExpression(QStringLiteral("^[0-9a-fA-F]{64}$")).match(command.expect.trimmed()).hasMatch())
        command.error = QStringLiteral("--expect takes the whole hash: its 64 hexadecimal digits, as the report "
                                       "prints it.");
    else if ((command.verifyRegister || command.initRegister || parser.isSet(account)) && !command.batch.isEmpty())
        command.error = QStringLiteral("--verify-register and --init-register go without --batch.");
    else if (!command.batch.isEmpty() && parser.isSet(pdf) == parser.isSet(printer))
        command.error = QStringLiteral("Give either --to-pdf OUT.pdf or --printer NAME.");
    return command;
}

namespace {

// The register of the program's settings, open; nothing (and why told) when
// it cannot be opened. Without a user to ask, a server that wants a
// password not in the password file is not opened.
std::unique_ptr<ChequeRegister> OpenRegister(const QString &dir, const QString &consequence)
{
    if (const auto problem = SettingsProblem(dir))
        Say(*problem);
    auto reg = std::make_unique<ChequeRegister>(
        ConnectionFromSettings(QSettings(SettingsFile(dir), QSettings::IniFormat), dir));
    try {
        reg->open();
    } catch (const ChequeError &error) {
        const QString message = QString::fromStdString(error.message());
        Say(consequence.isEmpty() ? message : message + u'\n' + consequence);
        return nullptr;
    }
    return reg;
}

} // namespace

int VerifyRegisterCommand(const QString &dir, const QString &expect)
{
    const std::unique_ptr<ChequeRegister> reg = OpenRegister(dir, QString());
    if (!reg)
        return CannotRun;
    try {
        const ChainCheck check = reg->checkHistory();
        if (const auto &problem = check.problem()) {
            Say(QCoreApplication::translate("BatchCommand",
                                            "The register's history does not match: %1\nThe %Ln events before it "
                                            "match.",
                                            nullptr, int(check.events()))
                    .arg(*problem));
            return SomeNotDone;
        }
        if (!expect.isEmpty() && !check.held(expect.trimmed().toLower())) {
            Say(QCoreApplication::translate("BatchCommand",
                                            "The register's history does not hold the hash %1: it was shortened or "
                                            "written anew since that hash was kept.")
                    .arg(expect.trimmed()));
            return SomeNotDone;
        }
        std::fprintf(stdout, "%s\n",
                     QCoreApplication::translate("BatchCommand",
                                                 "The register's history is whole: %Ln events. Latest hash: %1",
                                                 nullptr, int(check.events()))
                         .arg(check.latestHash())
                         .toLocal8Bit()
                         .constData());
        return Done;
    } catch (const ChequeError &error) {
        Say(QString::fromStdString(error.message()));
        return CannotRun;
    }
}

int AddAccountCommand(const QString &bank, const QString &dir)
{
    std::optional<MoneyRead> money;
    try {
        money = ReadMoneyAtStart(dir + QLatin1String(MoneyFileName));
    } catch (const ChequeError &error) {
        Say(QString::fromStdString(error.message()));
        return CannotRun;
    }
    if (money && money->damage) {
        Say(*money->damage);
        return CannotRun;
    }
    const std::unique_ptr<ChequeRegister> reg = OpenRegister(dir, QString());
    if (!reg)
        return CannotRun;
    try {
        reg->addAccount(bank, money ? money->money : UaeMoney());
        QStringList lines;
        for (const ChequeRegister::Account &a : reg->accounts())
            lines << QCoreApplication::translate("BatchCommand", "%1: %2, %3 sub-unit digits")
                         .arg(a.bank, a.currency)
                         .arg(a.digits);
        std::fprintf(stdout, "%s\n", lines.join(u'\n').toLocal8Bit().constData());
    } catch (const ChequeError &error) {
        Say(QString::fromStdString(error.message()));
        return CannotRun;
    }
    return Done;
}

int InitRegisterCommand(const QString &dir)
{
    const std::unique_ptr<ChequeRegister> reg = OpenRegister(dir, QString());
    if (!reg)
        return CannotRun;
    try {
        reg->setUpOfficeRoles();
    } catch (const ChequeError &error) {
        Say(QString::fromStdString(error.message()));
        return CannotRun;
    }
    std::fprintf(stdout, "%s\n",
                 QCoreApplication::translate(
                     "BatchCommand",
                     "%1 is set up for an office. Give each person a login in one of its roles, for instance:\n"
                     "  CREATE ROLE name LOGIN PASSWORD '…' IN ROLE cheque_clerks;\n"
                     "cheque_clerks record and print cheques; cheque_admins also set cheque numbers and "
                     "the approval of cheques (--approval-rule, --approval-limit); cheque_approvers approve or "
                     "reject cheques.")
                     .arg(reg->connection().describe())
                     .toLocal8Bit()
                     .constData());
    return Done;
}

namespace {

// An amount typed on the command line ("5000", "12500.750"), in
// thousandths; "none" for no amount.
std::optional<std::optional<qint64>> ThousandthsOf(const QString &text)
{
    if (text == QLatin1String("none"))
        return std::optional<qint64>();
    static const QRegularExpression amount(QStringLiteral("^([0-9]{1,15})(?:\\.([0-9]{1,3}))?$"));
    const QRegularExpressionMatch m = amount.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    return std::optional<qint64>(m.captured(1).toLongLong() * 1000 + m.captured(2).leftJustified(3, u'0').toLongLong());
}

QString ThousandthsText(qint64 thousandths) { return Money::FromThousandths(thousandths).text(); }

} // namespace

int ApprovalCommand(const CommandLine &command, const QString &dir)
{
    const bool rule = !command.approvalRule.isEmpty();
    const auto amount = ThousandthsOf(rule ? command.approvalRule : command.approvalLimit);
    if (!amount) {
        Say(QCoreApplication::translate("BatchCommand", "\"%1\" is not an amount (for instance 5000 or 12500.750).")
                .arg(rule ? command.approvalRule : command.approvalLimit));
        return CannotRun;
    }
    const std::unique_ptr<ChequeRegister> reg = OpenRegister(dir, QString());
    if (!reg)
        return CannotRun;
    try {
        if (rule)
            reg->setApprovalRule(command.bank, command.currency, *amount);
        else
            reg->setApprovalLimit(command.login, command.currency, *amount);
        QStringList lines;
        for (const auto &r : reg->approvalRules())
            lines << QCoreApplication::translate("BatchCommand", "Cheques of %1 above %2 %3 need approval.")
                         .arg(r.who.isEmpty() ? QCoreApplication::translate("BatchCommand", "every bank") : r.who,
                              ThousandthsText(r.thousandths), r.currency);
        for (const auto &l : reg->approvalLimits())
            lines << QCoreApplication::translate("BatchCommand", "%1 approves cheques of up to %2 %3.")
                         .arg(l.who, ThousandthsText(l.thousandths), l.currency);
        if (lines.isEmpty())
            lines << QCoreApplication::translate("BatchCommand", "No cheque needs approval.");
        std::fprintf(stdout, "%s\n", lines.join(u'\n').toLocal8Bit().constData());
    } catch (const ChequeError &error) {
        Say(QString::fromStdString(error.message()));
        return CannotRun;
    }
    return Done;
}

int ReconcileCommand(const CommandLine &command, const QString &dir)
{
    const std::unique_ptr<ChequeRegister> reg = OpenRegister(dir, QString());
    if (!reg)
        return CannotRun;
    Reconciliation done;
    try {
        done = ReconcileStatement(*reg, command.reconcile, command.bank);
    } catch (const ChequeError &error) {
        Say(QString::fromStdString(error.message()));
        return CannotRun;
    }
    // The cheques are cleared by now, whatever becomes of the report.
    std::optional<QString> noReport;
    try {
        if (!command.report.isEmpty())
            SaveReconciliationReport(command.report, done);
    } catch (const ChequeError &error) {
        noReport = QString::fromStdString(error.message());
    }
    QStringList lines = DescribeReconciliation(done);
    lines << QCoreApplication::translate("BatchCommand", "%Ln cheques of %1 cleared; %2 lines do not match.", nullptr,
                                         done.cleared)
                 .arg(done.bank)
                 .arg(done.mismatched());
    std::fprintf(stdout, "%s\n", lines.join(u'\n').toLocal8Bit().constData());
    if (noReport) {
        Say(*noReport);
        return CannotRun;
    }
    return done.mismatched() > 0 ? SomeNotDone : Done;
}

int RunBatchCommand(const CommandLine &command, const QString &dir)
{
    if (!command.printer.isEmpty() && QPrinterInfo::printerInfo(command.printer).isNull()) {
        Say(QCoreApplication::translate("BatchCommand", "There is no printer \"%1\".").arg(command.printer));
        return CannotRun;
    }

    // The data files, as the program reads them; without a damaged one.
    BatchContext context;
    {
        BankFiles files(dir);
        const BankFiles::Read read = files.read();
        if (!read.problems.isEmpty()) {
            for (const QString &problem : read.problems)
                Say(problem);
            return CannotRun;
        }
        context.banks = read.banks;
        // Without options.txt every bank has the first layout, as at the
        // program's start.
        context.options = read.options.value_or(QStringList(read.banks.size(), OptionLine(InitialLayout())));
    }
    try {
        // money.txt as the window reads it: a file that is there but cannot
        // be read, or is damaged, stops the batch.
        const std::optional<MoneyRead> money = ReadMoneyAtStart(dir + QLatin1String(MoneyFileName));
        if (money && money->damage) {
            Say(*money->damage + u'\n'
                + QCoreApplication::translate("BatchCommand",
                                              "Nothing was printed: check the currency in the Money window."));
            return CannotRun;
        }
        context.currency = money ? money->money : UaeMoney();
    } catch (const ChequeError &error) {
        Say(QString::fromStdString(error.message()) + u'\n'
            + QCoreApplication::translate(
                "BatchCommand", "Nothing was printed: set the currency in the Money window, or move the file away."));
        return CannotRun;
    }
    context.defaultBank = command.bank;
    if (!context.defaultBank.isEmpty() && !context.banks.contains(context.defaultBank)) {
        Say(QCoreApplication::translate("BatchCommand", "There is no bank \"%1\" in the bank list.")
                .arg(context.defaultBank));
        return CannotRun;
    }

    QList<BatchRow> rows;
    try {
        rows = CheckList(ReadListFile(command.batch), context);
    } catch (const ChequeError &error) {
        Say(QString::fromStdString(error.message()));
        return CannotRun;
    }
    for (const BatchRow &row : rows)
        if (!row.cheque)
            Say(row.problem);

    const std::unique_ptr<ChequeRegister> opened =
        OpenRegister(dir,
                     QCoreApplication::translate(
                         "BatchCommand", "Nothing was printed: every cheque is recorded in the register first."));
    if (!opened)
        return CannotRun;
    ChequeRegister &reg = *opened;
    QPrinter printer(QPrinter::HighResolution);
    std::unique_ptr<PageOutput> output;
    if (!command.pdf.isEmpty()) {
        output = std::make_unique<PdfFileOutput>(command.pdf);
    } else {
        printer.setPrinterName(command.printer);
        const QSettings settings(SettingsFile(dir), QSettings::IniFormat);
        output = std::make_unique<PrinterOutput>(printer, command.printer,
                                                 ReadPrinterOffset(settings, command.printer).inForce());
    }
    SettleBeforePrinting(reg); // before rows are compared with the register's cheques
    // A row like a cheque of the last 30 days is left out, unless asked for.
    QList<ChequeJob> jobs;
    for (const BatchRow &row : rows) {
        if (!row.cheque)
            continue;
        if (!command.allowDuplicates) {
            if (const auto earlier = RecentLikeCheque(reg, *row.cheque)) {
                Say(QCoreApplication::translate("BatchCommand",
                                                "Row %1: like a cheque of %2 recorded on %3 (%4); not printed (give "
                                                "--allow-duplicates to print it).")
                        .arg(row.row)
                        .arg(earlier->bank, WriteShortDate(earlier->printedAt.toLocalTime().date()),
                             EarlierCheque(*earlier)));
                continue;
            }
        }
        jobs.append({*row.cheque, *BankLayout(row.bank, context.banks, context.options).layout, 0, row.row});
    }
    ChequeIssuer issuer(reg, *output);
    const IssueRunResult run = IssueRun(issuer, jobs, {}, [](const ChequeJob &job, const IssueResult &result) {
        if (result.prepared)
            Say(QCoreApplication::translate("BatchCommand",
                                            "Row %1: needs the office's approval; recorded as prepared (register "
                                            "number %2), not printed.")
                    .arg(job.row)
                    .arg(result.number));
        else if (!result.problem.isEmpty())
            Say(QCoreApplication::translate("BatchCommand", "Row %1: %2").arg(job.row).arg(result.problem));
    });
    bool stopped = run.ended.has_value(); // the next cheques would fail the same way
    if (const auto failed = issuer.finish()) {
        Say(*failed);
        stopped = true;
    }
    const int total = int(rows.size());
    const int printed = issuer.printed();
    const QString currency =
        FromStd((QGuiApplication::isRightToLeft() ? context.currency.AMoneyName : context.currency.EMoneyName).str());
    Say(CountText("BatchCommand", QT_TRANSLATE_NOOP("BatchCommand", "%L1 of %Ln cheque printed: %2 %3."),
                  QT_TRANSLATE_N_NOOP("BatchCommand", "%L1 of %Ln cheques printed: %2 %3."), total)
            .arg(printed)
            .arg(MinorUnitsText(issuer.printedMinorUnits(), FigureDigits(context.currency)), currency));
    if (printed == total && !stopped)
        return Done;
    return printed > 0 ? SomeNotDone : CannotRun;
}
