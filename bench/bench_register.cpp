// SPDX-License-Identifier: GPL-3.0-or-later
// The register: recording one cheque durably in SQLite against writing the
// same cheque's page to PDF (in the same run); and on a register of
// 1,000,000 cheques, opening the register window, filtering by payee and
// exporting every row to CSV and to a workbook.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include "benchmain.h"
#include "pdfjob.h"

#include "batch/reconcile.h"
#include "desk/registeraccess.h"
#include "gui/register/duewindow.h"
#include "gui/register/registerwindow.h"
#include "layout/chequelayout.h"
#include "output/chequepage.h"
#include "output/pageoutput.h"
#include "register/chequeissuer.h"
#include "register/registerexport.h"

namespace {

Cheque SampleCheque()
{
    return *MakeCheque("SIB", "12/7/26", "Dorvan Eskel Trading L.L.C.", "5000", false, UaeMoney(), "#", false,
                       QLocale(QStringLiteral("en_US")))
                .cheque;
}

void BM_RecordChequeSqlite(benchmark::State &state)
{
    RegisterConnection c;
    c.file = Dir().filePath(QStringLiteral("record.sqlite"));
    ChequeRegister reg(c);
    reg.open();
    const Cheque cheque = SampleCheque();
    // As a print does: recorded as sent (one durable commit), then marked
    // printed (another).
    for (auto _ : state) {
        const ChequeRegister::Recorded r = reg.recordSent(cheque, QStringLiteral("Office printer"));
        reg.markPrinted(r.number);
    }
}
BENCHMARK(BM_RecordChequeSqlite)->Unit(benchmark::kMicrosecond);

void BM_ChequePagePdf(benchmark::State &state)
{
    ChequeLayout layout = FillCheque(InitialLayout(), SampleCheque());
    const ReportPage page = PageFromLayout(layout);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(Dir().filePath(QStringLiteral("cheque.pdf")));
    for (auto _ : state)
        benchmark::DoNotOptimize(RenderChequePage(printer, page));
}
BENCHMARK(BM_ChequePagePdf)->Unit(benchmark::kMicrosecond);

// A run of 250 cheques to one PDF file, each checked and recorded in a
// register on the disk, against its floor: Qt's PDF writer writing the same
// 250 pages of five texts.
constexpr int kRun = 250;

void BM_RunToPdfFile(benchmark::State &state)
{
    RegisterConnection c;
    c.file = Dir().filePath(QStringLiteral("run.sqlite"));
    ChequeRegister reg(c);
    reg.open();
    const Cheque cheque = SampleCheque();
    const ChequeLayout layout = InitialLayout();
    for (auto _ : state) {
        PdfFileOutput output(Dir().filePath(QStringLiteral("run.pdf")));
        ChequeIssuer issuer(reg, output);
        for (int i = 0; i < kRun; ++i)
            if (!issuer.issue(cheque, layout).printed)
                state.SkipWithError("a cheque was not printed");
        if (issuer.finish() || issuer.printed() != kRun)
            state.SkipWithError("the file was not written");
    }
    state.counters["per cheque"] = benchmark::Counter(double(kRun) * double(state.iterations()),
                                                      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_RunToPdfFile)->Unit(benchmark::kMillisecond);

void BM_PdfWriterPages(benchmark::State &state)
{
    // The same five texts at the same places, in the same fonts, on an
    // envelope page at the printer's resolution.
    ChequeLayout filled = FillCheque(InitialLayout(), SampleCheque());
    const ReportPage page = PageFromLayout(filled);
    const double scale = 1200.0 / DesignDpi;
    for (auto _ : state) {
        QPdfWriter pdf(Dir().filePath(QStringLiteral("floor.pdf")));
        pdf.setResolution(1200);
        pdf.setPageLayout(ChequePageLayout(page.portrait));
        QPainter painter(&pdf);
        for (int i = 0; i < kRun; ++i) {
            if (i > 0)
                pdf.newPage();
            for (const ReportLabel &label : page.labels) {
                painter.setFont(label.font);
                painter.drawText(
                    QRectF(label.left * scale, label.top * scale, label.width * scale, label.height * scale),
                    Qt::TextWordWrap, label.caption);
            }
        }
    }
    state.counters["per cheque"] = benchmark::Counter(double(kRun) * double(state.iterations()),
                                                      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_PdfWriterPages)->Unit(benchmark::kMillisecond);

// A register of a million cheques, made once and kept beside the benchmark
// for later runs.
QString MillionRegister()
{
    // (Its cheques dated from 400 days ago to 400 days ahead.)
    const QString file = QDir::temp().filePath(QStringLiteral("cheque-bench-register-1m-dated.sqlite"));
    if (QFile::exists(file))
        return file;
    RegisterConnection c;
    c.file = file + QStringLiteral(".part");
    QFile::remove(c.file);
    {
        ChequeRegister reg(c);
        reg.open();
    }
    {
        QSqlDatabase d = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("filler"));
        d.setDatabaseName(c.file);
        d.open();
        QSqlQuery q(d);
        q.exec(QStringLiteral("BEGIN"));
        q.prepare(QStringLiteral(
            "INSERT INTO cheques (bank, cheque_number, cheque_date, payee, payee_key, amount_minor, digits, "
            "amount_thousandths, currency, currency_arabic, words_en, words_ar, account_only, printed_at, destination, "
            "login, state, cheque_day) VALUES (?, ?, ?, ?, ?, ?, 2, ?, 'Dhs', 'درهم', ?, ?, 0, ?, 'Office printer', "
            "'clerk', 'printed', ?)"));
        const QStringList payees{QStringLiteral("محمد أحمد"),          QStringLiteral("Dorvan Eskel"),
                                 QStringLiteral("شركة النور للتجارة"), QStringLiteral("Al Noor School"),
                                 QStringLiteral("عبد الله سالم"),      QStringLiteral("Mohamed Ali")};
        const Cheque sample = SampleCheque();
        const QDateTime start = QDateTime::currentDateTimeUtc().addYears(-4);
        for (int i = 0; i < 1000000; ++i) {
            const QString bank = i % 3 ? QStringLiteral("SIB") : QStringLiteral("FAB");
            const QString payee = payees[i % payees.size()] + QStringLiteral(" %1").arg(i % 997);
            const qint64 minor = 1000 + (i * 7919LL) % 10000000;
            q.addBindValue(bank);
            q.addBindValue(i + 1);
            q.addBindValue(QStringLiteral("12/7/26"));
            q.addBindValue(payee);
            q.addBindValue(PayeeKey(payee));
            q.addBindValue(minor);
            q.addBindValue(minor * 10);
            q.addBindValue(sample.english);
            q.addBindValue(sample.arabic);
            q.addBindValue(start.addSecs(i * 120LL).toString(Qt::ISODateWithMs));
            q.addBindValue(QDate::currentDate().addDays(-400 + i % 800).toString(Qt::ISODate));
            q.exec();
        }
        q.exec(QStringLiteral("COMMIT"));
        d.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("filler"));
    QFile::rename(c.file, file);
    return file;
}

struct MillionWindow
{
    RegisterAccess access;
    RegisterWindow window;
    MillionWindow() : access(Dir().filePath(QStringLiteral("settings.ini")), QDir::tempPath()), window(access)
    {
        RegisterConnection c;
        c.file = MillionRegister();
        access.setConnection(c);
    }
};

void BM_OpenRegisterWindow1M(benchmark::State &state)
{
    MillionRegister();
    for (auto _ : state) {
        MillionWindow w;
        w.window.refresh(); // the first page of the table and the totals
        w.window.show();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_OpenRegisterWindow1M)->Unit(benchmark::kMillisecond)->Iterations(5);

// The due dates of a million cheques (those of the next twelve months and
// the overdue ones): the window opened with its tables and chart, against
// the SQLite tool giving the same sums per day, bank and currency.
void BM_OpenDueWindow1M(benchmark::State &state)
{
    MillionRegister();
    for (auto _ : state) {
        MillionWindow w;
        DueWindow due(w.access);
        due.show();
        QCoreApplication::processEvents();
        if (due.dueDates().months.isEmpty())
            state.SkipWithError("no cheque is due");
    }
}
BENCHMARK(BM_OpenDueWindow1M)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_SqliteCliDueDays1M(benchmark::State &state)
{
    const QString file = MillionRegister();
    const QDate today = QDate::currentDate();
    const QString sql =
        QStringLiteral("SELECT cheque_day, bank, currency, digits, count(*), sum(amount_minor) FROM "
                       "cheques WHERE cheque_day >= '%1' AND cheque_day <= '%2' AND +state IN ('sent', "
                       "'printed', 'delivered') GROUP BY cheque_day, bank, currency, digits")
            .arg(today.addMonths(-DefaultValidityMonths).toString(Qt::ISODate),
                 QDate(today.year(), today.month(), 1).addMonths(DueMonths).addDays(-1).toString(Qt::ISODate));
    for (auto _ : state) {
        QProcess cli;
        cli.start(QStringLiteral("sqlite3"), {QStringLiteral("-readonly"), file, sql});
        if (!cli.waitForFinished(600000) || cli.exitCode() != 0 || cli.readAllStandardOutput().isEmpty()) {
            state.SkipWithError("sqlite3 cannot sum the due days");
            return;
        }
    }
}
BENCHMARK(BM_SqliteCliDueDays1M)->Unit(benchmark::kMillisecond)->Iterations(5);

// What the first write of a session costs on a register of a million
// cheques (the check that the file is sound comes before it), against
// opening the register and reading the first page of its table.
void BM_FirstPage1M(benchmark::State &state)
{
    RegisterConnection c;
    c.file = MillionRegister();
    for (auto _ : state) {
        ChequeRegister reg(c);
        benchmark::DoNotOptimize(reg.page({}, RegisterOrder::Number, true, std::nullopt, 256));
    }
}
BENCHMARK(BM_FirstPage1M)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_FirstWrite1M(benchmark::State &state)
{
    RegisterConnection c;
    c.file = MillionRegister();
    for (auto _ : state) {
        ChequeRegister reg(c);
        reg.setNextChequeNumber(QStringLiteral("ADCB"), 1);
    }
}
BENCHMARK(BM_FirstWrite1M)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_FilterByPayee1M(benchmark::State &state)
{
    MillionWindow w;
    w.window.show();
    auto *payee = w.window.findChild<QLineEdit *>(QStringLiteral("PayeeEd"));
    int i = 0;
    for (auto _ : state) {
        payee->setText(i++ % 2 ? QStringLiteral("محمد") : QStringLiteral("mohamed"));
        w.window.refresh();
    }
}
BENCHMARK(BM_FilterByPayee1M)->Unit(benchmark::kMillisecond)->Iterations(6);

void BM_Export1M(benchmark::State &state, ExportFormat format, const char *name)
{
    RegisterConnection c;
    c.file = MillionRegister();
    ChequeRegister reg(c);
    reg.open();
    const QString file = Dir().filePath(QString::fromLatin1(name));
    for (auto _ : state)
        benchmark::DoNotOptimize(ExportRegister(reg, {}, format, file));
    state.counters["MB"] = double(QFileInfo(file).size()) / 1e6;
}
BENCHMARK_CAPTURE(BM_Export1M, Csv, ExportFormat::Csv, "cheques.csv")->Unit(benchmark::kMillisecond)->Iterations(3);

// The floor of the CSV export: the SQLite command-line tool writing the same
// columns of every cheque as CSV to a file. Skipped without the tool.
void BM_SqliteCliCsv1M(benchmark::State &state)
{
    const QString file = MillionRegister();
    const QString out = Dir().filePath(QStringLiteral("cheques-cli.csv"));
    for (auto _ : state) {
        QProcess cli;
        cli.setStandardOutputFile(out);
        cli.start(QStringLiteral("sqlite3"),
                  {QStringLiteral("-readonly"), QStringLiteral("-csv"), QStringLiteral("-header"), file,
                   QStringLiteral("SELECT id, printed_at, bank, cheque_number, cheque_date, payee, amount_minor, "
                                  "currency, account_only, state, reason, replaces, destination, login, words_en, "
                                  "words_ar, cheque_date FROM cheques ORDER BY id")});
        if (!cli.waitForFinished(600000) || cli.exitCode() != 0) {
            state.SkipWithError("sqlite3 cannot export the register");
            return;
        }
    }
    state.counters["MB"] = double(QFileInfo(out).size()) / 1e6;
}
BENCHMARK(BM_SqliteCliCsv1M)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_Export1M, Workbook, ExportFormat::Workbook, "cheques.xlsx")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// Reconciling: a register of 10,000 printed cheques of one bank and the
// bank's statement paying each of them, as the program reconciles it
// against the SQLite tool importing the same statement and clearing the
// same cheques with one UPDATE.
constexpr int kStatementLines = 10000;

QString StatementRegister()
{
    const QString file = Dir().filePath(QStringLiteral("statement-register.sqlite"));
    if (QFile::exists(file))
        return file;
    RegisterConnection c;
    c.file = file + QStringLiteral(".part");
    QFile::remove(c.file);
    {
        ChequeRegister reg(c);
        reg.open();
    }
    {
        QSqlDatabase d = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("statement"));
        d.setDatabaseName(c.file);
        d.open();
        QSqlQuery q(d);
        q.exec(QStringLiteral("BEGIN"));
        q.prepare(QStringLiteral(
            "INSERT INTO cheques (bank, cheque_number, cheque_date, payee, payee_key, amount_minor, digits, "
            "amount_thousandths, currency, currency_arabic, words_en, words_ar, account_only, printed_at, destination, "
            "login, state, cheque_day) VALUES ('SIB', ?, '12/7/26', 'Dorvan', 'dorvan', ?, 2, ?, 'Dhs', 'درهم', 'e', "
            "'a', 0, '2026-12-07T10:00:00.000Z', 'Office printer', 'clerk', 'printed', '2026-12-07')"));
        for (int i = 1; i <= kStatementLines; ++i) {
            q.addBindValue(i);
            q.addBindValue(100000 + i);
            q.addBindValue((100000 + i) * 10);
            q.exec();
        }
        q.exec(QStringLiteral("COMMIT"));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("statement"));
    QFile::rename(c.file, file);
    return file;
}

QString StatementFile()
{
    const QString file = Dir().filePath(QStringLiteral("statement.csv"));
    QFile out(file);
    out.open(QIODevice::WriteOnly);
    out.write("Date,Cheque Number,Amount,Description\n");
    for (int i = 1; i <= kStatementLines; ++i)
        out.write(QStringLiteral("2027-01-%1,%2,%3.%4,cheque paid\n")
                      .arg(1 + i % 28, 2, 10, QLatin1Char('0'))
                      .arg(i)
                      .arg((100000 + i) / 100)
                      .arg((100000 + i) % 100, 2, 10, QLatin1Char('0'))
                      .toUtf8());
    return file;
}

// A fresh copy of the register of printed cheques.
QString RegisterCopy()
{
    const QString copy = Dir().filePath(QStringLiteral("statement-copy.sqlite"));
    for (const char *suffix : {"", "-wal", "-shm"})
        QFile::remove(copy + QLatin1String(suffix));
    QFile::copy(StatementRegister(), copy);
    return copy;
}

void BM_Reconcile10k(benchmark::State &state)
{
    const QString statement = StatementFile();
    for (auto _ : state) {
        state.PauseTiming();
        RegisterConnection c;
        c.file = RegisterCopy();
        state.ResumeTiming();
        ChequeRegister reg(c);
        const Reconciliation done = ReconcileStatement(reg, statement, QStringLiteral("SIB"));
        if (done.cleared != kStatementLines)
            state.SkipWithError("a line was not matched");
    }
}
BENCHMARK(BM_Reconcile10k)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_SqliteCliReconcile10k(benchmark::State &state)
{
    const QString statement = StatementFile();
    for (auto _ : state) {
        state.PauseTiming();
        const QString copy = RegisterCopy();
        state.ResumeTiming();
        QProcess cli;
        cli.start(
            QStringLiteral("sqlite3"),
            {copy, QStringLiteral("CREATE TABLE st (c1 TEXT, c2 TEXT, c3 TEXT, c4 TEXT)"), QStringLiteral(".mode csv"),
             QStringLiteral(".import --skip 1 %1 st").arg(statement),
             QStringLiteral("UPDATE cheques SET state = 'cleared', state_day = st.c1 FROM st WHERE cheques.bank = "
                            "'SIB' AND cheques.cheque_number = CAST(st.c2 AS INTEGER) AND "
                            "cheques.amount_thousandths = CAST(round(st.c3 * 1000) AS INTEGER) AND "
                            "cheques.state IN ('printed', 'delivered', 'returned')"),
             QStringLiteral("SELECT changes()")});
        if (!cli.waitForFinished(600000) || cli.exitCode() != 0
            || cli.readAllStandardOutput().trimmed() != QByteArray::number(kStatementLines)) {
            state.SkipWithError("sqlite3 cannot clear the statement's cheques");
            return;
        }
    }
}
BENCHMARK(BM_SqliteCliReconcile10k)->Unit(benchmark::kMillisecond)->Iterations(5);

// The private server of tests/postgres_register.sh, if the benchmark runs
// under it.
std::optional<RegisterConnection> Server()
{
    if (qEnvironmentVariableIsEmpty("CHEQUE_PG_HOST"))
        return std::nullopt;
    RegisterConnection c;
    c.driver = QStringLiteral("QPSQL");
    c.host = qEnvironmentVariable("CHEQUE_PG_HOST");
    c.database = qEnvironmentVariable("CHEQUE_PG_DATABASE");
    c.user = qEnvironmentVariable("CHEQUE_PG_USER");
    c.port = qEnvironmentVariableIntValue("CHEQUE_PG_PORT");
    return c;
}

// A connection of the benchmark's own to the server's database, opened.
QSqlDatabase OpenServer(const RegisterConnection &server, const QString &name)
{
    QSqlDatabase d = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
    d.setHostName(server.host);
    d.setPort(server.port);
    d.setDatabaseName(server.database);
    d.setUserName(server.user);
    d.open();
    return d;
}

constexpr int kApprovals = 1000;

// Approving 1,000 cheques one at a time, as an approver does from the
// register window: each in its own transaction, its row locked, the rules
// checked and its event chained by the server.
void BM_Approve1000(benchmark::State &state)
{
    const auto server = Server();
    if (!server) {
        state.SkipWithError("no PostgreSQL server (run under tests/postgres_register.sh)");
        return;
    }
    ChequeRegister owner(*server);
    owner.setUpOfficeRoles();
    owner.setApprovalRule({}, QStringLiteral("Dhs"), 0);
    owner.setApprovalLimit(server->user, QStringLiteral("Dhs"), 1000000000);
    {
        QSqlDatabase d = OpenServer(*server, QStringLiteral("setup"));
        QSqlQuery(d).exec(QStringLiteral("CREATE ROLE preparer LOGIN IN ROLE cheque_clerks"));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("setup"));
    RegisterConnection asPreparer = *server;
    asPreparer.user = QStringLiteral("preparer");
    ChequeRegister preparer(asPreparer);
    const Cheque cheque = SampleCheque();
    try {
        owner.addAccount(cheque.bank, cheque.currency);
    } catch (const ChequeError &) {
        // there already
    }
    for (auto _ : state) {
        state.PauseTiming();
        QList<qint64> prepared;
        for (int i = 0; i < kApprovals; ++i)
            prepared << preparer.recordSent(cheque, QStringLiteral("printer")).number;
        state.ResumeTiming();
        for (qint64 number : std::as_const(prepared))
            owner.decide(number, true, QStringLiteral("ok"));
    }
}
BENCHMARK(BM_Approve1000)->Unit(benchmark::kMillisecond)->Iterations(3);

// Recording a cheque on a server through the register's function (the
// server checks the account, the amount and the rules and takes the number)
// against the statements the program sent itself before: the same rules'
// question, number, cheque book check and insert, as the owner, in one
// transaction each. The register's triggers (its guard, its history) run
// in both.
void BM_RecordServerApi(benchmark::State &state)
{
    const auto server = Server();
    if (!server) {
        state.SkipWithError("no PostgreSQL server (run under tests/postgres_register.sh)");
        return;
    }
    ChequeRegister reg(*server);
    const Cheque cheque = SampleCheque();
    for (auto _ : state)
        benchmark::DoNotOptimize(reg.recordSent(cheque, QStringLiteral("Office printer")));
}
BENCHMARK(BM_RecordServerApi)->Unit(benchmark::kMicrosecond);

void BM_RecordServerDirect(benchmark::State &state)
{
    const auto server = Server();
    if (!server) {
        state.SkipWithError("no PostgreSQL server (run under tests/postgres_register.sh)");
        return;
    }
    ChequeRegister(*server).open(); // its tables
    {
        QSqlDatabase d = OpenServer(*server, QStringLiteral("direct"));
        const Cheque c = SampleCheque();
        QSqlQuery need(d), number(d), leaf(d), insert(d), sql(d);
        need.prepare(QStringLiteral("SELECT cheque_needs_approval(:bank, :currency, :thousandths)"));
        number.prepare(QStringLiteral("INSERT INTO cheque_numbers (bank, next_number) VALUES (:bank, 2) ON CONFLICT "
                                      "(bank) DO UPDATE SET next_number = cheque_numbers.next_number + 1 RETURNING "
                                      "next_number - 1"));
        leaf.prepare(QStringLiteral("SELECT (SELECT count(*) FROM cheque_books WHERE bank = :bank), (SELECT "
                                    "count(*) FROM cheque_books WHERE bank = :bank2 AND :number BETWEEN first_leaf "
                                    "AND last_leaf)"));
        insert.prepare(QStringLiteral(
            "INSERT INTO cheques (bank, cheque_number, cheque_date, payee, payee_key, amount_minor, digits, "
            "amount_thousandths, currency, currency_arabic, words_en, words_ar, account_only, printed_at, "
            "destination, login, state, replaces, cheque_day, job) VALUES (:bank, :number, :date, :payee, :key, "
            ":minor, 2, :thousandths, 'Dhs', 'درهم', :en, :ar, 0, :at, 'Office printer', 'x', 'sent', NULL, "
            "'2026-12-07', NULL) RETURNING id"));
        for (auto _ : state) {
            sql.exec(QStringLiteral("BEGIN ISOLATION LEVEL READ COMMITTED"));
            sql.exec(QStringLiteral("SELECT pg_advisory_xact_lock(726345)"));
            for (QSqlQuery *q : {&need, &number})
                q->bindValue(QStringLiteral(":bank"), c.bank);
            need.bindValue(QStringLiteral(":currency"), QStringLiteral("Dhs"));
            need.bindValue(QStringLiteral(":thousandths"), c.minorUnits * 10);
            need.exec();
            number.exec();
            number.next();
            const qint64 n = number.value(0).toLongLong();
            leaf.bindValue(QStringLiteral(":bank"), c.bank);
            leaf.bindValue(QStringLiteral(":bank2"), c.bank);
            leaf.bindValue(QStringLiteral(":number"), n);
            leaf.exec();
            const QVariantMap values{{QStringLiteral(":bank"), c.bank},
                                     {QStringLiteral(":number"), n},
                                     {QStringLiteral(":date"), c.date},
                                     {QStringLiteral(":payee"), c.payee},
                                     {QStringLiteral(":key"), c.payee},
                                     {QStringLiteral(":minor"), c.minorUnits},
                                     {QStringLiteral(":thousandths"), c.minorUnits * 10},
                                     {QStringLiteral(":en"), c.english},
                                     {QStringLiteral(":ar"), c.arabic},
                                     {QStringLiteral(":at"), QStringLiteral("2026-12-08T10:00:00.000Z")}};
            for (auto it = values.begin(); it != values.end(); ++it)
                insert.bindValue(it.key(), it.value());
            if (!insert.exec() || !sql.exec(QStringLiteral("COMMIT"))) {
                state.SkipWithError(qPrintable(insert.lastError().text()));
                break;
            }
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("direct"));
}
BENCHMARK(BM_RecordServerDirect)->Unit(benchmark::kMicrosecond);

// Its floor: 1,000 single-row updates on the same server, each committed.
void BM_PlainUpdates1000(benchmark::State &state)
{
    const auto server = Server();
    if (!server) {
        state.SkipWithError("no PostgreSQL server (run under tests/postgres_register.sh)");
        return;
    }
    {
        QSqlDatabase d = OpenServer(*server, QStringLiteral("floor"));
        QSqlQuery q(d);
        q.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS floor_rows (id BIGINT PRIMARY KEY, state TEXT NOT NULL)"));
        q.exec(QStringLiteral("INSERT INTO floor_rows SELECT g, 'prepared' FROM generate_series(1, %1) g ON "
                              "CONFLICT DO NOTHING")
                   .arg(kApprovals));
        q.prepare(QStringLiteral("UPDATE floor_rows SET state = :state WHERE id = :id"));
        for (auto _ : state)
            for (int i = 1; i <= kApprovals; ++i) {
                q.bindValue(QStringLiteral(":state"),
                            state.iterations() % 2 ? QStringLiteral("approved") : QStringLiteral("prepared"));
                q.bindValue(QStringLiteral(":id"), i);
                q.exec();
            }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("floor"));
}
BENCHMARK(BM_PlainUpdates1000)->Unit(benchmark::kMillisecond)->Iterations(3);

// The CSV export from a server register of a million cheques (filled with
// the server's own triggers off, as a restore fills it) against its floor:
// psql's \copy writing the same columns as CSV.
constexpr int kServerCheques = 1000000;

bool FillServerRegister(const RegisterConnection &server)
{
    ChequeRegister reg(server);
    reg.open();
    QSqlDatabase d = OpenServer(server, QStringLiteral("million"));
    bool filled = d.isOpen();
    {
        QSqlQuery q(d);
        filled = filled && q.exec(QStringLiteral("SELECT count(*) FROM cheques")) && q.next();
        if (filled && q.value(0).toLongLong() < kServerCheques)
            filled = q.exec(QStringLiteral("ALTER TABLE cheques DISABLE TRIGGER USER"))
                && q.exec(
                    QStringLiteral(
                        "INSERT INTO cheques (bank, cheque_number, cheque_date, payee, payee_key, amount_minor, "
                        "digits, amount_thousandths, currency, currency_arabic, words_en, words_ar, account_only, "
                        "printed_at, destination, login, state, cheque_day) SELECT CASE g % 3 WHEN 0 THEN 'SIB' "
                        "WHEN 1 THEN 'FAB' ELSE 'ENBD' END, g, '12/7/26', CASE g % 2 WHEN 0 THEN 'محمد أحمد' "
                        "ELSE 'Dorvan Eskel' END, 'payee', 100000 + g, 2, (100000 + g) * 10, 'Dhs', 'درهم', "
                        "'Only One Thousand Dhs', 'فقط ألف درهم لا غير', 0, "
                        "to_char(timestamp '2025-01-01' + g * interval '30 seconds', "
                        "'YYYY-MM-DD\"T\"HH24:MI:SS.MS\"Z\"'), 'Office printer', 'clerk', 'printed', "
                        "'2026-12-07' FROM generate_series(1, %1) g")
                        .arg(kServerCheques))
                && q.exec(QStringLiteral("ALTER TABLE cheques ENABLE TRIGGER USER"));
    }
    d.close();
    QSqlDatabase::removeDatabase(QStringLiteral("million"));
    return filled;
}

void BM_Export1MServer(benchmark::State &state)
{
    const auto server = Server();
    if (!server || !FillServerRegister(*server)) {
        state.SkipWithError("no PostgreSQL server (run under tests/postgres_register.sh)");
        return;
    }
    ChequeRegister reg(*server);
    const QString file = Dir().filePath(QStringLiteral("server-cheques.csv"));
    for (auto _ : state)
        benchmark::DoNotOptimize(ExportRegister(reg, {}, ExportFormat::Csv, file));
    state.counters["MB"] = double(QFileInfo(file).size()) / 1e6;
}
BENCHMARK(BM_Export1MServer)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PsqlCopy1M(benchmark::State &state)
{
    const auto server = Server();
    if (!server || !FillServerRegister(*server)) {
        state.SkipWithError("no PostgreSQL server (run under tests/postgres_register.sh)");
        return;
    }
    const QString out = Dir().filePath(QStringLiteral("server-cheques-psql.csv"));
    for (auto _ : state) {
        QProcess psql;
        psql.start(QStringLiteral("psql"),
                   {QStringLiteral("-h"), server->host, QStringLiteral("-p"), QString::number(server->port),
                    QStringLiteral("-U"), server->user, QStringLiteral("-d"), server->database, QStringLiteral("-c"),
                    QStringLiteral("\\copy (SELECT id, printed_at, bank, cheque_number, cheque_date, payee, "
                                   "amount_minor, currency, account_only, state, reason, replaces, destination, login, "
                                   "words_en, words_ar, cheque_date FROM cheques ORDER BY id DESC) TO '%1' CSV HEADER")
                        .arg(out)});
        if (!psql.waitForFinished(600000) || psql.exitCode() != 0) {
            state.SkipWithError("psql cannot copy the register");
            return;
        }
    }
    state.counters["MB"] = double(QFileInfo(out).size()) / 1e6;
}
BENCHMARK(BM_PsqlCopy1M)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

CHEQUE_BENCHMARK_MAIN()
