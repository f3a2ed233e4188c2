// SPDX-License-Identifier: GPL-3.0-or-later
// The register of printed cheques on a real SQLite file and, when the test
// script has started one (tests/postgres_register.sh), a real PostgreSQL
// server: numbers, record before paper, duplicates, filters, totals, pages,
// files that are not registers, a locked register, a killed print run, and
// two programs printing into one register at once.

#include <QDir>
#include <QMutex>
#include <QProcess>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <random>
#include <thread>
#include <unistd.h>

#include "errorof.h"
#include "pdftext.h"
#include "testfiles.h"

#include "core/chequeerror.h"
#include "core/datafile.h"
#include "layout/chequelayout.h"
#include "output/pageoutput.h"
#include "output/printrun.h"
#include "register/chequeissuer.h"
#include "register/duedates.h"
#include "register/registerexport.h"
#include "register/registerreport.h"
#include "register/registerschema.h"

#include <QPdfWriter>

namespace {

Cheque Make(const QString &bank, const QString &payee, const QString &amount, MonyType money = UaeMoney())
{
    const ChequeOrProblem made = MakeCheque(bank, "1/31/26", payee, amount, false, money, "#", false, QLocale("en_US"));
    if (!made.cheque)
        qFatal("%s", qPrintable(made.problem));
    return *made.cheque;
}

std::optional<QString> Printed(const ChequeRegister::Recorded &) { return std::nullopt; }

// The PostgreSQL server of the test script, if there is one.
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

// A connection of its own to a register's database, as another program or
// login would make it.
QSqlDatabase OpenAs(const QString &name, const RegisterConnection &c)
{
    QSqlDatabase d = QSqlDatabase::addDatabase(c.isServer() ? "QPSQL" : "QSQLITE", name);
    d.setHostName(c.host);
    d.setPort(c.port);
    d.setDatabaseName(c.isServer() ? c.database : c.file);
    d.setUserName(c.user);
    d.open();
    return d;
}

} // namespace

class TestRegister : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void recordsBeforePaperAndNumbersEachBank_data();
    void recordsBeforePaperAndNumbersEachBank();
    void aChequeThatCannotBeRecordedIsNotPrinted();
    void voidSpoiltAndReprint();
    void duplicatesOfTheLastThirtyDays();
    void filtersTotalsAndPages();
    void payeesAsUsersWriteThem_data();
    void payeesAsUsersWriteThem();
    void filesThatAreNotRegistersAreLeftAlone_data();
    void filesThatAreNotRegistersAreLeftAlone();
    void newerSchemaIsRefused();
    void aReadOnlyRegisterLeavesNothingBehind();
    void olderSchemaIsUpgradedInPlace();
    void lockedRegisterPrintsNothing();
    void stoppedServerPrintsNothing();
    void killedRunRecordsWhatWasPrinted();
    void messagesSayWhatIsWrong();
    void aServerThatStopsAnsweringIsGivenUp();
    void twoProgramsShareOneNumbering_data();
    void twoProgramsShareOneNumbering();
    void csvFields_data();
    void csvFields();
    void exportTimesAreLocal();
    void filterAmountsAndStateChanges();
    void exportsWhatIsShown_data();
    void exportsWhatIsShown();
    void exportFromStoredColumns();
    void reportOfWhatIsShown();
    void exactTotalsText();
    void historyIsAppendOnlyAndChained_data() { addConnections(); }
    void historyIsAppendOnlyAndChained();
    void encryptedConnections();
    void theServerDecidesForEveryLogin();
    void approvalBeforePrint();
    void lifeAfterPrint_data() { addConnections(); }
    void lifeAfterPrint();
    void chequeBooks_data() { addConnections(); }
    void chequeBooks();
    void dueDates();

private:
    RegisterConnection sqlite(const char *name = "register.sqlite") const
    {
        RegisterConnection c;
        c.file = m_dir->filePath(QString::fromLatin1(name));
        return c;
    }
    void addConnections();

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_said; ///< what a program run by a test said
    int m_status = 0;
};

void TestRegister::init() { m_dir = std::make_unique<QTemporaryDir>(); }

void TestRegister::cleanup()
{
    // The server's register is emptied for the next test.
    if (const auto server = Server()) {
        QSqlDatabase d = QSqlDatabase::addDatabase("QPSQL", "cleanup");
        d.setHostName(server->host);
        d.setPort(server->port);
        d.setDatabaseName(server->database);
        d.setUserName(server->user);
        if (d.open() && QSqlQuery(d).exec("SET client_min_messages = warning"))
            for (const char *table : {"cheque_events", "cheques", "file_jobs", "cheque_numbers", "register_info",
                                      "cheque_approval_rules", "cheque_approval_limits", "cheque_books",
                                      "cheque_accounts", "register_lock"})
                QSqlQuery(d).exec(QStringLiteral("DROP TABLE IF EXISTS %1 CASCADE").arg(QLatin1String(table)));
        d.close();
        d = QSqlDatabase();
        QSqlDatabase::removeDatabase("cleanup");
    }
    m_dir.reset();
}

void TestRegister::addConnections()
{
    QTest::addColumn<bool>("server");
    QTest::newRow("SQLite file") << false;
    QTest::newRow("PostgreSQL server") << true;
}

void TestRegister::recordsBeforePaperAndNumbersEachBank_data() { addConnections(); }

void TestRegister::recordsBeforePaperAndNumbersEachBank()
{
    QFETCH(bool, server);
    if (server && !Server())
        QSKIP("no PostgreSQL server (tests/postgres_register.sh starts one)");
    ChequeRegister reg(server ? *Server() : sqlite());
    reg.open();
    QCOMPARE(reg.nextChequeNumber("ADCB"), 1);
    reg.setNextChequeNumber("ADCB", 100231); // a new cheque book
    const Cheque cheque = Make("ADCB", "Dorvan Eskel", "2147483647.25");
    // While its page goes out, the cheque is already in the register, as sent.
    std::optional<RegisteredCheque> inFlight;
    const IssueResult first = IssueCheque(reg, cheque, "Office printer", [&](const ChequeRegister::Recorded &r) {
        inFlight = reg.cheque(r.number);
        return std::optional<QString>();
    });
    QVERIFY2(first.printed, qPrintable(first.problem));
    QVERIFY(inFlight && inFlight->state == ChequeState::Sent);
    QCOMPARE(first.chequeNumber, 100231);
    const IssueResult second = IssueCheque(reg, Make("ADCB", "محمد", "5"), "Office printer", Printed);
    QCOMPARE(second.chequeNumber, 100232);
    QCOMPARE(IssueCheque(reg, Make("FAB", "x", "1"), "File", Printed).chequeNumber, 1); // each bank its own
    QCOMPARE(reg.nextChequeNumber("ADCB"), 100233);

    const RegisteredCheque stored = *reg.cheque(first.number);
    QCOMPARE(stored.state, ChequeState::Printed);
    QCOMPARE(stored.bank, QStringLiteral("ADCB"));
    QCOMPARE(stored.payee, QStringLiteral("Dorvan Eskel"));
    QCOMPARE(stored.minorUnits, 214748364725LL); // exact, beyond 32 bits
    QCOMPARE(stored.amountText(), QStringLiteral("2147483647.25"));
    QCOMPARE(stored.english, cheque.english);
    QCOMPARE(stored.arabic, cheque.arabic);
    QCOMPARE(stored.currency, QStringLiteral("Dhs"));
    QCOMPARE(stored.destination, QStringLiteral("Office printer"));
    QVERIFY(!stored.login.isEmpty());
    QVERIFY(qAbs(stored.printedAt.secsTo(QDateTime::currentDateTimeUtc())) < 60);
    QCOMPARE(stored.printedAt.timeSpec(), Qt::UTC);
    // A page that did not go out is marked failed, with the reason.
    const IssueResult failed = IssueCheque(reg, cheque, "Office printer", [](const ChequeRegister::Recorded &) {
        return std::optional<QString>("the printer is out of paper");
    });
    QVERIFY(!failed.printed);
    QCOMPARE(reg.cheque(failed.number)->state, ChequeState::Failed);
    QCOMPARE(reg.cheque(failed.number)->reason, QStringLiteral("the printer is out of paper"));
}

void TestRegister::aChequeThatCannotBeRecordedIsNotPrinted()
{
    // A folder where the register file belongs.
    QVERIFY(QDir(m_dir->path()).mkdir("register.sqlite"));
    ChequeRegister reg(sqlite());
    bool printed = false;
    const IssueResult result = IssueCheque(reg, Make("SIB", "A", "5"), "x", [&](const ChequeRegister::Recorded &) {
        printed = true;
        return std::optional<QString>();
    });
    QVERIFY(!printed);
    QVERIFY(!result.printed);
    QVERIFY2(result.problem.contains("register.sqlite") && result.problem.contains("not printed"),
             qPrintable(result.problem));
}

void TestRegister::voidSpoiltAndReprint()
{
    ChequeRegister reg(sqlite());
    const IssueResult first = IssueCheque(reg, Make("SIB", "A", "10"), "p", Printed);
    const IssueResult reprint = IssueCheque(reg, Make("SIB", "A", "10"), "p", Printed, first.number);
    reg.markSpoilt(first.number, "torn in the printer");
    QCOMPARE(reg.cheque(reprint.number)->replaces, first.number);
    QCOMPARE(reprint.chequeNumber, first.chequeNumber + 1);
    QCOMPARE(reg.cheque(first.number)->state, ChequeState::Spoilt);
    reg.voidCheque(reprint.number, "paid by transfer instead");
    const RegisteredCheque voided = *reg.cheque(reprint.number);
    QCOMPARE(voided.state, ChequeState::Voided);
    QCOMPARE(voided.reason, QStringLiteral("paid by transfer instead"));
    QVERIFY2(ErrorOf([&] { reg.voidCheque(999, "x"); }).contains("no cheque 999"), "");
    // A void or a spoilt cheque without its reason is refused.
    const IssueResult third = IssueCheque(reg, Make("SIB", "B", "20"), "p", Printed);
    QVERIFY(ErrorOf([&] { reg.voidCheque(third.number, "  "); }).contains("reason"));
    QVERIFY(ErrorOf([&] { reg.markSpoilt(third.number, QString()); }).contains("reason"));
    QCOMPARE(reg.cheque(third.number)->state, ChequeState::Printed);

    // The totals count the cheques that stand; the others are shown apart.
    IssueCheque(reg, Make("FAB", "C", "5"), "p", Printed);
    QCOMPARE(TotalsText(reg.stateTotals({})),
             QStringLiteral("2 cheques: 25.00 Dhs (not counted: 1 voided, 10.00; 1 spoilt, 10.00)"));
    QCOMPARE(reg.totals({}).value(0).minorUnits, 2500);
    QCOMPARE(SubtotalLines(reg.stateTotals({})),
             QStringList({"Bank FAB: 1 cheque: 5.00 Dhs",
                          "Bank SIB: 1 cheque: 20.00 Dhs (not counted: 1 voided, "
                          "10.00; 1 spoilt, 10.00)",
                          "State printed: 2 cheques: 25.00 Dhs", "State voided: 1 cheque: 10.00 Dhs",
                          "State spoilt: 1 cheque: 10.00 Dhs"}));
}

void TestRegister::duplicatesOfTheLastThirtyDays()
{
    ChequeRegister reg(sqlite());
    const IssueResult first = IssueCheque(reg, Make("SIB", "محمد أحمد", "2500"), "p", Printed);
    const QDateTime month = QDateTime::currentDateTimeUtc().addDays(-30);
    // The same bank, payee (as it is compared) and amount.
    const auto same = reg.findDuplicate(Make("SIB", "محمد احمد", "2500.00"), month);
    QVERIFY(same);
    QCOMPARE(same->number, first.number);
    QVERIFY(!reg.findDuplicate(Make("FAB", "محمد أحمد", "2500"), month));
    QVERIFY(!reg.findDuplicate(Make("SIB", "محمد أحمد", "2500.01"), month));
    QVERIFY(!reg.findDuplicate(Make("SIB", "محمد أحمد", "2500"), QDateTime::currentDateTimeUtc().addSecs(60)));
    reg.voidCheque(first.number, "wrong");
    QVERIFY(!reg.findDuplicate(Make("SIB", "محمد أحمد", "2500"), month)); // a voided one does not count
}

void TestRegister::filtersTotalsAndPages()
{
    ChequeRegister reg(sqlite());
    MonyType kwd = UaeMoney();
    kwd.EMoneyName = "KD";
    kwd.PartDigits = 3;
    // 0.10 + 0.20 + … in sub-units: exact totals, whatever a double would say.
    for (int i = 0; i < 1200; ++i)
        IssueCheque(reg,
                    Make(i % 2 ? "SIB" : "FAB", QStringLiteral("Payee %1").arg(i % 7),
                         QStringLiteral("0.%1").arg(10 + i % 3 * 10)),
                    "p", Printed);
    IssueCheque(reg, Make("SIB", "Big", "2147483647.5", kwd), "p", Printed);
    RegisterFilter all;
    const QList<ChequeRegister::Total> totals = reg.totals(all);
    QCOMPARE(totals.size(), 2);
    QCOMPARE(totals[0].currency, QStringLiteral("Dhs"));
    QCOMPARE(totals[0].count, 1200);
    QCOMPARE(totals[0].minorUnits, 400 * (10 + 20 + 30));
    QCOMPARE(totals[1].currency, QStringLiteral("KD"));
    QCOMPARE(totals[1].minorUnits, 2147483647500LL);

    RegisterFilter some;
    some.bank = "SIB";
    some.payee = "payee 3";    // case does not matter
    some.minThousandths = 200; // 0.20 and above
    some.maxThousandths = 300;
    some.state = ChequeState::Printed;
    some.from = QDate::currentDate().addDays(-1);
    some.to = QDate::currentDate();
    int expected = 0;
    for (int i = 0; i < 1200; ++i)
        expected += i % 2 && i % 7 == 3 && i % 3 != 0;
    QCOMPARE(reg.totals(some).value(0).count, expected);
    some.to = QDate::currentDate().addDays(-1);
    QVERIFY(reg.totals(some).isEmpty());

    // Every order, page after page: each cheque once, in order.
    for (RegisterOrder order : {RegisterOrder::Number, RegisterOrder::Bank, RegisterOrder::Payee, RegisterOrder::Amount,
                                RegisterOrder::ChequeNumber, RegisterOrder::PrintedAt, RegisterOrder::State}) {
        for (bool descending : {true, false}) {
            QSet<qint64> seen;
            std::optional<ChequeRegister::PageKey> after;
            QVariant last;
            for (;;) {
                const QList<RegisteredCheque> rows = reg.page(all, order, descending, after, 97);
                if (rows.isEmpty())
                    break;
                for (const RegisteredCheque &row : rows) {
                    QVERIFY(!seen.contains(row.number));
                    seen.insert(row.number);
                    const QVariant key = ChequeRegister::keyOf(row, order).value;
                    if (last.isValid())
                        QVERIFY(descending ? QVariant::compare(key, last) <= 0 : QVariant::compare(key, last) >= 0);
                    last = key;
                }
                after = ChequeRegister::keyOf(rows.last(), order);
            }
            QCOMPARE(seen.size(), 1201);
        }
    }
}

void TestRegister::payeesAsUsersWriteThem_data()
{
    QTest::addColumn<QString>("payee");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("found");
    // clang-format off
    QTest::newRow("part of an Arabic name") << "محمد أحمد" << "محمد" << true;
    QTest::newRow("hamza forms") << "محمد أحمد" << "احمد" << true;
    QTest::newRow("vowel marks") << "مُحَمَّد" << "محمد" << true;
    QTest::newRow("taa marbuta") << "شركة النور" << "شركه" << true;
    QTest::newRow("alef maqsura") << "مصطفى" << "مصطفي" << true;
    QTest::newRow("Latin case") << "Dorvan ESKEL" << "eskel" << true;
    QTest::newRow("Latin accents") << "École Al Noor" << "ecole" << true;
    QTest::newRow("another name") << "محمد أحمد" << "علي" << false;
    // clang-format on
}

void TestRegister::payeesAsUsersWriteThem()
{
    QFETCH(QString, payee);
    QFETCH(QString, typed);
    QFETCH(bool, found);
    ChequeRegister reg(sqlite());
    IssueCheque(reg, Make("SIB", payee, "5"), "p", Printed);
    RegisterFilter f;
    f.payee = typed;
    QCOMPARE(reg.page(f, RegisterOrder::Number, true, std::nullopt, 10).size(), found ? 1 : 0);
}

void TestRegister::filesThatAreNotRegistersAreLeftAlone_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("said");
    QTest::newRow("a text file") << QByteArray("Bank,Payee,Amount\r\nSIB,A,5\r\n") << "not a database";
    QTest::newRow("zeros") << QByteArray(8192, '\0') << "not a database";
}

void TestRegister::filesThatAreNotRegistersAreLeftAlone()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, said);
    const RegisterConnection c = sqlite();
    QFile f(c.file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();
    ChequeRegister reg(c);
    const QString error = ErrorOf([&] { reg.open(); });
    QVERIFY2(error.contains(c.file) && error.contains(said), qPrintable(error));
    QVERIFY(!IssueCheque(reg, Make("SIB", "A", "5"), "p", Printed).printed);
    QCOMPARE(ReadBytes(c.file), bytes);
}

void TestRegister::aReadOnlyRegisterLeavesNothingBehind()
{
    // A register that cannot be written is refused before it is opened, as
    // an ordinary user (root writes every file): it leaves no file beside it
    // that would keep it unusable once it can be written again; such a file
    // left by another program is named.
    const RegisterConnection c = sqlite();
    {
        ChequeRegister reg(c);
        QVERIFY(IssueCheque(reg, Make("SIB", "A", "5"), "p", Printed).printed);
    }
    const bool root = ::geteuid() == 0;
    const auto print = [&] {
        for (const QString &path : {m_dir->path(), c.file, c.file + "-shm"})
            QVERIFY(!root || !QFile::exists(path) || ::chown(QFile::encodeName(path).constData(), 65534, 65534) == 0);
        QProcess run;
        const QStringList args{c.file, m_dir->path(), "1"};
        run.start(root ? "setpriv" : REGISTERPRINT_EXE,
                  root ? QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", REGISTERPRINT_EXE} + args : args);
        QVERIFY(run.waitForFinished(60000));
        m_said = QString::fromLocal8Bit(run.readAllStandardError());
        m_status = run.exitCode();
    };
    const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    QVERIFY(QFile::setPermissions(c.file, readOnly));
    print();
    QVERIFY2(m_status == 1 && m_said.contains("read-only"), qPrintable(m_said));
    QVERIFY(!QFile::exists(c.file + "-shm") && !QFile::exists(c.file + "-wal"));
    QVERIFY(QFile::setPermissions(c.file, readOnly | QFileDevice::WriteOwner));
    print();
    QCOMPARE(m_status, 0);
    WriteDataFile(c.file + "-shm", {});
    QVERIFY(QFile::setPermissions(c.file + "-shm", readOnly));
    print();
    QVERIFY2(m_status == 1 && m_said.contains(c.file + "-shm") && m_said.contains("delete it"), qPrintable(m_said));
}

void TestRegister::newerSchemaIsRefused()
{
    // Another program's database, and a register of a newer version.
    for (const char *name : {"other.sqlite", "newer.sqlite"}) {
        const RegisterConnection c = sqlite(name);
        {
            QSqlDatabase d = QSqlDatabase::addDatabase("QSQLITE", "maker");
            d.setDatabaseName(c.file);
            QVERIFY(d.open());
            QSqlQuery q(d);
            if (QByteArray(name) == "other.sqlite") {
                QVERIFY(q.exec("CREATE TABLE customers (name TEXT)"));
            } else {
                QVERIFY(q.exec("CREATE TABLE register_info (key TEXT PRIMARY KEY, value TEXT)"));
                QVERIFY(q.exec("INSERT INTO register_info VALUES ('schema_version', '99')"));
            }
            d.close();
        }
        QSqlDatabase::removeDatabase("maker");
        const QByteArray before = ReadBytes(c.file);
        ChequeRegister reg(c);
        const QString error = ErrorOf([&] { reg.open(); });
        QVERIFY2(error.contains(c.file) && (error.contains("another program") || error.contains("newer version")),
                 qPrintable(error));
        QCOMPARE(ReadBytes(c.file), before);
    }
    // An empty database marked as another program's is not taken over.
    {
        const RegisterConnection c = sqlite("marked.sqlite");
        {
            QSqlDatabase d = QSqlDatabase::addDatabase("QSQLITE", "maker");
            d.setDatabaseName(c.file);
            QVERIFY(d.open());
            QVERIFY(QSqlQuery(d).exec("PRAGMA application_id = 1234"));
            QVERIFY(QSqlQuery(d).exec("PRAGMA user_version = 7"));
            d.close();
        }
        QSqlDatabase::removeDatabase("maker");
        const QByteArray before = ReadBytes(c.file);
        ChequeRegister reg(c);
        const QString error = ErrorOf([&] { reg.open(); });
        QVERIFY2(error.contains(c.file) && error.contains("another program"), qPrintable(error));
        QCOMPARE(ReadBytes(c.file), before);
    }
    // A register with 32 bytes overwritten in one of its pages is read, but
    // never written to.
    {
        ChequeRegister reg(sqlite("overwritten.sqlite"));
        for (int i = 0; i < 200; ++i)
            IssueCheque(reg, Make("SIB", QStringLiteral("Payee %1").arg(i), "5"), "p", Printed);
    }
    {
        QFile file(sqlite("overwritten.sqlite").file);
        QVERIFY(file.open(QIODevice::ReadWrite));
        const qint64 page = 4096;
        QVERIFY(file.seek(file.size() / page / 2 * page));
        file.write(QByteArray(32, '\x7f'));
        file.close();
        const QByteArray before = ReadBytes(file.fileName());
        ChequeRegister reg(sqlite("overwritten.sqlite"));
        const QString error = ErrorOf([&] { reg.recordSent(Make("SIB", "A", "5"), "p"); });
        QVERIFY2(error.contains("overwritten.sqlite") && error.contains("damaged"), qPrintable(error));
        QCOMPARE(ReadBytes(file.fileName()), before);
    }
    // A cheque's row changed inside its page (its payee): the page is whole,
    // but its indexes tell of another row.
    {
        ChequeRegister reg(sqlite("changed.sqlite"));
        for (int i = 0; i < 200; ++i)
            IssueCheque(reg, Make("SIB", QStringLiteral("Payee %1").arg(i), "5"), "p", Printed);
    }
    {
        QByteArray bytes = ReadBytes(sqlite("changed.sqlite").file);
        const qsizetype at = bytes.indexOf("Payee 100payee 100");
        QVERIFY(at > 0 && !QFile::exists(sqlite("changed.sqlite").file + "-wal"));
        bytes.replace(at, 18, "Payee 999payee 999");
        QFile file(sqlite("changed.sqlite").file);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        ChequeRegister reg(sqlite("changed.sqlite"));
        const QString error = ErrorOf([&] { reg.recordSent(Make("SIB", "A", "5"), "p"); });
        QVERIFY2(error.contains("damaged") && error.contains("missing from index"), qPrintable(error));
        QCOMPARE(ReadBytes(file.fileName()), bytes);
    }
    // A register cut short (a damaged copy) is refused too.
    {
        ChequeRegister reg(sqlite("damaged.sqlite"));
        for (int i = 0; i < 200; ++i)
            IssueCheque(reg, Make("SIB", QStringLiteral("Payee %1").arg(i), "5"), "p", Printed);
    }
    QFile damaged(sqlite("damaged.sqlite").file);
    QVERIFY(damaged.open(QIODevice::ReadWrite));
    QVERIFY(damaged.resize(damaged.size() / 3));
    damaged.close();
    QFile::remove(sqlite("damaged.sqlite").file + "-wal");
    ChequeRegister reg(sqlite("damaged.sqlite"));
    const QString error = ErrorOf([&] {
        reg.open();
        reg.totals({});
    });
    QVERIFY2(error.contains("damaged.sqlite"), qPrintable(error));
}

void TestRegister::olderSchemaIsUpgradedInPlace()
{
    // The indexes and schema version a register of this program has.
    const auto indexes = [](const QString &file) {
        QSqlDatabase d = QSqlDatabase::addDatabase("QSQLITE", "inspect");
        d.setDatabaseName(file);
        d.open();
        QSqlQuery q(d);
        QStringList names;
        q.exec("SELECT name FROM sqlite_master WHERE type = 'index' AND name LIKE 'cheques_%' ORDER BY name");
        while (q.next())
            names << q.value(0).toString();
        q.exec("SELECT value FROM register_info WHERE key = 'schema_version'");
        q.next();
        names.prepend(q.value(0).toString());
        d.close();
        return names;
    };
    {
        ChequeRegister fresh(sqlite("fresh.sqlite"));
        fresh.open();
    }
    const QStringList current = indexes(sqlite("fresh.sqlite").file);
    QSqlDatabase::removeDatabase("inspect");

    // A register as the first version of the program left it, with cheques
    // dated as this desktop writes dates, as yyyy-mm-dd, and unreadably.
    QLocale::setDefault(QLocale("en_US"));
    const auto restore = qScopeGuard([] { QLocale::setDefault(QLocale::system()); });
    const RegisterConnection c = sqlite();
    {
        QSqlDatabase d = QSqlDatabase::addDatabase("QSQLITE", "old");
        d.setDatabaseName(c.file);
        QVERIFY(d.open());
        QSqlQuery q(d);
        for (const char *sql :
             {"CREATE TABLE register_info (key TEXT PRIMARY KEY, value TEXT NOT NULL)",
              "INSERT INTO register_info VALUES ('program', 'cheque-printer'), ('schema_version', '1')",
              "CREATE TABLE cheque_numbers (bank TEXT PRIMARY KEY, next_number BIGINT NOT NULL)",
              "INSERT INTO cheque_numbers VALUES ('SIB', 4)",
              "CREATE TABLE cheques (id INTEGER PRIMARY KEY AUTOINCREMENT, bank TEXT NOT NULL, cheque_number BIGINT "
              "NOT NULL, cheque_date TEXT NOT NULL, payee TEXT NOT NULL, payee_key TEXT NOT NULL, amount_minor "
              "BIGINT NOT NULL, digits INTEGER NOT NULL, amount_thousandths BIGINT NOT NULL, currency TEXT NOT "
              "NULL, currency_arabic TEXT NOT NULL, words_en TEXT NOT NULL, words_ar TEXT NOT NULL, account_only "
              "INTEGER NOT NULL, printed_at TEXT NOT NULL, destination TEXT NOT NULL, login TEXT NOT NULL, state "
              "TEXT NOT NULL CHECK (state IN ('sent', 'printed', 'failed', 'voided', 'spoilt')), reason TEXT NOT "
              "NULL DEFAULT '', replaces BIGINT REFERENCES cheques (id), UNIQUE (bank, cheque_number))",
              "CREATE INDEX cheques_same ON cheques (bank, payee_key, amount_minor)"})
            QVERIFY2(q.exec(QString::fromUtf8(sql)), qPrintable(q.lastError().text()));
        int number = 0;
        for (const char *date : {"12/7/26", "2026-12-08", "soon"})
            QVERIFY(q.exec(QStringLiteral("INSERT INTO cheques (bank, cheque_number, cheque_date, payee, payee_key, "
                                          "amount_minor, digits, amount_thousandths, currency, currency_arabic, "
                                          "words_en, words_ar, account_only, printed_at, destination, login, state) "
                                          "VALUES ('SIB', %1, '%2', 'A', 'a', 500, 2, 5000, 'Dhs', 'درهم', 'e', 'a', "
                                          "0, '2026-12-07T10:00:00.000Z', 'p', 'u', 'printed')")
                               .arg(++number)
                               .arg(QLatin1String(date))));
        d.close();
    }
    QSqlDatabase::removeDatabase("old");
    ChequeRegister reg(c);
    QCOMPARE(IssueCheque(reg, Make("SIB", "B", "6"), "p", Printed).chequeNumber, 4);
    QCOMPARE(reg.totals({}).value(0).count, 4);
    QCOMPARE(reg.cheque(1)->day, QDate(2026, 12, 7));
    QCOMPARE(reg.cheque(2)->day, QDate(2026, 12, 8));
    QCOMPARE(reg.cheque(3)->day, QDate());
    QCOMPARE(reg.cheque(3)->date, QStringLiteral("soon")); // the printed text kept as it was
    RegisterFilter dated;
    dated.datedFrom = QDate(2026, 12, 8);
    QCOMPARE(reg.totals(dated).value(0).count, 1);
    QCOMPARE(indexes(c.file), current);
    QSqlDatabase::removeDatabase("inspect");
    QCOMPARE(current.first(), QString::number(FileSchemaVersion));
    // Each cheque of the old register begins its history with its state;
    // the new cheque's follows.
    QCOMPARE(reg.history(2).value(0).kind, QStringLiteral("existing"));
    QCOMPARE(reg.history(2).value(0).detail, QStringLiteral("printed"));
    QCOMPARE(reg.history(4).size(), 2);
    const ChainCheck chain = reg.checkHistory();
    QCOMPARE(chain.problem(), std::nullopt);
    QCOMPARE(chain.events(), 5);
}

void TestRegister::lockedRegisterPrintsNothing()
{
    const RegisterConnection c = sqlite();
    {
        ChequeRegister reg(c);
        reg.open();
    }
    // Another program holds the register for writing.
    QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "holder");
    other.setDatabaseName(c.file);
    QVERIFY(other.open());
    QVERIFY(QSqlQuery(other).exec("BEGIN IMMEDIATE"));
    ChequeRegister reg(c);
    bool printed = false;
    QElapsedTimer clock;
    clock.start();
    const IssueResult result = IssueCheque(reg, Make("SIB", "A", "5"), "p", [&](const ChequeRegister::Recorded &) {
        printed = true;
        return std::optional<QString>();
    });
    QVERIFY(!printed);
    QVERIFY2(result.problem.contains("locked"), qPrintable(result.problem));
    QVERIFY(clock.elapsed() < 15000);
    QSqlQuery(other).exec("ROLLBACK");
    other.close();
    other = QSqlDatabase();
    QSqlDatabase::removeDatabase("holder");
    QVERIFY(IssueCheque(reg, Make("SIB", "A", "5"), "p", Printed).printed); // free again
}

void TestRegister::stoppedServerPrintsNothing()
{
    RegisterConnection c;
    c.driver = "QPSQL";
    c.host = m_dir->path(); // a socket folder where no server listens
    c.database = "register";
    c.user = "clerk";
    ChequeRegister reg(c);
    bool printed = false;
    const IssueResult result = IssueCheque(reg, Make("SIB", "A", "5"), "p", [&](const ChequeRegister::Recorded &) {
        printed = true;
        return std::optional<QString>();
    });
    QVERIFY(!printed);
    QVERIFY2(result.problem.contains("\"register\"") && result.problem.contains("not printed"),
             qPrintable(result.problem));
}

void TestRegister::aServerThatStopsAnsweringIsGivenUp()
{
    if (!Server())
        QSKIP("no PostgreSQL server (tests/postgres_register.sh starts one)");
    if (::geteuid() != 0)
        QSKIP("stopping the server's processes needs root");
    // The server's processes: the one the postmaster.pid names and its children.
    QFile pidFile(qEnvironmentVariable("CHEQUE_PG_DATA") + "/postmaster.pid");
    QVERIFY(pidFile.open(QIODevice::ReadOnly));
    const pid_t postmaster = pid_t(pidFile.readLine().trimmed().toInt());
    const auto server = [&] {
        QList<pid_t> pids{postmaster};
        for (const QString &entry : QDir("/proc").entryList(QDir::Dirs)) {
            QFile stat("/proc/" + entry + "/stat");
            if (stat.open(QIODevice::ReadOnly)
                && stat.readAll().split(')').value(1).split(' ').value(2).toInt() == postmaster)
                pids << pid_t(entry.toInt());
        }
        return pids;
    };
    QStringList warnings;
    static QStringList *said = &warnings;
    const QtMessageHandler before =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &m) { *said << m; });
    ChequeRegister reg(*Server());
    const IssueResult issued = IssueCheque(reg, Make("SIB", "A", "5"), "p", Printed);
    QVERIFY2(issued.printed, qPrintable(issued.problem));

    // Frozen (SIGSTOP): given up within the time limit, and said so.
    for (pid_t pid : server())
        ::kill(pid, SIGSTOP);
    QElapsedTimer clock;
    clock.start();
    IssueResult result = IssueCheque(reg, Make("SIB", "B", "5"), "p", Printed);
    const qint64 waited = clock.elapsed();
    for (pid_t pid : server())
        ::kill(pid, SIGCONT);
    QVERIFY2(!result.printed && result.number == 0 && result.problem.contains("did not answer"),
             qPrintable(result.problem));
    QVERIFY2(waited < (ChequeRegister::ServerSeconds + 4) * 1000, qPrintable(QString::number(waited)));
    // An export too.
    for (pid_t pid : server())
        ::kill(pid, SIGSTOP);
    const QString error = ErrorOf([&] { ExportRegister(reg, {}, ExportFormat::Csv, m_dir->filePath("frozen.csv")); });
    for (pid_t pid : server())
        ::kill(pid, SIGCONT);
    QVERIFY2(error.contains("did not answer"), qPrintable(error));

    // Its process for this program stopped (killed) in the middle: the
    // reason is said, and the next cheque finds the server again.
    QSqlDatabase probe = QSqlDatabase::addDatabase("QPSQL", "probe");
    probe.setHostName(Server()->host);
    probe.setPort(Server()->port);
    probe.setDatabaseName(Server()->database);
    probe.setUserName(Server()->user);
    QVERIFY(probe.open());
    QVERIFY(IssueCheque(reg, Make("SIB", "C", "5"), "p", Printed).printed);
    QSqlQuery backends(probe);
    QVERIFY(backends.exec(
        "SELECT pid FROM pg_stat_activity WHERE pid <> pg_backend_pid() AND datname = current_database()"));
    while (backends.next())
        ::kill(pid_t(backends.value(0).toInt()), SIGKILL);
    probe.close();
    probe = QSqlDatabase();
    QSqlDatabase::removeDatabase("probe");
    result = IssueCheque(reg, Make("SIB", "D", "5"), "p", Printed);
    QVERIFY2(!result.printed && result.problem.contains("connection to the server was lost"),
             qPrintable(result.problem));
    bool again = false;
    for (int attempt = 0; attempt < 50 && !again; ++attempt) {
        QThread::msleep(200); // the server starts its processes again
        again = IssueCheque(reg, Make("SIB", "E", "5"), "p", Printed).printed;
    }
    QVERIFY(again);
    qInstallMessageHandler(before);
    QVERIFY2(warnings.filter("not open").isEmpty(), qPrintable(warnings.join('\n')));
}

void TestRegister::messagesSayWhatIsWrong()
{
    // A schema version this program never wrote: named, and left alone.
    for (const char *version : {"0", "abc"}) {
        const RegisterConnection c = sqlite(version);
        {
            ChequeRegister reg(c);
            reg.open();
        }
        {
            QSqlDatabase d = QSqlDatabase::addDatabase("QSQLITE", "maker");
            d.setDatabaseName(c.file);
            QVERIFY(d.open());
            QSqlQuery(d).exec(QStringLiteral("UPDATE register_info SET value = '%1' WHERE key = 'schema_version'")
                                  .arg(QLatin1String(version)));
            d.close();
        }
        QSqlDatabase::removeDatabase("maker");
        ChequeRegister reg(c);
        const QString error = ErrorOf([&] { reg.open(); });
        QVERIFY2(error.contains(c.file) && error.contains(QStringLiteral("schema version \"%1\"").arg(version)),
                 qPrintable(error));
    }
    // A data folder that cannot be written: said so, not "damaged".
    QTemporaryDir folder;
    RegisterConnection c;
    c.file = folder.filePath("register.sqlite");
    {
        ChequeRegister reg(c);
        IssueCheque(reg, Make("SIB", "A", "5"), "p", Printed);
    }
    const bool root = ::geteuid() == 0;
    if (root) {
        // Root writes any folder: a file system mounted read-only.
        if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=1m", "tmpfs", folder.path()}) != 0)
            QSKIP("tmpfs cannot be mounted here");
        {
            ChequeRegister reg(c);
            IssueCheque(reg, Make("SIB", "A", "5"), "p", Printed);
        }
        QCOMPARE(QProcess::execute("mount", {"-o", "remount,ro", folder.path()}), 0);
    } else {
        QFile::setPermissions(c.file, QFile::ReadOwner);
        QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner);
    }
    const auto restore = qScopeGuard([&] {
        if (root)
            QProcess::execute("umount", {folder.path()});
        else
            QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    });
    ChequeRegister reg(c);
    const IssueResult result = IssueCheque(reg, Make("SIB", "B", "5"), "p", Printed);
    QVERIFY2(!result.printed && result.problem.contains("cannot be written") && !result.problem.contains("damaged"),
             qPrintable(result.problem));
}

void TestRegister::killedRunRecordsWhatWasPrinted()
{
    const RegisterConnection c = sqlite();
    const QString out = m_dir->filePath("out");
    QVERIFY(QDir().mkpath(out));
    QProcess run;
    run.start(REGISTERPRINT_EXE, {c.file, out, "200", "15"});
    QVERIFY(run.waitForStarted());
    // Killed (kill -9) part-way through the run, once ten are printed.
    QByteArray told;
    while (!told.contains("\n10\n") && run.waitForReadyRead(30000))
        told += run.readAllStandardOutput();
    QVERIFY2(told.contains("\n10\n"), told.constData());
    run.kill();
    QVERIFY(run.waitForFinished());
    ChequeRegister reg(c);
    QSet<qint64> printed, sent;
    std::optional<ChequeRegister::PageKey> after;
    for (QList<RegisteredCheque> rows; !(rows = reg.page({}, RegisterOrder::Number, false, after, 500)).isEmpty();) {
        for (const RegisteredCheque &row : rows)
            (row.state == ChequeState::Printed ? printed : sent).insert(row.number);
        after = ChequeRegister::keyOf(rows.last(), RegisterOrder::Number);
    }
    QSet<qint64> files;
    for (const QString &name : QDir(out).entryList({"cheque-*.pdf"}))
        files.insert(name.mid(7).chopped(4).toLongLong());
    QVERIFY2(printed.size() >= 10 && printed.size() < 200, qPrintable(QString::number(printed.size())));
    QVERIFY(sent.size() <= 1); // the one in flight, for the user to check
    // Every cheque printed is recorded as printed; a page is only there for
    // a recorded cheque.
    QVERIFY((files - printed - sent).isEmpty());
    QVERIFY((printed - files).isEmpty());
}

void TestRegister::twoProgramsShareOneNumbering_data() { addConnections(); }

void TestRegister::twoProgramsShareOneNumbering()
{
    QFETCH(bool, server);
    if (server && !Server())
        QSKIP("no PostgreSQL server (tests/postgres_register.sh starts one)");
    // Four programs start at once on a register that does not exist yet.
    const RegisterConnection c = server ? *Server() : sqlite();
    const int programs = 4;
    const int each = server ? 250 : 75;
    QList<QProcess *> runs;
    for (int i = 0; i < programs; ++i) {
        const QString out = m_dir->filePath(QStringLiteral("out%1").arg(i));
        QVERIFY(QDir().mkpath(out));
        auto *run = new QProcess(this);
        run->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        run->start(REGISTERPRINT_EXE, {server ? "pg:" : c.file, out, QString::number(each)});
        runs << run;
    }
    for (QProcess *run : runs) {
        QVERIFY(run->waitForFinished(600000));
        QCOMPARE(run->exitCode(), 0);
    }
    ChequeRegister reg(c);
    QSet<qint64> numbers;
    int records = 0;
    std::optional<ChequeRegister::PageKey> after;
    for (QList<RegisteredCheque> rows; !(rows = reg.page({}, RegisterOrder::Number, false, after, 400)).isEmpty();) {
        for (const RegisteredCheque &row : rows) {
            ++records;
            numbers.insert(row.chequeNumber);
            QCOMPARE(row.state, ChequeState::Printed);
        }
        after = ChequeRegister::keyOf(rows.last(), RegisterOrder::Number);
    }
    QCOMPARE(records, programs * each);
    QCOMPARE(numbers.size(), programs * each);
    QCOMPARE(*std::max_element(numbers.begin(), numbers.end()), programs * each);
    int pages = 0;
    for (int i = 0; i < programs; ++i)
        pages += int(QDir(m_dir->filePath(QStringLiteral("out%1").arg(i))).entryList({"cheque-*.pdf"}).size());
    QCOMPARE(pages, programs * each);
}

void TestRegister::csvFields_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("defused");
    // clang-format off
    QTest::newRow("plain") << "Dorvan Eskel" << "Dorvan Eskel" << "Dorvan Eskel";
    QTest::newRow("Arabic") << "محمد أحمد" << "محمد أحمد" << "محمد أحمد";
    QTest::newRow("comma") << "Eskel, Dorvan" << "\"Eskel, Dorvan\"" << "Eskel, Dorvan";
    QTest::newRow("quotes") << "The \"Noor\" School" << "\"The \"\"Noor\"\" School\"" << "The \"Noor\" School";
    QTest::newRow("line break") << "a\r\nb" << "\"a\r\nb\"" << "a\r\nb";
    QTest::newRow("leading blank") << " a" << "\" a\"" << " a";
    QTest::newRow("formula") << "=HYPERLINK(\"x\")" << "\"=HYPERLINK(\"\"x\"\")\"" << "'=HYPERLINK(\"x\")";
    QTest::newRow("plus") << "+971 4 000" << "+971 4 000" << "'+971 4 000";
    QTest::newRow("at") << "@SUM(A1)" << "@SUM(A1)" << "'@SUM(A1)";
    QTest::newRow("empty") << "" << "" << "";
    // clang-format on
}

void TestRegister::csvFields()
{
    QFETCH(QString, text);
    QFETCH(QString, field);
    QFETCH(QString, defused);
    QCOMPARE(CsvField(text), field);
    QCOMPARE(Defused(text), defused);
}

// The amounts a filter takes, and the changes of state the window offers.
void TestRegister::filterAmountsAndStateChanges()
{
    RegisterFilter f;
    QVERIFY(SetFilterAmounts(f, "1,250.5", " "));
    QCOMPARE(f.minThousandths, std::optional<qint64>(1250500));
    QVERIFY(!f.maxThousandths);
    for (const char *bad : {"-5", "12O", "1e16"}) {
        QVERIFY2(!SetFilterAmounts(f, "0", bad), bad);
        QCOMPARE(f.minThousandths, std::optional<qint64>(1250500)); // left as it was
    }
    const ChequeState all[] = {ChequeState::Sent, ChequeState::Printed, ChequeState::Failed, ChequeState::Voided,
                               ChequeState::Spoilt};
    QStringList offered;
    for (ChequeState from : all)
        for (ChequeState to : all)
            if (CanChangeState(from, to))
                offered << StateName(from) + u'>' + StateName(to);
    QCOMPARE(offered.join(u' '),
             QStringLiteral("sent>printed sent>voided sent>spoilt printed>voided printed>spoilt "
                            "failed>voided failed>spoilt spoilt>voided"));
}

// The export's times are local, across changes of a zone's offset: the
// hour skipped and the hour again in Berlin, half an hour in Lord Howe.
void TestRegister::exportTimesAreLocal()
{
    const QByteArray zone = qgetenv("TZ");
    for (const char *tz : {"Europe/Berlin", "Australia/Lord_Howe", "Asia/Dubai"}) {
        qputenv("TZ", tz);
        tzset();
        RegisteredCheque c;
        for (const QDateTime &from : {QDateTime(QDate(2026, 3, 29), QTime(0, 0), Qt::UTC),
                                      QDateTime(QDate(2026, 10, 24), QTime(12, 0), Qt::UTC),
                                      QDateTime(QDate(2026, 4, 4), QTime(12, 0), Qt::UTC)})
            for (int minutes = 0; minutes < 36 * 60; minutes += 7) {
                c.printedAt = from.addSecs(minutes * 60 + 59);
                QCOMPARE(ExportTexts(c).at(1),
                         c.printedAt.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
            }
    }
    qputenv("TZ", zone);
    if (zone.isEmpty())
        qunsetenv("TZ");
    tzset();
}

namespace {

// An RFC 4180 reader for what the export writes.
QList<QStringList> ReadCsv(QString text)
{
    QList<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                field += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            record << field;
            field.clear();
        } else if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            record << field;
            records << record;
            record.clear();
            field.clear();
            ++i;
        } else {
            field += c;
        }
    }
    return records;
}

} // namespace

void TestRegister::exportsWhatIsShown_data() { addConnections(); }

void TestRegister::exportsWhatIsShown()
{
    QFETCH(bool, server);
    if (server && !Server())
        QSKIP("no PostgreSQL server (tests/postgres_register.sh starts one)");
    ChequeRegister reg(server ? *Server() : sqlite());
    const QStringList payees{"Eskel, \"Dorvan\"", "محمد أحمد", "=1+2", "École Al Noor"};
    for (const QString &payee : payees)
        IssueCheque(reg, Make("SIB", payee, "1234.5"), "Office printer", Printed);
    IssueCheque(reg, Make("FAB", "Other", "7"), "Office printer", Printed);
    RegisterView view;
    view.filter.bank = "SIB";
    view.descending = false;
    const QString csv = m_dir->filePath("cheques.csv");
    QCOMPARE(ExportRegister(reg, view, FormatOf(csv), csv), 4);
    const QByteArray bytes = ReadBytes(csv);
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    const QList<QStringList> records = ReadCsv(QString::fromUtf8(bytes.mid(3)));
    QCOMPARE(records.size(), 5);
    QCOMPARE(records[0], ExportColumns());
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(records[i + 1].size(), ExportColumns().size());
        QCOMPARE(records[i + 1][5], i == 2 ? QStringLiteral("'=1+2") : payees[i]);
        QCOMPARE(records[i + 1][6], QStringLiteral("1234.50"));
        QCOMPARE(records[i + 1][15], reg.cheque(i + 1)->arabic);
        // The date as a date, and as printed (a server keeps one date: the day).
        QCOMPARE(records[i + 1][4], QStringLiteral("2026-01-31"));
        QCOMPARE(records[i + 1][16], server ? QStringLiteral("2026-01-31") : QStringLiteral("1/31/26"));
    }
    // Written from the stored columns: the records of the cheques as read.
    QByteArray expected;
    reg.forEach(view, [&](const RegisteredCheque &c) {
        expected += CsvRecord(c);
        return true;
    });
    QCOMPARE(bytes.mid(bytes.indexOf("\r\n") + 2), expected);

    // Stopped half-way: the file keeps what it held.
    QCOMPARE(ExportRegister(reg, {}, ExportFormat::Csv, csv, [](qint64) { return false; }), -1);
    QCOMPARE(ReadBytes(csv), bytes);
    const QString xlsx = m_dir->filePath("cheques.xlsx");
    QCOMPARE(ExportRegister(reg, {}, FormatOf(xlsx), xlsx, [](qint64) { return false; }), -1);
    QVERIFY(!QFile::exists(xlsx));
    QCOMPARE(QDir(m_dir->path()).entryList({"cheques.xlsx*"}), QStringList()); // no temporary file left
    QCOMPARE(ExportRegister(reg, {}, FormatOf(xlsx), xlsx), 5);
    QVERIFY(ReadBytes(xlsx).startsWith("PK\x03\x04"));
    // Both files as the user's umask makes any file.
    QCOMPARE(QFile::permissions(xlsx), QFile::permissions(csv));
    // A folder where the file would go is said, not written over.
    QVERIFY(QDir(m_dir->path()).mkdir("folder.csv"));
    const QString error = ErrorOf([&] { ExportRegister(reg, {}, ExportFormat::Csv, m_dir->filePath("folder.csv")); });
    QVERIFY2(error.contains("folder.csv"), qPrintable(error));

    // Many more cheques (written as a restore writes them), and an export
    // stopped after the first few thousand: the register reads on.
    {
        QSqlDatabase d = OpenAs("many", server ? *Server() : sqlite());
        QSqlQuery q(d);
        QVERIFY(!server || q.exec("ALTER TABLE cheques DISABLE TRIGGER USER"));
        QVERIFY2(
            q.exec("WITH RECURSIVE g(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM g WHERE n < 5000) "
                   "INSERT INTO cheques (bank, cheque_number, cheque_date, payee, payee_key, amount_minor, digits, "
                   "amount_thousandths, currency, currency_arabic, words_en, words_ar, account_only, printed_at, "
                   "destination, login, state, cheque_day) SELECT 'ENBD', n, '1/31/26', 'Dorvan', 'dorvan', n, n % 4, "
                   "n * 10, 'Dhs', 'درهم', 'e', 'a', 0, '2026-01-31T10:00:00.000Z', 'p', 'clerk', 'printed', "
                   "'2026-01-31' FROM g"),
            qPrintable(q.lastError().text()));
        QVERIFY(!server || q.exec("ALTER TABLE cheques ENABLE TRIGGER USER"));
    }
    QSqlDatabase::removeDatabase("many");
    qint64 told = 0;
    QCOMPARE(ExportRegister(reg, {}, ExportFormat::Csv, csv, [&](qint64 n) { return (told = n) < 4096; }), -1);
    QCOMPARE(told, 4096);
    QCOMPARE(ReadBytes(csv), bytes);
    QCOMPARE(reg.cheque(5)->payee, "Other");
    QCOMPARE(ExportRegister(reg, {}, ExportFormat::Csv, csv), 5005);
    // Its cheques of no sub-units, or one, read as the register reads them.
    expected.clear();
    reg.forEach({}, [&](const RegisteredCheque &c) {
        expected += CsvRecord(c);
        return true;
    });
    const QByteArray all = ReadBytes(csv);
    QCOMPARE(all.mid(all.indexOf("\r\n") + 2), expected);
}

// A register file's cheques are exported from their stored columns: byte
// for byte the records of the cheques as the register reads them, whatever
// their texts, times (across a change of the clocks) and amounts, and for
// cheques stored in other forms by another program.
void TestRegister::exportFromStoredColumns()
{
    const QByteArray zone = qgetenv("TZ");
    qputenv("TZ", "Europe/Berlin");
    tzset();
    const auto restoreZone = qScopeGuard([&] {
        zone.isEmpty() ? qunsetenv("TZ") : qputenv("TZ", zone);
        tzset();
    });
    ChequeRegister reg(sqlite());
    IssueCheque(reg, Make("SIB", "Dorvan", "1"), "Office printer", Printed);
    const QStringList texts{"",       "Dorvan",    " lead", "trail ",  "\u00a0nbsp", "x\u3000", "a,b",
                            "q\"q\"", "a\nb",      "cr\r",  "=1+2",    "+971",       "-5",      "@home",
                            "\tTab",  "محمد أحمد", "😀 x",   "x\u2028", "x\uffff"};
    const QStringList states{"sent", "printed", "voided", "cleared"};
    std::mt19937 random(7);
    const auto pick = [&](const QStringList &from) { return from[int(random() % from.size())]; };
    {
        QSqlDatabase d = OpenAs("stored", sqlite());
        QSqlQuery q(d);
        q.exec("BEGIN");
        q.prepare("INSERT INTO cheques (bank, cheque_number, cheque_date, payee, payee_key, amount_minor, digits, "
                  "amount_thousandths, currency, currency_arabic, words_en, words_ar, account_only, printed_at, "
                  "destination, login, state, reason, replaces, cheque_day) "
                  "VALUES (?, ?, ?, ?, '', ?, ?, 0, ?, '', ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        for (int i = 0; i < 1500; ++i) {
            const QDateTime at = QDateTime::fromSecsSinceEpoch(qint64(random() % 4000000000u), Qt::UTC);
            const QVariantList values{
                i % 3 ? "SIB" : pick(texts), 100 + i, pick({"1/31/26", "٣١/١/٢٠٢٦", "=A1"}), pick(texts),
                qint64(random() % 2000001) - 1000, i % 7 ? 2 : 3, pick({"Dhs", "KD", "a,b"}), pick(texts), pick(texts),
                i % 2,
                // Mostly times as the register writes them; others now and then.
                i % 50 ? at.toString(Qt::ISODateWithMs) : pick({"2026-12-07T10:00:00Z", "nonsense", ""}), pick(texts),
                pick(texts), pick(states), pick(texts), i % 5 ? QVariant() : QVariant(1),
                i % 4 ? at.date().toString(Qt::ISODate) : pick({"", "2026-02-30", "2026-1-5"})};
            for (const QVariant &v : values)
                q.addBindValue(v);
            QVERIFY2(q.exec(), qPrintable(q.lastError().text()));
        }
        // Stored otherwise than this program stores them: a number for a
        // text, a text that is not UTF-8, no sub-units, a flag of 2.
        for (const char *set : {"bank = 42", "payee = 1.5", "payee = CAST(X'C328' AS TEXT)", "digits = 0",
                                "account_only = 2", "replaces = -1", "printed_at = '2026-12-07T10:00:00.000+04:00'"})
            QVERIFY(q.exec(QStringLiteral("UPDATE cheques SET %1 WHERE id = (SELECT max(id) - 10 FROM cheques WHERE "
                                          "digits <> 0 AND account_only < 2 AND bank <> '42')")
                               .arg(set)));
        QVERIFY(q.exec("COMMIT"));
    }
    RegisterView bySIB;
    bySIB.filter.bank = "SIB";
    bySIB.order = RegisterOrder::Payee;
    bySIB.descending = false;
    for (const RegisterView &view : {RegisterView{}, bySIB}) {
        QByteArray expected;
        qint64 count = reg.forEach(view, [&](const RegisteredCheque &c) {
            expected += CsvRecord(c);
            return true;
        });
        int stored = 0;
        reg.forEachStored(view, [&](const ChequeRegister::StoredCheque &c) {
            QByteArray record;
            stored += AppendStoredCsvRecord(record, c);
            return true;
        });
        const QString csv = m_dir->filePath("stored.csv");
        QCOMPARE(ExportRegister(reg, view, ExportFormat::Csv, csv), count);
        const QByteArray bytes = ReadBytes(csv);
        QCOMPARE(bytes.mid(bytes.indexOf("\r\n") + 2), expected);
        // Both ways were taken.
        QVERIFY2(stored > count / 2 && stored < count, qPrintable(QString("%1 of %2").arg(stored).arg(count)));
    }

    // The desktop's zone changed between two exports: the second tells it.
    RegisterView today;
    today.filter.from = today.filter.to = QDate::currentDate();
    const QString csv = m_dir->filePath("today.csv");
    for (const char *tz : {"Europe/Berlin", "Asia/Dubai"}) {
        qputenv("TZ", tz);
        tzset();
        QCOMPARE(ExportRegister(reg, today, ExportFormat::Csv, csv), 1);
        QVERIFY(ReadBytes(csv).contains(
            "\r\n1," + reg.cheque(1)->printedAt.toLocalTime().toString("yyyy-MM-dd HH:mm:ss").toLatin1() + ","));
    }
}

void TestRegister::reportOfWhatIsShown()
{
    ChequeRegister reg(sqlite());
    for (int i = 0; i < 90; ++i)
        IssueCheque(reg, Make("SIB", i % 2 ? QStringLiteral("Payee %1").arg(i) : QStringLiteral("محمد"), "10.25"), "p",
                    Printed);
    const QString reason = "the payee asked for the cheque to be written to the company, not to its manager, "
                           "and the amount to be split in two";
    reg.voidCheque(90, reason);
    const QString pdf = m_dir->filePath("report.pdf");
    int pages = 0;
    {
        QPdfWriter writer(pdf);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF()));
        pages = PaintRegisterReport(writer, reg, {});
    }
    QVERIFY(pages >= 2);
    QCOMPARE(PageCount(pdf), pages);
    const QString text = TextsOf(pdf).join(' ');
    QVERIFY2(text.contains("Totals: 89 cheques: 912.25 Dhs (not counted: 1 voided, 10.25)"),
             qPrintable(text.right(200)));
    QVERIFY(text.contains("State voided: 1 cheque: 10.25 Dhs"));
    // The history's seal: the hash a later rewrite could not keep.
    QVERIFY2(LettersOf(pdf).contains(reg.latestEvent()->hash), qPrintable(text.right(300)));
    QVERIFY2(LettersOf(pdf).contains(QString("Reason: " + reason).remove(' ')), "the reason is not whole");
    QVERIFY(text.contains("Payee 89"));
    // The Arabic payee is there as text (shaped, read back as its letters),
    // after the cheque's date in the desktop's format.
    const QString date = WriteShortDate(QDate(2026, 1, 31)).remove(' ');
    QVERIFY2(LettersOf(pdf, 1).contains(date + "محمد"), qPrintable(LettersOf(pdf, 1).left(400)));
    QCOMPARE(TextsOf(pdf, 1).count("Cheque"), 2); // the heading and a column title, on every page
    QCOMPARE(TextsOf(pdf, pages).count("Cheque"), 2);
}

void TestRegister::exactTotalsText()
{
    // Beyond a double's 53 bits: a million cheques of the largest amount.
    const qint64 total = 1000000LL * 214748364799LL;
    QCOMPARE(MinorUnitsText(total, 2), QStringLiteral("2,147,483,647,990,000.00"));
    QCOMPARE(MinorUnitsText(1, 3), QStringLiteral("0.001"));
    QCOMPARE(MinorUnitsText(123456, 2, QLocale("de_DE")), QStringLiteral("1.234,56"));
    QCOMPARE(TotalsText({{"Dhs", 2, 1, 500, {}, {}}, {"KD", 3, 2, 1500, {}, {}}}),
             QStringLiteral("1 cheque: 5.00 Dhs; 2 cheques: 1.500 KD"));
}

void TestRegister::historyIsAppendOnlyAndChained()
{
    QFETCH(bool, server);
    if (server && !Server())
        QSKIP("no PostgreSQL server (tests/postgres_register.sh starts one)");
    const RegisterConnection c = server ? *Server() : sqlite();
    ChequeRegister reg(c);
    const qint64 kept = IssueCheque(reg, Make("SIB", "A", "5"), "printer", Printed).number;
    const int office = server ? 1 : 0; // on a server, the account the first cheque opened
    const qint64 voided = IssueCheque(reg, Make("SIB", "B", "6"), "printer", Printed).number;
    reg.voidCheque(voided, " lost in the post ");
    const auto kinds = [&](qint64 cheque) {
        QStringList list;
        for (const ChequeEvent &e : reg.history(cheque))
            list << e.kind + u'/' + e.detail;
        return list;
    };
    QCOMPARE(kinds(kept), QStringList({"sent/printer", "printed/"}));
    QCOMPARE(kinds(voided), QStringList({"sent/printer", "printed/", "voided/lost in the post"}));
    const QList<ChequeEvent> events = reg.history(voided);
    QVERIFY(!events.last().actor.isEmpty());
    QVERIFY(QDateTime::fromString(events.last().at, Qt::ISODateWithMs).isValid());
    ChainCheck chain = reg.checkHistory();
    QCOMPARE(chain.problem(), std::nullopt);
    QCOMPARE(chain.events(), 5 + office);
    QCOMPARE(chain.latestHash(), events.last().hash);
    const QString last = QString::number(5 + office);

    // Another login of the database: its changes of the history are
    // refused; on a server, what it writes into an event's stamp is not kept.
    QSqlDatabase d = OpenAs("other", c);
    QVERIFY(d.isOpen());
    {
        QSqlQuery q(d);
        QVERIFY(!q.exec("UPDATE cheque_events SET detail = 'found again' WHERE seq = " + last));
        QVERIFY2(q.lastError().text().contains("never changed"), qPrintable(q.lastError().text()));
        QVERIFY(!q.exec("DELETE FROM cheque_events WHERE seq = " + last));
        if (c.isServer()) {
            QVERIFY(!q.exec("TRUNCATE cheque_events"));
            QVERIFY2(q.exec(QStringLiteral("INSERT INTO cheque_events (seq, cheque, kind, at, actor, detail, "
                                           "prev_hash, hash) VALUES (1, %1, 'printed', '2020-01-01', 'manager', "
                                           "'', '', 'forged')")
                                .arg(kept)),
                     qPrintable(q.lastError().text()));
            QCOMPARE(reg.history(kept).last().actor, c.user);
            QCOMPARE(reg.history(kept).last().seq, 7);
        }
    }
    chain = reg.checkHistory();
    QCOMPARE(chain.problem(), std::nullopt);

    // Rewritten by someone who can bypass the database's guard: the first
    // event changed is named.
    {
        QSqlQuery q(d);
        QVERIFY2(q.exec(c.isServer() ? "ALTER TABLE cheque_events DISABLE TRIGGER USER"
                                     : "DROP TRIGGER cheque_events_no_update"),
                 qPrintable(q.lastError().text()));
        QVERIFY(q.exec("UPDATE cheque_events SET detail = 'found again' WHERE seq = " + last));
        if (c.isServer())
            QVERIFY(q.exec("ALTER TABLE cheque_events ENABLE TRIGGER USER"));
    }
    d.close();
    d = QSqlDatabase();
    QSqlDatabase::removeDatabase("other");
    chain = reg.checkHistory();
    QVERIFY(chain.problem());
    QVERIFY2(chain.problem()->startsWith("Event " + last + " (cheque"), qPrintable(*chain.problem()));
    QCOMPARE(chain.events(), 4 + office);
}

void TestRegister::encryptedConnections()
{
    if (!Server() || qEnvironmentVariableIsEmpty("CHEQUE_PG_CA"))
        QSKIP("no PostgreSQL server with TLS (tests/postgres_register.sh starts one)");
    // The server over TCP, which refuses a connection without encryption.
    RegisterConnection c = *Server();
    c.host = QStringLiteral("127.0.0.1");
    const auto openError = [](const RegisterConnection &connection) {
        return ErrorOf([&] { ChequeRegister(connection).open(); });
    };
    using Encryption = RegisterConnection::Encryption;
    c.encryption = Encryption::Required;
    QCOMPARE(openError(c), QString());
    c.encryption = Encryption::Verified;
    c.caFile = qEnvironmentVariable("CHEQUE_PG_CA");
    QCOMPARE(openError(c), QString());
    // Another authority's certificate, or none: named, with the server.
    c.caFile = qEnvironmentVariable("CHEQUE_PG_OTHER_CA");
    QString error = openError(c);
    QVERIFY2(error.contains("127.0.0.1") && error.contains("did not sign"), qPrintable(error));
    c.caFile = m_dir->filePath("missing.crt");
    QVERIFY2(openError(c).contains("does not exist"), qPrintable(openError(c)));
    // No encryption over a network is refused before the server is asked;
    // through the socket it is allowed.
    c.encryption = Encryption::Off;
    QVERIFY2(openError(c).contains("own socket"), qPrintable(openError(c)));
    RegisterConnection socket = *Server();
    socket.encryption = Encryption::Off;
    QCOMPARE(openError(socket), QString());

    // A server that offers no encryption: said so, nothing opened.
    QSqlDatabase d = OpenAs("admin", socket);
    QVERIFY(d.isOpen());
    const auto setTls = [&](bool on) {
        QSqlQuery q(d);
        return q.exec(on ? "ALTER SYSTEM RESET ssl" : "ALTER SYSTEM SET ssl = off")
            && q.exec("SELECT pg_reload_conf()");
    };
    QVERIFY(setTls(false));
    const auto restore = qScopeGuard([&] {
        setTls(true);
        d.close();
        d = QSqlDatabase();
        QSqlDatabase::removeDatabase("admin");
    });
    c.encryption = Encryption::Required;
    QTRY_VERIFY2((error = openError(c)).contains("does not offer an encrypted connection"), qPrintable(error));
    QVERIFY(error.contains("127.0.0.1"));
}

void TestRegister::theServerDecidesForEveryLogin()
{
    if (!Server())
        QSKIP("no PostgreSQL server (tests/postgres_register.sh starts one)");
    // The owner sets the office up: accounts of SIB and ADCB in Dhs, cheques
    // above 5,000 Dhs (of ADCB: 1,000) approved first. Alice and Dana are
    // clerks, Omar administers, Eve has no role.
    ChequeRegister owner(*Server());
    owner.setUpOfficeRoles();
    owner.addAccount("SIB", UaeMoney());
    owner.addAccount("ADCB", UaeMoney());
    owner.setApprovalRule({}, "Dhs", 5000000);
    owner.setApprovalRule("ADCB", "Dhs", 1000000);
    QSqlDatabase admin = OpenAs("owner", *Server());
    QSqlQuery(admin).exec("SET client_min_messages = warning");
    const QList<std::pair<QString, QString>> people{
        {"alice", " IN ROLE cheque_clerks"}, {"dana", " IN ROLE cheque_clerks"}, {"omar", " IN ROLE cheque_admins"},
        {"eve", ""}};
    for (const auto &[login, role] : people) {
        QSqlQuery(admin).exec("DROP ROLE IF EXISTS " + login);
        QVERIFY(QSqlQuery(admin).exec("CREATE ROLE " + login + " LOGIN" + role));
    }
    const auto dropPeople = qScopeGuard([&] {
        for (const auto &[login, role] : people) {
            QSqlQuery(admin).exec("DROP OWNED BY " + login);
            QSqlQuery(admin).exec("DROP ROLE " + login);
        }
        admin.close();
        admin = QSqlDatabase();
        QSqlDatabase::removeDatabase("owner");
    });
    const auto as = [](const QString &login) {
        RegisterConnection c = *Server();
        c.user = login;
        return c;
    };
    // A login's own SQL: the error it gets (empty: done).
    const auto sql = [&](const QString &login, const QStringList &statements) {
        QString error;
        {
            QSqlDatabase d = OpenAs("own-" + login, as(login));
            for (const QString &statement : statements)
                if (QSqlQuery q(d); error.isEmpty() && !q.exec(statement))
                    error = q.lastError().databaseText();
        }
        QSqlDatabase::removeDatabase("own-" + login);
        return error;
    };
    ChequeRegister alice(as("alice")), dana(as("dana")), omar(as("omar")), eve(as("eve"));

    // 1, 2. The currency or the bank written otherwise in a clerk's own
    // files: refused, naming the account's; the bank's own rule holds.
    MonyType spaced = UaeMoney();
    spaced.EMoneyName = "Dhs\u00a0";
    IssueResult r = IssueCheque(alice, Make("SIB", "Eskel", "90000", spaced), "printer", Printed);
    QVERIFY2(!r.printed && !r.prepared && r.problem.contains("is in \"Dhs\""), qPrintable(r.problem));
    r = IssueCheque(alice, Make("Adcb", "Eskel", "9000"), "printer", Printed);
    QVERIFY2(!r.printed && r.problem.contains("no account of the bank \"Adcb\" (its accounts: \"ADCB\", \"SIB\")"),
             qPrintable(r.problem));
    QVERIFY(IssueCheque(alice, Make("ADCB", "Eskel", "2000"), "printer", Printed).prepared);
    // A refusal inside a print to a file leaves the file's job to its program.
    RegisterConnection printing = as("alice");
    printing.localFile = m_dir->filePath("alice-local.ini");
    ChequeRegister run(printing);
    const QString target = m_dir->filePath("run.pdf");
    const qint64 job = run.beginFileJob(target, target + ".part");
    QVERIFY(ErrorOf([&] { run.recordSent(Make("SIB", "Eskel", "90000", spaced), target, 0, job); }).contains("Dhs"));
    run.recordSent(Make("SIB", "Eskel", "10"), target, 0, job);
    QCOMPARE(run.failFileJob(job, "stopped"), 1);
    // 5, 6, 9, 10. A clerk's own SQL (or an outsider's) changes no table,
    // takes no lock, gives no number, id, amount or file, and writes no
    // event through a table of its own.
    const qint64 sent = IssueCheque(alice, Make("SIB", "Dorvan", "100"), "printer", Printed).number;
    for (const QString &statement :
         {QStringLiteral("INSERT INTO cheques (id, bank, cheque_number, cheque_date, payee, payee_key, amount_minor, "
                         "digits, amount_thousandths, currency, currency_arabic, words_en, words_ar, account_only, "
                         "printed_at, destination, login, state) VALUES (999, 'SIB', 90, 'x', 'E', 'e', -100, 2, 0, "
                         "'Dhs', 'd', 'e', 'a', 0, 'x', 'p', 'x', 'sent')"),
          "UPDATE cheques SET state = 'voided', reason = 'x' WHERE id = " + QString::number(sent),
          QStringLiteral("UPDATE cheque_numbers SET next_number = 900"), QStringLiteral("LOCK TABLE cheque_numbers"),
          QStringLiteral("INSERT INTO file_jobs (target, part, host, started_at, state) VALUES "
                         "('/home/dana/banks.txt', '/home/dana/settings.ini', 'x', 'x', 'complete')"),
          QStringLiteral("SELECT * FROM cheque_record('SIB', 'Dhs', 'd', 2, 'E', 'e', -500, '2027-01-05', 'e', 'a', "
                         "false, 'p', NULL, NULL)"),
          "SELECT cheque_set_state(" + QString::number(sent) + ", 'approved', '', '')"})
        QVERIFY2(!sql("alice", {statement}).isEmpty(), qPrintable(statement));
    for (const QString &login : {QStringLiteral("alice"), QStringLiteral("eve")})
        QVERIFY(sql(login, {"CREATE TEMP TABLE f (id BIGINT, state TEXT)",
                            "CREATE TRIGGER f_history AFTER INSERT ON f FOR EACH ROW EXECUTE FUNCTION "
                            "public.cheque_event_of_change()"})
                    .contains("permission denied for function"));
    QVERIFY(ErrorOf([&] { eve.open(); }).contains("may not read it"));
    // 10. The register held by one clerk's open transaction: another's
    // cheque waits a while, and is told who holds it.
    {
        QSqlDatabase held = OpenAs("held", as("alice"));
        QVERIFY(held.transaction());
        QVERIFY(QSqlQuery(held).exec("SELECT cheque_set_state(" + QString::number(sent) + ", 'delivered', '', '')"));
        r = IssueCheque(dana, Make("SIB", "Tarn", "1"), "printer", Printed);
        QVERIFY2(!r.printed && r.problem.contains("held for more than 5 seconds by alice"), qPrintable(r.problem));
        held.rollback();
        held.close();
    }
    QSqlDatabase::removeDatabase("held");
    // 7. The office's own changes are in the history, with who made them.
    omar.setApprovalRule({}, "Dhs", std::nullopt);
    QVERIFY(IssueCheque(omar, Make("SIB", "Omar", "250000"), "printer", Printed).printed);
    omar.setApprovalRule({}, "Dhs", 5000000);
    QSqlQuery office(admin);
    QVERIFY(office.exec("SELECT kind || '/' || actor FROM cheque_events WHERE cheque IS NULL ORDER BY seq"));
    QStringList changes;
    while (office.next())
        changes << office.value(0).toString();
    QCOMPARE(changes.mid(changes.size() - 2), (QStringList{"rule/omar", "rule/omar"}));
    QVERIFY(changes.contains("account/" + Server()->user) && changes.contains("roles/" + Server()->user));
    // 3, 4. A cheque printed again: its words made from its amount, its one
    // date, whatever a record says.
    RegisteredCheque record = *alice.cheque(sent);
    record.english = QStringLiteral("// Ninety Thousand Dhs Only //");
    record.date = QStringLiteral("1/1/99");
    const Cheque again = *ChequeOfRecord(record, UaeMoney(), "#", false, QLocale("en_US")).cheque;
    QVERIFY2(again.english.contains("One Hundred") && again.date == "1/31/26", qPrintable(again.english + again.date));
    // 8. The owner rewrites a cheque, or shortens the history: found by the
    // chain, or by a program that saw the history before.
    QCOMPARE(alice.checkHistory().problem(), std::nullopt);
    RegisterConnection witnessed = as("dana");
    witnessed.localFile = m_dir->filePath("register-local.ini");
    ChequeRegister(witnessed).open();
    QVERIFY(QSqlQuery(admin).exec("ALTER TABLE cheques DISABLE TRIGGER USER"));
    QVERIFY(QSqlQuery(admin).exec("UPDATE cheques SET amount_minor = 9000000 WHERE id = " + QString::number(sent)));
    QVERIFY(QSqlQuery(admin).exec("ALTER TABLE cheques ENABLE TRIGGER USER"));
    QVERIFY2(alice.checkHistory().problem().value_or("").contains("not as its history holds it"),
             qPrintable(alice.checkHistory().problem().value_or("")));
    QVERIFY(QSqlQuery(admin).exec("ALTER TABLE cheque_events DISABLE TRIGGER USER"));
    QVERIFY(QSqlQuery(admin).exec("DELETE FROM cheque_events WHERE seq = (SELECT max(seq) FROM cheque_events)"));
    QVERIFY(QSqlQuery(admin).exec("ALTER TABLE cheque_events ENABLE TRIGGER USER"));
    ChequeRegister shortened(witnessed);
    QVERIFY2(ErrorOf([&] { shortened.open(); }).contains("no longer holds the event"),
             qPrintable(ErrorOf([&] { shortened.open(); })));
}

void TestRegister::approvalBeforePrint()
{
    // A register file has one user: no approval.
    {
        ChequeRegister single(sqlite());
        QVERIFY(ErrorOf([&] { single.setApprovalRule({}, "Dhs", 0); }).contains("on a server"));
    }
    if (!Server())
        QSKIP("no PostgreSQL server (tests/postgres_register.sh starts one)");
    // The owner is the administrator: cheques above 5,000 Dhs need an
    // approval. Alice is a clerk; Bob approves up to 10,000 Dhs; Carol
    // prepares and approves, up to 100,000.
    ChequeRegister owner(*Server());
    owner.setUpOfficeRoles();
    owner.setApprovalRule({}, "Dhs", 5000000);
    owner.addAccount("SIB", UaeMoney());
    owner.addAccount("ADCB", UaeMoney());
    QSqlDatabase admin = OpenAs("owner", *Server());
    QSqlQuery(admin).exec("SET client_min_messages = warning");
    const QStringList people{"alice", "bob", "carol"};
    for (const QString &login : people)
        QSqlQuery(admin).exec("DROP ROLE IF EXISTS " + login);
    QVERIFY(QSqlQuery(admin).exec("CREATE ROLE alice LOGIN IN ROLE cheque_clerks"));
    QVERIFY(QSqlQuery(admin).exec("CREATE ROLE bob LOGIN IN ROLE cheque_approvers"));
    QVERIFY(QSqlQuery(admin).exec("CREATE ROLE carol LOGIN IN ROLE cheque_clerks, cheque_approvers"));
    const auto dropPeople = qScopeGuard([&] {
        for (const QString &login : people) {
            QSqlQuery(admin).exec("DROP OWNED BY " + login);
            QSqlQuery(admin).exec("DROP ROLE " + login);
        }
        admin.close();
        admin = QSqlDatabase();
        QSqlDatabase::removeDatabase("owner");
    });
    owner.setApprovalLimit("bob", "Dhs", 10000000);
    owner.setApprovalLimit("carol", "Dhs", 100000000);
    const auto as = [](const QString &login) {
        RegisterConnection c = *Server();
        c.user = login;
        return c;
    };
    ChequeRegister alice(as("alice")), bob(as("bob")), carol(as("carol"));
    // A bank's own rule comes before the one of every bank.
    owner.setApprovalRule("ADCB", "Dhs", 20000000);
    QCOMPARE(
        QList<bool>({alice.needsApproval(Make("SIB", "x", "5000")), alice.needsApproval(Make("SIB", "x", "5000.01")),
                     alice.needsApproval(Make("ADCB", "x", "7000")), alice.needsApproval(Make("ADCB", "x", "20001"))}),
        QList<bool>({false, true, false, true}));

    // Below the amount: printed at once. Above it: prepared, not printed,
    // no cheque number taken.
    QVERIFY(IssueCheque(alice, Make("SIB", "Dorvan", "5000"), "printer", Printed).printed);
    bool paper = false;
    const auto print = [&](const ChequeRegister::Recorded &) {
        paper = true;
        return std::optional<QString>();
    };
    const IssueResult big = IssueCheque(alice, Make("SIB", "Eskel", "7000"), "printer", print);
    QVERIFY(big.prepared && !big.printed && !paper);
    QCOMPARE(alice.cheque(big.number)->state, ChequeState::Prepared);
    QCOMPARE(alice.cheque(big.number)->chequeNumber, 0);
    QCOMPARE(alice.nextChequeNumber("SIB"), 2);

    // Nobody approves their own cheque, nor above their limit; a clerk
    // does not approve at all.
    const qint64 carols = IssueCheque(carol, Make("SIB", "Tarn", "8000"), "printer", Printed).number;
    QVERIFY(ErrorOf([&] { carol.decide(carols, true, {}); }).contains("another person"));
    const qint64 large = IssueCheque(alice, Make("SIB", "Tarn", "20000"), "printer", Printed).number;
    QVERIFY(ErrorOf([&] { bob.decide(large, true, {}); }).contains("bob approves cheques of up to 10000 Dhs"));
    QVERIFY(!ErrorOf([&] { alice.decide(big.number, true, {}); }).isEmpty());
    QVERIFY(ErrorOf([&] { bob.decide(large, false, " "); }).contains("reason"));

    // A clerk's own SQL cannot approve, print past the approval or forge
    // who prepared a cheque.
    QSqlDatabase own = OpenAs("alice", as("alice"));
    {
        QSqlQuery q(own);
        // (Her own search path, in which the register's guards find
        // nothing of hers.)
        QVERIFY(q.exec("SET search_path = pg_catalog, public"));
        const QString id = QString::number(big.number);
        for (const QString &sql :
             {"UPDATE cheques SET state = 'approved', reason = 'ok' WHERE id = " + id,
              "UPDATE cheques SET state = 'sent', cheque_number = 7 WHERE id = " + id,
              "SELECT cheque_decide(" + id + ", true, 'ok')",
              QStringLiteral("INSERT INTO cheques (bank, cheque_number, cheque_date, payee, payee_key, amount_minor, "
                             "digits, amount_thousandths, currency, currency_arabic, words_en, words_ar, account_only, "
                             "printed_at, destination, login, state) VALUES ('SIB', 91, 'x', 'Eskel', 'eskel', "
                             "900000, 2, 1, 'dhs ', 'درهم', 'e', 'a', 0, '2026-12-08T10:00:00.000Z', 'p', "
                             "'alice', 'sent')")})
            QVERIFY2(!q.exec(sql) && q.lastError().databaseText().contains("permission denied"), qPrintable(sql));
    }
    own.close();
    own = QSqlDatabase();
    QSqlDatabase::removeDatabase("alice");

    // Two approvers at once: one of them approves it, the other finds it
    // approved.
    QStringList answers;
    QMutex answered;
    std::vector<std::thread> approvers;
    for (const QString &login : {QStringLiteral("bob"), QStringLiteral("carol")})
        approvers.emplace_back([&, login] {
            {
                QSqlDatabase d = OpenAs("race-" + login, as(login));
                QSqlQuery q(d);
                const bool done = q.exec(QStringLiteral("SELECT cheque_decide(%1, true, 'ok')").arg(big.number));
                const QMutexLocker lock(&answered);
                answers << (done ? QStringLiteral("approved") : q.lastError().databaseText().section(u'\n', 0, 0));
            }
            QSqlDatabase::removeDatabase("race-" + login);
        });
    for (std::thread &t : approvers)
        t.join();
    answers.sort();
    QCOMPARE(answers, (QStringList{"ERROR:  the cheque is approved already", "approved"}));

    // Printed once, with the bank's next number; the second time refused.
    const Cheque approved = *ChequeOfRecord(*alice.cheque(big.number), UaeMoney(), "#", false, QLocale("en_US")).cheque;
    const IssueResult printed = IssueCheque(alice, approved, "printer", Printed, 0, big.number);
    QVERIFY2(printed.printed, qPrintable(printed.problem));
    QCOMPARE(printed.chequeNumber, 2);
    QVERIFY(IssueCheque(alice, approved, "printer", Printed, 0, big.number).problem.contains("once"));
    QStringList kinds;
    for (const ChequeEvent &e : alice.history(big.number))
        kinds << e.kind + u'/' + (e.kind == QLatin1String("approved") ? QStringLiteral("approver") : e.actor);
    QCOMPARE(kinds, (QStringList{"prepared/alice", "approved/approver", "sent/alice", "printed/alice"}));
    bob.decide(large, false, "not this month");
    QCOMPARE(alice.cheque(large)->state, ChequeState::Rejected);
    QCOMPARE(alice.history(large).last().actor, QStringLiteral("bob"));

    // A list to a file: the cheque that needs approval is kept out of it,
    // and the run goes on.
    const QString pdf = m_dir->filePath("run.pdf");
    PdfFileOutput output(pdf);
    ChequeIssuer issuer(alice, output);
    const IssueRunResult run = IssueRun(issuer,
                                        {{Make("SIB", "A", "100"), InitialLayout()},
                                         {Make("SIB", "B", "6000"), InitialLayout()},
                                         {Make("SIB", "C", "200"), InitialLayout()}},
                                        {}, {});
    QCOMPARE(run.sent * 10 + run.prepared, 21);
    QCOMPARE(issuer.finish(), std::nullopt);
    QCOMPARE(PageCount(pdf), 2);
    QCOMPARE(alice.checkHistory().problem(), std::nullopt);
}

void TestRegister::lifeAfterPrint()
{
    QFETCH(bool, server);
    if (server && !Server())
        QSKIP("no PostgreSQL server (tests/postgres_register.sh starts one)");
    ChequeRegister reg(server ? *Server() : sqlite());
    QList<qint64> n;
    for (const char *amount : {"100", "200", "300", "400"})
        n << IssueCheque(reg, Make("SIB", "Dorvan", amount), "printer", Printed).number;
    // Delivered, then cleared on the bank's date; returned, then stopped;
    // a clearing without its date, a cleared cheque voided and a voided one
    // delivered are refused.
    reg.markAfterPrint(n[0], ChequeState::Delivered, QDate(2026, 2, 1), {});
    reg.markAfterPrint(n[0], ChequeState::Cleared, QDate(2026, 2, 9), {});
    reg.markAfterPrint(n[1], ChequeState::Returned, QDate(2026, 2, 10), "insufficient funds");
    reg.markAfterPrint(n[1], ChequeState::Stopped, QDate(2026, 2, 11), "lost by the payee");
    QVERIFY(ErrorOf([&] { reg.markAfterPrint(n[2], ChequeState::Cleared, {}, {}); }).contains("date"));
    QVERIFY(ErrorOf([&] { reg.voidCheque(n[0], "mistake"); }).contains("cleared"));
    QVERIFY(ErrorOf([&] { reg.markSpoilt(n[0], "torn"); }).contains("cleared"));
    reg.voidCheque(n[2], "torn");
    QVERIFY(
        ErrorOf([&] { reg.markAfterPrint(n[2], ChequeState::Delivered, QDate(2026, 3, 1), {}); }).contains("voided"));
    QCOMPARE(reg.cheque(n[0])->stateDay, QDate(2026, 2, 9));
    QStringList events;
    for (const qint64 cheque : {n[0], n[1]})
        for (const ChequeEvent &e : reg.history(cheque).mid(2))
            events << e.kind + u'/' + e.detail;
    QCOMPARE(events,
             (QStringList{"delivered/2026-02-01", "cleared/2026-02-09", "returned/2026-02-10: insufficient funds",
                          "stopped/2026-02-11: lost by the payee"}));
    // What stands, what the bank has still to pay, what does not count.
    QCOMPARE(TotalsText(reg.stateTotals({}), QLocale("en_US")),
             QStringLiteral("2 cheques: 500.00 Dhs, 1 outstanding: 400.00 Dhs (not counted: 1 voided, 300.00; "
                            "1 stopped, 200.00)"));
    // Stale: outstanding, dated before today less its validity (they are
    // dated the 31st of January 2026).
    RegisterFilter stale;
    stale.staleBefore = QDate(2026, 2, 1);
    QCOMPARE(reg.stateTotals(stale).value(0).count, 1);
    stale.staleBefore = QDate(2026, 1, 31);
    QVERIFY(reg.stateTotals(stale).isEmpty());
    QCOMPARE(reg.checkHistory().problem(), std::nullopt);
}

void TestRegister::chequeBooks()
{
    QFETCH(bool, server);
    if (server && !Server())
        QSKIP("no PostgreSQL server (tests/postgres_register.sh starts one)");
    ChequeRegister reg(server ? *Server() : sqlite());
    // A book of three leaves: three cheques on them, the fourth refused.
    reg.addChequeBook("SIB", 1, 3);
    QList<qint64> numbers;
    for (int i = 0; i < 4; ++i)
        numbers << IssueCheque(reg, Make("SIB", "Dorvan", "100"), "printer", Printed).chequeNumber;
    QCOMPARE(numbers, (QList<qint64>{1, 2, 3, 0}));
    QCOMPARE(reg.leavesLeft("SIB"), 0);
    // Books never overlap; the next book takes over the numbering.
    QVERIFY(ErrorOf([&] { reg.addChequeBook("SIB", 3, 5); }).contains("1–3"));
    reg.addChequeBook("SIB", 101, 150);
    QCOMPARE(reg.nextChequeNumber("SIB"), 101);
    QCOMPARE(reg.leavesLeft("SIB"), 50);
    // A number typed for the next cheque: used already, or in no book, is
    // refused where it is typed.
    QVERIFY(ErrorOf([&] { reg.setNextChequeNumber("SIB", 2); }).contains("in the register already"));
    QVERIFY(ErrorOf([&] { reg.setNextChequeNumber("SIB", 60); }).contains("none of the cheque books"));
    reg.setNextChequeNumber("SIB", 148);
    QCOMPARE(IssueCheque(reg, Make("SIB", "Dorvan", "100"), "printer", Printed).chequeNumber, 148);
    QCOMPARE(reg.leavesLeft("SIB"), 2);
    // A book brought before the one in use is used up: the numbers go on
    // in it; a book of old leaves added later never takes them back.
    reg.addChequeBook("SIB", 201, 202);
    QCOMPARE(reg.leavesLeft("SIB"), 4);
    for (const qint64 expected : {149, 150, 201})
        QCOMPARE(IssueCheque(reg, Make("SIB", "Dorvan", "100"), "printer", Printed).chequeNumber, expected);
    reg.addChequeBook("SIB", 51, 60);
    QCOMPARE(reg.nextChequeNumber("SIB"), 202);
    // A bank without books prints on any number.
    QCOMPARE(reg.leavesLeft("FAB"), std::nullopt);
    reg.setNextChequeNumber("FAB", 7000);
    QCOMPARE(IssueCheque(reg, Make("FAB", "Dorvan", "100"), "printer", Printed).chequeNumber, 7000);
}

void TestRegister::dueDates()
{
    ChequeRegister reg(sqlite());
    const auto issue = [&](const char *date, const char *amount) {
        const ChequeOrProblem made =
            MakeCheque("SIB", date, "Dorvan", amount, false, UaeMoney(), "#", false, QLocale("en_US"));
        return IssueCheque(reg, *made.cheque, "printer", Printed).number;
    };
    // Today is Tuesday the 8th of December 2026: one overdue, two this
    // month, one in January, one in the twelfth month; a year later, an old
    // stale one, a cleared and a void one are not due.
    issue("11/30/26", "1");
    issue("12/8/26", "10");
    issue("12/13/26", "20");
    issue("1/31/27", "30");
    issue("11/30/27", "40");
    issue("12/1/27", "50");
    issue("1/1/25", "60");
    reg.markAfterPrint(issue("12/20/26", "70"), ChequeState::Cleared, QDate(2026, 12, 21), {});
    reg.voidCheque(issue("12/21/26", "80"), "torn");
    const auto sums = [](const QList<DueTotal> &totals) {
        QStringList texts;
        for (const DueTotal &t : totals)
            texts << QStringLiteral("%1 %2×%3").arg(t.start.toString(Qt::ISODate)).arg(t.count).arg(t.minorUnits / 100);
        return texts;
    };
    const QDate today(2026, 12, 8);
    const DueDates monday = ReadDueDates(reg, today, Qt::Monday, 6);
    QCOMPARE(sums(monday.overdue), QStringList{" 1×1"});
    QCOMPARE(sums(monday.months), (QStringList{"2026-12-01 2×30", "2027-01-01 1×30", "2027-11-01 1×40"}));
    QCOMPARE(sums(monday.weeks), (QStringList{"2026-12-07 2×30", "2027-01-25 1×30", "2027-11-29 1×40"}));
    // Weeks that start on Saturday, as many Gulf offices keep them.
    QCOMPARE(sums(ReadDueDates(reg, today, Qt::Saturday, 6).weeks),
             (QStringList{"2026-12-05 1×10", "2026-12-12 1×20", "2027-01-30 1×30", "2027-11-27 1×40"}));
}

QTEST_MAIN(TestRegister)
#include "tst_register.moc"
