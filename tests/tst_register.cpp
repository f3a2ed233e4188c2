// SPDX-License-Identifier: GPL-3.0-or-later
// The register of printed cheques on a real SQLite file and, when the test
// script has started one (tests/postgres_register.sh), a real PostgreSQL
// server: numbers, record before paper, duplicates, filters, totals, pages,
// files that are not registers, a locked register, a killed print run, two
// programs printing into one register at once, the life after print,
// cheque books and due dates.

#include "registerfixture.h"

class TestRegister : public QObject, RegisterFixture
{
    Q_OBJECT

private slots:
    void init() { setUp(); }
    void cleanup() { tearDown(); }

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
    void lifeAfterPrint_data() { addConnections(); }
    void lifeAfterPrint();
    void chequeBooks_data() { addConnections(); }
    void chequeBooks();
    void dueDates();
};

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
    // A statement's cheques read at once, over more numbers than one query
    // takes, some twice, some the register does not have.
    QList<qint64> numbers{100232, 100231, 100232, 1};
    for (qint64 n = 1; n <= 1500; ++n)
        numbers << 200000 + n;
    const QHash<qint64, RegisteredCheque> read = reg.chequesByNumber("ADCB", numbers);
    QCOMPARE(read.keys().size(), 2);
    QCOMPARE(read.value(100231).number, first.number);
    QCOMPARE(read.value(100232).number, second.number);

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
    // It stands once delivered (or cleared, returned, stopped), and says so.
    reg.markAfterPrint(first.number, ChequeState::Delivered, QDate::currentDate(), {});
    QCOMPARE(reg.findDuplicate(Make("SIB", "محمد أحمد", "2500"), month)->state, ChequeState::Delivered);
    QCOMPARE(EarlierCheque(*reg.findDuplicate(Make("SIB", "محمد أحمد", "2500"), month)),
             QStringLiteral("cheque No. 1, delivered"));
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
                  root ? QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", REGISTERPRINT_EXE} + args
                       : args);
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
    const IssueResult result = IssueCheque(reg, Make("SIB", "A", "5"), "p", [&](const ChequeRegister::Recorded &) {
        printed = true;
        return std::optional<QString>();
    });
    QVERIFY(!printed);
    QVERIFY2(result.problem.contains("locked"), qPrintable(result.problem));
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
    IssueResult result = IssueCheque(reg, Make("SIB", "B", "5"), "p", Printed);
    for (pid_t pid : server())
        ::kill(pid, SIGCONT);
    QVERIFY2(!result.printed && result.number == 0 && result.problem.contains("did not answer"),
             qPrintable(result.problem));
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
    // A program showing a register file learns that another changed it
    // (a server tells its listeners).
    if (!server) {
        QVERIFY(!reg.changedElsewhere());
        ChequeRegister other(c);
        other.recordSent(Make("SIB", "Tarn", "5"), "printer");
        QVERIFY(reg.changedElsewhere());
        QVERIFY(!reg.changedElsewhere());
    }
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
    // a clearing without its date or before the cheque was printed, a
    // cleared cheque voided and a voided one delivered are refused.
    const QDate today = QDate::currentDate();
    const auto day = [&](int n) { return today.addDays(n); };
    const auto iso = [&](int n) { return day(n).toString(Qt::ISODate); };
    reg.markAfterPrint(n[0], ChequeState::Delivered, day(1), {});
    reg.markAfterPrint(n[0], ChequeState::Cleared, day(9), {});
    reg.markAfterPrint(n[1], ChequeState::Returned, day(10), "insufficient funds");
    reg.markAfterPrint(n[1], ChequeState::Stopped, day(11), "lost by the payee");
    QVERIFY(ErrorOf([&] { reg.markAfterPrint(n[2], ChequeState::Cleared, {}, {}); }).contains("date"));
    QVERIFY(ErrorOf([&] { reg.markAfterPrint(n[3], ChequeState::Cleared, day(-1), {}); }).contains("printed on"));
    QVERIFY(ErrorOf([&] { reg.voidCheque(n[0], "mistake"); }).contains("cleared"));
    QVERIFY(ErrorOf([&] { reg.markSpoilt(n[0], "torn"); }).contains("cleared"));
    reg.voidCheque(n[2], "torn");
    QVERIFY(ErrorOf([&] { reg.markAfterPrint(n[2], ChequeState::Delivered, day(20), {}); }).contains("voided"));
    QCOMPARE(reg.cheque(n[0])->stateDay, day(9));
    QStringList events;
    for (const qint64 cheque : {n[0], n[1]})
        for (const ChequeEvent &e : reg.history(cheque).mid(2))
            events << e.kind + u'/' + e.detail;
    QCOMPARE(events,
             (QStringList{"delivered/" + iso(1), "cleared/" + iso(9), "returned/" + iso(10) + ": insufficient funds",
                          "stopped/" + iso(11) + ": lost by the payee"}));
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
    // A step made by mistake is set back to printed with its reason, kept
    // in the history; a cheque still printed, or voided, is not.
    QVERIFY(ErrorOf([&] { reg.correctAfterPrint(n[0], " "); }).contains("reason"));
    QVERIFY(!ErrorOf([&] { reg.correctAfterPrint(n[3], "wrong row"); }).isEmpty());
    QVERIFY(!ErrorOf([&] { reg.correctAfterPrint(n[2], "wrong row"); }).isEmpty());
    reg.correctAfterPrint(n[0], "cleared on the wrong row");
    QCOMPARE(reg.cheque(n[0])->state, ChequeState::Printed);
    QCOMPARE(reg.history(n[0]).last().detail, QStringLiteral("cleared on the wrong row"));
    reg.markAfterPrint(n[0], ChequeState::Cleared, day(12), {});
    // Many cleared at once (a statement): all of them, or, when one cannot
    // be, none, saying why.
    reg.correctAfterPrint(n[0], "the statement clears it");
    QVERIFY(ErrorOf([&] { reg.markClearedAll({{n[3], day(3)}, {n[2], day(3)}}); }).contains("voided"));
    QVERIFY(ErrorOf([&] { reg.markClearedAll({{n[0], day(3)}, {n[3], day(-1)}}); }).contains("printed on"));
    QCOMPARE(reg.cheque(n[3])->state, ChequeState::Printed);
    QCOMPARE(reg.cheque(n[0])->state, ChequeState::Printed);
    reg.markClearedAll({{n[3], day(4)}, {n[0], day(5)}});
    QCOMPARE(reg.cheque(n[3])->stateDay, day(4));
    QCOMPARE(reg.cheque(n[0])->stateDay, day(5));
    QCOMPARE(reg.history(n[0]).last().detail, iso(5));
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
    // A book that runs out within a file's cheques: what is said of them
    // is what the register holds.
    reg.addChequeBook("ADCB", 1, 3);
    {
        PdfFileOutput output(m_dir->filePath("run.pdf"));
        ChequeIssuer issuer(reg, output);
        QString problem;
        for (int i = 0; i < 4 && problem.isEmpty(); ++i)
            problem = issuer.issue(Make("ADCB", "Dorvan", "100"), InitialLayout()).problem;
        RegisterFilter adcb;
        adcb.bank = "ADCB";
        QMap<ChequeState, qint64> held;
        for (const ChequeRegister::Total &total : reg.stateTotals(adcb))
            held[total.state] += total.count;
        QVERIFY2(problem.contains("none of its 3 cheques was printed")
                     && (problem.contains("holds none of them") == held.isEmpty())
                     && (problem.contains("shows them as failed")
                         == (held.size() == 1 && held.value(ChequeState::Failed) == 3)),
                 qPrintable(problem));
    }
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
